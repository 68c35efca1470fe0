// The help page's place beside the program, and handing it to the desktop.
#include "clsHelp.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

QString clsHelp::Path()
{
    return QCoreApplication::applicationDirPath() + u"/help.html"_s;
}

bool clsHelp::Open()
{
    const QString path = Path();
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
