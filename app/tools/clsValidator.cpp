// The record validator: the readers' own Skiff calls, with every misfit noted instead of asked.
#include "clsValidator.h"

#include "Module1.h"
#include "clsCellText.h"
#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"
#include "clsReadFailure.h"
#include "clsRecordReader.h"
#include "clsRecords.h"
#include "clsSkiff.h"

#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kString = 5;
// The geta mark in Shift-JIS: what a reader puts where a character could not be converted.
constexpr char kGeta[] = "\x81\xAC";

QByteArrayView Terminated(const char* text)
{
    return QByteArrayView(text, static_cast<qsizetype>(std::strlen(text)));
}

bool HasGeta(QByteArrayView cell)
{
    // Scanned character by character: a trail byte followed by a lead byte may look alike.
    for (qsizetype i = 0; i + 1 < cell.size(); ++i) {
        const auto c = static_cast<unsigned char>(cell[i]);
        if (c == 0x81 && static_cast<unsigned char>(cell[i + 1]) == 0xAC)
            return true;
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))
            ++i;
    }
    return false;
}

QString TypeName(int memType)
{
    return gFormatInfo().GetTypeName(3, memType);
}

// An empty problem text when the number fits the type.
QString NumberProblem(int memType, QByteArrayView text)
{
    const QByteArrayView number = clsCellText::TrimSpaces(text);
    if (number.isEmpty())
        return {};
    const char* first = number.data();
    const char* last = first + number.size();
    if (*first == '+' && number.size() > 1)
        ++first;
    const QString shown = clsCodePage::FromSjis(number.data(), number.size());
    if (memType == 1 || memType == 2) {
        long long value = 0;
        const auto [end, code] = std::from_chars(first, last, value);
        if (end != last || (code != std::errc() && code != std::errc::result_out_of_range))
            return u"数値ではありません: "_s + shown;
        const long long limit = memType == 1 ? std::numeric_limits<int16_t>::max()
                                             : std::numeric_limits<int32_t>::max();
        if (code == std::errc::result_out_of_range || value > limit || value < -limit - 1)
            return TypeName(memType) + u"の範囲を超えています: "_s + shown;
        return {};
    }
    double value = 0;
    const auto [end, code] = std::from_chars(first, last, value);
    if (end != last || (code != std::errc() && code != std::errc::result_out_of_range) ||
        !std::isfinite(value))
        return u"数値ではありません: "_s + shown;
    const double limit = memType == 3 ? static_cast<double>(std::numeric_limits<float>::max())
                                      : std::numeric_limits<double>::max();
    if (code == std::errc::result_out_of_range || std::fabs(value) > limit)
        return TypeName(memType) + u"の範囲を超えています: "_s + shown;
    return {};
}

} // namespace

clsValidator::clsValidator(const clsFormat& fmt, int nKeep, bool bStop)
    : format(fmt), keep(nKeep), bStopAtKeep(bStop), buffer(2048)
{}

bool clsValidator::CheckFile(const QString& szPath, int lnCharSet)
{
    const int charSet = lnCharSet < 1 ? format.CharSet : lnCharSet;
    const QByteArray path = clsSkiff::NativePath(szPath);
    bool read = false;
    if (charSet < 1 || charSet > 4) {
        error = clsReadFailure::Text(szPath, SKIFF_STATUS_BAD_CHARSET, charSet);
        return false;
    }
    switch (format.FileType) {
    case clsFormat::DelimitedText:
        read = CheckDelimited(path, charSet);
        break;
    case clsFormat::FixedText:
        read = CheckFixed(path, charSet);
        break;
    case clsFormat::BinaryFile:
        read = CheckBinary(path, QFileInfo(szPath).size(), charSet);
        break;
    default:
        error = szPath + u": フォーマットのファイルタイプが不明です。"_s;
        return false;
    }
    if (!read && error.isEmpty())
        error = clsReadFailure::Text(szPath, skiff::GetLastStatus(), charSet);
    skiff::Terminate();
    return read;
}

bool clsValidator::CheckDelimited(const QByteArray& path, int lnCharSet)
{
    const QByteArray delimiter = clsCodePage::ToSjis(format.SepChr);
    if (skiff::ReadTxtIni(path.constData(), delimiter.constData(), "\"", lnCharSet,
                          format.CareQuote == 1 ? 1 : 0) != 0)
        return false;
    // Another set than Shift-JIS is converted as the file opens: a geta mark then stands for
    // a substitution only if the open made any.
    const bool bGetaAfterOpen = lnCharSet != 1 && skiff::GetConvErrCnt() > 0;
    const int rowCount = skiff::GetTxtRowCnt();
    const int memCount = format.MemCount();
    const int unescape = format.EscInput == 1 ? 1 : 0;
    std::vector<QByteArray> fields;
    for (int n = 1; n <= rowCount && !bStopped; ++n) {
        checked = n;
        const int before = skiff::GetConvErrCnt();
        if (!LineFields(n, unescape, fields))
            return false;
        const bool bMended = skiff::GetConvErrCnt() > before;
        const int colCount = static_cast<int>(fields.size());
        if (colCount != memCount &&
            !Add(n, 0,
                 u"項目数が "_s + QString::number(colCount) + u" です (フォーマットは "_s +
                     QString::number(memCount) + u")"_s))
            break;
        for (int i = 1; i <= std::min(colCount, memCount) && !bStopped; ++i) {
            const QByteArrayView cell = fields[static_cast<size_t>(i - 1)];
            CheckCell(n, i, cell, (bMended || bGetaAfterOpen) && HasGeta(cell));
        }
    }
    return true;
}

bool clsValidator::LineFields(int nRow, int lnUnescape, std::vector<QByteArray>& fields)
{
    fields.clear();
    if (format.CareQuote == 1) {
        // Quotes protect delimiters: Skiff's own columns, as the reader takes them.
        const int colCount = skiff::GetTxtColCnt(nRow);
        for (int i = 1; i <= colCount; ++i) {
            const size_t size = static_cast<size_t>(std::max(skiff::GetTxtColLen(nRow, i), 0)) + 1;
            char* text = Buffer(size);
            if (skiff::GetTxtCol(text, clsRecordReader::SkiffSize(buffer.size()), nRow, i,
                                 lnUnescape, 1) != 0)
                return false;
            fields.emplace_back(text);
        }
        return true;
    }
    const size_t size = static_cast<size_t>(std::max(skiff::GetTxtLineLen(nRow), 0)) + 1;
    char* line = Buffer(size);
    if (skiff::GetTxtLine(nRow, line, clsRecordReader::SkiffSize(buffer.size())) != 0)
        return false;
    QStringList split;
    Module1::SplitFields(split,
                         clsCodePage::FromSjis(line, static_cast<qsizetype>(std::strlen(line))),
                         format.SepChr);
    for (const QString& field : split)
        fields.push_back(clsCodePage::ToSjis(field));
    return true;
}

bool clsValidator::CheckFixed(const QByteArray& path, int lnCharSet)
{
    if (skiff::ReadTxtIni(path.constData(), " ", ",", 1, 0) != 0)
        return false;
    const int rowCount = skiff::GetTxtRowCnt();
    const int memCount = format.MemCount();
    const int recordLength = format.RecLenB();
    for (int n = 1; n <= rowCount && !bStopped; ++n) {
        checked = n;
        const int lineLength = skiff::GetTxtLineLen(n);
        if (lineLength != recordLength &&
            !Add(n, 0,
                 u"行の長さが "_s + QString::number(lineLength) + u" バイトです (レコード長は "_s +
                     QString::number(recordLength) + u" バイト)"_s))
            break;
        char* text = Buffer(clsRecordReader::FixedFieldBytes(lineLength));
        const int size = clsRecordReader::SkiffSize(buffer.size());
        qint64 offset = 0;
        for (int i = 1; i <= memCount && offset < lineLength && !bStopped; ++i) {
            const int width = std::max(format.Members(i)->MemLenB, 0);
            // The rest of a long line is reported once, as the line's length.
            const int count = static_cast<int>(std::min<qint64>(width, lineLength - offset));
            const int before = skiff::GetConvErrCnt();
            if (skiff::GetTxtLineLocConv(n, text, static_cast<int>(offset), count, size,
                                         lnCharSet) != 0)
                return false;
            CheckCell(n, i, clsCellText::TrimSpaces(Terminated(text)),
                      skiff::GetConvErrCnt() > before);
            offset += width;
        }
    }
    return true;
}

bool clsValidator::CheckBinary(const QByteArray& path, qint64 fileSize, int lnCharSet)
{
    const qint64 recordSize = clsRecordReader::BinaryRecordBytes(format);
    if (skiff::ReadBinIni(path.constData()) != 0)
        return false;
    const qint64 headerSize = std::max(format.BytesSkipHeader, 0);
    if (recordSize == 0 || headerSize > fileSize) {
        error = QString::fromUtf8(path) +
                u": フォーマットのレコード長が 0 か、ヘッダーがファイルより長いです。"_s;
        return false;
    }
    if (headerSize > 0 && skiff::ReadBinString(Buffer(static_cast<size_t>(headerSize)),
                                               static_cast<int>(headerSize)) != 0)
        return false;
    const qint64 records = (fileSize - headerSize) / recordSize;
    for (qint64 n = 1; n <= records && !bStopped; ++n) {
        checked = static_cast<int>(n);
        for (int i = 1; i <= format.MemCount() && !bStopped; ++i) {
            if (!CheckBinaryMember(static_cast<int>(n), i, lnCharSet))
                return false;
        }
    }
    const qint64 partial = (fileSize - headerSize) % recordSize;
    if (partial > 0 && !bStopped)
        Add(static_cast<int>(records + 1), 0,
            u"ファイルの末尾の "_s + QString::number(partial) +
                u" バイトはレコードになりません (レコード長は "_s + QString::number(recordSize) +
                u" バイト)"_s);
    return true;
}

bool clsValidator::CheckBinaryMember(int nRecord, int nMember, int lnCharSet)
{
    const clsMember* member = format.Members(nMember);
    const auto checkFinite = [&](double value) {
        return std::isfinite(value) || Add(nRecord, nMember, u"数値ではありません"_s);
    };
    switch (member->MemType) {
    case 1: {
        int16_t value = 0;
        return skiff::ReadBinShort(&value, 2) == 0;
    }
    case 2: {
        int32_t value = 0;
        return skiff::ReadBinLong(&value, 4) == 0;
    }
    case 3: {
        float value = 0;
        if (skiff::ReadBinFloat(&value, 4) != 0)
            return false;
        checkFinite(static_cast<double>(value));
        return true;
    }
    case 4: {
        double value = 0;
        if (skiff::ReadBinDouble(&value, 8) != 0)
            return false;
        checkFinite(value);
        return true;
    }
    case kString: {
        const int width = std::max(member->MemLenB, 0);
        char* text = Buffer(static_cast<size_t>(width) + 2);
        std::memset(text, 0, static_cast<size_t>(width) + 2);
        const int before = skiff::GetConvErrCnt();
        const int status = lnCharSet != 1 ? skiff::ReadBinConvStr(text, width, lnCharSet)
                                          : skiff::ReadBinString(text, width);
        if (status != 0)
            return false;
        CheckCell(nRecord, nMember, clsCellText::TrimSpaces(Terminated(text)),
                  skiff::GetConvErrCnt() > before);
        return true;
    }
    default:
        error = u"メンバー "_s + MemberName(nMember) + u" の型が不明です。"_s;
        return false;
    }
}

void clsValidator::CheckRecords(const clsRecords& records, bool bGetaIsSubstitution)
{
    const int memCount = format.MemCount();
    for (int n = 1; n <= records.RowCount() && !bStopped; ++n) {
        checked = n;
        for (int i = 1; i <= memCount && !bStopped; ++i) {
            const QByteArrayView cell = records.Cell(n, i);
            CheckCell(n, i, cell, bGetaIsSubstitution && HasGeta(cell));
        }
    }
}

void clsValidator::CheckCell(int nRecord, int nMember, QByteArrayView cell, bool bSubstituted)
{
    const clsMember* member = format.Members(nMember);
    if (bSubstituted && !Add(nRecord, nMember, u"変換できない文字が〓に置き換えられています"_s))
        return;
    if (member->MemType == kString) {
        if (member->MemLen > 0 && cell.size() > member->MemLen)
            Add(nRecord, nMember,
                u"長さが "_s + QString::number(cell.size()) + u" バイトです (最大 "_s +
                    QString::number(member->MemLen) + u" バイト)"_s);
        return;
    }
    // Binary numbers arrive as numbers; only text can hold a malformed one.
    if (format.FileType == clsFormat::BinaryFile)
        return;
    const QString problem = NumberProblem(member->MemType, cell);
    if (!problem.isEmpty())
        Add(nRecord, nMember, problem);
}

bool clsValidator::Add(int nRecord, int nMember, const QString& szProblem)
{
    ++total;
    if (keep == 0 || static_cast<int>(problems.size()) < keep)
        problems.push_back({nRecord, nMember, szProblem});
    if (bStopAtKeep && keep > 0 && total >= keep)
        bStopped = true;
    return !bStopped;
}

char* clsValidator::Buffer(size_t nSize)
{
    if (buffer.size() < nSize)
        buffer.resize(nSize);
    return buffer.data();
}

QString clsValidator::MemberName(int nMember) const
{
    return nMember < 1 || nMember > format.MemCount() ? u"-"_s : format.Members(nMember)->MemName;
}

QString clsValidator::ProblemLine(const clsProblem& problem) const
{
    return QString::number(problem.nRecord) + u'\t' + MemberName(problem.nMember) + u'\t' +
           problem.szProblem;
}

QString clsValidator::SummaryLine() const
{
    QString line = u"# "_s + QString::number(checked) + u" 件のレコードを検査しました。"_s;
    if (total == 0)
        return line + u"問題はありません。"_s;
    line += u"問題 "_s + QString::number(total) + u" 件"_s;
    return line + (bStopped ? u" (上限で検査をやめました)。"_s : u"。"_s);
}
