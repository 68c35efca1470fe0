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
    // Half-width characters the column shows whole whatever its width mode gives (the member's
    // declared width, a full-width character counting two); 0 for none.
    int nFitChars = 0;
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
    // The declared width the column must show whole: in the header-width mode only, where a
    // short header would otherwise cut the values; very wide members are held to a screenful.
    static int FitChars(const clsMember& member);
    static std::vector<clsColumnLook> Build(const clsFormat& format);
};
