// Source lines, spaces and numbers for the scanners.
#include "clsSourceText.h"

#include "clsCodePage.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

// Larger sources are not headers or modules anyone writes by hand.
constexpr qint64 kMaxSourceBytes = 64 * 1024 * 1024;

QString TooLarge(QStringView text)
{
    return u"値 "_s + text.toString() + u" が 32 ビット整数の範囲を超えています。"_s;
}

} // namespace

void clsSourceConstants::Append(const QString& szName, int nValue)
{
    names.append(szName);
    values.append(nValue);
}

std::optional<int> clsSourceConstants::First(QStringView szName) const
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i] == szName)
            return values[i];
    }
    return std::nullopt;
}

std::optional<int> clsSourceConstants::Last(QStringView szName) const
{
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        if (names[i] == szName)
            return values[i];
    }
    return std::nullopt;
}

QStringList clsSourceText::ReadLines(const QString& szPath)
{
    QFile file(szPath);
    if (!file.open(QIODevice::ReadOnly))
        throw clsSourceFailure(u"ファイルを開けません（"_s + file.errorString() + u"）。"_s);
    if (file.size() > kMaxSourceBytes)
        throw clsSourceFailure(u"ソースファイルが大きすぎます（"_s + QString::number(file.size()) +
                               u" バイト）。"_s);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw clsSourceFailure(u"ファイルを読み込めません（"_s + file.errorString() + u"）。"_s);
    if (bytes.contains('\0'))
        throw clsSourceFailure(u"テキストファイルではありません（NUL バイトを含んでいます）。"_s);
    QString text = clsCodePage::FromSjis(bytes);
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    // A final line end does not open another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString clsSourceText::CtrlToSpace(QStringView text)
{
    QString result(text.size(), u' ');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        // Half-width katakana is single-byte in Shift-JIS; everything else above ASCII is
        // double-byte, whose code reads negative as a signed 16-bit ANSI code.
        const bool singleByte = c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
        if (c >= 32 && singleByte)
            result[i] = text[i];
    }
    return Trim(result).toString();
}

QStringView clsSourceText::Trim(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

bool clsSourceText::IsNumeric(QStringView text)
{
    static const QRegularExpression number(u"^ *[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)? *$"_s);
    return number.match(text).hasMatch();
}

int clsSourceText::ToLong(QStringView text)
{
    const double value = std::nearbyint(Trim(text).toDouble());
    if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()))
        throw clsSourceFailure(TooLarge(text));
    return static_cast<int>(value);
}

std::optional<qint64> clsSourceText::CLiteral(QStringView text)
{
    text = Trim(text);
    while (!text.isEmpty() && (text.back() == u'u' || text.back() == u'U' || text.back() == u'l' ||
                               text.back() == u'L'))
        text.chop(1);
    if (text.isEmpty() || !text.front().isDigit())
        return std::nullopt;
    int base = 10;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        base = 16;
        text = text.mid(2);
    } else if (text.size() > 1 && text[0] == u'0') {
        base = 8;
    }
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    // Past 32 bits it only needs to be known as too large.
    return static_cast<qint64>(std::min<qulonglong>(value, 1ULL << 40));
}

std::optional<int> clsSourceText::CNumber(QStringView text)
{
    if (const std::optional<qint64> literal = CLiteral(text)) {
        if (*literal > std::numeric_limits<int>::max())
            throw clsSourceFailure(TooLarge(text));
        return static_cast<int>(*literal);
    }
    if (IsNumeric(text))
        return ToLong(text);
    return std::nullopt;
}
