// The options window: its texts, how it shows and stores each option, the path check, the
// browse and font buttons, and Cancel and Esc.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsDialog.h"
#include "clsMessenger.h"
#include "clsOptions.h"
#include "frmOption.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

class tst_frmOption : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

    // An existing file standing for an editor program.
    static QString Program() { return QCoreApplication::applicationFilePath(); }

private slots:
    void init()
    {
        clsOptions::Reset();
        gHeaderFlags[5] = 1;
        gEditFlags[2] = 1;
        gTextPath = Program();
        gBinPath = Program();
        gFontName = u"Sans"_s;
        gFontSize = 10;
    }

    void showsItsTexts()
    {
        const frmOption dialog;
        QCOMPARE(dialog.windowTitle(), u"設定"_s);
        QCOMPARE(dialog.Check1->text(), u"カラム番号"_s);
        QCOMPARE(dialog.Check2->text(), u"有効桁数"_s);
        QCOMPARE(dialog.Check3->text(), u"データ型"_s);
        QCOMPARE(dialog.Check4->text(), u"メンバ名"_s);
        QCOMPARE(dialog.Check5->text(), u"コメント"_s);
        QCOMPARE(dialog.Check6->text(), u"項目の [ 有効桁数 ] で表示・編集の制限をかける"_s);
        QCOMPARE(dialog.Check7->text(), u"セル幅の自動調整"_s);
        QCOMPARE(dialog.Option1->text(), u"ヘッダ幅で調整"_s);
        QCOMPARE(dialog.Option2->text(), u"前回起動時の幅で調整"_s);
        QCOMPARE(dialog.Check8->text(), u"許可する"_s);
        QCOMPARE(dialog.Label1(1)->text(), u"テキストファイルのエディタ"_s);
        QCOMPARE(dialog.Label1(2)->text(), u"バイナリファイルのエディタ"_s);
        QCOMPARE(dialog.Command3(1)->text(), u"参照"_s);
        QCOMPARE(dialog.Command3(2)->text(), u"参照"_s);
        QCOMPARE(dialog.Command5->text(), u"フォント"_s);
        QCOMPARE(dialog.Command1->text(), u"ＯＫ"_s);
        QCOMPARE(dialog.Command2->text(), u"キャンセル"_s);
        QStringList frames;
        for (const QGroupBox* frame : dialog.findChildren<QGroupBox*>())
            frames << frame->title();
        QCOMPARE(frames, (QStringList{u"ヘッダの表示"_s, u"編集"_s, u"改行の編集"_s, u"パス"_s}));
        QVERIFY(!dialog.bRes);
    }

    void showsTheCurrentOptions()
    {
        gHeaderFlags[2] = 1;
        gEditFlags[1] = 1;
        gEditFlags[2] = 2;
        gEditFlags[3] = 1;
        const frmOption dialog;
        QVERIFY(!dialog.Check1->isChecked());
        QVERIFY(dialog.Check2->isChecked());
        QVERIFY(!dialog.Check3->isChecked());
        QVERIFY(!dialog.Check4->isChecked());
        QVERIFY(dialog.Check5->isChecked());
        QVERIFY(dialog.Check6->isChecked());
        QVERIFY(dialog.Check7->isChecked());
        QVERIFY(dialog.Option2->isChecked());
        QVERIFY(!dialog.Option1->isChecked());
        QVERIFY(dialog.Check8->isChecked());
        QCOMPARE(dialog.Text1(1)->text(), Program());
        QCOMPARE(dialog.Text1(2)->text(), Program());
    }

    void theWidthWaysFollowTheAutomaticWidthBox()
    {
        gEditFlags[2] = 0;
        const frmOption dialog;
        QVERIFY(!dialog.Check7->isChecked());
        QVERIFY(!dialog.Option1->isEnabled());
        QVERIFY(!dialog.Option2->isEnabled());
        dialog.Check7->click();
        QVERIFY(dialog.Option1->isEnabled());
        QVERIFY(dialog.Option2->isEnabled());
        dialog.Check7->click();
        QVERIFY(!dialog.Option1->isEnabled());
    }

    void okStoresEveryOption()
    {
        frmOption dialog;
        dialog.Check3->setChecked(true);
        dialog.Check6->setChecked(true);
        dialog.Option2->setChecked(true);
        dialog.Check8->setChecked(true);
        dialog.Text1(1)->setText(u"sh -c true"_s);
        dialog.Command1->click();
        QVERIFY(dialog.bRes);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(gHeaderFlags[3], 1);
        QCOMPARE(gHeaderFlags[5], 1);
        QCOMPARE(gHeaderFlags[1], 0);
        QCOMPARE(gEditFlags[1], 1);
        QCOMPARE(gEditFlags[2], 2);
        QCOMPARE(gEditFlags[3], 1);
        QCOMPARE(gTextPath, u"sh -c true"_s);
    }

    void allHeaderBoxesOffKeepsTheColumnNumber()
    {
        frmOption dialog;
        for (QCheckBox* box :
             {dialog.Check1, dialog.Check2, dialog.Check3, dialog.Check4, dialog.Check5})
            box->setChecked(false);
        dialog.Command1->click();
        QVERIFY(dialog.bRes);
        QCOMPARE(gHeaderFlags[1], 1);
        QCOMPARE(gHeaderFlags[5], 0);
    }

    void automaticWidthOffStoresModeZero()
    {
        frmOption dialog;
        dialog.Option2->setChecked(true);
        dialog.Check7->setChecked(false);
        dialog.Command1->click();
        QVERIFY(dialog.bRes);
        QCOMPARE(gEditFlags[2], 0);
    }

    void anEmptyBinaryEditorPathIsRefused()
    {
        clsScriptedMsgBox boxes;
        frmOption dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.Check1->setChecked(true);
        dialog.Text1(2)->setText(u"  "_s);
        dialog.Command1->click();
        const clsScriptedMsgBox::Box box = boxes.TakeOne();
        QCOMPARE(box.kind, u"Exclamation"_s);
        QCOMPARE(box.title, AppTitle());
        QCOMPARE(box.text, u"正しいパスを指定してください。"_s);
        QVERIFY(!dialog.bRes);
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), dialog.Text1(2));
        // Nothing was stored.
        QCOMPARE(gHeaderFlags[1], 0);
        QCOMPARE(gBinPath, Program());
    }

    void escapeCancels()
    {
        bool bWasOpen = false;
        modal::When<frmOption>([&](frmOption* dialog) {
            bWasOpen = true;
            dialog->Check2->setChecked(true);
            QTest::keyClick(dialog->Check2, Qt::Key_Escape);
        });
        frmOption dialog;
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(bWasOpen);
        QVERIFY(!dialog.bRes);
        QCOMPARE(gHeaderFlags[2], 0);
    }

    void aFontChosenStaysAfterCancel()
    {
        const QStringList families = QFontDatabase::families();
        if (families.isEmpty())
            QSKIP("no font family is installed");
        const QString szFamily = families.last();
        modal::When<QFontDialog>([&](QFontDialog* font) {
            font->setCurrentFont(QFont(szFamily, 14));
            modal::Accept(font);
        });
        frmOption dialog;
        dialog.Command5->click();
        QCOMPARE(gFontName, szFamily);
        QCOMPARE(gFontSize, 14);
        dialog.Command2->click();
        QVERIFY(!dialog.bRes);
        QCOMPARE(gFontName, szFamily);
        QCOMPARE(gFontSize, 14);
    }

    void aCancelledFontDialogChangesNothing()
    {
        modal::When<QFontDialog>([](QFontDialog* font) {
            font->setCurrentFont(QFont(u"Serif"_s, 20));
            font->reject();
        });
        frmOption dialog;
        dialog.Command5->click();
        QCOMPARE(gFontName, u"Sans"_s);
        QCOMPARE(gFontSize, 10);
    }

    void browsePutsTheChosenProgramInItsBox()
    {
        QFile file(folder.filePath(u"viewer"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        gBinPath = u"/opt/tools/hexview"_s;
        gDialog().SetInitDir(folder.path());
        QString szTitle;
        QString szPreset;
        modal::When<QFileDialog>([&](QFileDialog* browse) {
            szTitle = browse->windowTitle();
            if (auto* edit = browse->findChild<QLineEdit*>(u"fileNameEdit"_s))
                szPreset = edit->text();
            modal::TypeFileName(browse, u"viewer"_s);
            modal::Accept(browse);
        });
        frmOption dialog;
        dialog.Command3(2)->click();
        QCOMPARE(szTitle, u"バイナリファイルを開くアプリケーション"_s);
        QCOMPARE(szPreset, u"hexview"_s);
        QCOMPARE(dialog.Text1(2)->text(), folder.filePath(u"viewer"_s));
        QCOMPARE(dialog.Text1(1)->text(), Program());
    }

    void enteringAPathBoxSelectsItsText()
    {
        frmOption dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.Text1(2)->setFocus();
        QTRY_COMPARE(dialog.Text1(2)->selectedText(), Program());
    }
};

QUILLET_QTEST_MAIN(tst_frmOption)
#include "tst_frmOption.moc"
