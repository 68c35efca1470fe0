// Comments, constants, structures and declarators of C/C++ source.
#include "clsCScanner.h"

#include "clsFormatInfo.h"
#include "clsFormatRules.h"
#include "clsFormats.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

using Text = clsSourceText;

// The word before the first space and the rest behind it, both trimmed.
QStringView GetToken(QStringView& text)
{
    text = Text::Trim(text);
    const qsizetype space = text.indexOf(u' ');
    if (space < 0) {
        const QStringView token = text;
        text = {};
        return token;
    }
    const QStringView token = text.left(space);
    text = Text::Trim(text.mid(space + 1));
    return token;
}

// The text of a structure's body, read token by token. Gluing a declarator works in place,
// so that a body of any length is read in one pass.
class clsBody
{
public:
    explicit clsBody(QStringView text) : buffer(text.toString()), end(buffer.size()) {}

    bool IsEmpty() const { return pos >= end; }

    QString GetToken()
    {
        while (pos < end && buffer[pos] == u' ')
            ++pos;
        qsizetype space = pos;
        while (space < end && buffer[space] != u' ')
            ++space;
        const QString token = buffer.mid(pos, space - pos);
        pos = space;
        while (pos < end && buffer[pos] == u' ')
            ++pos;
        while (end > pos && buffer[end - 1] == u' ')
            --end;
        return token;
    }

    // Removes every space in front of the first ";".
    void CutSpaceBeforeSemi()
    {
        if (semi == kUnknown || (semi != kNone && semi < pos)) {
            semi = buffer.indexOf(u';', pos);
            if (semi < 0 || semi >= end)
                semi = kNone;
        }
        if (semi == kNone)
            return;
        qsizetype to = semi;
        for (qsizetype from = semi - 1; from >= pos; --from) {
            if (buffer[from] != u' ')
                buffer[--to] = buffer[from];
        }
        pos = to;
    }

private:
    static constexpr qsizetype kUnknown = -1;
    static constexpr qsizetype kNone = -2;
    QString buffer;
    qsizetype pos = 0;
    qsizetype end;
    qsizetype semi = kUnknown;
};

QString CutSemi(QStringView token)
{
    const qsizetype semi = token.indexOf(u';');
    return Text::Trim(semi < 0 ? token : token.left(semi)).toString();
}

struct TypeWords
{
    int code;
    std::array<const char16_t*, 10> words;
};

const std::array<TypeWords, 5> kTypeWords = {{
    {2,
     {u"LONG", u"long", u"ULONG", u"DWORD", u"int", u"INT", u"UINT", u"INT32", u"bool", u"BOOL"}},
    {1, {u"SHORT", u"short", u"INT16"}},
    {5, {u"CHAR", u"char", u"TCHAR", u"CCHAR", u"UCHAR", u"unsigned", u"signed"}},
    {3, {u"FLOAT", u"float"}},
    {4, {u"DOUBLE", u"double"}},
}};

int TypeCode(QStringView word)
{
    for (const TypeWords& entry : kTypeWords) {
        for (const char16_t* candidate : entry.words) {
            if (candidate && word == QStringView(candidate))
                return entry.code;
        }
    }
    return 0;
}

// The text between the first "[" and the first "]" behind it, trimmed; nothing when there
// is no such pair or nothing between them.
std::optional<QStringView> Bracketed(QStringView text, qsizetype& open)
{
    open = text.indexOf(u'[');
    const qsizetype close = text.indexOf(u']');
    if (open < 0 || close < 0)
        return std::nullopt;
    if (close <= open + 1)
        return QStringView();
    return Text::Trim(text.mid(open + 1, close - open - 1));
}

} // namespace

int clsCScanner::ReadCSource(const QString& szPath, clsFormats& formats)
{
    return ScanLines(Text::ReadLines(szPath), formats);
}

int clsCScanner::ScanLines(const QStringList& lines, clsFormats& formats)
{
    QString text;
    for (const QString& line : lines) {
        text += Text::Trim(line);
        text += QChar(u'\0');
    }
    text = Text::CtrlToSpace(CCommentCut(text));
    return GetCStructs(text, formats, GetConstList(text));
}

QString clsCScanner::CCommentCut(const QString& szText)
{
    // One pass from left to right gives what cutting the first comment again and again
    // gives: a cut never joins two characters into a new comment mark.
    QString result;
    bool blank = true; // result holds nothing but spaces so far
    qsizetype pos = 0;
    bool cut = false;
    for (;;) {
        const qsizetype line = szText.indexOf(u"//"_s, pos);
        const qsizetype block = szText.indexOf(u"/*"_s, pos);
        if (line < 0 && block < 0) {
            result += QStringView(szText).mid(pos);
            break;
        }
        cut = true;
        if (block >= 0 && (line < 0 || block < line)) {
            result += QStringView(szText).mid(pos, block - pos);
            const qsizetype end = szText.indexOf(u"*/"_s, block + 2);
            if (end < 0)
                pos = szText.size();
            else {
                result += u' ';
                pos = end + 2;
            }
        } else {
            result += QStringView(szText).mid(pos, line - pos);
            const qsizetype mark = szText.indexOf(QChar(u'\0'), line + 2);
            pos = mark < 0 ? szText.size() : mark;
        }
        // Each cut left-trims the whole text.
        if (blank) {
            while (!result.isEmpty() && result.front() == u' ')
                result.remove(0, 1);
            blank = result.isEmpty();
            while (blank && pos < szText.size() && szText[pos] == u' ')
                ++pos;
        }
        if (pos >= szText.size())
            break;
    }
    if (cut)
        while (!result.isEmpty() && result.front() == u' ')
            result.remove(0, 1);
    return result;
}

clsSourceConstants clsCScanner::GetConstList(const QString& szText)
{
    clsSourceConstants constants;
    QStringView text(szText);
    for (;;) {
        // Every "#define " is taken before any "const ", so a const declaration standing
        // before the last #define is cut away with the text in front of it.
        const qsizetype define = text.indexOf(u"#define "_s);
        const qsizetype isConst = define < 0 ? text.indexOf(u"const "_s) : -1;
        if (define >= 0) {
            text = text.mid(define + 8);
        } else if (isConst >= 0) {
            text = text.mid(isConst + 6);
            GetToken(text); // the type word
        } else {
            break;
        }
        const QStringView name = GetToken(text);
        if (Text::IsNumeric(name))
            continue;
        QStringView value = GetToken(text);
        if (value == u"=")
            value = GetToken(text);
        if (define < 0 && value.indexOf(u';') > 0)
            value = value.left(value.indexOf(u';'));
        if (const std::optional<int> number = Text::CNumber(value))
            constants.Append(name.toString(), *number);
    }
    return constants;
}

int clsCScanner::GetCStructs(const QString& szText, clsFormats& formats,
                             const clsSourceConstants& constants)
{
    int count = 0;
    QStringView text(szText);
    for (qsizetype at; (at = text.indexOf(u"struct "_s)) >= 0;) {
        text = text.mid(at + 7);
        QString tag = GetToken(text).toString();
        const qsizetype brace = tag.indexOf(u'{');
        if (tag != u"{"_s && brace >= 0)
            tag = Text::Trim(QStringView(tag).left(brace)).toString();
        else if (tag != u"{"_s && GetToken(text) != u"{")
            continue;
        ++count;
        clsFormat& format = *formats.Add(nullptr, 0);
        const qsizetype close = text.indexOf(u'}');
        clsBody body(close < 0 ? text : text.left(close));
        text = close < 0 ? QStringView() : text.mid(close + 1);
        while (!body.IsEmpty()) {
            QString previous;
            QString current;
            for (int pass = 0; pass < 3; ++pass) {
                if (current == u"signed"_s || current == u"unsigned"_s)
                    current = body.GetToken();
                if (IsCTypeWord(current))
                    body.CutSpaceBeforeSemi();
                previous = current;
                current = body.GetToken();
                if (current.contains(u';'))
                    break;
            }
            AddMember(format, previous, current, constants);
        }
        const QString name = CutSemi(GetToken(text));
        format.StructName = name.isEmpty() ? tag : name;
    }
    return count;
}

int clsCScanner::GetCTypeCode(QStringView word)
{
    const int code = TypeCode(word);
    return code == 0 ? 5 : code;
}

bool clsCScanner::IsCTypeWord(QStringView word)
{
    return TypeCode(word) != 0;
}

QString clsCScanner::CutSpaceBeforeSemi(const QString& szText)
{
    // Removing the first space while it lies before the first ";" removes them all there.
    const qsizetype semi = szText.indexOf(u';');
    if (semi < 0)
        return szText;
    QString glued = szText.left(semi);
    glued.remove(u' ');
    return glued + szText.mid(semi);
}

void clsCScanner::AddMember(clsFormat& format, const QString& szType, const QString& szDecl,
                            const clsSourceConstants& constants)
{
    clsMember& member = *format.AddMember(nullptr, 0);
    member.MemType = GetCTypeCode(szType);
    const bool isString = member.MemType == 5;
    QStringView name = Text::Trim(szDecl);
    int size = gFormatInfo().GetTypeLenB(member.MemType);
    if (isString) {
        size = 256;
        qsizetype open = 0;
        if (const std::optional<QStringView> inner = Bracketed(szDecl, open)) {
            name = Text::Trim(QStringView(szDecl).left(open));
            if (!inner->isEmpty()) {
                if (const std::optional<int> number = Text::CNumber(*inner))
                    size = *number;
                else
                    size = constants.Last(*inner).value_or(size);
            }
        }
    }
    member.MemLenB = size;
    member.MemLen = isString ? size : gFormatInfo().GetTypeLen(member.MemType);
    member.MemName = CutSemi(name);
    member.Comment = member.MemName;
    member.BlankChr = isString ? u" "_s : u"0"_s;
    member.Stuff = isString ? 2 : 1;
    // Rows of a two-dimensional array are only known for char arrays.
    if (isString)
        ExpandCArray(format, szDecl, constants);
}

void clsCScanner::ExpandCArray(clsFormat& format, const QString& szDecl,
                               const clsSourceConstants& constants)
{
    const qsizetype first = szDecl.indexOf(u']');
    if (first < 0)
        return;
    qsizetype open = 0;
    const std::optional<QStringView> inner =
        Bracketed(QStringView(szDecl).mid(first + 1, 256), open);
    if (!inner)
        return;
    int width = 10;
    if (const std::optional<int> number = Text::CNumber(*inner))
        width = *number;
    else if (!inner->isEmpty())
        width = constants.First(*inner).value_or(width);
    clsMember& row1 = *format.Members(format.MemCount());
    const int rows = row1.MemLen;
    if (rows > clsFormatRules::kMaxMembers)
        throw clsSourceFailure(u"配列 "_s + row1.MemName + u" の行が多すぎます。"_s);
    const QString name = row1.MemName;
    const QString comment = row1.Comment;
    for (int k = 1; k <= rows || k == 1; ++k) {
        clsMember& row = k == 1 ? row1 : *format.AddMember(nullptr, 0);
        row.MemType = row1.MemType;
        row.BlankChr = row1.BlankChr;
        row.MemLen = width;
        row.MemLenB = width;
        row.MemName = name + QString::number(k);
        row.Comment = comment + QString::number(k);
    }
}
