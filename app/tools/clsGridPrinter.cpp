// Page layout and painting of the printed grid.
#include "clsGridPrinter.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The margin the grid is given, in its own unit (twips: twenty to a point).
constexpr double kMarginTwips = 100;
constexpr double kTwipsPerPoint = 20;

// Widths are measured from this many rows at most: a long file would otherwise be read
// through once more before the first page.
constexpr int kMeasuredRows = 2000;

// Room around a cell's text, as a part of the line height.
constexpr double kPaddingShare = 0.2;

// A cell prints on one line.
QString OneLine(QString szText)
{
    szText.replace(u"\r\n"_s, u" "_s);
    szText.replace(u'\r', u' ');
    szText.replace(u'\n', u' ');
    return szText;
}

} // namespace

clsGridPrinter::clsGridPrinter(const QAbstractItemModel& itemModel, clsSettings pageSettings)
    : model(itemModel), settings(std::move(pageSettings))
{}

QString clsGridPrinter::JobName(const QString& szCaption)
{
    return u"Quillet - "_s + szCaption;
}

QString clsGridPrinter::ProgressText(const QString& szFile)
{
    return u"[ "_s + szFile + u" ]\n印刷しています．．．．"_s;
}

QMarginsF clsGridPrinter::Margins()
{
    const double points = kMarginTwips / kTwipsPerPoint;
    return {points, points, points, points};
}

QString clsGridPrinter::CellText(int lnRow, int lnCol) const
{
    return OneLine(model.data(model.index(lnRow, lnCol)).toString());
}

int clsGridPrinter::LastRowWithText() const
{
    const int columns = model.columnCount();
    for (int row = model.rowCount() - 1; row >= 0; --row) {
        for (int col = 0; col < columns; ++col) {
            if (!CellText(row, col).isEmpty())
                return row + 1;
        }
    }
    return 0;
}

double clsGridPrinter::MeasureColumn(int lnCol, const QFontMetricsF& metrics) const
{
    double widest = 0;
    const QStringList header = model.headerData(lnCol, Qt::Horizontal).toString().split(u'\n');
    for (const QString& line : header)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int rows = std::min(rowCount, kMeasuredRows);
    for (int row = 0; row < rows; ++row)
        widest = std::max(widest, metrics.horizontalAdvance(CellText(row, lnCol)));
    return widest + 2 * padding;
}

void clsGridPrinter::Layout(QPagedPaintDevice& device)
{
    const QFontMetricsF metrics(settings.font, &device);
    pageWidth = device.width();
    pageHeight = device.height();
    lineHeight = metrics.lineSpacing();
    padding = std::ceil(lineHeight * kPaddingShare);
    rowHeight = lineHeight + 2 * padding;
    titleHeight = rowHeight;
    rowCount = LastRowWithText();

    const int columns = model.columnCount();
    qsizetype headerLines = 1;
    for (int col = 0; col < columns; ++col) {
        headerLines = std::max(
            headerLines, model.headerData(col, Qt::Horizontal).toString().split(u'\n').size());
    }
    headerHeight = static_cast<double>(headerLines) * lineHeight + 2 * padding;
    rowNumberWidth =
        metrics.horizontalAdvance(QString::number(std::max(rowCount, 1))) + 2 * padding;

    // Every column gets at least room for its padding and at most the page beside the
    // row numbers.
    const double pixelsPerPoint = device.logicalDpiX() / 72.0;
    const double widest = std::max(pageWidth - rowNumberWidth, 4 * padding);
    widths.assign(static_cast<size_t>(columns), 0);
    for (int col = 0; col < columns; ++col) {
        const auto index = static_cast<size_t>(col);
        double width = index < settings.columnWidths.size() && settings.columnWidths[index] > 0
                           ? settings.columnWidths[index] * pixelsPerPoint
                           : MeasureColumn(col, metrics);
        widths[index] = std::clamp(width, 2 * padding, widest);
    }

    bands.clear();
    double used = 0;
    for (int col = 0; col < columns; ++col) {
        const double width = widths[static_cast<size_t>(col)];
        if (bands.empty() || used + width > widest) {
            bands.push_back({col, col});
            used = 0;
        }
        bands.back().last = col;
        used += width;
    }
    if (bands.empty())
        bands.push_back({0, -1});

    const double body = pageHeight - 2 * titleHeight - headerHeight;
    rowsPerPage = std::max(1, static_cast<int>(std::floor(body / rowHeight)));
}

int clsGridPrinter::PageCount(QPagedPaintDevice& device)
{
    Layout(device);
    const int rowPages = std::max(1, (rowCount + rowsPerPage - 1) / rowsPerPage);
    return rowPages * static_cast<int>(bands.size());
}

bool clsGridPrinter::Print(QPagedPaintDevice& device, const Progress& progress)
{
    const int pages = PageCount(device);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setFont(settings.font);
    int page = 0;
    for (const clsBand& band : bands) {
        int first = 0;
        do {
            ++page;
            if (progress && !progress(page, pages)) {
                painter.end();
                return false;
            }
            if (page > 1)
                device.newPage();
            const int rows = std::min(rowsPerPage, rowCount - first);
            PaintPage(painter, band, first, rows);
            first += rowsPerPage;
        } while (first < rowCount);
    }
    return painter.end();
}

void clsGridPrinter::PaintPage(QPainter& painter, const clsBand& band, int lnFirstRow,
                               int lnRows) const
{
    painter.setPen(QPen(Qt::black, 0));
    const QRectF title(0, 0, pageWidth, titleHeight);
    painter.drawText(title, Qt::AlignCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(settings.szHeader, Qt::ElideMiddle,
                                                      static_cast<int>(pageWidth)));
    const QRectF footer(0, pageHeight - titleHeight, pageWidth, titleHeight);
    painter.drawText(footer, Qt::AlignCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(settings.szFooter, Qt::ElideMiddle,
                                                      static_cast<int>(pageWidth)));

    const double top = titleHeight;
    const double bottom = top + headerHeight + lnRows * rowHeight;
    const auto cellRect = [this](double x, double y, double width, double height) {
        return QRectF(x + padding, y, width - 2 * padding, height);
    };

    // Column headers and cells, column by column.
    double x = rowNumberWidth;
    for (int col = band.first; col <= band.last; ++col) {
        const double width = widths[static_cast<size_t>(col)];
        painter.drawText(cellRect(x, top, width, headerHeight), Qt::AlignCenter,
                         model.headerData(col, Qt::Horizontal).toString());
        const QVariant align = model.data(model.index(0, col), Qt::TextAlignmentRole);
        const Qt::Alignment alignment =
            align.isValid() ? Qt::Alignment(align.toInt()) : (Qt::AlignLeft | Qt::AlignVCenter);
        for (int i = 0; i < lnRows; ++i) {
            const double y = top + headerHeight + i * rowHeight;
            const QRectF rect = cellRect(x, y, width, rowHeight);
            painter.drawText(rect, alignment | Qt::TextSingleLine,
                             painter.fontMetrics().elidedText(CellText(lnFirstRow + i, col),
                                                              Qt::ElideRight,
                                                              static_cast<int>(rect.width())));
        }
        x += width;
        painter.drawLine(QLineF(x, top, x, bottom));
    }
    const double right = x;

    // Row numbers and the lines between the rows.
    painter.drawLine(QLineF(rowNumberWidth, top, rowNumberWidth, bottom));
    painter.drawLine(QLineF(0, top + headerHeight, right, top + headerHeight));
    for (int i = 0; i < lnRows; ++i) {
        const double y = top + headerHeight + i * rowHeight;
        painter.drawText(cellRect(0, y, rowNumberWidth, rowHeight), Qt::AlignCenter,
                         QString::number(lnFirstRow + i + 1));
        if (i > 0)
            painter.drawLine(QLineF(0, y, right, y));
    }
    painter.drawRect(QRectF(0, top, right, bottom - top));
}
