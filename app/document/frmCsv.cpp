// Document window creation, loading, saving, closing, grid set-up, captions and status panels.
#include "frmCsv.h"

#include "Module1.h"
#include "clsColumnLayout.h"
#include "clsDocument.h"
#include "clsDocumentHost.h"
#include "clsFileDrop.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsMessenger.h"
#include "clsOptions.h"
#include "clsRecordReader.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// Rows of a new document.
constexpr int kNewRows = 20;
// Work that lasts longer than this shows its progress.
constexpr qint64 kProgressDelayMs = 1000;

// The wait cursor for as long as it lives.
class clsWaitCursor
{
public:
    clsWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~clsWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    clsWaitCursor(const clsWaitCursor&) = delete;
    clsWaitCursor& operator=(const clsWaitCursor&) = delete;
};

// A progress dialog over a visible window, shown only once the work has taken a second.
class clsProgress
{
public:
    clsProgress(QWidget& window, const QString& szLabel) : owner(window), label(szLabel)
    {
        clock.start();
    }

    void Report(qint64 nDone, qint64 nTotal)
    {
        if (!owner.isVisible() || nTotal <= 0)
            return;
        if (!dialog) {
            if (clock.elapsed() < kProgressDelayMs)
                return;
            dialog = std::make_unique<QProgressDialog>(label, QString(), 0, 1000, &owner);
            dialog->setWindowTitle(AppTitle());
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->setMinimumDuration(0);
        }
        dialog->setValue(static_cast<int>(std::min<qint64>(nDone * 1000 / nTotal, 999)));
    }

private:
    QWidget& owner;
    QString label;
    QElapsedTimer clock;
    std::unique_ptr<QProgressDialog> dialog;
};

// The file size as "###,###,###,###,##0": commas whatever the system's own separator.
QString GroupedNumber(qint64 nValue)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(nValue);
}

} // namespace

frmCsv::frmCsv(clsDocumentHost& documentHost, QWidget* parent)
    : QWidget(parent), host(documentHost), document(std::make_unique<clsDocument>()),
      model(new clsGridModel(*document, this)), grid(new clsGridView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    grid->SetGridModel(model);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, &frmCsv::ShowPopup);
    connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { HeaderClicked(section + 1); });
    connect(document.get(), &clsDocument::Changed, this, &frmCsv::DocumentChanged);
    connect(document.get(), &clsDocument::RowsInserted, this,
            [this](int, int count) { CountRows(count); });
    connect(document.get(), &clsDocument::RowsRemoved, this,
            [this](int, int count) { CountRows(-count); });
    setAcceptDrops(true);
    clsRecordReader::SetCleanCharSetFinder(&frmCsv::CleanCharSet);
    InitWindow();
}

frmCsv::~frmCsv()
{
    // The view and the adapter go before the document they show, which stops talking first.
    document->disconnect(this);
    delete grid;
    delete model;
}

bool frmCsv::bDirty() const
{
    return document->bDirty();
}

bool frmCsv::bEmpty() const
{
    return document->bEmpty();
}

QString frmCsv::szFile() const
{
    return document->szFile();
}

QString frmCsv::szFileName() const
{
    return document->szFileName();
}

int frmCsv::nID() const
{
    return document->nID();
}

int frmCsv::Mode() const
{
    return document->Mode();
}

bool frmCsv::SetMode(int aMode)
{
    if (!document->SetMode(aMode)) {
        host.EndProgram();
        return false;
    }
    szStatusFormat = document->szFormatName();
    return true;
}

bool frmCsv::InitWindow()
{
    document->SetFile(host.szNewFile());
    if (!SetMode(host.nNewMode()))
        return false;
    document->SetID(host.nNewID());
    document->SetFileName(NewFileName());
    unload = false;
    cntData = 1;
    document->Clear(kNewRows);
    ShowCaption(document->szFile(), document->szFileName());
    SetHeader(Mode());
    return true;
}

QString frmCsv::NewFileName() const
{
    return u"新規"_s + QString::number(document->nID()) + u".txt"_s;
}

bool frmCsv::LoadData(int lnCharSet, int lnCRLF)
{
    if (!InitWindow())
        return false;
    bool complete = true;
    if (document->szFile().isEmpty()) {
        const clsFormat& format = *document->Format();
        document->SetCharSet(lnCharSet >= 1 ? lnCharSet : format.CharSet);
        document->SetCRLF(lnCRLF >= 1 ? lnCRLF : gFormatInfo().GetCRLF(format.CRLF));
        document->SetFileName(NewFileName());
        ShowCaption(document->szFile(), document->szFileName());
        SetHeader(Mode());
    } else {
        document->SetFileName(Module1::GetFileName(document->szFile()));
        const clsWaitCursor wait;
        ShowCaption(document->szFile(), document->szFileName());
        clsReadResult result;
        {
            // Hidden rather than frozen: a question asked during the load shows the window's
            // background behind it, never a grid half reset.
            grid->hide();
            clsProgress progress(*this, u"ファイルを読み込んでいます。"_s);
            const auto report = [&progress](qint64 done, qint64 total) {
                progress.Report(done, total);
            };
            result = document->Load(lnCharSet, lnCRLF, report);
            // The user took the offer of a character set that reads the file cleanly.
            if (result.lnReloadCharSet > 0)
                result = document->Load(result.lnReloadCharSet, lnCRLF, report);
            grid->show();
        }
        cntData = result.nCount;
        szStatusCount = QString::number(cntData) + u" 件のレコード"_s;
        szStatusFormat = document->szFormatName();
        // After the load: resetting the adapter resets the column widths.
        SetHeader(Mode());
        complete = !result.bFailed;
    }
    ShowStatus();
    host.UpdateCommands();
    return complete;
}

void frmCsv::SetHeader(int Index)
{
    const int position = Index == -1 ? Mode() : Index;
    const clsFormat* format =
        position >= 1 && position <= gFormats().Count() ? gFormats().Format(position) : nullptr;
    const clsGridView::clsPaintLock lock(*grid);
    QFont font(gFontName);
    if (gFontSize > 0)
        font.setPointSize(gFontSize);
    QFont header = font;
    header.setBold(gFontBold);
    header.setItalic(gFontItalic);
    QFont mark = font;
    mark.setBold(true);
    std::vector<clsColumnLook> looks;
    if (format)
        looks = clsColumnLayout::Build(*format);
    std::vector<double> widths;
    widths.reserve(looks.size());
    for (const clsColumnLook& look : looks)
        widths.push_back(look.dWidth);
    model->SetColumns(std::move(looks), header, mark);
    grid->ApplyLook(font, gEditFlags[3] == 1, widths);
}

void frmCsv::SaveColWidth()
{
    if (Mode() < 1 || Mode() > gFormats().Count())
        return;
    clsFormat* format = gFormats().Format(Mode());
    const int count = std::min(model->columnCount(), format->MemCount());
    for (int i = 1; i <= count; ++i)
        format->Members(i)->ColWidth = static_cast<int>(std::lround(grid->ColumnWidthUnits(i)));
}

void frmCsv::Form_Activate()
{
    host.SetCurrent(szFile(), Mode(), document->szFormatName());
    ShowCaption(szFile(), szFileName());
    host.UpdateCommands();
    ShowStatus();
}

void frmCsv::ShowCaption(const QString& szPath, const QString& szName)
{
    setWindowTitle(szName);
    host.SetMainCaption(AppTitle() + u"  "_s + szPath);
    const QFileInfo info(szPath);
    if (!szPath.isEmpty() && info.exists())
        szStatusFile = GroupedNumber(info.size()) + u" Bytes 最終更新:"_s +
                       QLocale().toString(info.lastModified(), QLocale::ShortFormat);
}

bool frmCsv::SaveUpdate()
{
    const clsWaitCursor wait;
    const QString path = Module1::Trim(szFile());
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return NamedAndSave(document->lnCharSet(), document->lnCRLF());
    const bool saved = WriteRecords(path, document->lnCharSet(), document->lnCRLF());
    ShowSaved();
    return saved;
}

bool frmCsv::NamedAndSave(int lnCharSet, int lnCRLF)
{
    const clsWaitCursor wait;
    const int oldMode = Mode();
    if (!SetMode(host.nNewMode()))
        return false;
    const bool saved = WriteRecords(host.szNewFile(), lnCharSet, lnCRLF);
    if (saved)
        document->SetFileName(Module1::GetFileName(szFile()));
    else if (oldMode >= 1)
        // A failed save leaves the window with the file and format it had.
        SetMode(oldMode);
    ShowSaved();
    return saved;
}

bool frmCsv::WriteRecords(const QString& szPath, int lnCharSet, int lnCRLF)
{
    bool saved = false;
    {
        clsProgress progress(*this, u"ファイルを保存しています。"_s);
        saved = document->Save(szPath, lnCharSet, lnCRLF, [&progress](qint64 done, qint64 total) {
            progress.Report(done, total);
        });
    }
    return saved;
}

void frmCsv::ShowSaved()
{
    ShowCaption(szFile(), szFileName());
    ShowStatus();
    host.UpdateCommands();
}

void frmCsv::WindowClose()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void frmCsv::closeEvent(QCloseEvent* event)
{
    if (unload) {
        event->accept();
        return;
    }
    if (bDirty()) {
        BringToFront();
        const int answer = gMsgBox().QuestionEx(
            windowTitle() + u" は更新されています。内容を保存しますか？"_s, AppTitle());
        if (answer == clsMessenger::Cancel) {
            event->ignore();
            return;
        }
        // A save that failed or was called off keeps the changes, and so the window.
        if (answer == clsMessenger::Yes) {
            host.SaveActiveDocument();
            if (bDirty()) {
                event->ignore();
                return;
            }
        }
    }
    unload = true;
    SaveColWidth();
    ShowCaption(QString(), QString());
    host.UpdateCommands();
    ShowStatus(QString(), 0, 0);
    host.DocumentClosed();
    event->accept();
}

void frmCsv::BringToFront()
{
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame && frame->mdiArea()) {
        frame->mdiArea()->setActiveSubWindow(frame);
        return;
    }
    raise();
    activateWindow();
}

void frmCsv::ShowStatus()
{
    ShowStatus(szStatusFile, document->lnCharSet(), document->lnCRLF());
}

void frmCsv::ShowStatus(const QString& szFileText, int lnCharSet, int lnCRLF)
{
    if (unload)
        szStatusCount = u"ファイルを開いてください。"_s;
    else if (bEmpty())
        szStatusCount = windowTitle();
    else
        szStatusCount =
            QString::number(cntData) + (bDirty() ? u" 件のデータ [更新]"_s : u" 件のデータ"_s);
    host.SetStatus(szStatusCount, unload ? QString() : szStatusFormat, szFileText,
                   unload ? QString()
                          : gFormatInfo().GetCharSetAsName(lnCharSet) + u'+' +
                                gFormatInfo().GetCRLFAsName(lnCRLF));
}

void frmCsv::dragEnterEvent(QDragEnterEvent* event)
{
    clsFileDrop::Enter(event);
}

void frmCsv::dropEvent(QDropEvent* event)
{
    const QStringList files = clsFileDrop::Files(event);
    if (!files.isEmpty())
        host.FilesDropped(files);
}
