// Commands that run without any window: "quillet --import-reg FILE...", "--has-formats".
#pragma once

#include <QStringList>

class QTextStream;
class clsSettingsStore;

// Dispatches a command line that starts with "--" to its command.
class clsBatch
{
public:
    // Whether the command line asks for a command rather than the windows.
    static bool IsBatch(int argc, char** argv);
    // Runs the command named by args[0] with the rest as its arguments; returns the exit
    // code: 0 success, 1 failure (or "no" for a question), 2 a command line not understood.
    static int Run(const QStringList& args, clsSettingsStore& store, QTextStream& out,
                   QTextStream& err);

private:
    // Registers every value of each registry file; a file with a malformed line is reported
    // (file and line) and nothing of it is written, the other files still are.
    static int ImportReg(const QStringList& files, clsSettingsStore& store, QTextStream& out,
                         QTextStream& err);
    // 0 when at least one format is registered, 1 when none is.
    static int HasFormats(const clsSettingsStore& store);
};
