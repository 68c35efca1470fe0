// The format manager's commands that write a registered format out as source text.
#pragma once

#include <QString>

#include <functional>

class QWidget;
class clsFormat;

// Each command asks for a format of the program's store and a file, writes the format there
// and confirms it. The windows that own the menu items call them with themselves as owner.
class frmSourceOutput
{
public:
    // As a C structure (appended to the file).
    static void mnSaveAsC(QWidget* owner);
    // As a VB user-defined type (appended to the file).
    static void mnSaveAsVB(QWidget* owner);
    // As an XSL stylesheet for the XML export, in the character set and line end chosen.
    static void mnSaveAsXSL(QWidget* owner);

private:
    struct clsCommand
    {
        QString szSelect;
        QString szTitle;
        QString szFilter;
        QString szDefExt;
        // The save dialog offers a character set and line end.
        bool bCharSet = false;
    };
    // Writes the format to the path in the character set and line end (0: the format's own);
    // false when it failed and said so.
    using Writer = std::function<bool(const clsFormat& format, const QString& szPath, int lnCharSet,
                                      int lnCRLF)>;

    static void Run(QWidget* owner, const clsCommand& command, const Writer& writer);
};
