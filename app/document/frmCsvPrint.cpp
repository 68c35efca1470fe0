// Printing the document window's grid, through a print preview.
#include "clsDocument.h"
#include "clsGridModel.h"
#include "clsGridPrinter.h"
#include "clsGridView.h"
#include "clsMessenger.h"
#include "frmCsv.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QScopeGuard>

using namespace Qt::Literals::StringLiterals;

void frmCsv::PrintCell()
{
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(clsGridPrinter::JobName(windowTitle()));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &frmCsv::PrintTo);
    preview.exec();
}

void frmCsv::PreparePrinter(QPrinter& printer) const
{
    printer.setDocName(clsGridPrinter::JobName(windowTitle()));
    printer.setPageMargins(clsGridPrinter::Margins(), QPageLayout::Point);
}

bool frmCsv::PrintTo(QPrinter* printer)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    clsGridPrinter::clsSettings settings;
    settings.szHeader = szFile();
    settings.szFooter = document->szFormatName();
    settings.font = grid->font();
    // The printed columns are as wide as the grid shows them.
    const double pointsPerPixel = 72.0 / grid->logicalDpiX();
    for (int col = 0; col < model->columnCount(); ++col)
        settings.columnWidths.push_back(grid->columnWidth(col) * pointsPerPixel);

    QProgressDialog progress(clsGridPrinter::ProgressText(szFile()), u"キャンセル"_s, 0, 1, this);
    progress.setWindowTitle(AppTitle());
    progress.setWindowModality(Qt::WindowModal);
    clsGridPrinter pages(*model, std::move(settings));
    return pages.Print(*printer, [&progress](int lnPage, int lnPages) {
        progress.setMaximum(lnPages);
        progress.setValue(lnPage - 1);
        return !progress.wasCanceled();
    });
}
