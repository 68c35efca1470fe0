// Format selection, edits, their history, loading and saving of a document.
#include "clsDocument.h"

#include "clsEditCommands.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsRecordWriter.h"

#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;

clsDocument::clsDocument(QObject* parent) : QObject(parent)
{
    connect(&history, &QUndoStack::indexChanged, this, &clsDocument::ClearMarksAtSavedState);
    // Only once a step is on the stack (or off it) does bDirty tell the truth.
    connect(&history, &QUndoStack::indexChanged, this, &clsDocument::Changed);
}

clsDocument::~clsDocument()
{
    // The commands refer to the document: they go while it is still whole, and nobody
    // listens any more.
    blockSignals(true);
    history.blockSignals(true);
    history.clear();
}

bool clsDocument::SetMode(int aMode)
{
    if (aMode < 1 || aMode > gFormats().Count()) {
        gMsgBox().Critical(u"Modeプロパティに不正な値が代入されました。処理を終了します。"_s,
                           AppTitle());
        return false;
    }
    mode = aMode;
    formatName = gFormats().Format(aMode)->FormatName;
    return true;
}

const clsFormat* clsDocument::Format() const
{
    return mode >= 1 && mode <= gFormats().Count() ? gFormats().Format(mode) : nullptr;
}

void clsDocument::SetCellText(int lnRow, int lnCol, const QString& szText)
{
    if (lnRow < 1 || lnRow > RowCount() || lnCol < 1 || szText == Text(lnRow, lnCol))
        return;
    history.push(new clsSetRowsCommand(*this, u"入力"_s, {lnRow}, [this, lnRow, lnCol, szText] {
        records.SetText(lnRow, lnCol, szText);
    }));
}

void clsDocument::SetBlock(int lnTop, int lnLeft, const std::vector<QStringList>& aRows,
                           int lnColumns, const QString& szStep)
{
    if (lnTop < 1 || lnLeft < 1 || lnLeft > lnColumns || lnTop > RowCount() || aRows.empty())
        return;
    const int bottom = std::min(lnTop + static_cast<int>(aRows.size()) - 1, RowCount());
    std::vector<int> rows;
    for (int row = lnTop; row <= bottom; ++row)
        rows.push_back(row);
    history.push(new clsSetRowsCommand(*this, szStep, std::move(rows), [=] {
        for (int row = lnTop; row <= bottom; ++row) {
            const QStringList& cells = aRows[static_cast<size_t>(row - lnTop)];
            const int last = std::min(lnLeft + static_cast<int>(cells.size()) - 1, lnColumns);
            for (int col = lnLeft; col <= last; ++col)
                records.SetText(row, col, cells.at(col - lnLeft));
        }
    }));
}

void clsDocument::SetCells(std::vector<clsCellText> aCells, const QString& szStep)
{
    const int rowCount = RowCount();
    aCells.erase(std::remove_if(aCells.begin(), aCells.end(),
                                [rowCount](const clsCellText& cell) {
                                    return cell.row < 1 || cell.row > rowCount || cell.col < 1;
                                }),
                 aCells.end());
    if (aCells.empty())
        return;
    const auto byRow = [](const clsCellText& a, const clsCellText& b) { return a.row < b.row; };
    if (!std::is_sorted(aCells.begin(), aCells.end(), byRow))
        std::stable_sort(aCells.begin(), aCells.end(), byRow);
    std::vector<int> rows;
    for (const clsCellText& cell : aCells) {
        if (rows.empty() || rows.back() != cell.row)
            rows.push_back(cell.row);
    }
    auto cells = std::make_shared<std::vector<clsCellText>>(std::move(aCells));
    history.push(new clsSetRowsCommand(*this, szStep, std::move(rows), [this, cells] {
        for (const clsCellText& cell : *cells)
            records.SetText(cell.row, cell.col, cell.text);
        // Only the first redo needs the texts; later ones put back row images.
        cells->clear();
        cells->shrink_to_fit();
    }));
}

void clsDocument::InsertRows(int lnRow, int lnCount)
{
    if (lnRow < 1 || lnRow > RowCount() + 1 || lnCount <= 0)
        return;
    history.push(new clsInsertRowsCommand(*this, lnRow, lnCount));
}

void clsDocument::RemoveRows(int lnRow, int lnCount)
{
    if (lnRow < 1 || lnCount <= 0 || lnRow + lnCount - 1 > RowCount())
        return;
    history.push(new clsRemoveRowsCommand(*this, lnRow, lnCount));
}

void clsDocument::MoveRows(int lnRow, int lnCount, int lnDest)
{
    if (lnRow < 1 || lnCount <= 0 || lnRow + lnCount - 1 > RowCount() || lnDest < 1 ||
        lnDest > RowCount() + 1 || (lnDest >= lnRow && lnDest <= lnRow + lnCount))
        return;
    history.push(new clsMoveRowsCommand(*this, lnRow, lnCount, lnDest));
}

void clsDocument::ReorderRows(const std::vector<int>& aOrder, const QString& szStep)
{
    if (aOrder.size() != static_cast<size_t>(RowCount()))
        return;
    std::vector<bool> seen(aOrder.size());
    for (const int row : aOrder) {
        if (row < 1 || row > RowCount() || seen[static_cast<size_t>(row - 1)])
            return;
        seen[static_cast<size_t>(row - 1)] = true;
    }
    history.push(new clsReorderRowsCommand(*this, szStep, aOrder));
}

void clsDocument::FillColumns(int lnRows, const std::vector<int>& aCols,
                              const std::function<QString(int lnRow, int lnCol)>& cell,
                              const QString& szStep)
{
    if (lnRows < 0)
        return;
    history.push(new clsSetAllRowsCommand(*this, szStep, [this, lnRows, aCols, cell] {
        records.SetRowCount(lnRows);
        for (int row = 1; row <= lnRows; ++row) {
            for (const int col : aCols)
                records.SetText(row, col, cell(row, col));
            records.SetMarked(row, true);
        }
    }));
}

void clsDocument::PutRows(const std::vector<int>& aRows, const std::vector<std::string>& aImages,
                          bool bMark)
{
    if (aRows.empty())
        return;
    for (size_t i = 0; i < aRows.size(); ++i) {
        if (i < aImages.size())
            records.SetRowImage(aRows[i], aImages[i]);
        if (bMark)
            records.SetMarked(aRows[i], true);
    }
    emit RowsChanged(aRows.front(), aRows.back());
}

void clsDocument::PutInsert(int lnRow, const std::vector<std::string>& aImages, bool bMark)
{
    const int count = static_cast<int>(aImages.size());
    emit RowsAboutToBeInserted(lnRow, count);
    records.InsertRowImages(lnRow, aImages);
    if (bMark) {
        for (int row = lnRow; row < lnRow + count; ++row)
            records.SetMarked(row, true);
    }
    emit RowsInserted(lnRow, count);
}

void clsDocument::PutRemove(int lnRow, int lnCount)
{
    emit RowsAboutToBeRemoved(lnRow, lnCount);
    records.RemoveRows(lnRow, lnCount);
    emit RowsRemoved(lnRow, lnCount);
}

void clsDocument::PutMove(int lnRow, int lnCount, int lnDest)
{
    emit RowsAboutToBeMoved(lnRow, lnCount, lnDest);
    records.MoveRows(lnRow, lnCount, lnDest);
    emit RowsMoved(lnRow, lnCount, lnDest);
}

void clsDocument::PutOrder(const std::vector<int>& aOrder)
{
    emit AboutToReset();
    records.Reorder(aOrder);
    emit ResetDone();
}

void clsDocument::PutMarks(int lnTop, const std::vector<bool>& aMarks)
{
    if (aMarks.empty())
        return;
    for (size_t i = 0; i < aMarks.size(); ++i)
        records.SetMarked(lnTop + static_cast<int>(i), aMarks[i]);
    emit MarksChanged(lnTop, lnTop + static_cast<int>(aMarks.size()) - 1);
}

void clsDocument::PutAll(const std::vector<std::string>& aImages, bool bMark)
{
    emit AboutToReset();
    records.SetRowCount(0);
    records.InsertRowImages(1, aImages);
    if (bMark) {
        for (int row = 1; row <= RowCount(); ++row)
            records.SetMarked(row, true);
    }
    emit ResetDone();
}

void clsDocument::PutAll(const std::function<void()>& change)
{
    emit AboutToReset();
    change();
    emit ResetDone();
}

bool clsDocument::LeavingSaved(bool bUndo) const
{
    // While a step is undone the stack's index still counts it; while it is redone, not yet.
    const int step = bUndo ? history.index() : history.index() + 1;
    return step <= history.cleanIndex();
}

void clsDocument::ClearMarksAtSavedState(int lnIndex)
{
    if (lnIndex != history.cleanIndex() || RowCount() == 0)
        return;
    records.ClearMarks();
    emit MarksChanged(1, RowCount());
}

void clsDocument::StartHistory()
{
    history.clear();
    history.setClean();
}

void clsDocument::Clear(int lnRows)
{
    emit AboutToReset();
    StartHistory();
    records = clsRecords();
    records.SetRowCount(lnRows);
    headerBytes.clear();
    if (const clsFormat* format = Format()) {
        charSet = format->CharSet;
        lineEnd = gFormatInfo().GetCRLF(format->CRLF);
    }
    readMode = mode;
    empty = true;
    emit ResetDone();
    emit Changed();
}

void clsDocument::ReplaceRecords(clsRecords&& aRecords)
{
    emit AboutToReset();
    StartHistory();
    records = std::move(aRecords);
    readMode = mode;
    empty = false;
    emit ResetDone();
    emit Changed();
}

clsReadResult clsDocument::Load(int lnCharSet, int lnCRLF,
                                const clsRecordReader::Progress& progress)
{
    const clsFormat* format = Format();
    if (!format)
        return {};
    charSet = lnCharSet >= 1 ? lnCharSet : format->CharSet;
    lineEnd = lnCRLF >= 1 ? lnCRLF : gFormatInfo().GetCRLF(format->CRLF);
    emit AboutToReset();
    StartHistory();
    // The old records go first: a large file should not have to share memory with them.
    records = clsRecords();
    clsReadResult result = clsRecordReader(*format, records, progress).ReadRecords(file, charSet);
    if (result.lnCRLF >= 0)
        lineEnd = result.lnCRLF;
    headerBytes = result.szHeaderBytes;
    readMode = mode;
    empty = false;
    emit ResetDone();
    emit Changed();
    return result;
}

bool clsDocument::Save(const QString& szPath, int lnCharSet, int lnCRLF,
                       const clsRecordReader::Progress& progress)
{
    const clsFormat* format = Format();
    if (!format)
        return false;
    const int newCharSet = lnCharSet >= 1 ? lnCharSet : format->CharSet;
    const int newLineEnd = lnCRLF >= 1 ? lnCRLF : gFormatInfo().GetCRLF(format->CRLF);
    QByteArray header = headerBytes;
    clsRecordWriter writer(*format, records, progress);
    writer.KeepUnchangedCells(mode == readMode);
    if (!writer.WriteRecords(szPath, newCharSet, newLineEnd, header))
        return false;
    file = szPath;
    charSet = newCharSet;
    lineEnd = newLineEnd;
    headerBytes = header;
    records.ClearMarks();
    history.setClean();
    if (RowCount() > 0)
        emit MarksChanged(1, RowCount());
    emit Changed();
    return true;
}
