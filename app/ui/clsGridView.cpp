// Header set-up, widths and painting control of the grid view.
#include "clsGridView.h"

#include "clsGridDelegate.h"
#include "clsGridModel.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// Room above and below a line of text in a row.
constexpr int kRowPadding = 6;

int RowHeight(const QFont& font)
{
    return QFontMetrics(font).height() + kRowPadding;
}

} // namespace

clsGridView::clsGridView(QWidget* parent) : QTableView(parent), delegate(new clsGridDelegate(this))
{
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(RowHeight(font()));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The current cell shows by its focus frame and selection colour instead.
    horizontalHeader()->setHighlightSections(false);
    rows->setHighlightSections(false);
    setItemDelegate(delegate);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
}

void clsGridView::SetGridModel(clsGridModel* gridModel)
{
    model = gridModel;
    setModel(gridModel);
    connect(gridModel, &QAbstractItemModel::modelReset, this, &clsGridView::UpdateRowHeaderWidth);
    connect(gridModel, &QAbstractItemModel::rowsInserted, this, &clsGridView::UpdateRowHeaderWidth);
    connect(gridModel, &QAbstractItemModel::rowsRemoved, this, &clsGridView::UpdateRowHeaderWidth);
    UpdateRowHeaderWidth();
}

void clsGridView::ApplyLook(const QFont& font, bool bLineBreaks, const std::vector<double>& widths)
{
    setFont(font);
    const int height = RowHeight(font);
    // Every row takes the default size, so changing it touches every row: only on a change.
    if (verticalHeader()->defaultSectionSize() != height)
        verticalHeader()->setDefaultSectionSize(height);
    delegate->SetLineBreaks(bLineBreaks);
    const double unit = CharWidth();
    const int margins = CellMargins();
    for (size_t i = 0; i < widths.size(); ++i) {
        const int column = static_cast<int>(i);
        int width = static_cast<int>(std::lround(widths[i] * unit));
        if (model && column < model->columnCount()) {
            const int fit = model->Column(column + 1).nFitChars;
            if (fit > 0)
                width = std::max(width, static_cast<int>(std::ceil(fit * unit)) + margins);
        }
        setColumnWidth(column, width);
    }
    UpdateRowHeaderWidth();
}

double clsGridView::CharWidth() const
{
    const QFontMetricsF metrics(font());
    double widest = metrics.horizontalAdvance(u"あ"_s) / 2;
    for (const QChar c : u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-"_s)
        widest = std::max(widest, metrics.horizontalAdvance(c));
    return std::max(widest, 1.0);
}

int clsGridView::CellMargins() const
{
    const int text = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return 2 * text + (showGrid() ? 1 : 0);
}

double clsGridView::ColumnWidthUnits(int lnCol) const
{
    return columnWidth(lnCol - 1) / CharWidth();
}

void clsGridView::UpdateRowHeaderWidth()
{
    QFont bold = font();
    bold.setBold(true);
    const int rows = std::max(model ? model->rowCount() : 0, 1);
    const double text = QFontMetricsF(bold).horizontalAdvance(QString::number(rows));
    verticalHeader()->setFixedWidth(static_cast<int>(std::ceil(text * 1.8)));
}

clsGridView::clsPaintLock::clsPaintLock(clsGridView& grid) : view(grid)
{
    if (view.paintLocks++ == 0)
        view.setUpdatesEnabled(false);
}

clsGridView::clsPaintLock::~clsPaintLock()
{
    if (--view.paintLocks == 0)
        view.setUpdatesEnabled(true);
}
