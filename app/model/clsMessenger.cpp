// The installed message service and the composition of procedure-error boxes.
#include "clsMessenger.h"

#include "clsConsoleMessenger.h"

using namespace Qt::Literals::StringLiterals;

namespace {
clsMessenger* installedMessenger = nullptr;
}

void clsMessenger::ProcError(const QString& strPrompt, int lngErrorCode,
                             const QString& strSourceFile, const QString& strProcName)
{
    Critical(strPrompt + u"\r\n ("_s + QString::number(lngErrorCode) + u')',
             strSourceFile + u' ' + strProcName + u" Error"_s);
}

clsMessenger& gMsgBox()
{
    static clsConsoleMessenger console;
    return installedMessenger ? *installedMessenger : console;
}

void SetMsgBox(clsMessenger* messenger)
{
    installedMessenger = messenger;
}

QString AppTitle()
{
    return u"Quillet"_s;
}
