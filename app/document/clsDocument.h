// A data document without any window: its records, format, file, state and edit history.
#pragma once

#include "clsRecordReader.h"
#include "clsRecords.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <functional>
#include <string>
#include <vector>

class clsFormat;

// The new text of one cell of a bulk change; rows and columns count from 1.
struct clsCellText
{
    int row = 0;
    int col = 0;
    QString text;
};

// One open data file (or new document): the records in the layout of one format of the
// store, the file's character set and line end, and whether anything changed since the
// last load or save. Loading needs no window, so batch work can use it directly.
//
// The document is the only way its records change. Every edit is one step of its undo
// stack; applying or undoing a step marks the changed rows and announces the change through
// the signals, which the grid adapter translates for its view. The document is changed
// (bDirty) exactly while the stack is away from the state of the last load or save.
class clsDocument : public QObject
{
    Q_OBJECT

public:
    explicit clsDocument(QObject* parent = nullptr);
    ~clsDocument() override;

    // Position of the document's format in gFormats(); 0 until one is selected.
    int Mode() const { return mode; }
    // Selects the format at aMode; outside the store a Critical box says that processing
    // ends, the format stays as it was and the result is false: the caller ends the work.
    bool SetMode(int aMode);
    // The selected format; null before one is selected.
    const clsFormat* Format() const;
    QString szFormatName() const { return formatName; }

    QString szFile() const { return file; }
    void SetFile(const QString& szPath) { file = szPath; }
    // The name shown for the document: its file's name, or 新規n.txt for a new document.
    QString szFileName() const { return fileName; }
    void SetFileName(const QString& szName) { fileName = szName; }
    // The number the main window gave the document.
    int nID() const { return id; }
    void SetID(int nValue) { id = nValue; }
    int lnCharSet() const { return charSet; }
    void SetCharSet(int lnValue) { charSet = lnValue; }
    int lnCRLF() const { return lineEnd; }
    void SetCRLF(int lnValue) { lineEnd = lnValue; }
    // The skipped head of a binary file, written back unchanged when it is saved.
    QByteArray szHeaderBytes() const { return headerBytes; }
    bool bDirty() const { return !history.isClean(); }
    // A new document nobody has typed into yet.
    bool bEmpty() const { return empty; }

    const clsRecords& Records() const { return records; }
    int RowCount() const { return records.RowCount(); }
    QString Text(int lnRow, int lnCol) const { return records.Text(lnRow, lnCol); }
    QUndoStack& UndoStack() { return history; }

    // Edits, each one undoable step; rows and columns count from 1. Cell changes mark their
    // rows and end bEmpty; inserting and removing rows mark nothing and leave bEmpty.
    // Typing into one cell; unchanged text is no step.
    void SetCellText(int lnRow, int lnCol, const QString& szText);
    // Writes rows of cells from (lnTop, lnLeft) on, clipped to the document's rows and
    // lnColumns columns (a paste or the clearing of a cut block).
    void SetBlock(int lnTop, int lnLeft, const std::vector<QStringList>& aRows, int lnColumns,
                  const QString& szStep);
    // Writes every cell (ordered by row; cells outside the rows are left out) as one step,
    // even where the text stays the same: the rows count as changed.
    void SetCells(std::vector<clsCellText> aCells, const QString& szStep);
    void InsertRows(int lnRow, int lnCount);
    void RemoveRows(int lnRow, int lnCount);
    // Moves lnCount rows from lnRow to stand before row lnDest (numbered before the move);
    // every row that changes its position is marked.
    void MoveRows(int lnRow, int lnCount, int lnDest);
    // Row i takes the cells of row aOrder[i - 1] (a permutation of 1..RowCount()); the
    // change marks stay at their positions, as after a sort.
    void ReorderRows(const std::vector<int>& aOrder, const QString& szStep);
    // Gives the document lnRows rows (rows past it go, new ones come empty) and writes into
    // every row the cells of the columns aCols that cell makes, called once per cell in row
    // order; one step that marks every row (generated data).
    void FillColumns(int lnRows, const std::vector<int>& aCols,
                     const std::function<QString(int lnRow, int lnCol)>& cell,
                     const QString& szStep);

    // Empties the document to lnRows empty rows, unchanged, with the format's own character
    // set and line end.
    void Clear(int lnRows);
    // Takes records built elsewhere as the document's unchanged content (no undo step).
    void ReplaceRecords(clsRecords&& aRecords);
    // Reads szFile (which must be set) in the document's format. A character set or line end
    // below 1 means the format's own; a text file's own line end then replaces the line end.
    // Questions and reports go through gMsgBox().
    clsReadResult Load(int lnCharSet, int lnCRLF, const clsRecordReader::Progress& progress = {});
    // Writes the records to szPath in the document's format; a character set or line end
    // below 1 means the format's own. A save replaces szPath only once every record is
    // written; then the document belongs to szPath with that character set and line end, and
    // its changes are saved. After a failure (reported through gMsgBox()) nothing changed.
    bool Save(const QString& szPath, int lnCharSet, int lnCRLF,
              const clsRecordReader::Progress& progress = {});

signals:
    // The records are replaced wholesale (a load, a clear).
    void AboutToReset();
    void ResetDone();
    void RowsAboutToBeInserted(int lnRow, int lnCount);
    void RowsInserted(int lnRow, int lnCount);
    void RowsAboutToBeRemoved(int lnRow, int lnCount);
    void RowsRemoved(int lnRow, int lnCount);
    void RowsAboutToBeMoved(int lnRow, int lnCount, int lnDest);
    void RowsMoved(int lnRow, int lnCount, int lnDest);
    // Cells of rows lnTop..lnBottom changed (all columns), and with them their marks.
    void RowsChanged(int lnTop, int lnBottom);
    // Only change marks changed, on rows lnTop..lnBottom.
    void MarksChanged(int lnTop, int lnBottom);
    // After every edit, undo or redo, load and save: bDirty, bEmpty or the row count may have
    // changed.
    void Changed();

private:
    friend class clsEditCommand;

    // The single steps the edit commands apply.
    void PutRows(const std::vector<int>& aRows, const std::vector<std::string>& aImages,
                 bool bMark);
    void PutInsert(int lnRow, const std::vector<std::string>& aImages, bool bMark);
    void PutRemove(int lnRow, int lnCount);
    void PutMove(int lnRow, int lnCount, int lnDest);
    void PutOrder(const std::vector<int>& aOrder);
    void PutMarks(int lnTop, const std::vector<bool>& aMarks);
    // Replaces every row: by the images given, or by what change makes of the records.
    void PutAll(const std::vector<std::string>& aImages, bool bMark);
    void PutAll(const std::function<void()>& change);
    void SetEmptyState(bool bValue) { empty = bValue; }
    // True while undoing (or redoing) a step moves away from the saved state, so the rows it
    // touches differ from the file whatever marks they had.
    bool LeavingSaved(bool bUndo) const;
    // A fresh, clean history for records that are what the file holds.
    void StartHistory();
    void ClearMarksAtSavedState(int lnIndex);

    clsRecords records;
    QUndoStack history;
    int mode = 0;
    // The format the records were read in: their unchanged cells are kept byte for byte
    // only when they are saved in it again.
    int readMode = 0;
    QString formatName;
    QString file;
    QString fileName;
    int id = 0;
    int charSet = 1;
    int lineEnd = 1;
    QByteArray headerBytes;
    bool empty = true;
};
