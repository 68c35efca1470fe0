// The options as the options window edits them, and their coding into the option values.
#pragma once

#include <QString>

#include <array>

// One editing pass over the option values: read from them when the window opens, written back
// to them only when the user confirms.
class clsOptionEdit
{
public:
    // Header lines 1..5 (column number, width, data type, member name, comment).
    std::array<bool, 5> abHeader{};
    // Cell input limited to the member's width.
    bool bLimitWidth = false;
    // Automatic column width, and how: 1 by the header text, 2 the widths of the previous run.
    bool bAutoWidth = false;
    int nWidthMode = 1;
    // Line breaks may be typed into cells.
    bool bLineBreaks = false;
    QString szTextPath;
    QString szBinPath;

    // The current option values.
    static clsOptionEdit FromGlobals();
    // Stores every flag (width mode 0 while bAutoWidth is off) and both paths. With no header
    // line chosen the column number is kept, so the grid always has a header line.
    void ToGlobals() const;
    // The first path box that does not name an existing program: 1 text editor, 2 binary
    // editor; 0 when both do.
    int BadPath() const;
    // The path, trimmed, names an existing file. A command line (the default viewer may be
    // the user's editor command) counts when its program is a file or found on the search
    // path, as the view-source command starts it.
    static bool PathUsable(const QString& szPath);
};
