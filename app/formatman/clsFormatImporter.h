// Registering the formats of a registry file, only when the store's own loader reads them back.
#pragma once

#include "clsRegFile.h"

#include <QList>
#include <QString>

class clsSettingsStore;

// Checks every format a registry file writes against the store as it would be afterwards,
// with the loader and the format manager's rules, before anything is written: one refused
// format keeps the whole file out.
class clsFormatImporter
{
public:
    struct Refusal
    {
        int nLine = 0;    // 1-based line of the file the refusal belongs to
        QString szReason; // empty when the file may be registered
        explicit operator bool() const { return !szReason.isEmpty(); }
    };

    static Refusal Check(const QList<clsRegFile::Value>& values, const clsSettingsStore& store);
    // Writes the values in one update and, when they register formats, erases the
    // recent-file list as every registration does; false (see the store's LastError) when
    // the store could not be written. Call Check first.
    static bool Import(const QList<clsRegFile::Value>& values, clsSettingsStore& store);
    // Reads, checks and imports one file; szError is "file:line: reason" (or "file: reason")
    // when nothing was registered.
    static bool ImportFile(const QString& szPath, clsSettingsStore& store,
                           QList<clsRegFile::Value>& values, QString& szError);
};
