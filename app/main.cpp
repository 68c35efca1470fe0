// Entry point of the program.
#include "clsMsgBox.h"
#include "clsUiSetup.h"

#include <QApplication>
#include <QMainWindow>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quillet"_s);
    clsUiSetup::Apply(app);
    clsMsgBox msgBox;
    SetMsgBox(&msgBox);

    QMainWindow window;
    window.setWindowTitle(AppTitle());
    window.resize(800, 600);
    window.show();
    const int result = QApplication::exec();
    SetMsgBox(nullptr);
    return result;
}
