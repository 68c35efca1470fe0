// Coding of the options window's choices into gHeaderFlags, gEditFlags and the viewer paths.
#include "clsOptionEdit.h"

#include "Module1.h"
#include "clsOptions.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

clsOptionEdit clsOptionEdit::FromGlobals()
{
    clsOptionEdit edit;
    for (int k = 1; k <= 5; ++k)
        edit.abHeader[static_cast<size_t>(k - 1)] = gHeaderFlags[k] == 1;
    edit.bLimitWidth = gEditFlags[1] == 1;
    edit.bAutoWidth = gEditFlags[2] >= 1;
    edit.nWidthMode = gEditFlags[2] == 2 ? 2 : 1;
    edit.bLineBreaks = gEditFlags[3] == 1;
    edit.szTextPath = gTextPath;
    edit.szBinPath = gBinPath;
    return edit;
}

void clsOptionEdit::ToGlobals() const
{
    bool bAnyHeader = false;
    for (int k = 1; k <= 5; ++k) {
        const bool bOn = abHeader[static_cast<size_t>(k - 1)];
        gHeaderFlags[k] = bOn ? 1 : 0;
        bAnyHeader = bAnyHeader || bOn;
    }
    if (!bAnyHeader)
        gHeaderFlags[1] = 1;
    gEditFlags[1] = bLimitWidth ? 1 : 0;
    gEditFlags[2] = bAutoWidth ? (nWidthMode == 2 ? 2 : 1) : 0;
    gEditFlags[3] = bLineBreaks ? 1 : 0;
    gTextPath = szTextPath;
    gBinPath = szBinPath;
}

int clsOptionEdit::BadPath() const
{
    if (!PathUsable(szTextPath))
        return 1;
    if (!PathUsable(szBinPath))
        return 2;
    return 0;
}

bool clsOptionEdit::PathUsable(const QString& szPath)
{
    const QString szTrimmed = Module1::Trim(szPath);
    if (szTrimmed.isEmpty())
        return false;
    if (QFileInfo(szTrimmed).isFile())
        return true;
    const QStringList command = QProcess::splitCommand(szTrimmed);
    if (command.isEmpty())
        return false;
    const QString& program = command.first();
    return QFileInfo(program).isFile() || !QStandardPaths::findExecutable(program).isEmpty();
}
