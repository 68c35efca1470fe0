// The document window's saving and closing: Save, Save As, the close question and its answers.
#include "QuilletTestMain.h"
#include "clsDocument.h"
#include "clsFakeHost.h"
#include "clsFileSizeLimit.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsOptions.h"
#include "clsTestDataFile.h"
#include "frmCsv.h"

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>

#include <cmath>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

clsMember* AddMember(clsFormat& format, int memType, int memLen)
{
    clsMember* member = format.AddMember();
    member->MemName = u"m"_s + QString::number(format.MemCount());
    member->MemType = memType;
    member->MemLen = memLen;
    member->MemLenB = memType == 5 ? memLen : gFormatInfo().GetTypeLenB(memType);
    member->ColWidth = 12;
    return member;
}

const QString kQuestion = u" は更新されています。内容を保存しますか？"_s;

} // namespace

class tst_frmCsvSave : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void saveWritesTheOwnFileAndClearsTheMarks();
    void saveOfAGoneFileSavesUnderTheHostsName();
    void saveAsTakesTheNewFileAndFormat();
    void failedSaveKeepsFileFormatAndChanges();
    void closeAnsweredCancelStaysOpen();
    void closeAnsweredNoClosesWithoutSaving();
    void closeAnsweredYesSavesOrStaysWhenTheSaveFails();
    void closeInsideTheMainWindowActivatesFirst();

private:
    QString Write(const QString& name, const QByteArray& bytes);
    static QByteArray Contents(const QString& path);
    // A window showing name (a two-row csv file), with its second row edited.
    std::unique_ptr<frmCsv> Edited(const QString& name);

    QTemporaryDir dir;
    clsFakeHost host;
};

void tst_frmCsvSave::init()
{
    host = clsFakeHost();
    clsOptions::Reset();
    gFormats().Clear();
    clsFormat* csv = gFormats().Add();
    csv->StructName = u"csv"_s;
    csv->FormatName = u"住所録"_s;
    csv->FileType = 1;
    AddMember(*csv, 2, 11);
    AddMember(*csv, 5, 20);
    clsFormat* bin = gFormats().Add();
    bin->StructName = u"bin"_s;
    bin->FormatName = u"バイナリ"_s;
    bin->FileType = 3;
    bin->BytesSkipHeader = 16;
    AddMember(*bin, 1, 6);
}

QString tst_frmCsvSave::Write(const QString& name, const QByteArray& bytes)
{
    return WriteTestFile(dir, name, bytes);
}

QByteArray tst_frmCsvSave::Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<frmCsv> tst_frmCsvSave::Edited(const QString& name)
{
    host.newFile = Write(name, "1,\"a\"\r\n2,\"b\"\r\n");
    auto frm = std::make_unique<frmCsv>(host);
    frm->LoadData(0, 0);
    frm->GridModel().setData(frm->GridModel().index(1, 1), u"変"_s);
    return frm;
}

void tst_frmCsvSave::saveWritesTheOwnFileAndClearsTheMarks()
{
    const std::unique_ptr<frmCsv> frm = Edited(u"own.csv"_s);
    const QString file = frm->szFile();
    QVERIFY(frm->GridModel().headerData(1, Qt::Vertical, Qt::FontRole).value<QFont>().bold());
    host.newFile = dir.filePath(u"elsewhere.csv"_s);
    QVERIFY(frm->SaveUpdate());
    QCOMPARE(Contents(file), QByteArray("1,\"a\"\r\n2,\"\x95\xCF\"\r\n"));
    QVERIFY(!QFileInfo::exists(host.newFile));
    QVERIFY(!frm->bDirty());
    QVERIFY(!frm->GridModel().headerData(1, Qt::Vertical, Qt::FontRole).isValid());
    QCOMPARE(host.panels.at(0), u"2 件のデータ"_s);
    QVERIFY(host.panels.at(2).startsWith(u"15 Bytes 最終更新:"_s));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void tst_frmCsvSave::saveOfAGoneFileSavesUnderTheHostsName()
{
    const std::unique_ptr<frmCsv> frm = Edited(u"gone.csv"_s);
    QVERIFY(QFile::remove(frm->szFile()));
    host.newFile = dir.filePath(u"instead.csv"_s);
    QVERIFY(frm->SaveUpdate());
    QCOMPARE(frm->szFile(), host.newFile);
    QCOMPARE(frm->szFileName(), u"instead.csv"_s);
    QCOMPARE(frm->windowTitle(), u"instead.csv"_s);
    QCOMPARE(host.caption, u"Quillet  "_s + host.newFile);
    QCOMPARE(Contents(host.newFile), QByteArray("1,\"a\"\r\n2,\"\x95\xCF\"\r\n"));
}

void tst_frmCsvSave::saveAsTakesTheNewFileAndFormat()
{
    const std::unique_ptr<frmCsv> frm = Edited(u"values.csv"_s);
    host.newMode = 2;
    host.newFile = dir.filePath(u"values.bin"_s);
    QVERIFY(frm->NamedAndSave(0, 0));
    // The first grid column is the binary format's one member, under a fresh 16-byte head.
    QCOMPARE(Contents(host.newFile), QByteArray(16, '\0') + QByteArray("\x01\x00\x02\x00", 4));
    QCOMPARE(frm->Mode(), 2);
    QCOMPARE(frm->szFileName(), u"values.bin"_s);
    QCOMPARE(host.panels.at(1), u"バイナリ"_s);
    QCOMPARE(host.panels.at(3), u"Shift-JIS+CRLF"_s);

    // Another character set and line end for the text format.
    host.newMode = 1;
    host.newFile = dir.filePath(u"values.txt"_s);
    QVERIFY(frm->NamedAndSave(4, 3));
    QCOMPARE(Contents(host.newFile), QByteArray("1,\"a\"\n2,\"\xE5\xA4\x89\"\n"));
    QCOMPARE(host.panels.at(3), u"UTF-8+LF"_s);
}

void tst_frmCsvSave::failedSaveKeepsFileFormatAndChanges()
{
    const std::unique_ptr<frmCsv> frm = Edited(u"kept.csv"_s);
    const QString file = frm->szFile();
    host.newMode = 2;
    host.newFile = dir.filePath(u"no/such/folder.bin"_s);
    clsScriptedMsgBox msg;
    QVERIFY(!frm->NamedAndSave(0, 0));
    QVERIFY(msg.TakeOne().text.startsWith(u"1行目でレコードの書込みに失敗しました。"_s));
    QCOMPARE(frm->szFile(), file);
    QCOMPARE(frm->Mode(), 1);
    QCOMPARE(frm->szFileName(), u"kept.csv"_s);
    QVERIFY(frm->bDirty());
    QCOMPARE(host.panels.at(0), u"2 件のデータ [更新]"_s);
    QCOMPARE(host.panels.at(1), u"住所録"_s);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    // A full disk halfway through the own file: the old contents stay.
    frm->Document().SetCellText(1, 2, QString(20000, u'x'));
    {
        const clsFileSizeLimit limit(8192);
        QVERIFY(!frm->SaveUpdate());
    }
    // The stream's buffer takes the whole file: the limit shows when it is flushed.
    QVERIFY(msg.TakeOne().text.contains(u"ファイルの大きさの上限を超えました。"_s));
    QCOMPARE(Contents(file), QByteArray("1,\"a\"\r\n2,\"b\"\r\n"));
    QVERIFY(frm->bDirty());
    QVERIFY(frm->GridModel().headerData(1, Qt::Vertical, Qt::FontRole).value<QFont>().bold());
}

void tst_frmCsvSave::closeAnsweredCancelStaysOpen()
{
    const std::unique_ptr<frmCsv> frm = Edited(u"cancel.csv"_s);
    frm->show();
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::Cancel);
    frm->WindowClose();
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    QCOMPARE(box.kind, u"QuestionEx"_s);
    QCOMPARE(box.text, u"cancel.csv"_s + kQuestion);
    QVERIFY(frm->isVisible());
    QVERIFY(frm->bDirty());
    QVERIFY(!frm->bUnload());
    QCOMPARE(host.saveRequests, 0);
    QCOMPARE(host.closedDocuments, 0);
}

void tst_frmCsvSave::closeAnsweredNoClosesWithoutSaving()
{
    const std::unique_ptr<frmCsv> frm = Edited(u"discard.csv"_s);
    const QString file = frm->szFile();
    frm->show();
    // The remembered width of member 2 follows the grid.
    frm->Grid().setColumnWidth(1, static_cast<int>(std::lround(frm->Grid().CharWidth() * 30)));
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::No);
    frm->WindowClose();
    QCOMPARE(msg.TakeOne().text, u"discard.csv"_s + kQuestion);
    QVERIFY(!frm->isVisible());
    QVERIFY(frm->bUnload());
    QCOMPARE(Contents(file), QByteArray("1,\"a\"\r\n2,\"b\"\r\n"));
    QCOMPARE(host.closedDocuments, 1);
    QCOMPARE(gFormats().Format(1)->Members(2)->ColWidth, 30);
    QCOMPARE(host.caption, u"Quillet  "_s);
    QCOMPARE(host.panels,
             QStringList({u"ファイルを開いてください。"_s, QString(), QString(), QString()}));

    // An unchanged window closes without a question, and only once.
    host.newFile.clear();
    frmCsv clean(host);
    clean.show();
    clean.WindowClose();
    clean.close();
    QCOMPARE(host.closedDocuments, 2);
}

void tst_frmCsvSave::closeAnsweredYesSavesOrStaysWhenTheSaveFails()
{
    const std::unique_ptr<frmCsv> frm = Edited(u"keep.csv"_s);
    const QString file = frm->szFile();
    frm->show();
    // The main window's save command, cancelled in its Save As dialog: nothing saved.
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::Yes);
    frm->WindowClose();
    msg.TakeOne();
    QCOMPARE(host.saveRequests, 1);
    QVERIFY(frm->isVisible());
    QCOMPARE(host.closedDocuments, 0);

    host.save = [&frm] { frm->SaveUpdate(); };
    msg.QueueAnswer(clsMessenger::Yes);
    frm->WindowClose();
    msg.TakeOne();
    QVERIFY(!frm->isVisible());
    QCOMPARE(host.closedDocuments, 1);
    QCOMPARE(Contents(file), QByteArray("1,\"a\"\r\n2,\"\x95\xCF\"\r\n"));
}

void tst_frmCsvSave::closeInsideTheMainWindowActivatesFirst()
{
    QMdiArea area;
    area.resize(600, 400);
    area.show();
    const std::unique_ptr<frmCsv> edited = Edited(u"first.csv"_s);
    QPointer<QMdiSubWindow> first = area.addSubWindow(edited.get());
    first->setAttribute(Qt::WA_DeleteOnClose, false);
    first->show();
    host.newFile.clear();
    auto* other = new frmCsv(host);
    area.addSubWindow(other)->show();
    area.setActiveSubWindow(area.subWindowList().at(1));
    QCOMPARE(area.currentSubWindow()->widget(), other);

    // The save command finds the closing window active.
    QWidget* saved = nullptr;
    host.save = [&] { saved = area.currentSubWindow()->widget(); };
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::Cancel);
    msg.QueueAnswer(clsMessenger::Yes);
    edited->WindowClose();
    QVERIFY(first->isVisible());
    edited->WindowClose();
    QCOMPARE(msg.TakeShown().size(), size_t{2});
    QCOMPARE(saved, edited.get());
    // The save did not happen, so the window stays.
    QVERIFY(first->isVisible());
    QCOMPARE(host.closedDocuments, 0);

    edited->Document().UndoStack().setClean();
    edited->WindowClose();
    QVERIFY(!first->isVisible());
    QCOMPARE(host.closedDocuments, 1);
    first->setWidget(nullptr);
}

QUILLET_QTEST_MAIN(tst_frmCsvSave)
#include "tst_frmCsvSave.moc"
