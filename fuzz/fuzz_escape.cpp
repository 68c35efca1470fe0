// Fuzz target: the quote-escaping exports, escaping then unescaping arbitrary text.
#include "skiff.h"

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

// The export's result in a buffer of exactly the announced length and its terminator, after
// checking that one byte less is refused.
std::string Apply(int (*length)(const char*), int (*apply)(char*, const char*, int),
                  const std::string& text)
{
    const int size = length(text.c_str());
    Check(size >= 0);
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    Check(apply(buffer.data(), text.c_str(), size) == -1);
    Check(apply(buffer.data(), text.c_str(), size + 1) == 0);
    Check(std::strlen(buffer.data()) == static_cast<std::size_t>(size));
    return buffer.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The text ends at its first NUL, as every text the program passes.
    const std::string text(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), size));
    const std::string escaped = Apply(GetTxtEscLen, GetTxtEsc, text);
    Check(escaped.size() >= text.size());
    Check(Apply(GetTxtRevEscLen, GetTxtRevEsc, escaped) == text);
    const std::string unescaped = Apply(GetTxtRevEscLen, GetTxtRevEsc, text);
    Check(unescaped.size() <= text.size());
    return 0;
}
