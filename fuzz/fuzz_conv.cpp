// Fuzz target: every code converter and its length function on arbitrary bytes, and the
// conversion of a file's text in its own buffer.
#include "ConvErrors.h"
#include "InPlaceConv.h"
#include "JConv.h"
#include "XString.h"
#include "skiff.h"

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

// A file's EUC-JP or UTF-8 text converted in its own buffer, in chunks that end at ASCII bytes
// and with or without halves side by side, comes out as it does converted whole into another.
void CheckInPlace(const char* szSource, unsigned nChoice)
{
    using skiff::Charset;
    const std::size_t length = std::strlen(szSource);
    for (const Charset from : {Charset::Euc, Charset::Utf8}) {
        std::vector<char> whole(skiff::ConvertedLength(from, Charset::Sjis, szSource) + 1);
        int wholeErrors = 0;
        const std::size_t size =
            skiff::Convert(from, Charset::Sjis, szSource, whole.data(), wholeErrors);
        XString text;
        text.SetBytes(szSource, static_cast<int>(length));
        skiff::ResetConvErrCnt();
        skiff::ConvertFileToSjis(static_cast<int>(from), text, 0, (nChoice & 1) != 0,
                                 1 + nChoice / 2);
        if (static_cast<std::size_t>(text.Length()) != size ||
            std::memcmp(text.Text(), whole.data(), size + 1) != 0 ||
            GetConvErrCnt() != wholeErrors) {
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
    CheckInPlace(source.data(), size > 0 ? data[0] : 0);
    return 0;
}
