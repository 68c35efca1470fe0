// The main window's file commands: new, open, the command line, drops, the recent list, and
// the shell's side of saving and closing.
#include "Module1.h"
#include "clsCommandLine.h"
#include "clsDialog.h"
#include "clsDocument.h"
#include "clsFormatFilter.h"
#include "clsFormats.h"
#include "clsIcons.h"
#include "clsMessenger.h"
#include "clsSettingsStore.h"
#include "frmCsv.h"
#include "frmMain.h"
#include "frmSelType.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <set>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNoFormat = u"フォーマットが登録されていません。"_s;

} // namespace

void frmMain::OpenCommandLine(const clsCommandLine& commandLine)
{
    int mode = 0;
    if (commandLine.HasFormat()) {
        mode = gFormats().GetIndexByName(commandLine.FormatName());
        // An unknown format is named, then asked for like any other.
        if (mode < 1)
            gMsgBox().Exclamation(clsCommandLine::UnknownFormatText(commandLine.FormatName()),
                                  AppTitle());
        else
            newMode = mode;
    }
    if (commandLine.IsEmpty()) {
        bInit = false;
        newFile.clear();
        newID = NextNewID();
        CreateDocument();
        return;
    }
    const auto targets =
        commandLine.Targets(QDir::currentPath(), QCoreApplication::applicationDirPath());
    for (const clsCommandLine::clsTarget& target : targets) {
        newFile = target.szPath;
        if (!target.bExists) {
            gMsgBox().Critical(commandLine.Whole() + u"\r指定のファイルが存在しません。"_s,
                               AppTitle());
            continue;
        }
        bInit = true;
        if (mode < 1 && !AskFormat())
            return;
        OpenFile(newFile, false, 0);
    }
}

bool frmMain::AskFormat()
{
    const int mode = frmSelType::Ask(this, bInit, newFile);
    if (mode < 1) {
        EndProgram();
        return false;
    }
    newMode = mode;
    return true;
}

void frmMain::FilesDropped(const QStringList& aszFiles)
{
    for (const QString& file : aszFiles) {
        newFile = file;
        OpenFile(newFile, true, 0);
    }
}

void frmMain::OpenFile(const QString& szPath, bool bDrag, int lnCharSet)
{
    if (bDrag && !AskFormat())
        return;
    newFile = szPath;
    Load(TargetWindow(), lnCharSet, 1);
    AddRecent(newFile, gFormats().Format(newMode)->StructName);
}

void frmMain::mnNew_Click()
{
    if (!AskFormat())
        return;
    newFile.clear();
    Load(TargetWindow(), 1, 1);
}

void frmMain::mnOpen_Click()
{
    clsDialog& dialog = gDialog();
    dialog.SetTitle(u"ファイルを開く"_s);
    dialog.SetFileName(Module1::GetFileName(szOpenPath));
    dialog.SetFilter(clsFormatFilter::Build(gFormats()));
    if (!dialog.ShowOpen(this, true))
        return;
    szOpenPath = dialog.FileName();
    newMode = clsFormatFilter::FormatOf(dialog.FilterIndex(), gFormats());
    newFile = szOpenPath;
    OpenFile(newFile, false, dialog.CharSet());
}

void frmMain::mnRecent_Click(int n)
{
    const QString file = Module1::Trim(recentList.File(n));
    if (file.isEmpty())
        return;
    const QString structName = recentList.StructName(n);
    const int mode = gFormats().GetIndexByName(structName);
    // The format was deleted since: nothing could be read under it.
    if (mode < 1) {
        gMsgBox().Exclamation(kNoFormat, AppTitle());
        return;
    }
    newFile = clsRecentList::StoredName(file);
    newMode = mode;
    Load(TargetWindow(), gFormats().Format(mode)->CharSet, 1);
    AddRecent(newFile, structName);
}

frmCsv* frmMain::TargetWindow()
{
    for (QMdiSubWindow* window : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto* document = qobject_cast<frmCsv*>(window->widget());
        if (document && document->bEmpty() && !document->bUnload()) {
            mdiArea->setActiveSubWindow(window);
            // The reused window keeps its number, so no two new documents share a name.
            newID = document->nID();
            return document;
        }
    }
    newID = NextNewID();
    return CreateDocument();
}

frmCsv* frmMain::CreateDocument()
{
    ++CntDoc;
    auto* document = new frmCsv(*this);
    undoGroup.addStack(&document->Document().UndoStack());
    const QRect geometry = NewWindowGeometry();
    QMdiSubWindow* window = mdiArea->addSubWindow(document);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(clsIcons::Document());
    window->setGeometry(geometry);
    window->show();
    mdiArea->setActiveSubWindow(window);
    return document;
}

QRect frmMain::NewWindowGeometry() const
{
    const QSize area = mdiArea->viewport()->size();
    const QSize size = area * 3 / 4;
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList(QMdiArea::CreationOrder);
    QPoint position(0, 0);
    if (!windows.isEmpty()) {
        const int step =
            mdiArea->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.back());
        position = windows.back()->pos() + QPoint(step, step);
    }
    // Past the workspace's edge the cascade starts again at the top left.
    if (position.x() < 0 || position.y() < 0 || position.x() + size.width() > area.width() ||
        position.y() + size.height() > area.height())
        position = QPoint(0, 0);
    return QRect(position, size);
}

int frmMain::NextNewID() const
{
    std::set<int> taken;
    for (const frmCsv* document : Documents()) {
        if (document->szFile().isEmpty())
            taken.insert(document->nID());
    }
    int id = 1;
    while (taken.count(id) > 0)
        ++id;
    return id;
}

void frmMain::Load(frmCsv* document, int lnCharSet, int lnCRLF)
{
    document->LoadData(lnCharSet, lnCRLF);
    // A reused window may have been active already, so no activation tells the frame.
    document->Form_Activate();
}

void frmMain::AddRecent(const QString& szFile, const QString& szStructName)
{
    if (!recentList.Add(settings, szFile, szStructName))
        gMsgBox().Exclamation(settings.LastError() + u"レジストリのアクセスに失敗しました。"_s,
                              AppTitle());
    ShowRecentList();
}

void frmMain::SaveActiveDocument()
{
    Save(ActiveDocument());
}

void frmMain::mnSave_Click()
{
    Save(ActiveDocument());
}

void frmMain::Save(frmCsv* document)
{
    if (!document)
        return;
    const QString file = Module1::Trim(document->szFile());
    if (!file.isEmpty() && QFileInfo::exists(file))
        document->SaveUpdate();
    else
        SaveAs(document);
}

void frmMain::mnNamedAndSave_Click()
{
    SaveAs(ActiveDocument());
}

void frmMain::SaveAs(frmCsv* document)
{
    if (!document)
        return;
    clsDialog& dialog = gDialog();
    dialog.SetFilter(u"すべてのファイル(*.*)|*.*||"_s);
    dialog.SetTitle(u"名前を付けて保存"_s);
    dialog.SetFileName(document->szFileName());
    // A document with a file is saved beside it unless the user goes elsewhere.
    if (!Module1::Trim(document->szFile()).isEmpty())
        dialog.SetInitDir(QFileInfo(document->szFile()).absolutePath());
    if (!dialog.ShowSave(this, QString(), true))
        return;
    newFile = clsRecentList::StoredName(dialog.FileName());
    // A save under a new name keeps the document's format.
    newMode = document->Mode();
    if (document->NamedAndSave(dialog.CharSet(), dialog.CRLF()))
        AddRecent(newFile, gFormats().Format(newMode)->StructName);
}

void frmMain::mnSaveAll_Click()
{
    for (frmCsv* document : Documents()) {
        if (!document->bDirty())
            continue;
        mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(document->parentWidget()));
        Save(document);
    }
}

void frmMain::mnClose_Click()
{
    if (frmCsv* document = ActiveDocument())
        document->WindowClose();
}
