// Reading source files line by line, and the word and number rules both scanners share.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <stdexcept>

// A source file that cannot be read or a value that cannot be taken; Cause() is the
// Japanese reason, without the file's name.
class clsSourceFailure : public std::runtime_error
{
public:
    explicit clsSourceFailure(const QString& szCause)
        : std::runtime_error(szCause.toStdString()), cause(szCause)
    {}
    QString Cause() const { return cause; }

private:
    QString cause;
};

// The integer constants a source file defines, in the order found.
class clsSourceConstants
{
public:
    void Append(const QString& szName, int nValue);
    std::optional<int> First(QStringView szName) const;
    std::optional<int> Last(QStringView szName) const;
    int Count() const { return static_cast<int>(names.size()); }

private:
    QStringList names;
    QList<int> values;
};

// Shift-JIS source text as lines, spaces and control characters, and numbers.
class clsSourceText
{
public:
    // The lines of a Shift-JIS file; CR LF, a lone CR and a lone LF each end a line. Throws
    // clsSourceFailure when the file cannot be read or is not text.
    static QStringList ReadLines(const QString& szPath);
    // Every character below 32 and every double-byte character (Shift-JIS) becomes a
    // space; the result is trimmed of spaces.
    static QString CtrlToSpace(QStringView text);
    // Without the spaces (U+0020 only) at either end.
    static QStringView Trim(QStringView text);
    // What a decimal number conversion accepts: optional sign, digits, decimal point and
    // exponent.
    static bool IsNumeric(QStringView text);
    // The decimal number rounded to a 32-bit integer (halves to even); throws
    // clsSourceFailure when it does not fit.
    static int ToLong(QStringView text);
    // A C integer literal: decimal, hexadecimal (0x) or octal (leading 0), with u/l
    // suffixes; nothing for any other text.
    static std::optional<qint64> CLiteral(QStringView text);
    // A C number: an integer literal or a decimal number, as a 32-bit integer; nothing when
    // the text is neither. Throws clsSourceFailure when it does not fit.
    static std::optional<int> CNumber(QStringView text);
};
