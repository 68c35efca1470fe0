// Reading and writing REGEDIT4 text for the program's settings.
#include "clsRegFile.h"

#include "clsCodePage.h"
#include "clsMessenger.h"
#include "clsSettingsStore.h"

#include <QFile>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString keyPrefix = u"HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Quillet\\"_s;
const QString hexPrefix = u"hex(1):"_s;
// Hex bytes per line, as the registry editor wraps them.
constexpr int hexPerLine = 25;

QStringView TrimBlanks(QStringView text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text = text.mid(1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

// Reads a quoted string starting after its opening quote; \" and \\ are escapes, any other
// backslash stands for itself as in the registry editor. Returns the position after the
// closing quote, or -1 when there is none.
qsizetype ReadQuoted(QStringView line, qsizetype pos, QString& text)
{
    text.clear();
    for (; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"')
            return pos + 1;
        if (c == u'\\' && pos + 1 < line.size() &&
            (line[pos + 1] == u'"' || line[pos + 1] == u'\\'))
            ++pos;
        text += line[pos];
    }
    return -1;
}

QString Quote(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\\', u"\\\\"_s).replace(u'"', u"\\\""_s);
    return u'"' + quoted + u'"';
}

// Appends the comma-separated hex bytes of one line; continued tells whether the line ends
// in a backslash. False for anything but one or two hex digits between the commas.
bool ReadHex(QStringView line, QByteArray& bytes, bool& continued)
{
    line = TrimBlanks(line);
    continued = line.endsWith(u'\\');
    if (continued)
        line = TrimBlanks(line.chopped(1));
    if (line.endsWith(u',')) {
        // Only a continued line ends in a comma: without the backslash the file was cut.
        if (!continued)
            return false;
        line.chop(1);
    }
    if (line.isEmpty())
        return true;
    for (QStringView token : line.split(u',')) {
        token = TrimBlanks(token);
        const bool hex = std::all_of(token.begin(), token.end(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c.toLower() >= u'a' && c.toLower() <= u'f');
        });
        if (!hex || token.isEmpty() || token.size() > 2)
            return false;
        bytes.append(static_cast<char>(token.toUInt(nullptr, 16)));
    }
    return true;
}

// Walks the lines of one file.
class clsRegParser
{
public:
    explicit clsRegParser(const QByteArray& bytes)
    {
        QString text = clsCodePage::FromSjis(bytes);
        text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
        lines = text.split(u'\n');
    }

    clsRegFile::Result Run()
    {
        if (lines.isEmpty() || TrimBlanks(lines.first()) != u"REGEDIT4"_s)
            return Fail(u"先頭行が REGEDIT4 ではありません。"_s);
        for (nLine = 1; nLine < lines.size(); ++nLine) {
            const QStringView line = TrimBlanks(lines[nLine]);
            if (line.isEmpty() || line.startsWith(u';') || line == u"REGEDIT4"_s)
                continue;
            const QString error = line.startsWith(u'[')   ? ReadSection(line)
                                  : line.startsWith(u'"') ? ReadValue(line)
                                                          : u"解釈できない行です。"_s;
            if (!error.isEmpty())
                return Fail(error);
        }
        return result;
    }

private:
    clsRegFile::Result Fail(const QString& szError)
    {
        clsRegFile::Result failed;
        failed.nErrorLine = static_cast<int>(nLine) + 1;
        failed.szError = szError;
        return failed;
    }

    QString ReadSection(QStringView line)
    {
        if (!line.endsWith(u']'))
            return u"「]」がありません。"_s;
        const QStringView path = line.mid(1, line.size() - 2);
        if (path.startsWith(u'-'))
            return u"キーの削除には対応していません。"_s;
        if (!path.startsWith(keyPrefix, Qt::CaseInsensitive))
            return u"Quillet の設定のキーではありません。"_s;
        const QStringView section = path.mid(keyPrefix.size());
        if (section.isEmpty() || section.contains(u'\\'))
            return u"Quillet の下の一段目のキーではありません。"_s;
        szSection = section.toString();
        return {};
    }

    QString ReadValue(QStringView line)
    {
        if (szSection.isEmpty())
            return u"キーより前に値があります。"_s;
        clsRegFile::Value value{szSection, {}, {}, static_cast<int>(nLine) + 1};
        qsizetype pos = ReadQuoted(line, 1, value.szKey);
        if (pos < 0)
            return u"名前の「\"」が閉じていません。"_s;
        QStringView rest = TrimBlanks(line.mid(pos));
        if (!rest.startsWith(u'='))
            return u"「=」がありません。"_s;
        rest = TrimBlanks(rest.mid(1));
        if (rest.startsWith(u'"')) {
            pos = ReadQuoted(rest, 1, value.szValue);
            if (pos < 0)
                return u"値の「\"」が閉じていません。"_s;
            const QStringView after = TrimBlanks(rest.mid(pos));
            if (!after.isEmpty() && !after.startsWith(u';'))
                return u"値の後に余分な文字があります。"_s;
        } else if (rest.startsWith(hexPrefix, Qt::CaseInsensitive)) {
            const QString error = ReadHexValue(rest.mid(hexPrefix.size()), value.szValue);
            if (!error.isEmpty())
                return error;
        } else {
            return u"文字列以外の値には対応していません。"_s;
        }
        result.values.append(value);
        return {};
    }

    QString ReadHexValue(QStringView first, QString& szValue)
    {
        QByteArray bytes;
        bool continued = false;
        if (!ReadHex(first, bytes, continued))
            return u"hex(1) のバイト列が不正です。"_s;
        while (continued) {
            if (nLine + 1 >= lines.size() || TrimBlanks(lines[nLine + 1]).isEmpty())
                return u"hex(1) の値が途中で終わっています。"_s;
            ++nLine;
            if (!ReadHex(lines[nLine], bytes, continued))
                return u"hex(1) のバイト列が不正です。"_s;
        }
        if (bytes.endsWith('\0'))
            bytes.chop(1);
        if (bytes.contains('\0'))
            return u"hex(1) の文字列の途中に 00 があります。"_s;
        szValue = clsCodePage::FromSjis(bytes);
        return {};
    }

    QStringList lines;
    qsizetype nLine = 0;
    QString szSection;
    clsRegFile::Result result;
};

} // namespace

clsRegFile::Result clsRegFile::Parse(const QByteArray& bytes)
{
    return clsRegParser(bytes).Run();
}

clsRegFile::Result clsRegFile::ReadFile(const QString& szPath)
{
    QFile file(szPath);
    if (!file.open(QIODevice::ReadOnly)) {
        Result failed;
        failed.szError = file.errorString();
        return failed;
    }
    return Parse(file.readAll());
}

QString clsRegFile::SectionLine(const QString& szSection)
{
    return u'[' + keyPrefix + szSection + u']';
}

QString clsRegFile::ValueLine(const QString& szKey, const QString& szValue)
{
    const bool plain = std::none_of(szValue.begin(), szValue.end(),
                                    [](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
    if (plain)
        return Quote(szKey) + u'=' + Quote(szValue);
    QString line = Quote(szKey) + u'=' + hexPrefix;
    const QByteArray bytes = clsCodePage::ToSjis(szValue) + '\0';
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            line += i % hexPerLine == 0 ? u",\\\r\n  "_s : u","_s;
        line += QString::number(static_cast<uchar>(bytes[i]), 16).rightJustified(2, u'0');
    }
    return line;
}

QByteArray clsRegFile::Compose(const QList<Value>& values)
{
    QString text = u"REGEDIT4\r\n"_s;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i == 0 || values[i].szSection != values[i - 1].szSection)
            text += u"\r\n"_s + SectionLine(values[i].szSection) + u"\r\n"_s;
        text += ValueLine(values[i].szKey, values[i].szValue) + u"\r\n"_s;
    }
    return clsCodePage::ToSjis(text);
}

bool clsRegFile::Import(const QList<Value>& values, clsSettingsStore& store)
{
    store.BeginUpdate();
    bool ok = true;
    for (const Value& value : values)
        ok = ok && store.Save(AppTitle(), value.szSection, value.szKey, value.szValue);
    return store.EndUpdate() && ok;
}
