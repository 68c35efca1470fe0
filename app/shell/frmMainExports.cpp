// The main window's exports (CSV, HTML, XML with its stylesheet) and the unique list.
#include "Module1.h"
#include "clsCodePage.h"
#include "clsDialog.h"
#include "clsDocument.h"
#include "clsExporter.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsUniqueList.h"
#include "clsXslWriter.h"
#include "frmCsv.h"
#include "frmMain.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScopeGuard>

#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace {

// The save dialog of one export.
struct clsExportDialog
{
    QString szTitle;
    QString szFilter;
    QString szDefExt;
};

clsExportDialog DialogOf(clsExporter::Kind kind)
{
    switch (kind) {
    case clsExporter::Csv:
        return {u"名前を付けてＣＳＶ形式で保存"_s,
                u"ＣＳＶファイル(*.csv)|*.csv|全てのファイル(*.*)|*.*||"_s, u"csv"_s};
    case clsExporter::Html:
        return {u"名前を付けてＨＴＭＬ形式で保存"_s,
                u"ＨＴＭＬファイル(*.html;*.htm)|*.html;*.htm|全てのファイル(*.*)|*.*||"_s,
                u"htm"_s};
    case clsExporter::Xml:
        break;
    }
    return {u"名前を付けてＸＭＬ形式で保存"_s,
            u"ＸＭＬファイル(*.xml)|*.xml|全てのファイル(*.*)|*.*||"_s, u"xml"_s};
}

// The hourglass until the scope ends, whichever way it ends.
auto WaitCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    return qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
}

// Proposes the document's name with another extension, beside its file when it has one.
bool AskTarget(QWidget* owner, const frmCsv& document, const clsExportDialog& look)
{
    clsDialog& dialog = gDialog();
    dialog.SetTitle(look.szTitle);
    dialog.SetFilter(look.szFilter);
    dialog.SetFileName(Module1::ChangeExt(document.szFileName(), look.szDefExt));
    if (!Module1::Trim(document.szFile()).isEmpty())
        dialog.SetInitDir(QFileInfo(document.szFile()).absolutePath());
    return dialog.ShowSave(owner, look.szDefExt, true);
}

} // namespace

void frmMain::mnOutCsv_Click()
{
    OutExport(clsExporter::Csv);
}

void frmMain::mnOutHTML_Click()
{
    OutExport(clsExporter::Html);
}

void frmMain::mnOutXML_Click()
{
    OutExport(clsExporter::Xml);
}

void frmMain::OutExport(int lnKind)
{
    frmCsv* document = ActiveDocument();
    if (!document || document->bUnload())
        return;
    const auto kind = static_cast<clsExporter::Kind>(lnKind);
    if (!AskTarget(this, *document, DialogOf(kind)))
        return;
    clsDialog& dialog = gDialog();
    const QString path = dialog.FileName();
    QString reason;
    bool written = false;
    {
        const auto wait = WaitCursor();
        written = clsExporter::Write(document->Document(), kind, path, dialog.CharSet(),
                                     dialog.CRLF(), reason);
    }
    if (!written) {
        gMsgBox().Critical(clsXslWriter::FailureText(reason, path), AppTitle());
        return;
    }
    gMsgBox().Information(clsExporter::DoneText(kind), AppTitle());
    if (kind != clsExporter::Xml ||
        gMsgBox().Question(u"フォーマット情報からＸＭＬスタイルシート（ＸＳＬ）も生成しますか？"_s,
                           AppTitle()) != clsMessenger::Yes)
        return;
    const clsFormat* format = gFormats().Format(document->Mode());
    if (!format ||
        !AskTarget(this, *document,
                   {u"名前を付けてＸＳＬ形式でフォーマットを保存"_s,
                    u"ＸＭＬスタイルシート(*.xsl)|*.xsl|全てのファイル(*.*)|*.*||"_s, u"xsl"_s}))
        return;
    clsXslWriter::WriteXSL(*format, dialog.FileName(), dialog.CharSet(), dialog.CRLF());
}

void frmMain::mnOutUniqueList_Click()
{
    frmCsv* source = ActiveDocument();
    if (!source || source->bUnload())
        return;
    const clsFormat* format = gFormats().Format(source->Mode());
    if (!format)
        return;
    const bool count =
        gMsgBox().Question(u"データの件数情報も生成しますか？"_s, AppTitle()) == clsMessenger::Yes;
    const auto wait = WaitCursor();
    const clsUniqueList list = clsUniqueList::Build(source->Document(), format->MemCount(), count);
    // Always a window of its own, in the source's format, with no file behind it.
    newMode = source->Mode();
    newFile.clear();
    newID = NextNewID();
    frmCsv* target = CreateDocument();
    target->LoadData(0, 0);
    std::vector<int> columns(static_cast<size_t>(list.ColumnCount()));
    std::iota(columns.begin(), columns.end(), 1);
    target->Document().FillColumns(
        list.RowCount(), columns,
        [&list](int lnRow, int lnCol) {
            const std::vector<QByteArray>& values = list.Column(lnCol);
            return lnRow <= static_cast<int>(values.size())
                       ? clsCodePage::FromSjis(values[static_cast<size_t>(lnRow - 1)])
                       : QString();
        },
        u"一意な値のリスト"_s);
    target->Form_Activate();
}
