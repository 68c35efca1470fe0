// Registry files of the program's settings (REGEDIT4 text): reading for import, writing for
// export.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class clsSettingsStore;

// The text is Shift-JIS with CR LF line ends. Sections live below
// "HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Quillet\". A value is either
// "text" with \" and \\ for quotes and backslashes, or, when it holds a CR, LF or another
// control character but a tab, hex(1): the value's Shift-JIS bytes and a closing 00, which
// the registry editor reads from a REGEDIT4 file in the same way. A "REGEDIT4" line may
// also stand between values, so that files written one after another read as one.
class clsRegFile
{
public:
    struct Value
    {
        QString szSection;
        QString szKey;
        QString szValue;
        int nLine = 0; // 1-based line of the value in the file it was read from
    };
    // The values of a file in file order, or where and why it could not be read.
    struct Result
    {
        QList<Value> values;
        int nErrorLine = 0; // 1-based; 0 when the file itself could not be read
        QString szError;    // empty on success
    };

    static Result Parse(const QByteArray& bytes);
    static Result ReadFile(const QString& szPath);
    // The whole file for these values: the "REGEDIT4" line, then a section line before each
    // run of values of one section.
    static QByteArray Compose(const QList<Value>& values);
    // "[...\Quillet\<section>]".
    static QString SectionLine(const QString& szSection);
    // One value line; a hex(1) value wraps onto continuation lines joined by CR LF.
    static QString ValueLine(const QString& szKey, const QString& szValue);
    // Writes every value into the store in one update; false (see LastError) on failure.
    static bool Import(const QList<Value>& values, clsSettingsStore& store);
};
