// Matching, finding and replacing cells of a document.
#include "clsFindEngine.h"

#include "clsDocument.h"

#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

clsFindEngine::clsFindEngine(clsDocument& document) : doc(document) {}

bool clsFindEngine::SetOptions(const clsFindOptions& options)
{
    opts = options;
    errorText.clear();
    upperKey = opts.key.toUpper();
    like.reset();
    expression = QRegularExpression();
    if (opts.regex) {
        const QString pattern =
            opts.partial ? opts.key : QRegularExpression::anchoredPattern(opts.key);
        expression.setPattern(pattern);
        expression.setPatternOptions(opts.caseSensitive
                                         ? QRegularExpression::UseUnicodePropertiesOption
                                         : QRegularExpression::UseUnicodePropertiesOption |
                                               QRegularExpression::CaseInsensitiveOption);
        if (!expression.isValid()) {
            errorText = u"正規表現に誤りがあります（%1文字目）: %2"_s.arg(
                QString::number(expression.patternErrorOffset() + 1), expression.errorString());
            return false;
        }
        expression.optimize();
    } else if (opts.partial) {
        like.emplace(u"*"_s + upperKey + u"*"_s);
    }
    return true;
}

void clsFindEngine::SetSearchPosition(int lnRow, int lnCol)
{
    searchRow = lnRow;
    searchCol = lnCol;
}

bool clsFindEngine::Matches(const QString& szCell) const
{
    if (opts.regex)
        return expression.isValid() && expression.match(szCell).hasMatch();
    if (like)
        return like->Matches(szCell.toUpper());
    if (opts.caseSensitive)
        return szCell == opts.key;
    return szCell.toUpper() == upperKey;
}

QString clsFindEngine::Replaced(const QString& szCell) const
{
    if (!(opts.partial && opts.replacePart))
        return opts.replacement;
    QString text = szCell;
    if (opts.regex)
        return text.replace(expression, opts.replacement);
    // Only the key's own characters are replaced, as typed; an empty key replaces nothing.
    if (opts.key.isEmpty() || !text.contains(opts.key, Qt::CaseSensitive))
        return text;
    return text.replace(opts.key, opts.replacement, Qt::CaseSensitive);
}

clsFindEngine::Hit clsFindEngine::Scan(int lnRow, int lnCol) const
{
    const int rows = doc.RowCount();
    for (int row = std::max(lnRow, 1); row <= rows; ++row) {
        if (!opts.allColumns) {
            if (Matches(doc.Text(row, opts.column)))
                return {true, row, opts.column};
            continue;
        }
        for (int col = row == lnRow ? std::max(lnCol, 1) : 1; col <= opts.columns; ++col) {
            if (Matches(doc.Text(row, col)))
                return {true, row, col};
        }
    }
    return {};
}

void clsFindEngine::Replace(const Hit& hit)
{
    doc.SetCells({{hit.row, hit.col, Replaced(doc.Text(hit.row, hit.col))}}, u"置換"_s);
}

clsFindEngine::Hit clsFindEngine::FindNext()
{
    const Hit hit = Scan(searchRow, searchCol);
    if (!hit.found) {
        SetSearchPosition(1, 1);
    } else if (!opts.allColumns) {
        SetSearchPosition(hit.row + 1, hit.col);
    } else if (hit.col + 1 > opts.columns) {
        SetSearchPosition(hit.row + 1, 1);
    } else {
        SetSearchPosition(hit.row, hit.col + 1);
    }
    return hit;
}

clsFindEngine::Hit clsFindEngine::ReplaceNext()
{
    const Hit hit = Scan(searchRow + 1, searchCol);
    if (!hit.found) {
        // The next search then starts at row 1.
        SetSearchPosition(0, 1);
        return hit;
    }
    Replace(hit);
    SetSearchPosition(hit.row, hit.col);
    return hit;
}

int clsFindEngine::ReplaceAll(Hit* hitLast)
{
    std::vector<clsCellText> cells;
    const int rows = doc.RowCount();
    const int first = opts.allColumns ? 1 : opts.column;
    const int last = opts.allColumns ? opts.columns : opts.column;
    for (int row = 1; row <= rows; ++row) {
        for (int col = first; col <= last; ++col) {
            const QString text = doc.Text(row, col);
            if (Matches(text))
                cells.push_back({row, col, Replaced(text)});
        }
    }
    const int count = static_cast<int>(cells.size());
    if (count > 0) {
        const Hit hit{true, cells.back().row, cells.back().col};
        if (hitLast)
            *hitLast = hit;
        searchRow = hit.row;
        doc.SetCells(std::move(cells), u"全て置換"_s);
    }
    return count;
}

QString clsFindEngine::NotFoundText(const QString& szKey)
{
    return u"["_s + szKey + u"] に一致するデータは見つかりませんでした。"_s;
}

QString clsFindEngine::ReplacedText(int lnCount)
{
    return QString::number(lnCount) + u" 件のデータを置換しました。"_s;
}
