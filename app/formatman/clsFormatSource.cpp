// The C and VB declarations of a format and their appending to a source file.
#include "clsFormatSource.h"

#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsMessenger.h"
#include "clsOutputFile.h"
#include "clsSystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kRule = u"//-----------------------------------------------------------"_s;

// Type names as C and VB spell them.
constexpr int kVBNames = 1;
constexpr int kCNames = 2;

// Padding of the VB member lines: the name part, then everything before the comment.
constexpr int kVBNameWidth = 30;
constexpr int kVBTypeWidth = 50;

// Why the present content of szPath cannot be kept: the file named, then the cause.
QString ReadFailure(const QString& szPath, const QString& szCause)
{
    return QDir::toNativeSeparators(szPath) + u": 既存の内容を読み込めないため追加できません。"_s +
           szCause;
}

// The file's present bytes, which the appended declaration follows. Only a regular file has
// any to keep: a device or pipe is simply written to.
bool ReadExisting(const QString& szPath, QByteArray& bytes, QString& szReason)
{
    const QFileInfo info(szPath);
    if (!info.exists() || !info.isFile())
        return true;
    if (info.size() > clsOutputFile::kMaxFileBytes) {
        szReason = ReadFailure(szPath, clsSystemError::Cause(EFBIG));
        return false;
    }
    QFile file(szPath);
    errno = 0;
    if (file.open(QIODevice::ReadOnly)) {
        bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    szReason = ReadFailure(szPath, clsSystemError::Cause(errno));
    return false;
}

} // namespace

QString clsFormatSource::Caption()
{
    return u"Format Manager"_s;
}

QStringList clsFormatSource::CLines(const clsFormat& format)
{
    qsizetype longest = 0;
    for (int i = 1; i <= format.MemCount(); ++i)
        longest = std::max(longest, format.Members(i)->MemName.size());
    const qsizetype tabStops = longest / 4;

    QStringList lines{kRule, u"//    "_s + format.FormatName, kRule,
                      u"typedef struct tag"_s + format.StructName + u" {"_s};
    for (int i = 1; i <= format.MemCount(); ++i) {
        const clsMember& member = *format.Members(i);
        const QString typeName = member.MemTypeAsString(kCNames);
        // Tabs after the name line the declarators up on the longest name's tab stop.
        const QString pad(tabStops - member.MemName.size() / 4 + 1, u'\t');
        const QString declarator =
            typeName == u"char"_s
                ? member.MemName + pad + u'[' + QString::number(member.MemLenB) + u"];"_s
                : member.MemName + u';' + pad;
        lines << u'\t' + typeName + u'\t' + declarator + u"\t\t//"_s + member.Comment;
    }
    lines << u'}' + format.StructName + u';'
          << u"// Total "_s + QString::number(format.RecLenB()) + u"Bytes"_s;
    return lines;
}

QStringList clsFormatSource::VBLines(const clsFormat& format)
{
    QStringList lines{u'\'' + kRule, u"'//    "_s + format.FormatName, u'\'' + kRule,
                      u"Type "_s + format.StructName};
    for (int i = 1; i <= format.MemCount(); ++i) {
        const clsMember& member = *format.Members(i);
        // Strings become variable-length: the declaration carries no width.
        QString line = (u"    "_s + member.MemName).leftJustified(kVBNameWidth);
        line = (line + u" As "_s + member.MemTypeAsString(kVBNames)).leftJustified(kVBTypeWidth);
        lines << line + u" '"_s + member.Comment;
    }
    lines << u"End Type"_s << u"'// Total "_s + QString::number(format.RecLenB()) + u" Bytes"_s;
    return lines;
}

bool clsFormatSource::SaveStructAsC(const clsFormat& format, const QString& szPath)
{
    return Append(CLines(format), szPath);
}

bool clsFormatSource::SaveStructAsVB(const clsFormat& format, const QString& szPath)
{
    return Append(VBLines(format), szPath);
}

bool clsFormatSource::Append(const QStringList& aszLines, const QString& szPath)
{
    QByteArray bytes;
    QString reason;
    if (!ReadExisting(szPath, bytes, reason)) {
        gMsgBox().Exclamation(reason, Caption());
        return false;
    }
    // The whole file goes through the output stage, so a failed write leaves the old one.
    for (const QString& line : aszLines)
        bytes += clsCodePage::ToSjis(line) + "\r\n";
    clsOutputFile output(szPath);
    if (!output.Open() || !output.WriteBytes(bytes.constData(), bytes.size()) || !output.Close()) {
        gMsgBox().Exclamation(output.Reason(), Caption());
        return false;
    }
    return true;
}
