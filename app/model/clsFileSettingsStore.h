// The settings store kept in one text file, for systems without a registry.
#pragma once

#include "clsSettingsStore.h"
#include "clsSettingsText.h"

#include <QtGlobal>

// Holds every application's sections in one UTF-8 text file that people may edit by hand:
//
//   # a comment line; blank lines are ignored
//   [Quillet/Formats]
//   Sales=Sales
//   [Quillet/Sales]
//   FileType=1,1,\r\n
//   MemLen_1=8,\s
//
// A header "[application/section]" opens a section; "key=value" lines follow it. The key
// ends at the first "=", the value runs to the end of the line exactly as written. Escapes
// in names and values: \\ backslash, \n LF, \r CR, \t tab, \s space, \= "=", \/ "/",
// \# "#", \[ "["; any other backslash is an error. The writer escapes every backslash, CR,
// LF and tab, a space at either end (editors strip those) and whatever would end a name.
// Lines may end in LF or CR LF; a byte-order mark is ignored.
//
// Names match without regard to case, as in the registry. Sections and keys keep the order
// in which they were first written (or appear in the file). The file is read again whenever it
// changes on disk; a file that cannot be read is reported once, with its path, and is never
// written over.
//
// Several processes may write at once. Each write takes the file's lock, reads the file
// afresh, applies only the changes this store made since its last write (keys set, keys
// deleted, sections deleted, in order) and replaces the file, so every writer's changes
// survive. A write that fails leaves the file as it was, drops the changes it carried and
// says why in LastError().
class clsFileSettingsStore : public clsSettingsStore
{
public:
    explicit clsFileSettingsStore(QString szFilePath);

    QString Path() const { return szPath; }

    QString Get(const QString& szApp, const QString& szSection, const QString& szKey,
                const QString& szDefault = {}) const override;
    QList<Entry> GetAll(const QString& szApp, const QString& szSection) const override;
    bool Save(const QString& szApp, const QString& szSection, const QString& szKey,
              const QString& szValue) override;
    bool DeleteKey(const QString& szApp, const QString& szSection, const QString& szKey) override;
    bool DeleteSection(const QString& szApp, const QString& szSection) override;
    QString LastError() const override { return szLastError; }
    void BeginUpdate() override;
    bool EndUpdate() override;

private:
    // One change this store made, to be applied again on top of the file as it is on disk.
    struct Change
    {
        enum Kind { SetKey, DeleteKey, DeleteSection } kind;
        QString szApp;
        QString szSection;
        QString szKey;
        QString szValue;
    };
    // What identifies one version of the file on disk. Every write renames a new file into
    // place, so the file's identity changes with it even within one clock tick.
    struct Stamp
    {
        bool bExists = false;
        qint64 nSize = -1;
        qint64 nModifiedNs = 0;
        quint64 nDevice = 0;
        quint64 nInode = 0;
        bool operator==(const Stamp& other) const
        {
            return bExists == other.bExists && nSize == other.nSize &&
                   nModifiedNs == other.nModifiedNs && nDevice == other.nDevice &&
                   nInode == other.nInode;
        }
    };

    static void Apply(const Change& change, clsSettingsText& text);
    Stamp CurrentStamp() const;
    // Brings the cache up to date with the file; false when the file cannot be read.
    bool Refresh() const;
    bool Writable();
    bool Record(const Change& change);
    bool WriteFile();
    bool WriteFailed(const QString& szReason);

    QString szPath;
    QString szLastError;
    int nUpdateDepth = 0;
    QList<Change> changes; // made since the last write
    mutable clsSettingsText content;
    mutable bool bLoaded = false;
    mutable Stamp loadedStamp;
    mutable QString szBrokenReason; // empty while the file reads fine
    mutable bool bReported = false;
    mutable Stamp reportedStamp;
};
