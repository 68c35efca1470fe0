// The format store: every registered format, addressed by 1-based position.
#pragma once

#include "clsFormat.h"

#include <memory>
#include <vector>

class clsSettingsStore;

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

private:
    std::vector<std::unique_ptr<clsFormat>> formats;
};

// The program's one format store.
clsFormats& gFormats();
