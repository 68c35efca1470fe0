// The header editor: visibility per file type, the character-set items both ways, the
// delimiter, the caption, and the checks of OK in their order.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "frmFormatHDEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The ten values ShowEdit takes.
struct Header
{
    QString szStName = u"REC"_s;
    int lnType = 1;
    int lnCharSet = 1;
    QString szCRLF = u"\r\n"_s;
    QString szSepChr = u","_s;
    QString szName = u"レコード"_s;
    int lnSkipBytes = 0;
    int bEscInput = 0;
    int bEscOutput = 1;
    int bCareQuote = 1;

    bool Show(std::function<void(frmFormatHDEdit*)> action)
    {
        modal::When<frmFormatHDEdit>(std::move(action));
        frmFormatHDEdit editor;
        return editor.ShowEdit(szStName, lnType, lnCharSet, szCRLF, szSepChr, szName, lnSkipBytes,
                               bEscInput, bEscOutput, bCareQuote);
    }
};

// Which of delimiter frame, check boxes, skip frame and character set are shown.
QString Shown(const frmFormatHDEdit* editor)
{
    QString shown;
    shown += editor->fraQuote->isVisible() ? u'Q' : u'-';
    shown += editor->chkEscInput->isVisible() && editor->chkEscOutput->isVisible() &&
                     editor->chkCareQuote->isVisible()
                 ? u'E'
                 : u'-';
    shown += editor->fraSkip->isVisible() ? u'S' : u'-';
    shown += editor->fraCharSet->isVisible() ? u'C' : u'-';
    return shown;
}

} // namespace

class TestFrmFormatHDEdit : public QObject
{
    Q_OBJECT

private slots:
    void theItemsMapBothWays()
    {
        frmFormatHDEdit editor;
        QCOMPARE(editor.cmbCharSet->count(), 12);
        QCOMPARE(editor.cmbCharSet->itemText(0), u"Shift-JIS (改行：CRLF)"_s);
        QCOMPARE(editor.cmbCharSet->itemText(8), u"EUC (改行：LF)"_s);
        QCOMPARE(editor.cmbCharSet->itemText(11), u"Unicode UTF-8(改行：LF)"_s);
        const QStringList ends = {u"\r\n"_s, u"\r"_s, u"\n"_s};
        for (int item = 0; item < 12; ++item) {
            int charSet = 0;
            QString crlf;
            frmFormatHDEdit::ItemCharSet(item, charSet, crlf);
            QCOMPARE(charSet, item / 3 + 1);
            QCOMPARE(crlf, ends.at(item % 3));
            QCOMPARE(frmFormatHDEdit::CharSetItem(charSet, crlf), item);
        }
        // Any other line end counts as LF.
        QCOMPARE(frmFormatHDEdit::CharSetItem(2, u"\n\r"_s), 5);
    }

    void eucWithLfOpensSelectedAndJisCrComesBack()
    {
        Header header;
        header.lnCharSet = 3;
        header.szCRLF = u"\n"_s;
        QString selected;
        QVERIFY(header.Show([&](frmFormatHDEdit* editor) {
            selected = editor->cmbCharSet->currentText();
            editor->cmbCharSet->setCurrentIndex(4);
            editor->cmdOK->click();
        }));
        QCOMPARE(selected, u"EUC (改行：LF)"_s);
        QCOMPARE(header.lnCharSet, 2);
        QCOMPARE(header.szCRLF, u"\r"_s);
    }

    void eachFileTypeShowsItsControls()
    {
        QStringList seen;
        Header header;
        header.Show([&](frmFormatHDEdit* editor) {
            seen << Shown(editor);
            editor->optType[2]->click();
            seen << Shown(editor);
            editor->optType[1]->click();
            seen << Shown(editor);
        });
        QCOMPARE(seen, QStringList({u"QE-C"_s, u"--SC"_s, u"---C"_s}));
        // Codes other than 1 and 2 select binary.
        header.lnType = 7;
        bool binary = false;
        header.Show([&](frmFormatHDEdit* editor) { binary = editor->optType[2]->isChecked(); });
        QVERIFY(binary);
    }

    void anOtherDelimiterIsShownAndReturnedAsText()
    {
        Header header;
        header.szSepChr = u";"_s;
        QString shown;
        QVERIFY(header.Show([&](frmFormatHDEdit* editor) {
            shown = editor->cmbQuote->currentText();
            editor->cmdOK->click();
        }));
        QCOMPARE(shown, u";"_s);
        QCOMPARE(header.szSepChr, u";"_s);
        header.szSepChr = u"\t"_s;
        QVERIFY(header.Show([&](frmFormatHDEdit* editor) { editor->cmdOK->click(); }));
        QCOMPARE(header.szSepChr, u"タブ"_s);
    }

    void typingTheStructureNameRetitles()
    {
        Header header;
        header.szStName = u" Old "_s;
        QStringList captions;
        QString shownName;
        header.Show([&](frmFormatHDEdit* editor) {
            captions << editor->windowTitle();
            shownName = editor->txtStName->text();
            editor->txtStName->clear();
            QTest::keyClicks(editor->txtStName, u"REC"_s);
            captions << editor->windowTitle();
        });
        QCOMPARE(captions, QStringList({u"[  Old  ]のプロパティ"_s, u"[ REC ]のプロパティ"_s}));
        QCOMPARE(shownName, u"Old"_s);
    }

    void theChecksRunInOrder()
    {
        clsScriptedMsgBox msg;
        Header header;
        QStringList boxes;
        msg.onShow = [&](const clsScriptedMsgBox::Box& box) {
            boxes << box.kind + u'|' + box.title + u'|' + box.text;
        };
        QVERIFY(!header.Show([&](frmFormatHDEdit* editor) {
            editor->txtName->setText(u" "_s);
            editor->txtSkipBytes->setText(u"abc"_s);
            editor->txtStName->setText(u"Option"_s);
            editor->cmdOK->click();
            editor->txtName->setText(u"名前"_s);
            editor->cmdOK->click();
            editor->txtSkipBytes->setText(u"12"_s);
            editor->cmdOK->click();
        }));
        msg.TakeShown();
        QCOMPARE(boxes,
                 QStringList({u"Information|Format Manager|フォーマット名称を入力してください。"_s,
                              u"Exclamation|Format Manager|数値を入力してください。"_s,
                              u"Exclamation|Format Manager|構造体名に[Formats],[Option],"
                              u"[RecentFile]は使用できません（予約語）。"_s}));
        // Nothing was written back.
        QCOMPARE(header.szName, u"レコード"_s);
        QCOMPARE(header.szStName, u"REC"_s);
    }

    void okTakesEveryValue()
    {
        Header header;
        QVERIFY(header.Show([&](frmFormatHDEdit* editor) {
            editor->optType[2]->click();
            editor->txtName->setText(u" 在庫 "_s);
            editor->txtSkipBytes->setText(u" 128 "_s);
            editor->txtStName->setText(u"Stock "_s);
            editor->chkEscInput->setChecked(true);
            editor->chkEscOutput->setChecked(false);
            editor->chkCareQuote->setChecked(false);
            editor->cmbCharSet->setCurrentIndex(9);
            editor->cmdOK->click();
        }));
        QCOMPARE(header.lnType, 3);
        QCOMPARE(header.szName, u"在庫"_s);
        QCOMPARE(header.lnSkipBytes, 128);
        QCOMPARE(header.szStName, u"Stock"_s);
        QCOMPARE(QList<int>({header.bEscInput, header.bEscOutput, header.bCareQuote}),
                 QList<int>({1, 0, 0}));
        QCOMPARE(header.lnCharSet, 4);
        QCOMPARE(header.szCRLF, u"\r\n"_s);
    }

    void cancelWritesNothingBack()
    {
        Header header;
        QVERIFY(!header.Show([&](frmFormatHDEdit* editor) {
            editor->txtName->setText(u"別名"_s);
            editor->cmdCancel->click();
        }));
        QCOMPARE(header.szName, u"レコード"_s);
    }
};

QUILLET_QTEST_MAIN(TestFrmFormatHDEdit)
#include "tst_frmFormatHDEdit.moc"
