// Registering formats in the settings store, deleting them, and their registry-file text.
#pragma once

#include "clsRegFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

class clsFormat;
class clsSettingsStore;

// The store side of the format manager's registration, deletion and registry-file export,
// in the store's layout for formats. Questions and boxes are the window's: this layer
// returns whether it succeeded and the store's reason.
class clsFormatRegistrar
{
public:
    // The values a registration writes, in the order they are written: the index entry, the
    // attributes, then five per member (column widths are the exit's to write).
    static QList<clsRegFile::Value> StoreValues(const clsFormat& format);
    // Whether the index holds a non-empty entry for the structure name.
    static bool IsRegistered(const clsSettingsStore& store, const QString& szStruct);
    // Writes the format; bOverwrite first deletes its index entry and whole section. On
    // success the recent-file list is erased (it names formats by position). False when a
    // write failed (the keys written before stay; the reason is the store's LastError()).
    static bool Regist(clsSettingsStore& store, const clsFormat& format, bool bOverwrite);
    // Removes the index entry and the section, then the recent-file list; false (and the
    // recent-file list kept) when either of the first two could not be deleted.
    static bool DeleteFromStore(clsSettingsStore& store, const QString& szStruct);
    // The registry file of the format, Shift-JIS with CR LF line ends; empty for a format
    // without members. Quotes, backslashes and line ends survive the way the importer reads.
    static QByteArray RegFileText(const clsFormat& format);
    // Writes RegFileText to szPath (replacing it); false with a reason naming the file.
    static bool WriteRegFile(const clsFormat& format, const QString& szPath, QString& szReason);
};
