// The rules a format must pass to be edited, registered, imported and loaded.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class clsFormat;
class clsSettingsStore;

// One rule set shared by the member editor, the store's loader and the importer, so that
// whatever one of them accepts the others read back. Nothing here shows a box: a failure
// carries the text to show and the member row and grid column it belongs to.
class clsFormatRules
{
public:
    // The member editor's grid columns a failure can point at.
    enum Column : int { NoColumn = 0, NameColumn = 1, TypeColumn = 2, LenColumn = 3 };

    // The largest record file the program reads or writes; widths and header sizes past it
    // are refused before anything is sized by them.
    static constexpr qint64 kMaxFileBytes = 2147483646;
    // More members than any record line could carry is refused before any is created.
    static constexpr int kMaxMembers = 65535;

    struct Failure
    {
        int nRow = 0; // 1-based member row; 0 for the format itself
        int nCol = NoColumn;
        QString szMessage; // empty when the check passed
        explicit operator bool() const { return !szMessage.isEmpty(); }
    };

    // The texts of one member row as the member editor holds them.
    struct MemberCells
    {
        QString szName;
        QString szLen;
    };

    // Full-width member names, then widths that are not whole numbers from 1 up; the first
    // failing cell in row order.
    static Failure CheckMembers(const QList<MemberCells>& rows);
    // Two rows whose trimmed names are equal: nRow is the second row of the first pair.
    static Failure CheckDupNames(const QStringList& names);
    // A name usable as a section of the settings store.
    static Failure CheckStructName(const QString& szName);
    // Whether a structure name is one of the settings store's own sections.
    static bool IsReservedSection(const QString& szName);

    // The loader's rules for a format read from the store: codes in range, widths and the
    // header within a record file, a member count that the section's members cover.
    static Failure CheckLoaded(const clsFormat& format);
    // Rules a raw section must pass before its members are read: the section exists, its
    // name may be a section, and "CntMember" is a count its "MemNameType_" keys cover.
    static Failure CheckSection(const clsSettingsStore& store, const QString& szStruct);
    // Everything a format must pass to be registered: the loader's rules and the member
    // editor's checks of its names and widths.
    static Failure CheckRegistrable(const clsFormat& format);
};
