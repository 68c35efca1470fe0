// The grid laid out on printed pages.
#pragma once

#include <QFont>
#include <QMarginsF>
#include <QString>

#include <functional>
#include <vector>

class QAbstractItemModel;
class QFontMetricsF;
class QPagedPaintDevice;
class QPainter;

// Paints a table model as the grid prints it: on every page the page header, the column
// headers, the row numbers, the cells in grid lines inside a border, and the page footer;
// no colours, no shading. Only the rows up to the last one that holds text are printed.
// Columns that do not fit beside each other go onto further pages, which follow once all
// rows of the columns before them are printed.
class clsGridPrinter
{
public:
    struct clsSettings
    {
        QString szHeader;
        QString szFooter;
        QFont font;
        // Widths of the model's columns in points; a missing or non-positive width is
        // measured from the column's texts.
        std::vector<double> columnWidths;
    };

    // Called before page lnPage (from 1) of lnPages is painted; false stops the printing.
    using Progress = std::function<bool(int lnPage, int lnPages)>;

    clsGridPrinter(const QAbstractItemModel& model, clsSettings settings);

    // The name of the print job of a document window with caption szCaption.
    static QString JobName(const QString& szCaption);
    // The text shown while the file szFile is printed.
    static QString ProgressText(const QString& szFile);
    // The four page margins: 100 twips each.
    static QMarginsF Margins();

    // The pages the grid takes on device, whose margins are already set.
    int PageCount(QPagedPaintDevice& device);
    // Paints every page onto device; false when the device could not be painted on or the
    // progress stopped the printing.
    bool Print(QPagedPaintDevice& device, const Progress& progress = {});

private:
    struct clsBand
    {
        int first = 0;
        int last = 0;
    };

    // Measures everything that depends on the device: line heights, widths, bands, rows.
    void Layout(QPagedPaintDevice& device);
    double MeasureColumn(int lnCol, const QFontMetricsF& metrics) const;
    int LastRowWithText() const;
    void PaintPage(QPainter& painter, const clsBand& band, int lnFirstRow, int lnRows) const;
    QString CellText(int lnRow, int lnCol) const;

    const QAbstractItemModel& model;
    clsSettings settings;

    // Layout in device pixels.
    double pageWidth = 0;
    double pageHeight = 0;
    double padding = 0;
    double lineHeight = 0;
    double rowHeight = 0;
    double headerHeight = 0;
    double titleHeight = 0;
    double rowNumberWidth = 0;
    std::vector<double> widths;
    std::vector<clsBand> bands;
    int rowCount = 0;
    int rowsPerPage = 1;
};
