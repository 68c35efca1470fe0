// Entry point of the program: a batch command, or the main window with the files named.
#include "clsBatch.h"
#include "clsCommandLine.h"
#include "clsIcons.h"
#include "clsMsgBox.h"
#include "clsSettingsStore.h"
#include "clsUiSetup.h"
#include "frmMain.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[])
{
    if (clsBatch::IsBatch(argc, argv) && !clsCommandLine::OpensWindows(argc, argv)) {
        // Commands need no display, so no widget application is created for them.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(u"Quillet"_s);
        const auto store = CreateSettingsStore();
        QTextStream out(stdout);
        QTextStream err(stderr);
        return clsBatch::Run(QCoreApplication::arguments().mid(1), *store, out, err);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quillet"_s);
    QApplication::setWindowIcon(clsIcons::App());
    clsUiSetup::Apply(app);
    clsMsgBox msgBox;
    SetMsgBox(&msgBox);
    const auto store = CreateSettingsStore();
    int result = EXIT_FAILURE;
    {
        frmMain window(*store);
        if (window.Startup()) {
            window.show();
            window.OpenCommandLine(clsCommandLine(QApplication::arguments().mid(1)));
            result = QApplication::exec();
        }
    }
    SetMsgBox(nullptr);
    return result;
}
