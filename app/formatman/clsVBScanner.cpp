// Comments, constants, Type blocks and member lines of VB modules.
#include "clsVBScanner.h"

#include "clsFormatInfo.h"
#include "clsFormatRules.h"
#include "clsFormats.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using Text = clsSourceText;

QString Trim(QStringView text)
{
    return Text::Trim(text).toString();
}

// The code with a leading "Public" or "Private" taken off.
QString WithoutScope(const QString& szCode)
{
    if (szCode.startsWith(u"Public"_s))
        return Trim(QStringView(szCode).mid(6));
    if (szCode.startsWith(u"Private"_s))
        return Trim(QStringView(szCode).mid(7));
    return szCode;
}

} // namespace

int clsVBScanner::ReadVBSource(const QString& szPath, clsFormats& formats)
{
    return ScanLines(Text::ReadLines(szPath), formats);
}

int clsVBScanner::ScanLines(const QStringList& lines, clsFormats& formats)
{
    const clsSourceConstants constants = GetConstList(lines);
    int count = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString comment;
        const QString code = WithoutScope(VBCommentCut(Trim(lines[i]), comment));
        if (!code.startsWith(u"Type"_s))
            continue;
        ++count;
        clsFormat& format = *formats.Add(nullptr, 0);
        format.StructName = Trim(QStringView(code).mid(4));
        for (++i; i < lines.size(); ++i) {
            comment.clear();
            const QString member = Trim(VBCommentCut(lines[i], comment));
            if (member.startsWith(u"End Type"_s))
                break;
            if (!member.isEmpty())
                AddMember(format, member, comment, constants);
        }
    }
    return count;
}

clsSourceConstants clsVBScanner::GetConstList(const QStringList& lines)
{
    clsSourceConstants constants;
    for (const QString& line : lines) {
        QString comment;
        QString code = Trim(VBCommentCut(Trim(line), comment));
        QString word = GetFirstWord(code);
        if (word == u"Private"_s || word == u"Public"_s)
            word = GetFirstWord(code);
        if (!word.contains(u"Const"_s))
            continue;
        const QString name = GetFirstWord(code);
        QString value = GetFirstWord(code);
        if (value == u"="_s)
            value = GetFirstWord(code);
        if (Text::IsNumeric(value))
            constants.Append(name, Text::ToLong(value));
    }
    return constants;
}

void clsVBScanner::AddMember(clsFormat& format, QString code, const QString& szComment,
                             const clsSourceConstants& constants)
{
    clsMember& member = *format.AddMember(nullptr, 0);
    member.Comment = Trim(szComment);
    member.MemName = Text::CtrlToSpace(GetFirstWord(code));
    if (member.Comment.isEmpty())
        member.Comment = member.MemName;
    if (GetFirstWord(code) != u"As"_s) {
        member.MemType = 5;
        member.MemLen = member.MemLenB = 255;
        member.BlankChr = u" "_s;
    } else {
        member.MemType = gFormatInfo().GetType(Text::CtrlToSpace(GetFirstWord(code)));
        member.BlankChr = u" "_s;
        if (member.MemType == 5) {
            member.Stuff = 2;
            member.MemLen = member.MemLenB = 255;
            if (GetFirstWord(code) == u"*"_s) {
                const QString length = Text::CtrlToSpace(GetFirstWord(code));
                if (Text::IsNumeric(length))
                    member.MemLen = member.MemLenB = Text::ToLong(length);
                else if (const std::optional<int> value = constants.First(length))
                    member.MemLen = member.MemLenB = *value;
                else
                    throw clsSourceFailure(u"String * "_s + length + u" の長さ "_s + length +
                                           u" は数値でも定義済みの定数でもありません。"_s);
            }
        } else {
            member.MemLenB = gFormatInfo().GetTypeLenB(member.MemType);
            member.MemLen = gFormatInfo().GetTypeLen(member.MemType);
            member.Stuff = 1;
        }
    }
    // A(3) is three members A1, A2, A3 alike.
    const qsizetype open = member.MemName.indexOf(u'(');
    const qsizetype close = member.MemName.indexOf(u')');
    if (open < 0 || close <= open + 1)
        return;
    const QStringView bound =
        Text::Trim(QStringView(member.MemName).mid(open + 1, close - open - 1));
    if (!Text::IsNumeric(bound))
        return;
    const int count = Text::ToLong(bound);
    if (count <= 0)
        return;
    if (count > clsFormatRules::kMaxMembers)
        throw clsSourceFailure(u"配列 "_s + member.MemName + u" の要素が多すぎます。"_s);
    const QString base = member.MemName.left(open);
    member.MemName = base + u'1';
    for (int k = 2; k <= count; ++k) {
        clsMember& element = *format.AddMember(member.Copy(), 0);
        element.MemName = base + QString::number(k);
    }
}

QString clsVBScanner::VBCommentCut(const QString& szLine, QString& szComment)
{
    const qsizetype apostrophe = szLine.indexOf(u'\'');
    if (apostrophe == 0)
        return {};
    if (apostrophe < 0)
        return szLine;
    const qsizetype quote = szLine.indexOf(u'"');
    if (quote < 0 || apostrophe < quote) {
        szComment = szLine.mid(apostrophe + 1);
        return szLine.left(apostrophe);
    }
    // The apostrophe may lie inside a string: only one behind the last quote starts a
    // comment.
    const QString rest = GetQuotedRest(szLine);
    const qsizetype inRest = rest.indexOf(u'\'');
    if (inRest < 0)
        return szLine;
    szComment = rest.mid(inRest + 1);
    return szLine.left(szLine.size() - szComment.size() - 1);
}

QString clsVBScanner::GetFirstWord(QString& szLine)
{
    const QString line = Trim(szLine);
    const qsizetype space = line.indexOf(u' ');
    if (space < 0)
        return line;
    szLine = Trim(QStringView(line).mid(space + 1));
    return line.left(space);
}

QString clsVBScanner::GetQuotedRest(const QString& szLine)
{
    if (szLine.count(u'"') < 2)
        return {};
    return Trim(QStringView(szLine).mid(szLine.lastIndexOf(u'"') + 1));
}
