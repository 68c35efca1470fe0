// The C/C++ structure scanner: struct definitions of a source file as formats.
#pragma once

#include "clsSourceText.h"

#include <QString>

class clsFormat;
class clsFormats;

// Works on space-separated tokens of the comment-free text, not on a C grammar: every
// "struct" with a body becomes a format with one member per declarator, array sizes taken
// from numbers or from the file's #define and const constants.
class clsCScanner
{
public:
    // Appends one format per detected structure; returns how many. Throws
    // clsSourceFailure when the file cannot be read or a value does not fit.
    static int ReadCSource(const QString& szPath, clsFormats& formats);
    // The same for the source lines themselves.
    static int ScanLines(const QStringList& lines, clsFormats& formats);

    // The text without // and /* */ comments; a NUL marks each line's end.
    static QString CCommentCut(const QString& szText);
    static clsSourceConstants GetConstList(const QString& szText);
    static int GetCStructs(const QString& szText, clsFormats& formats,
                           const clsSourceConstants& constants);

    // The data-type code of a C type word (a string for any word it does not know).
    static int GetCTypeCode(QStringView word);
    static bool IsCTypeWord(QStringView word);
    // Glues a declarator such as "name [ 10 ] ;" into "name[10];".
    static QString CutSpaceBeforeSemi(const QString& szText);

private:
    static void AddMember(clsFormat& format, const QString& szType, const QString& szDecl,
                          const clsSourceConstants& constants);
    static void ExpandCArray(clsFormat& format, const QString& szDecl,
                             const clsSourceConstants& constants);
};
