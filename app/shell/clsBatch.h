// Commands that run without any window: formats, conversion, detection and validation.
#pragma once

#include <QStringList>

class QTextStream;
class clsSettingsStore;

// Dispatches a command line that starts with "--" (other than the windows' own "--format")
// to its command.
class clsBatch
{
public:
    // Whether the command line asks for a command rather than the windows.
    static bool IsBatch(int argc, char** argv);
    // Runs the command named by args[0] with the rest as its arguments; returns the exit
    // code: 0 success, 1 failure (or "no" for a question), 2 a command line not understood.
    // Messages a window would show go to the installed message service, except during a
    // conversion, which writes them to standard error.
    static int Run(const QStringList& args, clsSettingsStore& store, QTextStream& out,
                   QTextStream& err);

private:
    // Registers every value of each registry file; a file with a malformed line or a format
    // the loader would not read back is reported (file, line and reason) and nothing of it
    // is written, the other files still are.
    static int ImportReg(const QStringList& files, clsSettingsStore& store, QTextStream& out,
                         QTextStream& err);
    // Prints the registry file of every format the C (bC) or VB scanner finds in the source;
    // 1 when the file cannot be read or holds none.
    static int ScanSource(bool bC, const QString& szPath, QTextStream& out, QTextStream& err);
    // 0 when at least one format is registered, 1 when none is.
    static int HasFormats(const clsSettingsStore& store);
    // One line per registered format: position, structure name, display name, file type,
    // character set and line end, separated by tabs.
    static int ListFormats(const clsSettingsStore& store, QTextStream& out, QTextStream& err);
    // "FORMAT INPUT OUTPUT [options]": loads INPUT as a document window would and saves it
    // as a save under another name would (clsBatchConvert.cpp).
    static int Convert(const QStringList& args, const clsSettingsStore& store, QTextStream& out,
                       QTextStream& err);
    // "csv|html|xml FORMAT INPUT OUTPUT [options]": loads INPUT as --convert does and writes
    // it as the export of that name (clsBatchExport.cpp).
    static int Export(const QStringList& args, const clsSettingsStore& store, QTextStream& out,
                      QTextStream& err);
    // "FILE... [--verbose]": one line per file with its likely character set, line end,
    // delimiter and field count; --verbose adds each candidate's counts.
    static int Detect(const QStringList& args, QTextStream& out, QTextStream& err);
    // "FORMAT FILE [--charset N] [--max N]": one line per record that does not fit, then a
    // summary; 0 when every record fits, 1 when some do not.
    static int Validate(const QStringList& args, const clsSettingsStore& store, QTextStream& out,
                        QTextStream& err);
    // Reads the registered formats into gFormats(); false after telling why not.
    static bool LoadFormats(const clsSettingsStore& store, QTextStream& err);
    static QString Usage();
};
