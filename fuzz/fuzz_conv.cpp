// Fuzz target: every code converter and its length function on arbitrary bytes, and the
// conversion of a text in two parts.
#include "JConv.h"
#include "skiff.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Pair
{
    int (*convert)(const char*, char*);
    int (*length)(const char*);
};

const Pair kPairs[] = {
    {JIStoSJIS, JIStoSJISLen},         {SJIStoJIS, SJIStoJISLen},
    {JIStoEUC, JIStoEUCLen},           {EUCtoJIS, EUCtoJISLen},
    {SJIStoUNICODE, SJIStoUNICODELen}, {UNICODEtoSJIS, UNICODEtoSJISLen},
    {SJIStoEUC, SJIStoEUCLen},         {EUCtoSJIS, EUCtoSJISLen},
    {JIStoUNICODE, JIStoUNICODELen},   {EUCtoUNICODE, EUCtoUNICODELen},
    {UNICODEtoJIS, UNICODEtoJISLen},   {UNICODEtoEUC, UNICODEtoEUCLen},
};

// Cut at an ASCII byte (or at its end), EUC-JP and UTF-8 text comes out of its two parts as
// it does whole: the text reader converts large files that way, the parts side by side. The
// cut is looked for from nAt on.
void CheckParts(const char* szSource, std::size_t nAt)
{
    using skiff::Charset;
    const std::size_t length = std::strlen(szSource);
    std::size_t cut = std::min(nAt, length);
    while (cut < length && static_cast<unsigned char>(szSource[cut]) >= 0x80) {
        ++cut;
    }
    for (const Charset from : {Charset::Euc, Charset::Utf8}) {
        const std::size_t first = skiff::ConvertedLength(from, Charset::Sjis, szSource, cut);
        const std::size_t second =
            skiff::ConvertedLength(from, Charset::Sjis, szSource + cut, length - cut);
        // Exactly the announced sizes and the terminator added here.
        std::vector<char> parts(first + second + 1);
        int partErrors = 0;
        if (skiff::Convert(from, Charset::Sjis, szSource, cut, parts.data(), partErrors) != first ||
            skiff::Convert(from, Charset::Sjis, szSource + cut, length - cut, parts.data() + first,
                           partErrors) != second) {
            __builtin_trap();
        }
        parts[first + second] = '\0';
        std::vector<char> whole(skiff::ConvertedLength(from, Charset::Sjis, szSource) + 1);
        int wholeErrors = 0;
        skiff::Convert(from, Charset::Sjis, szSource, whole.data(), wholeErrors);
        if (whole != parts || wholeErrors != partErrors) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Exactly the input and its NUL, so AddressSanitizer sees any read past the terminator.
    std::vector<char> source(data, data + size);
    source.push_back('\0');
    for (const Pair& pair : kPairs) {
        const int length = pair.length(source.data());
        if (length < 1) {
            __builtin_trap();
        }
        // Exactly the announced size: writing one byte more is an overflow.
        std::vector<char> target(static_cast<std::size_t>(length));
        const int written = pair.convert(source.data(), target.data());
        // The text is whole (no NUL inside) and as long as announced.
        if (written + 1 != length ||
            std::strlen(target.data()) != static_cast<std::size_t>(written)) {
            __builtin_trap();
        }
    }
    CheckParts(source.data(), size > 0 ? data[0] * size / 256 : 0);
    return 0;
}
