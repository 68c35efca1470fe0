// The find-and-replace engine: matching cells and walking a document's rows and columns.
#pragma once

#include "clsLikePattern.h"

#include <QRegularExpression>
#include <QString>

#include <optional>

class clsDocument;

// What the find window collects: the key, the replacement and the options.
struct clsFindOptions
{
    QString key;
    QString replacement;
    // Partial match with wildcards, upper-cased; never together with caseSensitive.
    bool partial = false;
    bool caseSensitive = false;
    // With partial: only the occurrences of the key are replaced, not the whole cell.
    bool replacePart = false;
    bool allColumns = false;
    // The key is a regular expression (partial: found anywhere, else the whole cell).
    bool regex = false;
    // The column searched while allColumns is off, and the number of columns, from 1.
    int column = 1;
    int columns = 1;
};

// Finds and replaces in one document, keeping the position from which the next step goes on
// between calls. Every replacement is an undoable step of the document; replacing all is one.
class clsFindEngine
{
public:
    struct Hit
    {
        bool found = false;
        int row = 0;
        int col = 0;
    };

    explicit clsFindEngine(clsDocument& document);

    // Takes new options; false (with the reason in ErrorText) when the key is an invalid
    // regular expression.
    bool SetOptions(const clsFindOptions& options);
    const clsFindOptions& Options() const { return opts; }
    QString ErrorText() const { return errorText; }

    // Whether a cell's text matches the key under the options.
    bool Matches(const QString& szCell) const;
    // The text a matching cell gets.
    QString Replaced(const QString& szCell) const;

    // The next matching cell from the search position on; not found resets the position.
    Hit FindNext();
    // Replaces the next matching cell after the search position.
    Hit ReplaceNext();
    // Replaces every matching cell as one step; the number of matching cells. hitLast gets
    // the last of them.
    int ReplaceAll(Hit* hitLast = nullptr);

    int SearchRow() const { return searchRow; }
    int SearchCol() const { return searchCol; }
    void SetSearchPosition(int lnRow, int lnCol);

    static QString NotFoundText(const QString& szKey);
    static QString ReplacedText(int lnCount);

private:
    // The first match from (lnRow, lnCol) on, in the selected column or across all columns
    // (continuing at column 1 on the following rows).
    Hit Scan(int lnRow, int lnCol) const;
    void Replace(const Hit& hit);

    clsDocument& doc;
    clsFindOptions opts;
    QString upperKey;
    std::optional<clsLikePattern> like;
    QRegularExpression expression;
    QString errorText;
    int searchRow = 1;
    int searchCol = 1;
};
