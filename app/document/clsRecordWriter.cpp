// The record writers: rows of cells turned into Skiff's output stream.
#include "clsRecordWriter.h"

#include "clsCellNumber.h"
#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"
#include "clsMessenger.h"
#include "clsOutputFile.h"
#include "clsRecords.h"
#include "clsSkiff.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr size_t kEscapeBuffer = 2048;
// Lines of delimited text go out this many bytes at a time: one call and one conversion per
// batch instead of per line.
constexpr size_t kWriteBatch = size_t{256} << 10;
// Progress is reported once per this many records.
constexpr int kProgressStep = 16384;

// Trims spaces (not tabs) on both sides; a space is never a Shift-JIS trail byte.
QByteArrayView TrimSpaces(QByteArrayView text)
{
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

// PadField over Shift-JIS bytes: the fill once per missing byte, in front for justification
// 1, behind for 2; a text as long as the width or longer, or another justification, stays.
void Pad(std::string& out, QByteArrayView text, QByteArrayView fill, int stuff, int width)
{
    const qsizetype missing = width - text.size();
    if (missing <= 0 || (stuff != 1 && stuff != 2)) {
        out.append(text.data(), static_cast<size_t>(text.size()));
        return;
    }
    if (stuff == 2)
        out.append(text.data(), static_cast<size_t>(text.size()));
    for (qsizetype k = 0; k < missing; ++k)
        out.append(fill.data(), static_cast<size_t>(fill.size()));
    if (stuff == 1)
        out.append(text.data(), static_cast<size_t>(text.size()));
}

// Makes what was appended to out since start exactly width bytes: cut, or followed by NUL
// bytes as Skiff's converting writer fills a field.
void Fit(std::string& out, size_t start, int width)
{
    out.resize(start + static_cast<size_t>(width), '\0');
}

// Lines gathered for one write: grown only when a line does not fit, never filled with
// zeros for nothing.
class TextBatch
{
public:
    explicit TextBatch(size_t nBatch) : bytes(nBatch + 4096) {}

    // Room for nBytes more; Commit takes the end of what was written there.
    char* Room(size_t nBytes)
    {
        if (bytes.size() - used < nBytes + 1)
            bytes.resize(std::max(used + nBytes + 1, bytes.size() * 2));
        return bytes.data() + used;
    }
    void Commit(const char* pEnd) { used = static_cast<size_t>(pEnd - bytes.data()); }
    void Append(const char* pData, size_t nBytes)
    {
        char* at = Room(nBytes);
        std::memcpy(at, pData, nBytes);
        Commit(at + nBytes);
    }
    size_t Size() const { return used; }
    // The lines as one text; the room for the NUL is always kept.
    const char* Terminated()
    {
        bytes[used] = '\0';
        return bytes.data();
    }
    void Clear() { used = 0; }

private:
    std::vector<char> bytes;
    size_t used = 0;
};

} // namespace

clsRecordWriter::clsRecordWriter(const clsFormat& fmt, const clsRecords& source, Progress report)
    : format(fmt), records(source), progress(std::move(report)), buffer(kEscapeBuffer)
{}

bool clsRecordWriter::WriteRecords(const QString& szPath, int lnCharSet, int lnCRLF,
                                   QByteArray& szHeaderBytes)
{
    charSet = lnCharSet < 1 ? format.CharSet : lnCharSet;
    lineEnd = clsCodePage::ToSjis(lnCRLF < 1 ? format.CRLF : gFormatInfo().GetCRLFValue(lnCRLF));
    fields.clear();
    for (int i = 1; i <= format.MemCount(); ++i) {
        const clsMember* member = format.Members(i);
        fields.push_back({member->MemType, std::max(member->MemLen, 0),
                          std::max(member->MemLenB, 0), member->Stuff,
                          clsCodePage::ToSjis(member->BlankChr), member->MemName});
    }
    r = 1;
    failure.clear();

    clsOutputFile file(szPath);
    const QString tooLarge = LayoutTooLarge();
    if (!tooLarge.isEmpty()) {
        Failed(1, file.Explain(tooLarge));
        return false;
    }
    if (!file.Open()) {
        Failed(1, file.Reason());
        return false;
    }
    out = &file;
    bool written = false;
    try {
        switch (format.FileType) {
        case 1:
            written = WriteDelimited();
            break;
        case 2:
            written = WriteFixed();
            break;
        case 3:
            written = WriteBinary(szHeaderBytes);
            break;
        default:
            failure = u"ファイルの種類 "_s + QString::number(format.FileType) +
                      u" には書き込む形がありません。"_s;
            break;
        }
    } catch (const std::bad_alloc&) {
        failure = u"メモリが不足しています。"_s;
    } catch (...) {
        failure = u"ファイルの書き込み中にエラーが発生しました。"_s;
    }
    out = nullptr;
    if (!written) {
        if (!file.Reason().isEmpty())
            Failed(r, file.Reason());
        else
            Failed(r, file.Explain(failure.isEmpty() ? u"書き込みに失敗しました。"_s : failure));
        return false;
    }
    if (!file.Close()) {
        gMsgBox().Exclamation(
            u"ファイルの書込みを完了できませんでした。\r\n["_s + file.Reason() + u']', AppTitle());
        return false;
    }
    if (file.ConvErrors() > 0)
        gMsgBox().Exclamation(u"変換できない文字が "_s + QString::number(file.ConvErrors()) +
                                  u" 文字ありました。〓に置き換えて保存しました。"_s,
                              AppTitle());
    return true;
}

QString clsRecordWriter::LayoutTooLarge() const
{
    if (format.FileType != 2 && format.FileType != 3)
        return {};
    // In 64 bits: every width comes from a format, which may hold anything up to 2^31 - 1.
    qint64 record = format.FileType == 2 ? lineEnd.size() : 0;
    for (const clsField& field : fields) {
        if (format.FileType == 2)
            record += field.memLenB;
        else if (field.memType >= 1 && field.memType <= 4)
            record += gFormatInfo().GetTypeLenB(field.memType);
        else if (field.memType == 5)
            // A padded text is built at its padding width before it is cut to the field.
            record += std::max(field.memLen, field.memLenB);
    }
    const qint64 header = format.FileType == 3 ? std::max(format.BytesSkipHeader, 0) : 0;
    const qint64 rows = std::max(records.RowCount(), 1);
    const qint64 limit = clsOutputFile::kMaxFileBytes;
    if (header <= limit && record <= limit && header + rows * record <= limit)
        return {};
    const qint64 least =
        record > limit || header > limit ? std::max(header, record) : header + rows * record;
    return u"レコードの形式では "_s + QString::number(least) +
           u" バイト以上のファイルになり、上限の "_s + QString::number(limit) +
           u" バイトを超えるため書き込めません。"_s;
}

bool clsRecordWriter::WriteDelimited()
{
    const QByteArray delimiter = clsCodePage::ToSjis(format.SepChr);
    const size_t delimiterSize = static_cast<size_t>(delimiter.size());
    const int rowCount = records.RowCount();
    const int memCount = static_cast<int>(fields.size());
    // JIS switches between its character sets within a text, so each line is converted on
    // its own as ever; the other character sets convert each character by itself, and lines
    // converted together come out the same as one by one.
    const size_t batch = charSet == 2 ? 0 : kWriteBatch;
    TextBatch lines(batch);
    for (r = 1; r <= rowCount; ++r) {
        // The row's cells in one pass, not each searched for from the row's start.
        clsRecords::CellCursor cells = records.RowCells(r);
        // Most rows hold no double quote at all: one look at the row spares one per cell.
        const QByteArrayView rest = cells.Rest();
        const bool escape = format.EscOutput == 1 && !rest.isEmpty() &&
                            std::memchr(rest.data(), '"', static_cast<size_t>(rest.size()));
        for (int i = 1; i <= memCount; ++i) {
            QByteArrayView cell = cells.Next();
            if (escape && !Escape(cell))
                return false;
            const bool quoted = fields[static_cast<size_t>(i - 1)].memType == 5;
            const size_t size = static_cast<size_t>(cell.size());
            char* at = lines.Room(size + 2 + delimiterSize);
            if (quoted)
                *at++ = '"';
            if (size > 0)
                std::memcpy(at, cell.data(), size);
            at += size;
            if (quoted)
                *at++ = '"';
            if (i < memCount) {
                std::memcpy(at, delimiter.constData(), delimiterSize);
                at += delimiterSize;
            }
            lines.Commit(at);
        }
        lines.Append(lineEnd.constData(), static_cast<size_t>(lineEnd.size()));
        if (lines.Size() >= batch || r == rowCount) {
            if (!out->WriteText(lines.Terminated(), charSet))
                return false;
            lines.Clear();
        }
        Report();
    }
    return true;
}

bool clsRecordWriter::WriteFixed()
{
    const int rowCount = records.RowCount();
    for (r = 1; r <= rowCount; ++r) {
        clsRecords::CellCursor cells = records.RowCells(r);
        if (charSet == 1) {
            // Unconverted fields keep their byte width: the whole line goes in one write.
            line.clear();
            for (size_t i = 0; i < fields.size(); ++i) {
                const clsField& field = fields[i];
                const size_t start = line.size();
                Pad(line, FixedCell(cells.Next(), static_cast<int>(i) + 1), field.fill, field.stuff,
                    field.memLenB);
                Fit(line, start, field.memLenB);
            }
            line.append(lineEnd.constData(), static_cast<size_t>(lineEnd.size()));
            if (!out->WriteBytes(line.data(), static_cast<qint64>(line.size())))
                return false;
        } else {
            // A converted field is cut to its width after the conversion, field by field.
            for (size_t i = 0; i < fields.size(); ++i) {
                if (!WriteString(fields[i], FixedCell(cells.Next(), static_cast<int>(i) + 1),
                                 fields[i].memLenB))
                    return false;
            }
            if (!out->WriteBytes(lineEnd.constData(), lineEnd.size()))
                return false;
        }
        Report();
    }
    return true;
}

bool clsRecordWriter::WriteBinary(QByteArray& headerBytes)
{
    const int headerSize = std::max(format.BytesSkipHeader, 0);
    if (headerSize > 0) {
        // A new document, or one that had another format, has no head of this size to keep.
        if (headerBytes.size() != headerSize)
            headerBytes = QByteArray(headerSize, '\0');
        if (!out->WriteBytes(headerBytes.constData(), headerSize))
            return false;
    }
    const int rowCount = records.RowCount();
    for (r = 1; r <= rowCount; ++r) {
        clsRecords::CellCursor cells = records.RowCells(r);
        for (size_t i = 0; i < fields.size(); ++i) {
            const clsField& field = fields[i];
            const QByteArrayView cell = cells.Next();
            if (field.memType >= 1 && field.memType <= 4) {
                if (!WriteNumber(field, cell))
                    return false;
            } else if (field.memType == 5) {
                if (!WriteString(field, TrimSpaces(cell), field.memLen))
                    return false;
            }
        }
        Report();
    }
    return true;
}

bool clsRecordWriter::WriteNumber(const clsField& field, QByteArrayView cell)
{
    const clsCellNumber number = clsCellNumber::Parse(TrimSpaces(cell), field.memType);
    if (number.kind == clsCellNumber::NotNumeric)
        gMsgBox().Exclamation(
            QString::number(r) + u"行目 ["_s + field.name +
                u"]\r\n数値項目に文字が入っています。ゼロに変換して書込みます。"_s,
            AppTitle());
    else if (number.kind == clsCellNumber::Overflow)
        gMsgBox().Exclamation(
            QString::number(r) + u"行目、"_s + field.name +
                u"の項目値がオーバーフローしました。ゼロに変換して書き込みます。"_s,
            AppTitle());
    const double value = number.kind == clsCellNumber::Value ? number.dValue : 0;
    switch (field.memType) {
    case 1:
        return out->WriteShort(static_cast<int16_t>(value));
    case 2:
        return out->WriteLong(static_cast<int32_t>(value));
    case 3:
        return out->WriteFloat(static_cast<float>(value));
    default:
        return out->WriteDouble(value);
    }
}

QByteArrayView clsRecordWriter::FixedCell(QByteArrayView cell, int lnCol) const
{
    // Spaces a file holds in a field are data (right-aligned text, numbers): a cell nobody
    // changed goes back as it was read.
    return keepUnchanged && !records.Edited(r, lnCol) ? cell : TrimSpaces(cell);
}

bool clsRecordWriter::WriteString(const clsField& field, QByteArrayView cell, int nPadWidth)
{
    text.clear();
    Pad(text, cell, field.fill, field.stuff, nPadWidth);
    if (charSet != 1)
        return out->WriteField(text.c_str(), field.memLenB, charSet);
    Fit(text, 0, field.memLenB);
    return out->WriteBytes(text.data(), field.memLenB);
}

bool clsRecordWriter::Escape(QByteArrayView& cell)
{
    // No double quote byte, nothing to double: a trail byte is never 0x22.
    if (cell.isEmpty() || !std::memchr(cell.data(), '"', static_cast<size_t>(cell.size())))
        return true;
    text.assign(cell.data(), static_cast<size_t>(cell.size()));
    if (skiff::GetTxtEsc(buffer.data(), text.c_str(), static_cast<int>(buffer.size())) != 0) {
        buffer.resize(static_cast<size_t>(skiff::GetTxtEscLen(text.c_str())) + 1);
        if (skiff::GetTxtEsc(buffer.data(), text.c_str(), static_cast<int>(buffer.size())) != 0) {
            failure = u"ダブルクォートをエスケープできませんでした。"_s;
            return false;
        }
    }
    cell = QByteArrayView(buffer.data(), static_cast<qsizetype>(std::strlen(buffer.data())));
    return true;
}

void clsRecordWriter::Failed(int lnRow, const QString& szError) const
{
    gMsgBox().Exclamation(QString::number(lnRow) +
                              u"行目でレコードの書込みに失敗しました。\r\n["_s + szError + u']',
                          AppTitle());
}

void clsRecordWriter::Report() const
{
    if (progress && r % kProgressStep == 0)
        progress(r, records.RowCount());
}
