// QtTest entry point for window tests: offscreen, Japanese texts, scripted message boxes.
#pragma once

#include "clsScriptedMsgBox.h"
#include "clsUiSetup.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#define QUILLET_QTEST_MAIN(TestObject)                                                           \
    int main(int argc, char** argv)                                                              \
    {                                                                                            \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                 \
        QTemporaryDir settingsDir;                                                               \
        qputenv("QUILLET_SETTINGS",                                                              \
                settingsDir.filePath(QStringLiteral("settings.ini")).toUtf8());                  \
        QApplication app(argc, argv);                                                            \
        clsUiSetup::Apply(app);                                                                  \
        clsScriptedMsgBox::SetFailureHandler([](const QString& text) {                           \
            QTest::qFail(text.toUtf8().constData(), __FILE__, __LINE__);                         \
        });                                                                                      \
        clsScriptedMsgBox strict(true);                                                          \
        TestObject tc;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                               \
        return QTest::qExec(&tc, argc, argv);                                                    \
    }
