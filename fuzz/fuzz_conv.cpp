// Fuzz target: every code converter and its length function on arbitrary bytes.
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
    return 0;
}
