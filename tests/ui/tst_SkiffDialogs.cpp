// Skiff's dialog exports, called through the program's binding and driven as real dialogs.
#include "ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsCodePage.h"
#include "clsSkiff.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray Sjis(const QString& szText)
{
    return clsCodePage::ToSjis(szText);
}

QString StoredFileName()
{
    char buffer[1024] = {};
    skiff::GetFileNameA(buffer);
    return QFile::decodeName(buffer);
}

// What a file dialog showed before the test acted on it.
struct Seen
{
    bool bShown = false;
    QString szTitle;
    QStringList items;
    QStringList filters;
    QString szSelectedFilter;
    QString szSuffix;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    bool bHasList = false;
    bool bHasEsc = false;
    QString szEscText;
    bool bEscChecked = false;
};

Seen Look(QFileDialog* dialog)
{
    Seen seen;
    seen.bShown = true;
    seen.szTitle = dialog->windowTitle();
    seen.filters = dialog->nameFilters();
    seen.szSelectedFilter = dialog->selectedNameFilter();
    seen.szSuffix = dialog->defaultSuffix();
    seen.fileMode = dialog->fileMode();
    if (QComboBox* list = modal::CharSetList(dialog)) {
        seen.bHasList = true;
        for (int i = 0; i < list->count(); ++i)
            seen.items << list->itemText(i);
    }
    if (QCheckBox* box = modal::EscBox(dialog)) {
        seen.bHasEsc = true;
        seen.szEscText = box->text();
        seen.bEscChecked = box->isChecked();
    }
    return seen;
}

// A family installed with a bold face, so a bold request can show as bold.
QString BoldCapableFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const QString& szFamily : families) {
        if (QFontDatabase::styles(szFamily).contains(u"Bold"_s))
            return szFamily;
    }
    return {};
}

// An installed face of the family with exactly this weight class and slant.
QString Face(const QString& szFamily, bool bBold, bool bItalic)
{
    for (const QString& szStyle : QFontDatabase::styles(szFamily)) {
        if (QFontDatabase::bold(szFamily, szStyle) == bBold &&
            QFontDatabase::italic(szFamily, szStyle) == bItalic)
            return szStyle;
    }
    return {};
}

} // namespace

class TestSkiffDialogs : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

    QString Path(const QString& szName) const { return folder.filePath(szName); }
    void Touch(const QString& szName) const
    {
        QFile file(Path(szName));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        skiff::DlgTerminateA();
        QCOMPARE(skiff::DlgIniA(), 1);
        skiff::SetInitDirA(QFile::encodeName(folder.path()).constData());
    }

    void cleanupTestCase() { skiff::DlgTerminateA(); }

    void withoutStateEveryCallReturnsItsFallback()
    {
        skiff::DlgTerminateA();
        char buffer[16] = "untouched";
        QCOMPARE(skiff::SetInitDirA("/tmp"), 0);
        QCOMPARE(skiff::SetFileNameA("a.csv"), 0);
        QCOMPARE(skiff::GetFileNameA(buffer), 0);
        QCOMPARE(skiff::GetFilterIndexA(), -1);
        QCOMPARE(skiff::GetCharSetA(), -1);
        QCOMPARE(skiff::GetCRLFA(), -1);
        QCOMPARE(skiff::GetEscA(), -1);
        QCOMPARE(skiff::SetFontNameA("x"), 0);
        QCOMPARE(skiff::GetFontNameA(buffer), 0);
        QCOMPARE(skiff::GetFontSizeA(), -1);
        QCOMPARE(skiff::GetBoldA(), 0);
        QCOMPARE(skiff::GetItalicA(), 0);
        QCOMPARE(QByteArray(buffer), QByteArray("untouched"));
        // No dialog may appear: each returns at once.
        QCOMPARE(skiff::ShowOpenA(nullptr, 1, 1), 0);
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 1), 0);
        QCOMPARE(skiff::ShowFontA(nullptr), 0);
        skiff::SetTitleA("x");
        skiff::SetFilterA("a|*.a||", 1);
        skiff::SetDefExtA("a");
        skiff::SetEscA(1);
        skiff::SetFontSizeA(3);
        skiff::SetBoldA(1);
        skiff::SetItalicA(1);
        QCOMPARE(skiff::GetFontSizeA(), -1);
    }

    void secondIniKeepsTheFirstState()
    {
        QCOMPARE(skiff::SetFileNameA("keep.csv"), 9);
        QCOMPARE(skiff::DlgIniA(), 0);
        QCOMPARE(StoredFileName(), u"keep.csv"_s);
    }

    void freshStateShowsTheDefaults()
    {
        QCOMPARE(skiff::GetFilterIndexA(), 0);
        QCOMPARE(skiff::GetEscA(), 0);
        QCOMPARE(StoredFileName(), QString());
        Seen seen;
        modal::When<QFileDialog>([&](QFileDialog* dialog) { seen = Look(dialog); });
        QCOMPARE(skiff::ShowOpenA(nullptr, 0, 0), 0);
        QVERIFY(seen.bShown);
        QCOMPARE(seen.szTitle, u"ファイルを開く"_s);
        // "*.*" would hide files without a dot in Qt's matching.
        QCOMPARE(seen.filters, QStringList{u"全てのファイル(*)"_s});
        QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);
        QVERIFY(!seen.bHasList);
    }

    void saveItemsGiveCharacterSetAndLineEnd_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("charSet");
        QTest::addColumn<int>("lineEnd");
        QTest::newRow("default") << 0 << 0 << 0;
        QTest::newRow("Shift-JIS CRLF") << 1 << 1 << 1;
        QTest::newRow("EUC CR") << 8 << 3 << 2;
        QTest::newRow("Unicode LF") << 12 << 4 << 3;
    }
    void saveItemsGiveCharacterSetAndLineEnd()
    {
        QFETCH(int, item);
        QFETCH(int, charSet);
        QFETCH(int, lineEnd);
        Seen seen;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            seen = Look(dialog);
            modal::Choose(dialog, u"out.txt"_s, item);
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 0), 1);
        QCOMPARE(seen.items.size(), 13);
        QCOMPARE(seen.items.at(0), u"デフォルト(フォーマット情報を使用)"_s);
        QCOMPARE(seen.items.at(8), u"EUC(改行:CR)"_s);
        QCOMPARE(seen.items.at(1), u"Shif-JIS(改行:CRLF)"_s);
        QCOMPARE(skiff::GetCharSetA(), charSet);
        QCOMPARE(skiff::GetCRLFA(), lineEnd);
        QCOMPARE(StoredFileName(), Path(u"out.txt"_s));
    }

    void openItemIsTheCharacterSet()
    {
        Touch(u"in.csv"_s);
        Seen seen;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            seen = Look(dialog);
            modal::Choose(dialog, u"in.csv"_s, 4);
        });
        QCOMPARE(skiff::ShowOpenA(nullptr, 1, 0), 1);
        QCOMPARE(seen.items, (QStringList{u"デフォルト(フォーマット情報を使用)"_s, u"Shif-JIS"_s,
                                          u"JIS"_s, u"EUC"_s, u"Unicode"_s}));
        QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);
        QCOMPARE(skiff::GetCharSetA(), 4);
        QCOMPARE(skiff::GetCRLFA(), 0);
        QCOMPARE(StoredFileName(), Path(u"in.csv"_s));
    }

    void escapeCheckBoxOnlyWhenAsked()
    {
        Touch(u"in.csv"_s);
        skiff::SetEscA(1);
        Seen seen;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            seen = Look(dialog);
            modal::Choose(dialog, u"in.csv"_s, 0);
        });
        QCOMPARE(skiff::ShowOpenA(nullptr, 1, 1), 1);
        QCOMPARE(seen.szEscText, u"ダブルクォートを脱エスケープして読み込む"_s);
        QVERIFY(seen.bEscChecked);
        QCOMPARE(skiff::GetEscA(), 1);

        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            seen = Look(dialog);
            if (QCheckBox* box = modal::EscBox(dialog))
                box->setChecked(false);
            modal::Choose(dialog, u"out.csv"_s, 0);
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 1), 1);
        QCOMPARE(seen.szEscText, u"ダブルクォートをエスケープして書き込む"_s);
        QCOMPARE(skiff::GetEscA(), 0);

        // Without the box the flag set before reads back as 0.
        skiff::SetEscA(1);
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            seen = Look(dialog);
            modal::Choose(dialog, u"out.csv"_s, 0);
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 0), 1);
        QVERIFY(seen.bHasList);
        QVERIFY(!seen.bHasEsc);
        QCOMPARE(skiff::GetEscA(), 0);
    }

    void cancelKeepsTheStateButNotTheSharedChoice()
    {
        skiff::SetFileNameA("preset.csv");
        modal::When<QFileDialog>(
            [&](QFileDialog* dialog) { modal::Choose(dialog, u"first.csv"_s, 8); });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 0), 1);
        const int nIndex = skiff::GetFilterIndexA();

        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            if (QComboBox* list = modal::CharSetList(dialog))
                list->setCurrentIndex(12);
            modal::TypeFileName(dialog, u"second.csv"_s);
            dialog->reject();
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 0), 0);
        QCOMPARE(skiff::GetCharSetA(), 3);
        QCOMPARE(skiff::GetCRLFA(), 2);
        QCOMPARE(skiff::GetFilterIndexA(), nIndex);
        QCOMPARE(StoredFileName(), Path(u"first.csv"_s));

        // A later confirmed dialog without the list takes the cancelled dialog's choice.
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::TypeFileName(dialog, u"third.csv"_s);
            modal::Accept(dialog);
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 0, 0), 1);
        QCOMPARE(skiff::GetCharSetA(), 4);
        QCOMPARE(skiff::GetCRLFA(), 3);
    }

    void filterBecomesNameFiltersAndIndex()
    {
        skiff::SetFilterA(Sjis(u"全てのファイル(*.*)|*.*||"_s).constData(), 1);
        Seen seen;
        modal::When<QFileDialog>([&](QFileDialog* dialog) { seen = Look(dialog); });
        QCOMPARE(skiff::ShowSaveA(nullptr, 0, 0), 0);
        QCOMPARE(seen.filters, QStringList{u"全てのファイル(*)"_s});
        QCOMPARE(seen.szSelectedFilter, u"全てのファイル(*)"_s);

        // ポ is 0x83 0x7C in Shift-JIS: its trail byte is no separator.
        skiff::SetFilterA(
            Sjis(u"CSV(*.csv)|*.csv|テキスト|*.txt;*.log|レポート(*.rep)|*.rep||"_s).constData(),
            3);
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            seen = Look(dialog);
            dialog->selectNameFilter(seen.filters.value(1));
            modal::TypeFileName(dialog, u"x.txt"_s);
            modal::Accept(dialog);
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 0, 0), 1);
        QCOMPARE(seen.filters,
                 (QStringList{u"CSV(*.csv)"_s, u"テキスト (*.txt *.log)"_s, u"レポート(*.rep)"_s}));
        QCOMPARE(seen.szSelectedFilter, u"レポート(*.rep)"_s);
        QCOMPARE(skiff::GetFilterIndexA(), 2);

        for (int nIndex : {0, 4}) {
            skiff::SetFilterA("A|*.a|B|*.b||", nIndex);
            modal::When<QFileDialog>([&](QFileDialog* dialog) { seen = Look(dialog); });
            skiff::ShowOpenA(nullptr, 0, 0);
            QCOMPARE(seen.szSelectedFilter, u"A (*.a)"_s);
        }
    }

    void defaultExtensionOnlyWhenNoneGiven()
    {
        skiff::SetDefExtA("csv");
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::TypeFileName(dialog, u"plain"_s);
            modal::Accept(dialog);
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 0), 1);
        QCOMPARE(StoredFileName(), Path(u"plain.csv"_s));

        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::TypeFileName(dialog, u"named.txt"_s);
            modal::Accept(dialog);
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 0), 1);
        QCOMPARE(StoredFileName(), Path(u"named.txt"_s));
    }

    void replacingAFileAsksFirst()
    {
        Touch(u"exists.csv"_s);
        QString szQuestion;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        bool bStillOpen = false;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::When<QMessageBox>([&](QMessageBox* box) {
                szQuestion = box->text();
                defaultButton = box->standardButton(box->defaultButton());
                box->button(QMessageBox::No)->click();
            });
            modal::TypeFileName(dialog, u"exists.csv"_s);
            modal::Accept(dialog);
            bStillOpen = dialog->isVisible();
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 0), 0);
        QCOMPARE(szQuestion, u"exists.csv は既に存在します。\n置き換えますか?"_s);
        QCOMPARE(defaultButton, QMessageBox::No);
        QVERIFY(bStillOpen);

        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::When<QMessageBox>(
                [&](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
            modal::TypeFileName(dialog, u"exists.csv"_s);
            modal::Accept(dialog);
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 1, 0), 1);
        QCOMPARE(StoredFileName(), Path(u"exists.csv"_s));
    }

    void namesOutsideShiftJisComeBackAsThemselves()
    {
        for (const QString& szName :
             {u"表\u00E4.csv"_s, u"表①.csv"_s, u"波〜.csv"_s, u"波～.csv"_s, u"\U0001F600.csv"_s}) {
            modal::When<QFileDialog>([&](QFileDialog* dialog) {
                modal::TypeFileName(dialog, szName);
                modal::Accept(dialog);
            });
            QCOMPARE(skiff::ShowSaveA(nullptr, 0, 0), 1);
            QCOMPARE(StoredFileName(), Path(szName));
        }
    }

    void pathsLongerThanTheFieldAreRefused()
    {
        // Four folders of 200 bytes fit the state's 1,023 bytes; a name of 204 more does not.
        QString szDeep = folder.path();
        for (int i = 0; i < 4; ++i)
            szDeep += u'/' + QString(200, QChar(u'a' + i));
        QVERIFY(QDir().mkpath(szDeep));
        skiff::SetInitDirA(QFile::encodeName(szDeep).constData());
        const QString szName = QString(200, u'x') + u".csv"_s;
        QString szWarning;
        modal::When<QFileDialog>([&](QFileDialog* dialog) {
            modal::When<QMessageBox>([&](QMessageBox* box) {
                szWarning = box->text();
                box->accept();
            });
            modal::TypeFileName(dialog, szName);
            modal::Accept(dialog);
            dialog->reject();
        });
        QCOMPARE(skiff::ShowSaveA(nullptr, 0, 0), 0);
        QCOMPARE(szWarning, szName + u" は使用できません。\nパスが 1023 バイトを超えています。"_s);
    }

    void longTextsAreCutAtACharacterBoundary()
    {
        // "ab" and 600 three-byte characters of a file name: 1022 bytes fit before the NUL.
        const QByteArray longName = "ab" + QFile::encodeName(QString(600, u'あ'));
        QCOMPARE(skiff::SetFileNameA(longName.constData()), 1023);
        QByteArray buffer(1100, 'U');
        QCOMPARE(skiff::GetFileNameA(buffer.data()), 1023);
        QCOMPARE(buffer.left(1022), longName.left(1022));
        QCOMPARE(buffer.at(1022), '\0');
        QCOMPARE(buffer.mid(1023), QByteArray(77, 'U'));

        const QByteArray longFont = Sjis(QString(200, u'あ'));
        QCOMPARE(skiff::SetFontNameA(longFont.constData()), 255);
        QByteArray fontBuffer(300, 'U');
        QCOMPARE(skiff::GetFontNameA(fontBuffer.data()), 255);
        QCOMPARE(fontBuffer.mid(255), QByteArray(45, 'U'));

        skiff::SetTitleA(Sjis(QString(300, u'題')).constData());
        skiff::SetDefExtA("abcdefghij");
        skiff::SetFilterA(QByteArray("AB|*.a|").repeated(300).constData(), 1);
        Seen seen;
        modal::When<QFileDialog>([&](QFileDialog* dialog) { seen = Look(dialog); });
        QCOMPARE(skiff::ShowSaveA(nullptr, 0, 0), 0);
        QCOMPARE(seen.szTitle, QString(127, u'題'));
        QCOMPARE(seen.szSuffix, u"abcdefg"_s);
        // 1023 bytes hold 146 whole entries and a description whose pattern was cut off.
        QCOMPARE(seen.filters.size(), 146);
        QCOMPARE(seen.filters.last(), u"AB (*.a)"_s);
    }

    void fontDialogOpensWithTheStateAndKeepsTheChoice()
    {
        const QString szFamily = BoldCapableFamily();
        const QString szItalic = Face(szFamily, false, true);
        if (szFamily.isEmpty() || szItalic.isEmpty())
            QSKIP("no font family with bold and italic faces is installed");
        skiff::SetFontNameA(Sjis(szFamily).constData());
        skiff::SetFontSizeA(12);
        skiff::SetBoldA(-1);
        skiff::SetItalicA(0);
        QCOMPARE(skiff::GetBoldA(), -1);
        QFont shown;
        modal::When<QFontDialog>([&](QFontDialog* dialog) {
            shown = dialog->currentFont();
            QFont chosen(szFamily, 14);
            chosen.setStyleName(szItalic);
            dialog->setCurrentFont(chosen);
            modal::Accept(dialog);
        });
        QCOMPARE(skiff::ShowFontA(nullptr), 1);
        QVERIFY(shown.bold());
        QVERIFY(!shown.italic());
        QCOMPARE(shown.pointSize(), 12);
        QCOMPARE(shown.family(), szFamily);
        QCOMPARE(skiff::GetFontSizeA(), 14);
        QCOMPARE(skiff::GetBoldA(), 0);
        QCOMPARE(skiff::GetItalicA(), 1);
        char name[256] = {};
        QCOMPARE(skiff::GetFontNameA(name), static_cast<int>(Sjis(szFamily).size()) + 1);
        QCOMPARE(QByteArray(name), Sjis(szFamily));

        // A regular face confirmed as it opened stays regular.
        skiff::SetItalicA(0);
        modal::When<QFontDialog>([&](QFontDialog* dialog) {
            shown = dialog->currentFont();
            modal::Accept(dialog);
        });
        QCOMPARE(skiff::ShowFontA(nullptr), 1);
        QVERIFY(!shown.italic());
        QVERIFY(!shown.bold());
        QCOMPARE(skiff::GetItalicA(), 0);
        QCOMPARE(skiff::GetBoldA(), 0);

        modal::When<QFontDialog>([&](QFontDialog* dialog) {
            dialog->setCurrentFont(QFont(szFamily, 20));
            dialog->reject();
        });
        QCOMPARE(skiff::ShowFontA(nullptr), 0);
        QCOMPARE(skiff::GetFontSizeA(), 14);
    }
};

QUILLET_QTEST_MAIN(TestSkiffDialogs)
#include "tst_SkiffDialogs.moc"
