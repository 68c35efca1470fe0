// The record writers: rows of cells turned into Skiff's output stream.
#include "clsRecordWriter.h"

#include "clsCellNumber.h"
#include "clsCodePage.h"
#include "clsFileReplacer.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"
#include "clsMessenger.h"
#include "clsRecords.h"
#include "clsSkiff.h"

#include <QFileInfo>

#include <cstdint>
#include <cstring>
#include <new>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr size_t kEscapeBuffer = 2048;
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
    expectedBytes = 0;

    clsFileReplacer replacer(szPath);
    if (!replacer.Create()) {
        Failed(1, replacer.ErrorString());
        return false;
    }
    bool written = false;
    QString error;
    try {
        if (skiff::WriteBinIni(clsSkiff::NativePath(replacer.TempPath()).constData()) == 0) {
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
                // A file type outside the vocabulary has no layout to write.
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        error = u"メモリが不足しています。"_s;
    } catch (...) {
        error = u"ファイルの書き込み中にエラーが発生しました。"_s;
    }
    const int convErrors = skiff::GetConvErrCnt();
    // Closing flushes the last bytes: only the file's size tells whether that worked.
    skiff::Terminate();
    if (!written) {
        Failed(r, error);
        return false;
    }
    if (QFileInfo(replacer.TempPath()).size() != expectedBytes || !replacer.Commit()) {
        gMsgBox().Exclamation(u"ファイルの書込みを完了できませんでした。\r\n["_s +
                                  replacer.ErrorString() + u']',
                              AppTitle());
        return false;
    }
    if (convErrors > 0)
        gMsgBox().Exclamation(u"変換できない文字が "_s + QString::number(convErrors) +
                                  u" 文字ありました。〓に置き換えて保存しました。"_s,
                              AppTitle());
    return true;
}

bool clsRecordWriter::WriteDelimited()
{
    const QByteArray delimiter = clsCodePage::ToSjis(format.SepChr);
    const int rowCount = records.RowCount();
    const int memCount = static_cast<int>(fields.size());
    for (r = 1; r <= rowCount; ++r) {
        line.clear();
        for (int i = 1; i <= memCount; ++i) {
            QByteArrayView cell = records.Cell(r, i);
            if (format.EscOutput == 1 && !Escape(cell))
                return false;
            const bool quoted = fields[static_cast<size_t>(i - 1)].memType == 5;
            if (quoted)
                line.push_back('"');
            line.append(cell.data(), static_cast<size_t>(cell.size()));
            if (quoted)
                line.push_back('"');
            if (i < memCount)
                line.append(delimiter.constData(), static_cast<size_t>(delimiter.size()));
        }
        line.append(lineEnd.constData(), static_cast<size_t>(lineEnd.size()));
        if (skiff::WriteTxtConvStr(line.c_str(), charSet) != 0)
            return false;
        expectedBytes +=
            charSet == 1 ? static_cast<qint64>(line.size()) : ConvertedLength(line.c_str());
        Report();
    }
    return true;
}

bool clsRecordWriter::WriteFixed()
{
    const int rowCount = records.RowCount();
    for (r = 1; r <= rowCount; ++r) {
        if (charSet == 1) {
            // Unconverted fields keep their byte width: the whole line goes in one write.
            line.clear();
            for (size_t i = 0; i < fields.size(); ++i) {
                const clsField& field = fields[i];
                const size_t start = line.size();
                Pad(line, TrimSpaces(records.Cell(r, static_cast<int>(i) + 1)), field.fill,
                    field.stuff, field.memLenB);
                Fit(line, start, field.memLenB);
            }
            line.append(lineEnd.constData(), static_cast<size_t>(lineEnd.size()));
            if (skiff::WriteBinString(line.data(), static_cast<int>(line.size())) != 0)
                return false;
            expectedBytes += static_cast<qint64>(line.size());
        } else {
            // A converted field is cut to its width after the conversion, field by field.
            for (size_t i = 0; i < fields.size(); ++i) {
                if (!WriteString(fields[i], records.Cell(r, static_cast<int>(i) + 1),
                                 fields[i].memLenB))
                    return false;
            }
            if (skiff::WriteBinString(lineEnd.constData(), static_cast<int>(lineEnd.size())) != 0)
                return false;
            expectedBytes += lineEnd.size();
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
        if (skiff::WriteBinString(headerBytes.constData(), headerSize) != 0)
            return false;
        expectedBytes += headerSize;
    }
    const int rowCount = records.RowCount();
    for (r = 1; r <= rowCount; ++r) {
        for (size_t i = 0; i < fields.size(); ++i) {
            const clsField& field = fields[i];
            const QByteArrayView cell = records.Cell(r, static_cast<int>(i) + 1);
            if (field.memType >= 1 && field.memType <= 4) {
                if (!WriteNumber(field, cell))
                    return false;
            } else if (field.memType == 5) {
                if (!WriteString(field, cell, field.memLen))
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
    int status = 0;
    switch (field.memType) {
    case 1: {
        const auto data = static_cast<int16_t>(value);
        status = skiff::WriteBinShort(&data, 2);
        expectedBytes += 2;
        break;
    }
    case 2: {
        const auto data = static_cast<int32_t>(value);
        status = skiff::WriteBinLong(&data, 4);
        expectedBytes += 4;
        break;
    }
    case 3: {
        const auto data = static_cast<float>(value);
        status = skiff::WriteBinFloat(&data, 4);
        expectedBytes += 4;
        break;
    }
    default:
        status = skiff::WriteBinDouble(&value, 8);
        expectedBytes += 8;
        break;
    }
    return status == 0;
}

bool clsRecordWriter::WriteString(const clsField& field, QByteArrayView cell, int nPadWidth)
{
    text.clear();
    Pad(text, TrimSpaces(cell), field.fill, field.stuff, nPadWidth);
    int status = 0;
    if (charSet != 1) {
        status = skiff::WriteBinConvStr(text.c_str(), field.memLenB, charSet);
    } else {
        Fit(text, 0, field.memLenB);
        status = skiff::WriteBinString(text.data(), field.memLenB);
    }
    expectedBytes += field.memLenB;
    return status == 0;
}

bool clsRecordWriter::Escape(QByteArrayView& cell)
{
    // No double quote byte, nothing to double: a trail byte is never 0x22.
    if (!cell.contains('"'))
        return true;
    text.assign(cell.data(), static_cast<size_t>(cell.size()));
    if (skiff::GetTxtEsc(buffer.data(), text.c_str(), static_cast<int>(buffer.size())) != 0) {
        buffer.resize(static_cast<size_t>(skiff::GetTxtEscLen(text.c_str())) + 1);
        if (skiff::GetTxtEsc(buffer.data(), text.c_str(), static_cast<int>(buffer.size())) != 0)
            return false;
    }
    cell = QByteArrayView(buffer.data(), static_cast<qsizetype>(std::strlen(buffer.data())));
    return true;
}

qint64 clsRecordWriter::ConvertedLength(const char* szText) const
{
    // The length functions count the terminator, which the writer leaves out.
    switch (charSet) {
    case 2:
        return skiff::SJIStoJISLen(szText) - 1;
    case 3:
        return skiff::SJIStoEUCLen(szText) - 1;
    default:
        return skiff::SJIStoUNICODELen(szText) - 1;
    }
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
