// The record writers: rows of cells turned into Skiff's output stream.
#include "clsRecordWriter.h"

#include "clsCellNumber.h"
#include "clsCellText.h"
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

using namespace Qt::Literals::StringLiterals;

namespace {

// Progress is reported once per this many records.
constexpr int kProgressStep = 16384;

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

} // namespace

void clsRecordWriter::Prepare(int lnCharSet, int lnCRLF)
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
    rowBase = 0;
    convErrors = 0;
    failure.clear();
}

bool clsRecordWriter::Guarded(const std::function<bool()>& step)
{
    try {
        return step();
    } catch (const std::bad_alloc&) {
        failure = u"メモリが不足しています。"_s;
    } catch (...) {
        failure = u"ファイルの書き込み中にエラーが発生しました。"_s;
    }
    return false;
}

bool clsRecordWriter::WriteRecords(const QString& szPath, int lnCharSet, int lnCRLF,
                                   QByteArray& szHeaderBytes)
{
    Prepare(lnCharSet, lnCRLF);
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
    const bool written = Guarded([&] {
        switch (format.FileType) {
        case clsFormat::DelimitedText:
            return WriteDelimited();
        case clsFormat::FixedText:
            return WriteFixed();
        case clsFormat::BinaryFile:
            return WriteBinary(szHeaderBytes);
        default:
            failure = u"ファイルの種類 "_s + QString::number(format.FileType) +
                      u" には書き込む形がありません。"_s;
            return false;
        }
    });
    out = nullptr;
    if (!written) {
        ReportFailure(file);
        return false;
    }
    if (!file.Close()) {
        CloseFailed(file);
        return false;
    }
    ReportConvErrors(file.ConvErrors());
    return true;
}

bool clsRecordWriter::Streams(const clsFormat& format)
{
    return format.FileType == clsFormat::DelimitedText;
}

bool clsRecordWriter::Begin(const QString& szPath, int lnCharSet, int lnCRLF)
{
    Prepare(lnCharSet, lnCRLF);
    streamFailed = false;
    closed = false;
    stream = std::make_unique<clsOutputFile>(szPath);
    if (!Streams(format) || !stream->Open()) {
        stream.reset();
        return false;
    }
    out = stream.get();
    StartDelimited();
    return true;
}

void clsRecordWriter::Append()
{
    if (out && !streamFailed)
        streamFailed = !Guarded([this] { return AppendDelimited(); });
}

int clsRecordWriter::TakeRows(clsRecords& rows, bool bEnd)
{
    Append();
    rows.Clear();
    // Closing ends Skiff's text state too: the reader asks nothing of it afterwards.
    if (bEnd)
        Finish();
    return ConvErrors();
}

void clsRecordWriter::Finish()
{
    if (!out || streamFailed)
        return;
    streamFailed = !Guarded([this] { return FinishLines(); });
    if (streamFailed)
        return;
    out = nullptr;
    closed = stream->Close();
}

bool clsRecordWriter::Conclude()
{
    if (!stream)
        return false;
    if (streamFailed) {
        ReportFailure(*stream);
        return false;
    }
    if (!closed) {
        CloseFailed(*stream);
        return false;
    }
    ReportConvErrors(convErrors);
    return true;
}

void clsRecordWriter::ReportFailure(const clsOutputFile& file) const
{
    if (!file.Reason().isEmpty())
        Failed(r, file.Reason());
    else
        Failed(r, file.Explain(failure.isEmpty() ? u"書き込みに失敗しました。"_s : failure));
}

void clsRecordWriter::CloseFailed(const clsOutputFile& file) const
{
    gMsgBox().Exclamation(u"ファイルの書込みを完了できませんでした。\r\n["_s + file.Reason() + u']',
                          AppTitle());
}

void clsRecordWriter::ReportConvErrors(int nConvErrors) const
{
    if (nConvErrors > 0)
        gMsgBox().Exclamation(u"変換できない文字が "_s + QString::number(nConvErrors) +
                                  u" 文字ありました。〓に置き換えて保存しました。"_s,
                              AppTitle());
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
                if (!WriteString(field, clsCellText::TrimSpaces(cell), field.memLen))
                    return false;
            }
        }
        Report();
    }
    return true;
}

bool clsRecordWriter::WriteNumber(const clsField& field, QByteArrayView cell)
{
    const clsCellNumber number = clsCellNumber::Parse(clsCellText::TrimSpaces(cell), field.memType);
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
    return keepUnchanged && !records.Edited(r, lnCol) ? cell : clsCellText::TrimSpaces(cell);
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
