// What the main window reads from the settings store at start-up and writes back at exit.
#pragma once

#include <QString>

class clsFormats;
class clsRecentList;
class clsSettingsStore;

// The outcome of loading the settings.
enum class clsLoadResult {
    Loaded,      // at least one format registered and every format read
    NotLoaded,   // no format registered, or a malformed option or format stopped the load
    WrongVersion // the settings belong to another major version: the program must end
};

// The settings-layout version check, LoadSettings and SaveSettings, without windows.
class clsStartup
{
public:
    // The settings-layout version this program writes as "Ver": major "." minor.
    static QString Version();
    // Compares "Ver" of "RecentFile" with the program's version. A newer minor version is
    // only a warning; another major version shows the box and gives false. A missing or
    // unreadable "Ver" (the first run) is not checked.
    static bool CheckVersion(const clsSettingsStore& store);
    // Version check, options, recent list, then the formats. A malformed option or format
    // ends the load silently with NotLoaded; what was read before it stays.
    static clsLoadResult LoadSettings(const clsSettingsStore& store, clsFormats& formats,
                                      clsRecentList& recent);
    // Writes the options, "Ver" and the column width of every member of every format not
    // deleted in this run, in one update of the store; a failure shows a critical box.
    static void SaveSettings(clsSettingsStore& store, const clsFormats& formats);
};
