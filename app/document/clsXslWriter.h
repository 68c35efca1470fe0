// The XSL stylesheet that shows a format's XML export as an HTML table.
#pragma once

#include <QString>
#include <QStringList>

class clsFormat;

// Builds the stylesheet of a format in memory and writes it through the output stage in the
// chosen character set and line end. The element names are the ones the XML export writes:
// the root named by FormatName, "_TITLE", "_HEAD" with its "COL"s, and one "_" + StructName
// element per record whose children are named by the exported members' comments.
class clsXslWriter
{
public:
    // The lines without their line ends; a character set of 0 names the format's own.
    static QStringList Lines(const clsFormat& format, int lnCharSet);
    // The whole text with every line ended by the chosen line end (0: the format's own).
    static QString Text(const clsFormat& format, int lnCharSet, int lnCRLF);
    // Writes the stylesheet to szPath; a character set or line end of 0 means the format's
    // own. False with szReason (naming the file and the cause) when the file was not written.
    static bool Write(const clsFormat& format, const QString& szPath, int lnCharSet, int lnCRLF,
                      QString& szReason);
    // Write followed by the box the user sees: the completion notice, or the cause and the
    // path as a Critical box, both through gMsgBox() with the program's title.
    static bool WriteXSL(const clsFormat& format, const QString& szPath, int lnCharSet, int lnCRLF);

    // The failure box's text for a reason of the output stage: its cause, CR LF, the path.
    static QString FailureText(const QString& szReason, const QString& szPath);
};
