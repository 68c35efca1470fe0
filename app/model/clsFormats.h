// The format store: every registered format, addressed by 1-based position.
#pragma once

#include "clsFormat.h"

#include <memory>
#include <stdexcept>
#include <vector>

class clsSettingsStore;

// A stored format whose required number or separator is missing or malformed; the load
// stops at that format.
class clsFormatLoadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The ordered collection of formats that documents refer to by position for the whole run.
class clsFormats
{
public:
    // The format at 1-based lnIndex; null (after an error box) outside 1..Count.
    clsFormat* Format(int lnIndex) const;
    int Count() const { return static_cast<int>(formats.size()); }
    // Position of the first format whose StructName equals the trimmed name; -1 if none.
    int GetIndexByName(const QString& szName) const;
    // Takes cFormat itself (a blank format when null); lnIndex < 1 or past the new count
    // appends, otherwise inserts at lnIndex. Returns the format added.
    clsFormat* Add(std::unique_ptr<clsFormat> cFormat = nullptr, int lnIndex = 0);
    void Delete(int lnIndex);
    void Clear() { formats.clear(); }
    std::unique_ptr<clsFormats> Copy() const;

    // Replaces the collection by the formats registered in the store, sorted by FormatName;
    // false when the "Formats" section is empty. A malformed format throws
    // clsFormatLoadError; the formats before it stay, unsorted.
    bool ReadFromReg(const clsSettingsStore& store);
    // One format of the store as ReadFromReg reads it, refused (clsFormatLoadError) by the
    // same rules.
    static std::unique_ptr<clsFormat> ReadFormat(const clsSettingsStore& store,
                                                 const QString& szStruct);
    // Orders the formats by FormatName as people read it: without regard to case, width
    // (full/half) or kana kind (hiragana/katakana). Not stable.
    void Sort();
    // Negative, zero or positive as name a sorts before, with or after name b.
    static int CompareNames(const QString& a, const QString& b);
    // One step of Sort over the 1-based positions lnLow..lnHigh (Hoare's partitioning).
    static void QSortFormat(std::vector<std::unique_ptr<clsFormat>>& list, int lnLow, int lnHigh);

private:
    std::vector<std::unique_ptr<clsFormat>> formats;
};

// The program's one format store.
clsFormats& gFormats();
