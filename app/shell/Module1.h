// Small text helpers shared by every part of the program.
#pragma once

#include <QString>
#include <QStringList>

// Path, field and padding functions; all pure. Both "\" and "/" separate path parts.
namespace Module1 {

// The text without the spaces (U+0020 only) at either end; tabs and line ends stay.
QString Trim(const QString& szText);
// The text after the last separator; the whole text when there is none.
QString GetFileName(const QString& szPath);
// The text up to and including the last separator; empty when there is none.
QString GetDirName(const QString& szPath);
// Splits at every occurrence of the delimiter (quotes do not protect it); each field is
// trimmed and unquoted. Field k lands at aszFields[k - 1]; returns the field count, at least 1.
int SplitFields(QStringList& aszFields, const QString& szText, const QString& szDelimiter);
// The trimmed text; a text enclosed in double quotes loses them and is trimmed again.
QString Unquote(const QString& szText);
// The extension of the file name replaced by szExt (no dot); a name without a dot stays.
QString ChangeExt(const QString& szPath, const QString& szExt);
// Pads the text to nWidth Shift-JIS bytes with repeated szFill: in front for nStuff 1
// (right-justified), behind for 2 (left-justified). Never cuts.
QString PadField(const QString& szText, const QString& szFill, int nWidth, int nStuff);

} // namespace Module1
