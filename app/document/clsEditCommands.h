// The undoable steps of a document: cell changes, inserted, removed, moved and reordered rows.
#pragma once

#include <QUndoCommand>

#include <functional>
#include <string>
#include <vector>

class clsDocument;

// A step of a document's undo stack. It reaches the document's single-step operations, so
// the document stays the only code that changes records and announces it.
class clsEditCommand : public QUndoCommand
{
public:
    clsEditCommand(clsDocument& document, const QString& szText);

protected:
    void PutRows(const std::vector<int>& aRows, const std::vector<std::string>& aImages,
                 bool bMark);
    void PutInsert(int lnRow, const std::vector<std::string>& aImages, bool bMark);
    void PutRemove(int lnRow, int lnCount);
    void PutMove(int lnRow, int lnCount, int lnDest);
    void PutOrder(const std::vector<int>& aOrder);
    void PutMarks(int lnTop, const std::vector<bool>& aMarks);
    void PutAll(const std::vector<std::string>& aImages, bool bMark);
    void PutAll(const std::function<void()>& change);
    bool LeavingSaved(bool bUndo) const;
    std::string RowImage(int lnRow) const;
    std::vector<bool> Marks(int lnTop, int lnCount) const;
    void RestoreEmpty() const;
    void EndEmpty() const;

    clsDocument& doc;
    const bool emptyBefore;
};

// New contents for some rows, kept as row images before and after.
class clsSetRowsCommand : public clsEditCommand
{
public:
    // aRows ascending; change runs on the first redo and changes nothing but those rows.
    clsSetRowsCommand(clsDocument& document, const QString& szText, std::vector<int> aRows,
                      std::function<void()> change);
    void undo() override;
    void redo() override;

private:
    std::vector<int> rows;
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::function<void()> firstChange;
};

// A new set of rows, perhaps of another count, kept as the images of every row before and
// after.
class clsSetAllRowsCommand : public clsEditCommand
{
public:
    // change runs on the first redo and may change the row count and any cell.
    clsSetAllRowsCommand(clsDocument& document, const QString& szText,
                         std::function<void()> change);
    void undo() override;
    void redo() override;

private:
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::function<void()> firstChange;
};

class clsInsertRowsCommand : public clsEditCommand
{
public:
    clsInsertRowsCommand(clsDocument& document, int lnRow, int lnCount);
    void undo() override;
    void redo() override;

private:
    int row;
    int count;
};

class clsRemoveRowsCommand : public clsEditCommand
{
public:
    clsRemoveRowsCommand(clsDocument& document, int lnRow, int lnCount);
    void undo() override;
    void redo() override;

private:
    int row;
    std::vector<std::string> images;
};

class clsMoveRowsCommand : public clsEditCommand
{
public:
    clsMoveRowsCommand(clsDocument& document, int lnRow, int lnCount, int lnDest);
    void undo() override;
    void redo() override;

private:
    // The first row and the size of the span of rows that change their position.
    int SpanTop() const;
    int SpanCount() const;

    int row;
    int count;
    int dest;
    std::vector<bool> marksBefore;
};

class clsReorderRowsCommand : public clsEditCommand
{
public:
    clsReorderRowsCommand(clsDocument& document, const QString& szText, std::vector<int> aOrder);
    void undo() override;
    void redo() override;

private:
    std::vector<int> order;
    std::vector<int> inverse;
};
