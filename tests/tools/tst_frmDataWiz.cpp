// The data wizard's window: page flow, method boxes, page checks, generation through the
// count window, and template files saved and loaded from it.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsDocument.h"
#include "clsFakeHost.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsOptions.h"
#include "frmCsv.h"
#include "frmDataWiz.h"
#include "frmInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"Data Wizard"_s;

// Answers the count window with szCount once it appears.
void AnswerCount(const QString& szCount)
{
    modal::When<frmInput>([szCount](frmInput* input) {
        input->Text1->setText(szCount);
        input->Command1->click();
    });
}

} // namespace

class tst_frmDataWiz : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void theFirstPageNamesTheMemberAndItsFacts();
    void aMethodEnablesExactlyItsBoxes();
    void backOnTheFirstPageClosesWithoutChange();
    void pagesMoveForwardAndBack();
    void lettersInAFixedNumberKeepThePage();
    void anEmptyFixedNumberIsStoredAsZero();
    void aTooLongFixedTextKeepsThePage();
    void theLastPageGeneratesTheCountAsked();
    void aCancelledCountGeneratesNothing();
    void theCursorColumnModeFillsOnlyThatColumn();
    void aSavedTemplateRestoresEveryPage();
    void aTemplateOfAChangedFormatClosesTheWizard();

private:
    std::unique_ptr<frmCsv> NewDocument();
    // Chooses szMethod on the current page and types the boxes.
    static void Set(frmDataWiz& wizard, int lnMethod, const QString& szFixed = {},
                    const QString& szStart = {});

    clsFakeHost host;
    QTemporaryDir dir;
};

void tst_frmDataWiz::init()
{
    host = clsFakeHost();
    clsOptions::Reset();
    gFormats().Clear();
    clsFormat* format = gFormats().Add();
    format->StructName = u"goods"_s;
    format->FormatName = u"商品"_s;
    const struct
    {
        const char16_t* name;
        int type;
        int len;
    } members[] = {{u"code", 5, 5}, {u"qty", 1, 6}, {u"memo", 5, 8}};
    for (const auto& m : members) {
        clsMember* member = format->AddMember();
        member->MemName = QString::fromUtf16(m.name);
        member->Comment = member->MemName + u"欄"_s;
        member->MemType = m.type;
        member->MemLen = m.len;
        member->MemLenB = m.len;
    }
}

std::unique_ptr<frmCsv> tst_frmDataWiz::NewDocument()
{
    host.newFile.clear();
    host.newMode = 1;
    auto csv = std::make_unique<frmCsv>(host);
    csv->LoadData(1, 1);
    return csv;
}

void tst_frmDataWiz::Set(frmDataWiz& wizard, int lnMethod, const QString& szFixed,
                         const QString& szStart)
{
    wizard.Option1[static_cast<size_t>(lnMethod)]->click();
    wizard.Text1[1]->setText(szFixed);
    wizard.Text1[3]->setText(szStart);
}

void tst_frmDataWiz::theFirstPageNamesTheMemberAndItsFacts()
{
    auto csv = NewDocument();
    const frmDataWiz wizard(*csv, 2, true);
    QCOMPARE(wizard.windowTitle(), kTitle);
    QCOMPARE(wizard.Label1->text(), u"No.1  code欄 の設定を選択してください。"_s);
    QCOMPARE(wizard.Label2->text(), u"5"_s);
    QCOMPARE(wizard.Label7->text(), u"商品"_s);
    QVERIFY(wizard.Option1[1]->isChecked());
    QCOMPARE(wizard.Command1->text(), u"次へ"_s);
    QCOMPARE(wizard.Command2->text(), u"キャンセル"_s);
    QVERIFY(wizard.Command3->isEnabled());
    QVERIFY(!wizard.Command4->isEnabled());
    QCOMPARE(wizard.Text1[2]->toolTip(), u"固定値をカンマ区切りで入力します"_s);
}

void tst_frmDataWiz::aMethodEnablesExactlyItsBoxes()
{
    auto csv = NewDocument();
    frmDataWiz wizard(*csv, 2, false);
    const auto enabled = [&] {
        QString boxes;
        for (int i = 1; i <= 3; ++i)
            boxes += wizard.Text1[static_cast<size_t>(i)]->isEnabled() ? u'1' : u'0';
        return boxes;
    };
    QCOMPARE(enabled(), u"000"_s);
    const QString expected[] = {u"000"_s, u"100"_s, u"010"_s, u"001"_s,
                                u"100"_s, u"110"_s, u"101"_s};
    for (int method = 1; method <= 7; ++method) {
        wizard.Option1[static_cast<size_t>(method)]->click();
        QCOMPARE(enabled(), expected[method - 1]);
    }
}

void tst_frmDataWiz::backOnTheFirstPageClosesWithoutChange()
{
    auto csv = NewDocument();
    const int rows = csv->Document().RowCount();
    frmDataWiz wizard(*csv, 2, false);
    wizard.show();
    wizard.Command2->click();
    QVERIFY(!wizard.isVisible());
    QCOMPARE(wizard.result(), int(QDialog::Rejected));
    QCOMPARE(csv->Document().RowCount(), rows);
    QVERIFY(!csv->Document().bDirty());
    QVERIFY(csv->Document().bEmpty());
}

void tst_frmDataWiz::pagesMoveForwardAndBack()
{
    auto csv = NewDocument();
    frmDataWiz wizard(*csv, 2, false);
    Set(wizard, 4, {}, u"7"_s);
    wizard.Command1->click();
    QCOMPARE(wizard.Page(), 2);
    QCOMPARE(wizard.Label1->text(), u"No.2  qty の設定を選択してください。"_s);
    QCOMPARE(wizard.Label2->text(), u"5"_s);
    QCOMPARE(wizard.Command2->text(), u"戻る"_s);
    wizard.Command1->click();
    QCOMPARE(wizard.Page(), 3);
    QVERIFY(wizard.Command4->isEnabled());
    wizard.Command2->click();
    wizard.Command2->click();
    QCOMPARE(wizard.Page(), 1);
    QVERIFY(wizard.Option1[4]->isChecked());
    QCOMPARE(wizard.Text1[3]->text(), u"7"_s);
}

void tst_frmDataWiz::lettersInAFixedNumberKeepThePage()
{
    clsScriptedMsgBox boxes;
    auto csv = NewDocument();
    frmDataWiz wizard(*csv, 2, false);
    wizard.Command1->click();
    Set(wizard, 2, u"12a"_s);
    wizard.Command1->click();
    const clsScriptedMsgBox::Box box = boxes.TakeOne();
    QCOMPARE(box.kind, u"Exclamation"_s);
    QCOMPARE(box.title, kTitle);
    QCOMPARE(box.text, u"数値以外は入力出来ません。"_s);
    QCOMPARE(wizard.Page(), 2);
}

void tst_frmDataWiz::anEmptyFixedNumberIsStoredAsZero()
{
    auto csv = NewDocument();
    frmDataWiz wizard(*csv, 2, false);
    wizard.Command1->click();
    Set(wizard, 2, u" "_s);
    wizard.Command1->click();
    QCOMPARE(wizard.Page(), 3);
    QCOMPARE(wizard.Items()[1].fixed, u"0"_s);
    QCOMPARE(wizard.Items()[1].method, 2);
}

void tst_frmDataWiz::aTooLongFixedTextKeepsThePage()
{
    clsScriptedMsgBox boxes;
    auto csv = NewDocument();
    frmDataWiz wizard(*csv, 2, false);
    Set(wizard, 2, u"ABCDEF"_s);
    wizard.Command1->click();
    QCOMPARE(boxes.TakeOne().text, u"codeの有効桁数は 5 桁です。"_s);
    QCOMPARE(wizard.Page(), 1);
}

void tst_frmDataWiz::theLastPageGeneratesTheCountAsked()
{
    auto csv = NewDocument();
    frmDataWiz wizard(*csv, 2, false);
    Set(wizard, 4, {}, u"7"_s);
    wizard.Command1->click();
    Set(wizard, 2, u"42"_s);
    wizard.Command1->click();
    Set(wizard, 7, u"AB"_s, u"1"_s);
    AnswerCount(u"3"_s);
    wizard.Command1->click();
    QCOMPARE(wizard.result(), int(QDialog::Accepted));
    const clsDocument& document = csv->Document();
    QCOMPARE(document.RowCount(), 3);
    QCOMPARE(csv->nCntData(), 3);
    QVERIFY(document.bDirty());
    QVERIFY(!document.bEmpty());
    QCOMPARE(document.Text(1, 1), u"00007"_s);
    QCOMPARE(document.Text(3, 1), u"00009"_s);
    QCOMPARE(document.Text(2, 2), u"42"_s);
    QCOMPARE(document.Text(2, 3), u"AB000002"_s);
    QCOMPARE(csv->Document().UndoStack().count(), 1);
}

void tst_frmDataWiz::aCancelledCountGeneratesNothing()
{
    auto csv = NewDocument();
    csv->Grid().setCurrentIndex(csv->GridModel().index(0, 0));
    frmDataWiz wizard(*csv, 1, false);
    modal::When<frmInput>([](frmInput* input) { input->Command2->click(); });
    wizard.Command1->click();
    QVERIFY(!csv->Document().bDirty());
    QCOMPARE(wizard.result(), int(QDialog::Rejected));
}

void tst_frmDataWiz::theCursorColumnModeFillsOnlyThatColumn()
{
    auto csv = NewDocument();
    csv->Document().SetCellText(1, 3, u"memo"_s);
    csv->Document().SetCellText(1, 2, u"9"_s);

    csv->Grid().setCurrentIndex(csv->GridModel().index(0, 1));
    frmDataWiz wizard(*csv, 1, false);
    QVERIFY(!wizard.Command3->isEnabled());
    QVERIFY(!wizard.Command4->isEnabled());
    // The whole width of the member, without a place for the sign.
    QCOMPARE(wizard.Label2->text(), u"6"_s);
    Set(wizard, 4, {}, u"5"_s);
    AnswerCount(u"2"_s);
    wizard.Command1->click();
    QCOMPARE(csv->Document().RowCount(), 2);
    QCOMPARE(csv->Document().Text(1, 2), u"000005"_s);
    QCOMPARE(csv->Document().Text(2, 2), u"000006"_s);
    QCOMPARE(csv->Document().Text(1, 3), u"memo"_s);
}

void tst_frmDataWiz::aSavedTemplateRestoresEveryPage()
{
    const QString path = dir.filePath(u"goods.dwt"_s);
    auto csv = NewDocument();
    std::vector<clsDataWizItem> saved;
    {
        frmDataWiz wizard(*csv, 2, false);
        wizard.ChooseFile = [path](bool bSave, QString& szPath) {
            szPath = path;
            return bSave;
        };
        Set(wizard, 4, {}, u"7"_s);
        wizard.Command1->click();
        Set(wizard, 2, u"15"_s);
        wizard.Command1->click();
        wizard.Option1[6]->click();
        wizard.Text1[1]->setText(u"X"_s);
        wizard.Text1[2]->setText(u"a,b"_s);
        wizard.Command4->click();
        saved = wizard.Items();
    }
    QVERIFY(QFile::exists(path));
    frmDataWiz wizard(*csv, 2, false);
    wizard.ChooseFile = [path](bool, QString& szPath) {
        szPath = path;
        return true;
    };
    wizard.Command3->click();
    QCOMPARE(wizard.Page(), 3);
    QVERIFY(wizard.Items() == saved);
    QVERIFY(wizard.Option1[6]->isChecked());
    QCOMPARE(wizard.Text1[2]->text(), u"a,b"_s);
    wizard.Command2->click();
    QVERIFY(wizard.Option1[2]->isChecked());
    QCOMPARE(wizard.Text1[1]->text(), u"15"_s);
}

void tst_frmDataWiz::aTemplateOfAChangedFormatClosesTheWizard()
{
    const QString path = dir.filePath(u"old.dwt"_s);
    auto csv = NewDocument();
    frmDataWiz first(*csv, 2, false);
    first.ChooseFile = [path](bool, QString& szPath) {
        szPath = path;
        return true;
    };
    first.Command1->click();
    first.Command1->click();
    first.Command4->click();
    gFormats().Format(1)->AddMember();

    clsScriptedMsgBox boxes;
    frmDataWiz wizard(*csv, 2, false);
    wizard.ChooseFile = first.ChooseFile;
    wizard.show();
    wizard.Command3->click();
    const clsScriptedMsgBox::Box box = boxes.TakeOne();
    QCOMPARE(box.title, kTitle);
    QCOMPARE(box.text, u"フォーマットのメンバ数が変更されています。ファイルを開けません。"_s);
    QVERIFY(!wizard.isVisible());
    QCOMPARE(wizard.result(), int(QDialog::Rejected));
}

QUILLET_QTEST_MAIN(tst_frmDataWiz)
#include "tst_frmDataWiz.moc"
