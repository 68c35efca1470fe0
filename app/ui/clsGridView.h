// The grid view of a document window: a table view over clsGridModel.
#pragma once

#include <QTableView>

#include <vector>

class clsGridDelegate;
class clsGridModel;

// Row numbers in a fixed-height vertical header, widths in character units of the grid
// font, cell editors with the columns' input limits and suspendable painting.
//
// A width of w units is w times the grid font's half-width character advance in pixels,
// rounded: a unit is one half-width character (a full-width one takes two), so widths
// remembered in units survive a change of font or screen. A column never gets narrower than
// its look's nFitChars units plus the cell's text margins, so a member's declared width shows
// whole. The headers never highlight the current row or column: a bold row number means an
// unsaved change only.
class clsGridView : public QTableView
{
    Q_OBJECT

public:
    explicit clsGridView(QWidget* parent = nullptr);

    // Set before setModel would walk every row: the vertical header is already fixed.
    void SetGridModel(clsGridModel* gridModel);
    clsGridModel* GridModel() const { return model; }
    clsGridDelegate* Delegate() const { return delegate; }

    // Font of the cells and headers, line breaks in cells, and the columns' widths in units.
    void ApplyLook(const QFont& font, bool bLineBreaks, const std::vector<double>& widths);
    // Pixels per width unit: the widest digit, capital or hyphen (the characters of codes), or
    // half a full-width character if that is wider.
    double CharWidth() const;
    // Pixels a cell adds around its text: the text margins on both sides and the grid line.
    int CellMargins() const;
    double ColumnWidthUnits(int lnCol) const;

    // Suspends painting while it lives; nested suspensions resume with the outermost.
    class clsPaintLock
    {
    public:
        explicit clsPaintLock(clsGridView& view);
        ~clsPaintLock();
        clsPaintLock(const clsPaintLock&) = delete;
        clsPaintLock& operator=(const clsPaintLock&) = delete;

    private:
        clsGridView& view;
    };

private:
    // The row-number column: 1.8 times the width of the largest row number.
    void UpdateRowHeaderWidth();

    clsGridModel* model = nullptr;
    clsGridDelegate* delegate = nullptr;
    int paintLocks = 0;
};
