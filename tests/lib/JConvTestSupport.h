// Shared helpers of the code-conversion tests: the twelve converter pairs, a checked call of
// a converter with its length function, and reference texts made by glibc's iconv.
#pragma once

#include "skiff.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace jconv {

enum Set { kSjis = 1, kJis = 2, kEuc = 3, kUtf8 = 4 };

struct Pair
{
    const char* name;
    Set from;
    Set to;
    int (*convert)(const char*, char*);
    int (*length)(const char*);
};

inline void PrintTo(const Pair& pair, std::ostream* out)
{
    *out << pair.name;
}

inline const std::vector<Pair>& Pairs()
{
    static const std::vector<Pair> pairs = {
        {"JIStoSJIS", kJis, kSjis, JIStoSJIS, JIStoSJISLen},
        {"SJIStoJIS", kSjis, kJis, SJIStoJIS, SJIStoJISLen},
        {"JIStoEUC", kJis, kEuc, JIStoEUC, JIStoEUCLen},
        {"EUCtoJIS", kEuc, kJis, EUCtoJIS, EUCtoJISLen},
        {"SJIStoUNICODE", kSjis, kUtf8, SJIStoUNICODE, SJIStoUNICODELen},
        {"UNICODEtoSJIS", kUtf8, kSjis, UNICODEtoSJIS, UNICODEtoSJISLen},
        {"SJIStoEUC", kSjis, kEuc, SJIStoEUC, SJIStoEUCLen},
        {"EUCtoSJIS", kEuc, kSjis, EUCtoSJIS, EUCtoSJISLen},
        {"JIStoUNICODE", kJis, kUtf8, JIStoUNICODE, JIStoUNICODELen},
        {"EUCtoUNICODE", kEuc, kUtf8, EUCtoUNICODE, EUCtoUNICODELen},
        {"UNICODEtoJIS", kUtf8, kJis, UNICODEtoJIS, UNICODEtoJISLen},
        {"UNICODEtoEUC", kUtf8, kEuc, UNICODEtoEUC, UNICODEtoEUCLen},
    };
    return pairs;
}

inline const Pair& PairOf(Set from, Set to)
{
    for (const Pair& pair : Pairs()) {
        if (pair.from == from && pair.to == to) {
            return pair;
        }
    }
    throw std::invalid_argument("no such pair");
}

// Runs the converter on src held in a buffer of exactly its size (so reading past the NUL is
// an overflow under AddressSanitizer) and checks the converter against its length function:
// the same length, a NUL after the text and no byte written beyond.
inline std::string Converted(const Pair& pair, const std::string& src)
{
    std::vector<char> source(src.begin(), src.end());
    source.push_back('\0');
    const int length = pair.length(source.data());
    EXPECT_GE(length, 1) << pair.name;
    if (length < 1) {
        return {};
    }
    constexpr int kGuard = 16;
    std::vector<char> target(static_cast<size_t>(length + kGuard), '\x5A');
    const int written = pair.convert(source.data(), target.data());
    EXPECT_EQ(written + 1, length) << pair.name;
    if (written < 0 || written >= length) {
        return {};
    }
    EXPECT_EQ(target[static_cast<size_t>(written)], '\0') << pair.name;
    for (size_t i = static_cast<size_t>(length); i < target.size(); ++i) {
        EXPECT_EQ(target[i], '\x5A') << pair.name << " wrote past its length";
    }
    EXPECT_EQ(std::string(source.begin(), source.end() - 1), src) << pair.name << " changed src";
    return std::string(target.data(), static_cast<size_t>(written));
}

inline std::string Converted(Set from, Set to, const std::string& src)
{
    return Converted(PairOf(from, to), src);
}

// The text converted by iconv; empty with failed set when iconv rejects it.
inline std::string Iconv(const char* to, const char* from, const std::string& text,
                         bool* failed = nullptr)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv cannot convert " << from << " to " << to;
        return {};
    }
    std::string in = text;
    std::string out(text.size() * 4 + 16, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
              iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (failed != nullptr) {
        *failed = !ok;
    } else if (!ok) {
        ADD_FAILURE() << "iconv " << from << " -> " << to << ": " << std::strerror(errno);
    }
    out.resize(out.size() - outLeft);
    return ok ? out : std::string();
}

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

// A Shift-JIS text in each set by iconv, adjusted to Skiff's mapping: glibc reads 0x815F as
// U+FF3C where Skiff has U+005C. The EUC-JP step carries 0x5C and 0x7E as ASCII, so the
// JIS text never needs JIS X 0201 Roman; glibc's ISO-2022-JP-3 is the variant that writes
// half-width katakana (ESC ( I), and it keeps ESC $ B for every JIS X 0208 character.
inline std::string Reference(Set set, const std::string& sjis)
{
    switch (set) {
    case kSjis:
        return sjis;
    case kEuc:
        return Iconv("EUC-JP", "SHIFT_JIS", sjis);
    case kJis:
        return Iconv("ISO-2022-JP-3", "EUC-JP", Iconv("EUC-JP", "SHIFT_JIS", sjis));
    case kUtf8:
        return ReplaceAll(Iconv("UTF-8", "SHIFT_JIS", sjis), "\xEF\xBC\xBC", "\\");
    }
    return {};
}

// The iconv name under which a converted text can be read back.
inline const char* IconvName(Set set)
{
    switch (set) {
    case kSjis:
        return "SHIFT_JIS";
    case kJis:
        return "ISO-2022-JP-3";
    case kEuc:
        return "EUC-JP";
    case kUtf8:
        return "UTF-8";
    }
    return "";
}

// The geta mark 〓 in each set.
inline std::string Geta(Set set)
{
    switch (set) {
    case kSjis:
        return "\x81\xAC";
    case kJis:
        return "\x1B$B\".\x1B(B";
    case kEuc:
        return "\xA2\xAE";
    case kUtf8:
        return "\xE3\x80\x93";
    }
    return {};
}

} // namespace jconv
