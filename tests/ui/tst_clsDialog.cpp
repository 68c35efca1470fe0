// The dialog wrapper over real dialogs: results, the following folder, long texts.
#include "ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsDialog.h"
#include "clsSkiff.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

class TestClsDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

    QString MakeFolder(const QString& szName) const
    {
        QDir(folder.path()).mkpath(szName);
        return folder.filePath(szName);
    }

    // The folder the next dialog opens in, with no file name preset.
    QString NextDialogFolder() const
    {
        QString szShown;
        gDialog().SetFileName(QString());
        modal::When<QFileDialog>(
            [&](QFileDialog* dialog) { szShown = dialog->directory().absolutePath(); });
        gDialog().ShowOpen(nullptr, false);
        return szShown;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        QCOMPARE(&gDialog(), &gDialog());
        // Creating the shared instance created the library's state.
        QCOMPARE(skiff::GetFilterIndexA(), 0);
    }

    void openReturnsThePathAndMovesToItsFolder()
    {
        const QString szSub = MakeFolder(u"読込"_s);
        QFile file(szSub + u"/data.csv"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        gDialog().SetTitle(u"開く"_s);
        gDialog().SetFilter(u"CSV(*.csv)|*.csv|全てのファイル(*.*)|*.*||"_s);
        gDialog().SetInitDir(szSub);
        gDialog().SetFileName(QString());

        QString szTitle;
        bool bHasList = false;
        bool bHasEsc = true;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            szTitle = dialog->windowTitle();
            bHasList = modal::CharSetList(dialog) != nullptr;
            bHasEsc = modal::EscBox(dialog) != nullptr;
            modal::Choose(dialog, u"data.csv"_s, 2);
        });
        QVERIFY(gDialog().ShowOpen(nullptr, true));
        QCOMPARE(szTitle, u"開く"_s);
        QVERIFY(bHasList);
        QVERIFY(!bHasEsc);
        QCOMPARE(gDialog().FileName(), szSub + u"/data.csv"_s);
        QCOMPARE(gDialog().FilterIndex(), 1);
        QCOMPARE(gDialog().CharSet(), 2);
        QCOMPARE(gDialog().CRLF(), 0);
        QCOMPARE(NextDialogFolder(), szSub);
    }

    void cancelKeepsThePresetNameAndFollowsItsFolder()
    {
        const QString szOther = MakeFolder(u"other"_s);
        gDialog().SetInitDir(folder.path());
        gDialog().SetFileName(szOther + u"/preset.csv"_s);
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::TypeFileName(dialog, u"ignored.csv"_s);
            dialog->reject();
        });
        QVERIFY(!gDialog().ShowSave(nullptr, u"csv"_s, true));
        QCOMPARE(gDialog().FileName(), szOther + u"/preset.csv"_s);
        QCOMPARE(NextDialogFolder(), szOther);
    }

    void saveGivesCharacterSetLineEndAndExtension()
    {
        gDialog().SetInitDir(folder.path());
        gDialog().SetFileName(QString());
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::Choose(dialog, u"report"_s, 9); // "EUC(改行:LF)"
        });
        QVERIFY(gDialog().ShowSave(nullptr, u"csv"_s, true));
        QCOMPARE(gDialog().CharSet(), 3);
        QCOMPARE(gDialog().CRLF(), 3);
        QCOMPARE(gDialog().FileName(), folder.filePath(u"report.csv"_s));
    }

    void fontPropertiesRoundTripThroughTheDialog()
    {
        QString szFamily;
        for (const QString& szOne : QFontDatabase::families()) {
            if (QFontDatabase::styles(szOne).contains(u"Bold"_s)) {
                szFamily = szOne;
                break;
            }
        }
        if (szFamily.isEmpty())
            QSKIP("no font family with a bold face is installed");
        gDialog().SetFontName(szFamily);
        gDialog().SetFontSize(11);
        gDialog().SetFontBold(true);
        gDialog().SetFontItalic(false);
        QVERIFY(gDialog().FontBold());
        QVERIFY(!gDialog().FontItalic());

        QFont shown;
        modal::When<QFontDialog>([&](QFontDialog* dialog) {
            shown = dialog->currentFont();
            QFont chosen(szFamily, 14);
            for (const QString& szStyle : QFontDatabase::styles(szFamily)) {
                if (QFontDatabase::italic(szFamily, szStyle) &&
                    !QFontDatabase::bold(szFamily, szStyle)) {
                    chosen.setStyleName(szStyle);
                    break;
                }
            }
            dialog->setCurrentFont(chosen);
            modal::Accept(dialog);
        });
        QVERIFY(gDialog().ShowFont(nullptr));
        QVERIFY(shown.bold());
        QCOMPARE(shown.pointSize(), 11);
        QCOMPARE(gDialog().FontName(), szFamily);
        QCOMPARE(gDialog().FontSize(), 14);
        QVERIFY(!gDialog().FontBold());
        QVERIFY(gDialog().FontItalic());
    }

    void longTextsAreCutWholeCharacters()
    {
        // A file name is kept in the file system's encoding: three bytes a character here.
        gDialog().SetFileName(QString(700, u'あ'));
        QCOMPARE(gDialog().FileName(), QString(341, u'あ'));
        // 255 bytes: the field's full capacity, which the read buffer must also hold.
        const QString szFullFont = u'a' + QString(127, u'ゴ');
        gDialog().SetFontName(szFullFont);
        QCOMPARE(gDialog().FontName(), szFullFont);
        gDialog().SetFontName(QString(200, u'ゴ'));
        QCOMPARE(gDialog().FontName(), QString(127, u'ゴ'));
    }
};

QUILLET_QTEST_MAIN(TestClsDialog)
#include "tst_clsDialog.moc"
