// The format manager's source commands, the header command and the first-run visit from the
// main window's start-up.
#include "../ui/ModalDriver.h"
#include "QuilletTestMain.h"
#include "clsDialog.h"
#include "clsFileSettingsStore.h"
#include "clsFormats.h"
#include "clsTestDataFile.h"
#include "frmFormatHDEdit.h"
#include "frmFormatMan.h"
#include "frmFormatSelect.h"
#include "frmMain.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::Literals::StringLiterals;

class TestFrmFormatManCommands : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<clsFileSettingsStore> store;
    std::unique_ptr<frmFormatMan> window;

    QString Write(const QString& szName, const QByteArray& bytes)
    {
        return WriteTestFile(dir, szName, bytes);
    }

    // Picks szPath in the next open dialog; its name must match the dialog's first filter.
    static void PickFile(const QString& szPath)
    {
        modal::When<QFileDialog>([szPath](QFileDialog* dialog) {
            modal::TypeFileName(dialog, szPath);
            modal::Accept(dialog);
        });
    }

private slots:
    void init()
    {
        QFile::remove(dir.filePath(u"settings.txt"_s));
        store = std::make_unique<clsFileSettingsStore>(dir.filePath(u"settings.txt"_s));
        gFormats().Clear();
        window = std::make_unique<frmFormatMan>(*store);
        gDialog().SetInitDir(dir.path());
    }

    void cleanup() { window.reset(); }

    void aChosenStructureIsEditedWithItsHeader()
    {
        const QString path = Write(u"rec.h"_s, "#define LEN 8\n"
                                               "struct tagA { short s; };\n"
                                               "typedef struct tagREC {\n"
                                               "  long id; // key\n"
                                               "  char code[LEN];\n"
                                               "} REC;\n");
        PickFile(path);
        QString message;
        QStringList listed;
        modal::When<frmFormatSelect>([&](frmFormatSelect* chooser) {
            message = chooser->lblMessage->text();
            for (int i = 0; i < chooser->lstFormat->count(); ++i)
                listed << chooser->lstFormat->item(i)->text();
            chooser->lstFormat->setCurrentRow(1);
            chooser->cmdOK->click();
        });
        QString caption;
        modal::When<frmFormatHDEdit>([&](frmFormatHDEdit* editor) {
            caption = editor->windowTitle();
            editor->txtName->setText(u"レコード"_s);
            editor->cmdOK->click();
        });
        window->mnNewCFile_Click();
        QCOMPARE(message, u"rec.hから以下の構造体が検出されました。\r\n"
                          u"編集する構造体を選択してください。"_s);
        QCOMPARE(listed, QStringList({u"tagA"_s, u"REC"_s}));
        QCOMPARE(caption, u"[ REC ]のプロパティ"_s);
        QCOMPARE(window->RowCount(), 2);
        QCOMPARE(window->CellText(1, 1), u"id"_s);
        QCOMPARE(window->CellText(1, 2), u"32bit整数"_s);
        QCOMPARE(window->CellText(2, 1), u"code"_s);
        QCOMPARE(window->CellText(2, 3), u"8"_s);
        QCOMPARE(window->EditFormat().FormatName, u"レコード"_s);
        QVERIFY(window->Changed());
    }

    void aSourceWithoutStructuresSaysSo()
    {
        const QString path = Write(u"none.h"_s, "int main(void) { return 0; }\r\n");
        PickFile(path);
        clsScriptedMsgBox msg;
        window->mnNewCFile_Click();
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        QCOMPARE(box.kind + u'|' + box.title + u'|' + box.text,
                 u"Information|"_s + path +
                     u"|ファイルからＣ／Ｃ＋＋構造体は検出されませんでした。"_s);
        QCOMPARE(window->RowCount(), 0);
    }

    void aVBTypeIsOfferedToo()
    {
        const QString path = Write(u"mod.bas"_s, "Public Type Item\r\n"
                                                 "    Name As String * 12 ' 名前\r\n"
                                                 "    Qty As Long\r\n"
                                                 "End Type\r\n");
        PickFile(path);
        QString message;
        modal::When<frmFormatSelect>([&](frmFormatSelect* chooser) {
            message = chooser->lblMessage->text();
            chooser->cmdCancel->click();
        });
        window->mnNewVBFile_Click();
        QCOMPARE(message, u"mod.basから以下のユーザ定義型が検出されました。\r\n"
                          u"編集するユーザ定義型を選択してください。"_s);
        // Nothing chosen: the grid shows the format under edit as it was.
        QCOMPARE(window->RowCount(), 0);
        QVERIFY(!window->Changed());
    }

    void theHeaderCommandMarksTheEditAndTheStatus()
    {
        auto format = std::make_unique<clsFormat>();
        format->StructName = u"Rec"_s;
        format->FormatName = u"レコード"_s;
        format->AddMember()->MemName = u"a"_s;
        window->SetEditFormat(std::move(format));
        window->ShowFormat();
        modal::When<frmFormatHDEdit>([](frmFormatHDEdit* editor) {
            editor->optType[1]->click();
            editor->cmbQuote->setCurrentIndex(1);
            editor->cmdOK->click();
        });
        window->mnEditHeader->trigger();
        const clsFormat& edited = window->EditFormat();
        QCOMPARE(edited.FileType, 2);
        QCOMPARE(edited.SepChr, u"\t"_s);
        QVERIFY(window->Changed());
        QCOMPARE(window->StatusPanel(u"StName"_s)->text(),
                 u"レコード[Rec] "_s + edited.FileTypeAsString());
    }

    void theFirstRunRegistersThroughTheManager()
    {
        frmMain main(*store);
        clsScriptedMsgBox msg;
        modal::When<frmFormatMan>([](frmFormatMan* manager) {
            auto format = std::make_unique<clsFormat>();
            format->StructName = u"First"_s;
            format->FormatName = u"最初"_s;
            clsMember* member = format->AddMember();
            member->MemName = u"code"_s;
            member->MemLen = 8;
            manager->SetEditFormat(std::move(format));
            manager->ShowFormat();
            manager->mnRegist_Click();
            manager->close();
        });
        msg.QueueAnswer(clsMessenger::Yes);
        QVERIFY(main.Startup());
        QCOMPARE(msg.TakeShown().size(), size_t(3));
        QCOMPARE(gFormats().Count(), 1);
        QCOMPARE(gFormats().Format(1)->StructName, u"First"_s);
        QVERIFY(main.mnFormatWiz->isEnabled());
    }
};

QUILLET_QTEST_MAIN(TestFrmFormatManCommands)
#include "tst_frmFormatManCommands.moc"
