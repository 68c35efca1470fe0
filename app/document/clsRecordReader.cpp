// The record readers: Skiff's line table and byte stream turned into rows of cells.
#include "clsRecordReader.h"

#include "Module1.h"
#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"
#include "clsMessenger.h"
#include "clsReadFailure.h"
#include "clsRecordReaderCells.h"
#include "clsRecords.h"
#include "clsSkiff.h"

#include <QFileInfo>
#include <QStringList>

#include <climits>
#include <cstring>
#include <new>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr size_t kFieldBuffer = 2048;
// Progress is reported once per this many records.
constexpr int kProgressStep = 16384;
// Lines left to Skiff that a file may begin with before its lines stop being cut here.
constexpr int kUncutLinesTried = 16;

QByteArrayView Terminated(const char* text)
{
    return QByteArrayView(text, static_cast<qsizetype>(std::strlen(text)));
}

} // namespace

namespace {

bool HasStringMember(const clsFormat& format)
{
    for (int i = 1; i <= format.MemCount(); ++i) {
        if (format.Members(i)->MemType == 5)
            return true;
    }
    return false;
}

} // namespace

size_t clsRecordReader::FixedFieldBytes(int lnLineLength)
{
    return static_cast<size_t>(std::max(lnLineLength, 0)) * 2 + 4;
}

int clsRecordReader::SkiffSize(size_t nBytes)
{
    return static_cast<int>(std::min<size_t>(nBytes, INT_MAX));
}

clsRecordReader::clsRecordReader(const clsFormat& fmt, clsRecords& target, Progress report)
    : format(fmt), records(target), progress(std::move(report)), buffer(kFieldBuffer)
{}

namespace {

// A load allocates and frees buffers of tens of megabytes (Skiff's content, line table and
// delimiter bits) around the records it keeps. The C library's default raises its threshold
// for mapping blocks of their own each time such a block is freed, so that the next load
// takes its buffers from the heap, between the kept records, where freeing them returns
// nothing: a fixed threshold keeps every large buffer in a mapping of its own.
void KeepLargeBuffersMapped()
{
#ifdef __GLIBC__
    static const bool fixed = mallopt(M_MMAP_THRESHOLD, 1 << 20) != 0;
    (void)fixed;
#endif
}

} // namespace

clsReadResult clsRecordReader::ReadRecords(const QString& szPath, int lnCharSet)
{
    KeepLargeBuffersMapped();
    charSet = lnCharSet < 1 ? format.CharSet : lnCharSet;
    filePath = szPath;
    const QByteArray path = clsSkiff::NativePath(szPath);
    const int firstRow = records.RowCount();
    QString error;
    bool normal = false;
    // Text is converted field by field in fixed-length files, so Skiff's own check at opening
    // does not see the character set: it is checked here for every file with text.
    const bool bConverts = format.FileType != 3 || HasStringMember(format);
    if (bConverts && (charSet < 1 || charSet > 4))
        openError = clsReadFailure::Text(szPath, SKIFF_STATUS_BAD_CHARSET, charSet);
    else {
        const qint64 fileSize = QFileInfo(szPath).size();
        // Cells take about the file's bytes (a little more for fixed-length text, whose
        // fields keep their padding).
        records.ReserveBytes(rowSink ? 0 : fileSize + fileSize / 8);
        normal = ReadByType(path, fileSize, error);
        records.EndReserve();
        if (normal && rowSink)
            HandRows(true);
    }
    const int convErrors = skiff::GetConvErrCnt() + substitutions - sinkConvErrors;
    skiff::Terminate();

    if (normal) {
        // Only whole records have rows: the counter may have run one past the last one.
        result.nCount = records.RowCount() - firstRow + handedRows;
    } else {
        // The record being read keeps its row, with the cells read so far.
        if (firstRow + n > records.RowCount())
            records.EndRow();
        result.nCount = n;
        result.bFailed = true;
        gMsgBox().Exclamation(openError.isEmpty()
                                  ? error + u"\r\n"_s + QString::number(n) +
                                        u" 行目のレコードのフォーマットが違います。"_s
                                  : openError,
                              AppTitle());
    }
    if (trailingBytes > 0)
        gMsgBox().Exclamation(
            u"ファイルの末尾の "_s + QString::number(trailingBytes) +
                u" バイトはレコードになりません。保存するとこの部分は失われます。"_s,
            AppTitle());
    if (convErrors > 0)
        WarnSubstitutions(convErrors);
    return result;
}

void clsRecordReader::SetCleanCharSetFinder(CleanCharSetFinder finder)
{
    CleanFinder() = std::move(finder);
}

clsRecordReader::CleanCharSetFinder& clsRecordReader::CleanFinder()
{
    static CleanCharSetFinder finder;
    return finder;
}

void clsRecordReader::WarnSubstitutions(int nConvErrors)
{
    const QString warning = u"変換できない文字が "_s + QString::number(nConvErrors) +
                            u" 文字ありました。〓に置き換えて表示しています。"_s;
    // A binary file's strings are too scattered for one verdict on the whole file.
    const int clean = CleanFinder() && format.FileType != clsFormat::BinaryFile
                          ? CleanFinder()(filePath, charSet)
                          : 0;
    if (clean < 1 || clean == charSet) {
        gMsgBox().Exclamation(warning, AppTitle());
        return;
    }
    const QString name = gFormatInfo().GetCharSetAsName(clean);
    const int answer = gMsgBox().Question(
        warning + u"\r\n"_s + name + u" ならファイル全体を置き換えなしで読み込めます。"_s + name +
            u" で読み込み直しますか？\r\n[はい] で読み込み直し、[いいえ] で読み込んだ内容のままにします。"_s,
        AppTitle());
    if (answer == clsMessenger::Yes)
        result.lnReloadCharSet = clean;
}

bool clsRecordReader::ReadByType(const QByteArray& path, qint64 fileSize, QString& error)
{
    try {
        switch (format.FileType) {
        case 1:
            return ReadDelimited(path);
        case 2:
            return ReadFixed(path);
        case 3:
            return ReadBinary(path, fileSize);
        default:
            // A file type outside the vocabulary cannot be read at all.
            return false;
        }
    } catch (const std::bad_alloc&) {
        records.DropRow();
        error = u"メモリが不足しています。"_s;
    } catch (...) {
        records.DropRow();
        error = u"ファイルの読み込み中にエラーが発生しました。"_s;
    }
    return false;
}

bool clsRecordReader::ReadDelimited(const QByteArray& path)
{
    const QByteArray delimiter = clsCodePage::ToSjis(format.SepChr);
    if (skiff::ReadTxtIni(path.constData(), delimiter.constData(), "\"", charSet,
                          format.CareQuote == 1 ? 1 : 0) != 0)
        return OpenFailed();
    const int rowCount = skiff::GetTxtRowCnt();
    result.lnCRLF = skiff::GetTxtCrLf();
    records.Reserve(records.RowCount() + rowCount);
    // Skiff splits at the delimiter's first byte.
    delimiterByte = delimiter.isEmpty() ? '\0' : delimiter.front();
    bCutLines = true;
    uncutLines = 0;
    return format.CareQuote == 1 ? ReadQuoted(rowCount) : ReadSimple(rowCount);
}

bool clsRecordReader::ReadQuoted(int rowCount)
{
    const int memCount = format.MemCount();
    for (n = 1; n <= rowCount; ++n) {
        const int colCount = skiff::GetTxtColCnt(n);
        if (!AcceptFieldCount(n, colCount))
            return false;
        // Columns past the line's own would run into the next line: those cells stay empty.
        const int readable = std::min(colCount, memCount);
        if (!CutDelimitedLine(colCount, readable) && !ReadColumns(readable))
            return false;
        for (int i = readable + 1; i <= memCount; ++i)
            records.AddCell({});
        records.EndRow();
        Report(n, n, rowCount);
    }
    return true;
}

bool clsRecordReader::CutDelimitedLine(int lnColCount, int lnReadable)
{
    if (!bCutLines)
        return false;
    if (CutColumns(lnColCount, lnReadable))
        return true;
    // Where most lines are left to Skiff, looking at each line first only adds to its calls.
    ++uncutLines;
    bCutLines = uncutLines < kUncutLinesTried || uncutLines * 2 <= n;
    return false;
}

// One call for the line instead of one per column. Where no quote stands anywhere but around
// whole columns, the columns end at each delimiter that is not the trail byte of a double-byte
// character, lose the quotes around them, and only a lone lead byte at the line's end is
// mended: the columns Skiff would hand out.
bool clsRecordReader::CutColumns(int lnColCount, int lnReadable)
{
    const int lineLength = skiff::GetTxtLineLen(n);
    const char* line = WholeLine(lineLength);
    if (line == nullptr)
        return false;
    const auto length = static_cast<size_t>(lineLength) - (lineMended ? 1 : 0);
    columnEnds.clear();
    const char* const end = line + length;
    for (const char* p = line; (p = static_cast<const char*>(std::memchr(
                                    p, delimiterByte, static_cast<size_t>(end - p)))) != nullptr;
         ++p) {
        const auto offset = static_cast<size_t>(p - line);
        if (!clsRecordReaderCells::EndsInLoneLead(line, offset))
            columnEnds.push_back(offset);
    }
    columnEnds.push_back(length);
    // Skiff counted the columns by the same rule: a line where the counts differ is left to it.
    if (columnEnds.size() != static_cast<size_t>(lnColCount))
        return false;
    // Only the last column can end in a lone lead byte, unless the delimiter is a lead-range
    // byte itself: before any other delimiter such a byte would have made the delimiter its trail.
    const bool mendEach =
        clsRecordReaderCells::IsLeadByte(static_cast<unsigned char>(delimiterByte));
    const int substitutionsBefore = substitutions;
    // Most lines of a file hold no quote at all, or most columns don't: one search of the
    // line spares one of each column.
    const bool quotes = std::memchr(line, '"', length) != nullptr;
    size_t start = 0;
    for (size_t i = 0; i < columnEnds.size(); ++i) {
        const char* text = line + start;
        size_t count = columnEnds[i] - start;
        start = columnEnds[i] + 1;
        // Skiff strips the quotes around a column as they stand. A closing quote after a lone
        // lead byte is that byte's trail, though: its column would end in the lead byte mended.
        const bool quoted = quotes && count >= 2 && text[0] == '"' && text[count - 1] == '"' &&
                            !clsRecordReaderCells::EndsInLoneLead(text, count - 1);
        if (quoted) {
            ++text;
            count -= 2;
        }
        if (quotes && std::memchr(text, '"', count) != nullptr) {
            records.DropRow();
            substitutions = substitutionsBefore;
            return false;
        }
        if (i >= static_cast<size_t>(lnReadable))
            continue;
        char* cell = records.CellSpace(count + 2);
        if (!quoted && (mendEach || i + 1 == columnEnds.size())) {
            records.CommitCell(clsRecordReaderCells::CopyMended(cell, text, count, substitutions));
        } else {
            std::memcpy(cell, text, count);
            records.CommitCell(count);
        }
    }
    return true;
}

bool clsRecordReader::ReadColumns(int lnReadable)
{
    const int unescape = format.EscInput == 1 ? 1 : 0;
    for (int i = 1; i <= lnReadable; ++i) {
        // Each column goes straight into the row being built.
        char* text = records.CellSpace(kFieldBuffer);
        if (skiff::GetTxtCol(text, static_cast<int>(kFieldBuffer), n, i, unescape, 1) != 0) {
            const size_t size = static_cast<size_t>(skiff::GetTxtColLen(n, i)) + 1;
            text = records.CellSpace(size);
            if (skiff::GetTxtCol(text, SkiffSize(size), n, i, unescape, 1) != 0)
                return false;
        }
        records.CommitCell(std::strlen(text));
    }
    return true;
}

bool clsRecordReader::ReadSimple(int rowCount)
{
    const int memCount = format.MemCount();
    for (n = 1; n <= rowCount; ++n) {
        char* line = buffer.data();
        if (skiff::GetTxtLine(n, line, static_cast<int>(buffer.size())) != 0) {
            const size_t size = static_cast<size_t>(skiff::GetTxtLineLen(n)) + 1;
            line = Buffer(size);
            if (skiff::GetTxtLine(n, line, SkiffSize(size)) != 0)
                return false;
        }
        QStringList fields;
        const int fieldCount = Module1::SplitFields(
            fields, clsCodePage::FromSjis(line, static_cast<qsizetype>(std::strlen(line))),
            format.SepChr);
        if (!AcceptFieldCount(n, fieldCount))
            return false;
        for (int i = 1; i <= memCount; ++i) {
            if (i > fieldCount) {
                records.AddCell({});
                continue;
            }
            const QByteArray field = clsCodePage::ToSjis(fields.at(i - 1));
            if (format.EscInput != 1) {
                records.AddCell(field);
                continue;
            }
            char* text = buffer.data();
            if (skiff::GetTxtRevEsc(text, field.constData(), static_cast<int>(buffer.size())) !=
                0) {
                const size_t size =
                    static_cast<size_t>(skiff::GetTxtRevEscLen(field.constData())) + 1;
                text = Buffer(size);
                if (skiff::GetTxtRevEsc(text, field.constData(), SkiffSize(size)) != 0)
                    return false;
            }
            records.AddCell(Terminated(text));
        }
        records.EndRow();
        Report(n, n, rowCount);
    }
    return true;
}

bool clsRecordReader::ReadFixed(const QByteArray& path)
{
    // Lines only: each field is cut in the file's own bytes and converted on its own.
    if (skiff::ReadTxtIni(path.constData(), " ", ",", 1, 0) != 0)
        return OpenFailed();
    const int rowCount = skiff::GetTxtRowCnt();
    result.lnCRLF = skiff::GetTxtCrLf();
    records.Reserve(records.RowCount() + rowCount);
    for (n = 1; n <= rowCount; ++n) {
        const int lineLength = skiff::GetTxtLineLen(n);
        if (!CutFixedLine(lineLength) && !ReadFixedFields(lineLength))
            return false;
        records.EndRow();
        Report(n, n, rowCount);
    }
    return true;
}

// One call for the line instead of one per field: a Shift-JIS line without NUL bytes comes
// back as the file's own bytes, and each field is cut and mended here as Skiff would do it.
bool clsRecordReader::CutFixedLine(int lnLineLength)
{
    if (charSet != 1)
        return false;
    const char* line = WholeLine(lnLineLength);
    if (line == nullptr)
        return false;
    const auto length = static_cast<size_t>(lnLineLength) - (lineMended ? 1 : 0);
    const int memCount = format.MemCount();
    qint64 offset = 0;
    for (int i = 1; i <= memCount; ++i) {
        const qint64 width = std::max(format.Members(i)->MemLenB, 0);
        if (offset >= static_cast<qint64>(length)) {
            records.AddCell({});
        } else {
            const qint64 end = i == memCount
                                   ? static_cast<qint64>(length)
                                   : std::min<qint64>(offset + width, static_cast<qint64>(length));
            const auto count = static_cast<size_t>(end - offset);
            char* text = records.CellSpace(count + 2);
            records.CommitCell(
                clsRecordReaderCells::CopyMended(text, line + offset, count, substitutions));
        }
        offset += width;
    }
    return true;
}

const char* clsRecordReader::WholeLine(int lnLineLength)
{
    if (lnLineLength < 0 || lnLineLength == INT_MAX)
        return nullptr;
    char* line = Buffer(static_cast<size_t>(lnLineLength) + 1);
    if (skiff::GetTxtLineLoc(n, line, 0, lnLineLength) != 0)
        return nullptr;
    // The reported length counts mended bytes: it matches the bytes up to the first NUL only
    // when the line holds no NUL, whose mending Skiff does field by field.
    const size_t length = std::strlen(line);
    lineMended = clsRecordReaderCells::EndsInLoneLead(line, length);
    return static_cast<size_t>(lnLineLength) == length + (lineMended ? 1 : 0) ? line : nullptr;
}

bool clsRecordReader::ReadFixedFields(int lnLineLength)
{
    const int memCount = format.MemCount();
    const size_t fieldBytes = FixedFieldBytes(lnLineLength);
    const int size = SkiffSize(fieldBytes);
    // Widths come from the format: their sum may pass what an int holds.
    qint64 offset = 0;
    for (int i = 1; i <= memCount; ++i) {
        // Fields are cut only within the line: past its end a field is empty.
        if (offset >= lnLineLength) {
            records.AddCell({});
            continue;
        }
        const int width = std::max(format.Members(i)->MemLenB, 0);
        const int count =
            i == memCount ? -1 : static_cast<int>(std::min<qint64>(width, lnLineLength - offset));
        char* text = records.CellSpace(fieldBytes);
        if (skiff::GetTxtLineLocConv(n, text, static_cast<int>(offset), count, size, charSet) != 0)
            return false;
        records.CommitCell(std::strlen(text));
        offset += width;
    }
    return true;
}

bool clsRecordReader::OpenFailed()
{
    openError = clsReadFailure::Text(filePath, skiff::GetLastStatus(), charSet);
    return false;
}

bool clsRecordReader::AcceptFieldCount(int lnRow, int lnFields)
{
    if (lnFields == format.MemCount() || bContinue)
        return true;
    const int answer = gMsgBox().Question(
        QString::number(lnRow) +
            u" 行目のレコードのフォーマットが違います。読み込みを続行しますか？\r\n"
            u"続行する場合は[はい]を、ここまで読み込んだデータで表示する場合は[いいえ]を押してください。"_s,
        AppTitle());
    bContinue = answer == clsMessenger::Yes;
    return bContinue;
}

char* clsRecordReader::Buffer(size_t nSize)
{
    if (buffer.size() < nSize)
        buffer.resize(nSize);
    return buffer.data();
}

void clsRecordReader::Report(int lnRows, qint64 nDone, qint64 nTotal)
{
    if (progress && lnRows % kProgressStep == 0)
        progress(nDone, nTotal);
    if (rowSink && records.RowCount() >= sinkRows)
        HandRows(false);
}

void clsRecordReader::HandRows(bool bEnd)
{
    handedRows += records.RowCount();
    sinkConvErrors = rowSink(bEnd);
}
