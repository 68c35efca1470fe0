// The main window's command state and the commands of the Edit, View, Window and Help menus.
#include "clsDataGenerator.h"
#include "clsFormats.h"
#include "clsHelp.h"
#include "clsMessenger.h"
#include "clsOptions.h"
#include "clsWindowArrange.h"
#include "frmAbout.h"
#include "frmCsv.h"
#include "frmDataWiz.h"
#include "frmFind.h"
#include "frmFormatMan.h"
#include "frmMain.h"
#include "frmOption.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QStatusBar>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

namespace {

bool ClipboardHoldsText()
{
    return !QGuiApplication::clipboard()->text().isEmpty();
}

} // namespace

void frmMain::EnableCommand(QAction* item, bool bEnabled)
{
    item->setEnabled(bEnabled);
    for (QAction* twin : twins.value(item))
        twin->setEnabled(bEnabled);
}

void frmMain::UpdateCommands()
{
    const frmCsv* document = ActiveDocument();
    // A closing document already counts as gone.
    const bool bDocument = document && !document->bUnload();
    for (QAction* item : {mnNew, mnOpen, mnEnd, mnVersion, mnHelpView, mnOption, mnFormatWiz})
        EnableCommand(item, true);
    EnableCommand(mnSave, bDocument && document->bDirty());
    for (QAction* item : {mnNamedAndSave, mnSaveAll, mnClose, mnFind, mnSort, mnSummary, mnEditCopy,
                          mnEditCut, mnInsertRow, mnDeleteRow, mnRowUp, mnRowDown, mnVertical,
                          mnHorizontal, mnCascade, mnWindowAllVert})
        EnableCommand(item, bDocument);
    EnableCommand(mnValidate, bDocument);
    EnableCommand(mnPrint, bDocument);
    for (QAction* item : {mnOutCsv, mnOutHTML, mnOutXML, mnOutUniqueList})
        EnableCommand(item, bDocument);
    EnableCommand(mnEditPaste, bDocument && ClipboardHoldsText());
    EnableCommand(mnViewSource, bDocument && !document->szFile().trimmed().isEmpty());
    EnableCommand(mnUndo, bDocument && undoGroup.canUndo());
    EnableCommand(mnRedo, bDocument && undoGroup.canRedo());
    const bool bFormats = gFormats().Count() > 0;
    for (QAction* item : {mnDataWizFull, mnDataWizPart, mnPopDataWizPart})
        EnableCommand(item, bFormats);
    // A submenu opens while one of its items can be chosen.
    mnDataWiz->menuAction()->setEnabled(mnDataWizFull->isEnabled() || mnDataWizPart->isEnabled());
    mnChgType->menuAction()->setEnabled(mnOutCsv->isEnabled() || mnOutHTML->isEnabled() ||
                                        mnOutXML->isEnabled());
}

void frmMain::mnFormatWiz_Click()
{
    frmFormatMan manager(settings, this);
    manager.exec();
}

void frmMain::OnDocument(void (frmCsv::*operation)())
{
    if (frmCsv* document = ActiveDocument(); document && !document->bUnload())
        (document->*operation)();
}

bool frmMain::SortMode() const
{
    return sortMode;
}

void frmMain::SetSortMode(bool bOn)
{
    sortMode = bOn;
    mnSort->setChecked(bOn);
    for (QAction* twin : twins.value(mnSort))
        twin->setChecked(bOn);
}

void frmMain::mnEdit_Open()
{
    if (Documents().isEmpty())
        return;
    EnableCommand(mnEditPaste, ClipboardHoldsText());
}

void frmMain::ShowPopup(const QPoint& globalPos)
{
    mnPopup->popup(globalPos);
}

void frmMain::mnViewSource_Click()
{
    const frmCsv* document = ActiveDocument();
    if (!document || document->szFile().trimmed().isEmpty())
        return;
    const clsFormat* format = gFormats().Format(document->Mode());
    QStringList command = QProcess::splitCommand(
        format && format->FileType == clsFormat::BinaryFile ? gBinPath : gTextPath);
    if (command.isEmpty())
        return;
    const QString program = command.takeFirst();
    // The file is one argument whatever it holds; a viewer that cannot start says nothing.
    QProcess::startDetached(program, command << document->szFile());
}

void frmMain::mnHelpView_Click()
{
    clsHelp::Open();
}

void frmMain::mnVersion_Click()
{
    frmAbout about(this);
    about.exec();
}

void frmMain::mnOption_Click()
{
    frmOption option(this);
    option.exec();
    if (!option.bRes)
        return;
    // Header lines, font and widths follow the new options. A closing window, or one whose
    // format is no longer in the store, keeps the columns it has.
    for (frmCsv* document : Documents()) {
        const int mode = document->Mode();
        if (!document->bUnload() && mode >= 1 && mode <= gFormats().Count())
            document->SetHeader(mode);
    }
}

void frmMain::mnFind_Click()
{
    frmCsv* document = ActiveDocument();
    if (!document || document->bUnload())
        return;
    frmFind* find = nullptr;
    // A closed find window lingers until it is deleted: only a shown one is reused.
    for (frmFind* window : findChildren<frmFind*>()) {
        if (window->isVisible() && window->Document() == document)
            find = window;
        else if (window->isVisible())
            window->close();
    }
    if (!find)
        find = new frmFind(*document, this);
    find->show();
    find->raise();
    find->activateWindow();
}

void frmMain::mnWindowAllVert_Click()
{
    Arrange(clsWindowArrange::StackAll(static_cast<int>(Documents().size()),
                                       mdiArea->viewport()->size()));
}

frmCsv* frmMain::NewDocument()
{
    if (!AskFormat())
        return nullptr;
    newFile.clear();
    frmCsv* document = TargetWindow();
    Load(document, 1, 1);
    return document;
}

void frmMain::ShowDataWiz(frmCsv& document, int lnMode)
{
    frmDataWiz wizard(document, lnMode, gHeaderFlags[5] == 1, this);
    wizard.exec();
}

void frmMain::mnDataWizFull_Click()
{
    if (frmCsv* document = NewDocument())
        ShowDataWiz(*document, clsDataGenerator::AllColumns);
}

void frmMain::mnDataWizPart_Click()
{
    frmCsv* document = ActiveDocument();
    if (!document || document->bUnload())
        document = NewDocument();
    if (!document)
        return;
    if (document->ActiveCol() > 0)
        ShowDataWiz(*document, clsDataGenerator::CursorColumn);
    else
        gMsgBox().Exclamation(u"カーソルを任意の一列上に移動してください。"_s, u"Data Wizard"_s);
}

void frmMain::ShowFrameState()
{
    if (frmCsv* document = ActiveDocument(); document && !document->bUnload()) {
        document->Form_Activate();
        return;
    }
    setWindowTitle(AppTitle());
    SetStatus(u"ファイルを開いてください。"_s, QString(), QString(), QString());
    UpdateCommands();
}
