// The recent-file list: up to ten files with the format each was used with.
#pragma once

#include <QString>

#include <array>

class clsSettingsStore;

// Entries 1..10, most recent first, as stored in section "RecentFile".
class clsRecentList
{
public:
    static constexpr int Size = 10;

    // Reads "Recent" n (trimmed) and "RecType" n ("1" when missing) for every n.
    void Load(const clsSettingsStore& store);
    // Puts (szFile, szStructName) in front: an entry with exactly that file and format moves
    // there, otherwise every entry moves down one place and the tenth is dropped. The list is
    // rebuilt from the stored entries and all ten are written back in one update. False when
    // the store failed (its LastError says why); the list then shows what the store holds.
    bool Add(clsSettingsStore& store, const QString& szFile, const QString& szStructName);
    // The file name as the list keeps it: upper case on Windows, where names ignore case,
    // and unchanged elsewhere.
    static QString StoredName(const QString& szFile);

    // The file of entry n, 1..Size; empty for an unused entry.
    QString File(int n) const { return files.at(static_cast<size_t>(n - 1)); }
    // The StructName of the format entry n was used with.
    QString StructName(int n) const { return structNames.at(static_cast<size_t>(n - 1)); }
    // Whether any entry is in use (the File menu then shows its separator).
    bool AnyUsed() const;

private:
    std::array<QString, Size> files;
    std::array<QString, Size> structNames;
};
