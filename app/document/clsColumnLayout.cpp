// Column header texts, widths and input limits computed from the options.
#include "clsColumnLayout.h"

#include "Module1.h"
#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsOptions.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Half-width characters beyond which a column is not widened for its member's width.
constexpr int kWidestFit = 64;

} // namespace

QString clsColumnLayout::HeaderText(const clsMember& member, int lnIndex)
{
    QString text;
    if (gHeaderFlags[1] == 1)
        text += QString::number(lnIndex);
    if (gHeaderFlags[2] == 1)
        text += u' ' + QString::number(member.MemLen);
    if (gHeaderFlags[3] == 1)
        text += u' ' + member.MemTypeAsString(3);
    if (gHeaderFlags[4] == 1)
        text += u' ' + member.MemName;
    if (gHeaderFlags[5] == 1)
        text += u' ' + member.Comment;
    return Module1::Trim(text);
}

double clsColumnLayout::Width(const clsMember& member, const QString& szHeader)
{
    switch (gEditFlags[2]) {
    case 1: {
        // A short header gets two characters of margin; a long one a little less than a
        // character per byte, so wide headers do not make the grid needlessly wide.
        const double bytes = clsCodePage::SjisLength(szHeader);
        const double size = gFontSize;
        return bytes <= 6 ? size * (bytes + 2) / 7 : size * (bytes - bytes / 7) / 7;
    }
    case 2:
        return member.ColWidth;
    default:
        return 10;
    }
}

int clsColumnLayout::FitChars(const clsMember& member)
{
    if (gEditFlags[2] != 1)
        return 0;
    return std::clamp(member.MemLen, 0, kWidestFit);
}

std::vector<clsColumnLook> clsColumnLayout::Build(const clsFormat& format)
{
    std::vector<clsColumnLook> looks;
    looks.reserve(static_cast<size_t>(format.MemCount()));
    for (int i = 1; i <= format.MemCount(); ++i) {
        const clsMember& member = *format.Members(i);
        clsColumnLook look;
        look.szHeader = HeaderText(member, i);
        look.dWidth = Width(member, look.szHeader);
        look.nFitChars = FitChars(member);
        look.nMaxLength = gEditFlags[1] == 1 ? member.MemLen : std::max(member.MemLen, 256);
        look.bLeft = member.Stuff == 2;
        looks.push_back(look);
    }
    return looks;
}
