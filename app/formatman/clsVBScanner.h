// The VB Type scanner: Type ... End Type blocks of a VB module as formats.
#pragma once

#include "clsSourceText.h"

#include <QString>
#include <QStringList>

class clsFormat;
class clsFormats;

// Reads a module line by line twice: the first pass collects Const values, the second
// turns every Type block into a format with one member per member line, a member's
// trailing comment becoming its comment.
class clsVBScanner
{
public:
    // Appends one format per Type block; returns how many. Throws clsSourceFailure when
    // the file cannot be read or a value cannot be taken.
    static int ReadVBSource(const QString& szPath, clsFormats& formats);
    static int ScanLines(const QStringList& lines, clsFormats& formats);

    // The code part of a line; szComment receives the comment behind code (it is left
    // alone when there is none, or when the whole line is a comment).
    static QString VBCommentCut(const QString& szLine, QString& szComment);
    // The word before the first space (the line loses it), or the whole trimmed line (the
    // line stays as it is).
    static QString GetFirstWord(QString& szLine);
    // The trimmed text behind the last double quote when the line holds at least two.
    static QString GetQuotedRest(const QString& szLine);

private:
    static clsSourceConstants GetConstList(const QStringList& lines);
    static void AddMember(clsFormat& format, QString code, const QString& szComment,
                          const clsSourceConstants& constants);
};
