// Fuzz target: the dialog state's bounded copies and filter list, the part of the dialog
// exports that opens no window (the dialogs themselves need a display).
#include "XDialog.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool bCondition)
{
    if (!bCondition) {
        __builtin_trap();
    }
}

bool IsLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// One field of the given capacity between guard bytes: a copy never passes its capacity, always
// ends in NUL, and returns the bytes stored with the NUL.
template <typename Store> void CheckStore(const std::string& text, int lnCapacity, Store store)
{
    constexpr std::size_t kGuard = 16;
    std::vector<char> field(static_cast<std::size_t>(lnCapacity) + 2 * kGuard, '\x5A');
    char* start = field.data() + kGuard;
    const int stored = store(start, lnCapacity, text.c_str());
    Check(stored >= 1 && stored <= lnCapacity);
    Check(start[stored - 1] == '\0');
    Check(std::strlen(start) == static_cast<std::size_t>(stored - 1));
    Check(std::memcmp(start, text.c_str(), static_cast<std::size_t>(stored - 1)) == 0);
    for (std::size_t i = 0; i < kGuard; ++i) {
        Check(field[i] == '\x5A');
        Check(field[field.size() - 1 - i] == '\x5A');
    }
    // Everything fits, or the cut leaves no room for the next character.
    Check(static_cast<std::size_t>(stored - 1) <= text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const int capacity = 1 + (data[0] | (data[1] << 8)) % 1100;
    // The exports take NUL-terminated texts: the input up to its first NUL.
    const std::string text(reinterpret_cast<const char*>(data + 2),
                           strnlen(reinterpret_cast<const char*>(data + 2), size - 2));

    CheckStore(text, capacity, XDialog::StoreText);
    CheckStore(text, capacity, XDialog::StoreNameText);
    for (int fit : {SjisFit(text.c_str(), capacity - 1), NameFit(text.c_str(), capacity - 1)}) {
        Check(fit >= 0 && fit <= capacity - 1 && static_cast<std::size_t>(fit) <= text.size());
    }
    // A Shift-JIS cut never leaves a lead byte whose trail byte was cut off.
    const int sjis = SjisFit(text.c_str(), capacity - 1);
    if (static_cast<std::size_t>(sjis) < text.size()) {
        int run = 0;
        for (int i = sjis - 1; i >= 0 && IsLead(static_cast<unsigned char>(text[i])); --i) {
            ++run;
        }
        Check(run % 2 == 0);
    }

    XDialog state;
    state.StoreFilter(text.c_str());
    Check(state.szFilter[sizeof state.szFilter - 1] == '\0');
    Check(state.szFilter[sizeof state.szFilter - 2] == '\0');
    std::size_t bytes = 0;
    for (const auto& [description, pattern] : state.FilterPairs()) {
        Check(!description.empty() && !pattern.empty());
        bytes += description.size() + pattern.size() + 2;
    }
    Check(bytes <= sizeof state.szFilter);
    return 0;
}
