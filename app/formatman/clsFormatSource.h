// A registered format written out as a C structure or a VB user-defined type.
#pragma once

#include <QString>
#include <QStringList>

class clsFormat;

// The source generators of the format manager. Each appends its declaration to the chosen
// file (an existing file keeps what it holds), one CR LF after every line, in Shift-JIS;
// a failure is shown as an exclamation captioned "Format Manager".
class clsFormatSource
{
public:
    // Appends the C declaration of format to szPath; false after the box when it failed.
    static bool SaveStructAsC(const clsFormat& format, const QString& szPath);
    // Appends the VB declaration of format to szPath; false after the box when it failed.
    static bool SaveStructAsVB(const clsFormat& format, const QString& szPath);

    // The lines each writer adds, without their line ends.
    static QStringList CLines(const clsFormat& format);
    static QStringList VBLines(const clsFormat& format);

    // The caption of the generators' boxes.
    static QString Caption();

private:
    static bool Append(const QStringList& aszLines, const QString& szPath);
};
