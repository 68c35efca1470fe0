// The quote-escaping exports: lengths, buffer sizes and Shift-JIS trail bytes.
#include "skiff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Asks the length first and sizes the buffer from it, the way the program does.
std::string Escape(const std::string& text)
{
    const int length = GetTxtEscLen(text.c_str());
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, 'x');
    EXPECT_EQ(GetTxtEsc(buffer.data(), text.c_str(), length + 1), 0);
    return buffer.data();
}

std::string Unescape(const std::string& text)
{
    const int length = GetTxtRevEscLen(text.c_str());
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, 'x');
    EXPECT_EQ(GetTxtRevEsc(buffer.data(), text.c_str(), length + 1), 0);
    return buffer.data();
}

} // namespace

TEST(Escape, TextWithoutQuotesIsUnchanged)
{
    EXPECT_EQ(GetTxtEscLen("abc"), 3);
    EXPECT_EQ(Escape("abc"), "abc");
    EXPECT_EQ(GetTxtEscLen(""), 0);
    EXPECT_EQ(Escape(""), "");
}

TEST(Escape, OneQuoteInTheMiddleIsDoubled)
{
    EXPECT_EQ(GetTxtEscLen("a\"b"), 4);
    EXPECT_EQ(Escape("a\"b"), "a\"\"b");
    // No enclosing quotes are added.
    EXPECT_EQ(Escape("\"quoted\""), "\"\"quoted\"\"");
}

TEST(Escape, UnescapeUndoublesRuns)
{
    EXPECT_EQ(Unescape("\"\"\"\""), "\"\"");
    EXPECT_EQ(Unescape("\"\"\""), "\"\"");
    EXPECT_EQ(Unescape("\""), "\"");
    EXPECT_EQ(GetTxtRevEscLen("a\"\"b"), 3);
}

TEST(Escape, QuoteAfterATrailByteInTheLeadRange)
{
    const std::string text = "\x88\x9F\"";
    EXPECT_EQ(Escape(text), "\x88\x9F\"\"");
    EXPECT_EQ(Unescape("\x88\x9F\"\""), text);
}

TEST(Escape, RoundTripsJapaneseText)
{
    const std::string text = "\x93\xFA\x96\x7B \"\x95\x5C\" \x83\x7C\"\"";
    EXPECT_EQ(Unescape(Escape(text)), text);
}

TEST(Escape, BufferMustHoldTheTerminator)
{
    char buffer[8] = "unused";
    EXPECT_EQ(GetTxtEsc(buffer, "a\"b", 4), -1);
    EXPECT_STREQ(buffer, "unused");
    EXPECT_EQ(GetTxtEsc(buffer, "a\"b", 5), 0);
    EXPECT_STREQ(buffer, "a\"\"b");
    // A buffer as long as the result and no longer is too small.
    EXPECT_EQ(GetTxtRevEsc(buffer, "a\"\"b", 3), -1);
    EXPECT_EQ(GetTxtRevEsc(buffer, "a\"\"b", 4), 0);
    EXPECT_STREQ(buffer, "a\"b");
}

TEST(Escape, NullArgumentsFailWithoutACrash)
{
    char buffer[8];
    EXPECT_EQ(GetTxtEsc(buffer, nullptr, 8), -1);
    EXPECT_EQ(GetTxtEsc(nullptr, "a", 8), -1);
    EXPECT_EQ(GetTxtEscLen(nullptr), -1);
    EXPECT_EQ(GetTxtRevEsc(buffer, nullptr, 8), -1);
    EXPECT_EQ(GetTxtRevEscLen(nullptr), -1);
    EXPECT_EQ(GetTxtEsc(buffer, "a", -5), -1);
}
