// Path, field and padding helpers.
#include "Module1.h"

#include "clsCodePage.h"

#include <algorithm>

namespace {

qsizetype LastSeparator(const QString& szPath)
{
    return std::max(szPath.lastIndexOf(u'\\'), szPath.lastIndexOf(u'/'));
}

} // namespace

namespace Module1 {

QString Trim(const QString& szText)
{
    qsizetype first = 0;
    qsizetype last = szText.size();
    while (first < last && szText[first] == u' ')
        ++first;
    while (last > first && szText[last - 1] == u' ')
        --last;
    return szText.mid(first, last - first);
}

QString GetFileName(const QString& szPath)
{
    return szPath.mid(LastSeparator(szPath) + 1);
}

QString GetDirName(const QString& szPath)
{
    return szPath.left(LastSeparator(szPath) + 1);
}

int SplitFields(QStringList& aszFields, const QString& szText, const QString& szDelimiter)
{
    aszFields.clear();
    QString rest = szText;
    // An empty delimiter would match at every position without consuming anything.
    qsizetype found = szDelimiter.isEmpty() ? -1 : rest.indexOf(szDelimiter);
    while (found >= 0) {
        aszFields.append(Unquote(rest.left(found)));
        rest = Trim(rest.mid(found + szDelimiter.size()));
        found = rest.indexOf(szDelimiter);
    }
    aszFields.append(Unquote(rest));
    return static_cast<int>(aszFields.size());
}

QString Unquote(const QString& szText)
{
    const QString trimmed = Trim(szText);
    if (trimmed.size() >= 2 && trimmed.startsWith(u'"') && trimmed.endsWith(u'"'))
        return Trim(trimmed.mid(1, trimmed.size() - 2));
    return trimmed;
}

QString ChangeExt(const QString& szPath, const QString& szExt)
{
    // Only the file name's dot counts: a dot in a folder name is not an extension.
    const qsizetype dot = szPath.lastIndexOf(u'.');
    if (dot < 0 || dot < LastSeparator(szPath))
        return szPath;
    return szPath.left(dot + 1) + szExt;
}

QString PadField(const QString& szText, const QString& szFill, int nWidth, int nStuff)
{
    const int nBytes = clsCodePage::SjisLength(szText);
    if (nBytes >= nWidth || (nStuff != 1 && nStuff != 2))
        return szText;
    const QString padding = szFill.repeated(nWidth - nBytes);
    return nStuff == 1 ? padding + szText : szText + padding;
}

} // namespace Module1
