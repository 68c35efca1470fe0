// The command line of a start with windows: the files to open and, optionally, their format.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Reads "quillet [--format STRUCTNAME] [FILE...]" and finds the files it names.
class clsCommandLine
{
public:
    // One named file: the path to open, and whether it was found.
    struct clsTarget
    {
        QString szPath;
        bool bExists = false;
    };

    // The arguments after the program's name.
    explicit clsCommandLine(const QStringList& args);

    // Whether a command line starting with "--" still asks for the windows.
    static bool OpensWindows(int argc, char** argv);

    // The whole command line as typed, as the missing-file box quotes it.
    QString Whole() const { return whole; }
    // Whether no file is named.
    bool IsEmpty() const { return names.isEmpty(); }
    // Whether "--format" named the format of every file, so nobody is asked.
    bool HasFormat() const { return formatGiven; }
    QString FormatName() const { return formatName; }
    // The message for a format name on a command line that is not registered; it names the
    // format, unlike the message for no format registered at all.
    static QString UnknownFormatText(const QString& szStructName);

    // The named files in order, by the platform's rules.
    std::vector<clsTarget> Targets(const QString& szCurrentDir, const QString& szProgramDir) const;
    // Each argument is one file, spaces and case kept; a relative name is looked up in the
    // current folder first, then in the program's folder.
    static std::vector<clsTarget> NamedTargets(const QStringList& aszNames,
                                               const QString& szCurrentDir,
                                               const QString& szProgramDir);
    // Windows: the raw text is cut at spaces and every name upper-cased; when the text holds
    // no "\" at all, the program's folder goes in front of the first name.
    static std::vector<clsTarget> WindowsTargets(const QString& szRaw, const QString& szProgramDir);

private:
    QStringList names;
    QString whole;
    QString formatName;
    bool formatGiven = false;
};
