// How the grid shows the members of a format: header texts, widths, input limits, alignment.
#pragma once

#include <QString>

#include <vector>

class clsFormat;
class clsMember;

// The look of one grid column.
struct clsColumnLook
{
    QString szHeader;
    // In character widths of the grid font.
    double dWidth = 10;
    // Characters a cell of the column takes.
    int nMaxLength = 256;
    bool bLeft = true;
};

// Builds the columns' look from a format and the option values gHeaderFlags, gEditFlags and
// gFontSize.
class clsColumnLayout
{
public:
    // The header of member lnIndex: its number, width, type name, name and comment as the
    // header flags choose, separated by spaces.
    static QString HeaderText(const clsMember& member, int lnIndex);
    // The width in the column-width mode of the options.
    static double Width(const clsMember& member, const QString& szHeader);
    static std::vector<clsColumnLook> Build(const clsFormat& format);
};
