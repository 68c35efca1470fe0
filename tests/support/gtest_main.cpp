// GoogleTest entry point for the program's widget-free code.
#include "clsScriptedMsgBox.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    // Tests never touch the user's own settings.
    QTemporaryDir settingsDir;
    qputenv("QUILLET_SETTINGS", settingsDir.filePath(QStringLiteral("settings.ini")).toUtf8());
    clsScriptedMsgBox::SetFailureHandler(
        [](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    clsScriptedMsgBox strict(true);
    return RUN_ALL_TESTS();
}
