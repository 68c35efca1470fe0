// Wildcard patterns: each kind of element, runs of stars and the brackets that stay literal.
#include "clsLikePattern.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

bool Like(const QString& text, const QString& pattern)
{
    return clsLikePattern(pattern).Matches(text);
}

} // namespace

TEST(clsLikePatternTest, QuestionMarkTakesExactlyOneCharacter)
{
    EXPECT_TRUE(Like(u"abc"_s, u"a?c"_s));
    EXPECT_TRUE(Like(u"aあc"_s, u"a?c"_s));
    EXPECT_FALSE(Like(u"ac"_s, u"a?c"_s));
    EXPECT_FALSE(Like(u"abbc"_s, u"a?c"_s));
}

TEST(clsLikePatternTest, StarTakesAnyRunAndGoesBackWhenNeeded)
{
    EXPECT_TRUE(Like(u""_s, u"*"_s));
    EXPECT_TRUE(Like(u"ab"_s, u"a*b"_s));
    EXPECT_TRUE(Like(u"axxbxxb"_s, u"a*b"_s));
    EXPECT_TRUE(Like(u"abcabd"_s, u"*ab?"_s));
    EXPECT_TRUE(Like(u"xabcx"_s, u"**abc**"_s));
    EXPECT_FALSE(Like(u"axxbxxc"_s, u"a*b"_s));
}

TEST(clsLikePatternTest, HashTakesOneDigit)
{
    EXPECT_TRUE(Like(u"A7"_s, u"A#"_s));
    EXPECT_FALSE(Like(u"AB"_s, u"A#"_s));
    EXPECT_FALSE(Like(u"A77"_s, u"A#"_s));
}

TEST(clsLikePatternTest, ListTakesOneOfItsCharactersOrRanges)
{
    EXPECT_TRUE(Like(u"b"_s, u"[abc]"_s));
    EXPECT_TRUE(Like(u"M"_s, u"[A-Z]"_s));
    EXPECT_FALSE(Like(u"m"_s, u"[A-Z]"_s));
    EXPECT_FALSE(Like(u"d"_s, u"[abc]"_s));
    EXPECT_TRUE(Like(u"x*y"_s, u"x[*]y"_s));
    EXPECT_FALSE(Like(u"xzy"_s, u"x[*]y"_s));
}

TEST(clsLikePatternTest, ExclamationMarkNegatesTheList)
{
    EXPECT_TRUE(Like(u"d"_s, u"[!abc]"_s));
    EXPECT_FALSE(Like(u"a"_s, u"[!abc]"_s));
    EXPECT_FALSE(Like(u"5"_s, u"[!0-9]"_s));
}

TEST(clsLikePatternTest, UnclosedBracketStandsForItself)
{
    EXPECT_TRUE(Like(u"[ab"_s, u"[ab"_s));
    EXPECT_FALSE(Like(u"a"_s, u"[ab"_s));
}
