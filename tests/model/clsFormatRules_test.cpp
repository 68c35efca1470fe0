// The shared format rules: each refusal with its text and the row and column it points at.
#include "clsFileSettingsStore.h"
#include "clsFormat.h"
#include "clsFormatRules.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using Rules = clsFormatRules;

clsFormat TwoMembers()
{
    clsFormat format;
    format.StructName = u"REC"_s;
    clsMember& code = *format.AddMember(nullptr, 0);
    code.MemName = u"code"_s;
    code.MemLen = 8;
    clsMember& qty = *format.AddMember(nullptr, 0);
    qty.MemName = u"qty"_s;
    qty.MemType = 2;
    qty.MemLen = 11;
    return format;
}

} // namespace

TEST(clsFormatRules, FullWidthMemberNamePointsAtItsNameCell)
{
    const Rules::Failure failure = Rules::CheckMembers({{u"a"_s, u"1"_s}, {u"名前"_s, u"1"_s}});
    EXPECT_EQ(failure.szMessage, u"メンバ名に全角文字は使用できません。"_s);
    EXPECT_EQ(failure.nRow, 2);
    EXPECT_EQ(failure.nCol, Rules::NameColumn);
}

TEST(clsFormatRules, WidthMustBeAWholeNumberFromOne)
{
    for (const QString& len :
         {u"x"_s, u"+3"_s, u"1.0"_s, u"-1"_s, u"0"_s, u""_s, u"3000000000"_s}) {
        const Rules::Failure failure = Rules::CheckMembers({{u"a"_s, len}});
        EXPECT_EQ(failure.szMessage, u"整数値を入力してください。"_s) << len.toStdString();
        EXPECT_EQ(failure.nCol, Rules::LenColumn);
    }
    EXPECT_FALSE(Rules::CheckMembers({{u"a"_s, u" 12 "_s}}));
}

TEST(clsFormatRules, CommaInAMemberNameIsRefused)
{
    EXPECT_EQ(Rules::CheckMembers({{u"a,b"_s, u"1"_s}}).nCol, Rules::NameColumn);
}

TEST(clsFormatRules, DuplicateNamesNameBothRowsAndPointAtTheSecond)
{
    const Rules::Failure failure = Rules::CheckDupNames({u"a"_s, u"b"_s, u" a"_s});
    EXPECT_EQ(failure.szMessage, u"1行目と3行目のメンバ名が同じです。"_s);
    EXPECT_EQ(failure.nRow, 3);
    EXPECT_EQ(failure.nCol, Rules::NameColumn);
    EXPECT_TRUE(Rules::CheckDupNames({u""_s, u""_s}));
}

TEST(clsFormatRules, StructNameRules)
{
    EXPECT_EQ(Rules::CheckStructName(u"  "_s).szMessage, u"構造体名を入力してください。"_s);
    const QString chars = u"構造体名は半角の数値とアルファベットを使用してください。"_s;
    EXPECT_EQ(Rules::CheckStructName(u"a-b"_s).szMessage, chars);
    EXPECT_EQ(Rules::CheckStructName(u" ab"_s).szMessage, chars);
    EXPECT_EQ(Rules::CheckStructName(u"Option"_s).szMessage,
              u"構造体名に[Formats],[Option],[RecentFile]は使用できません（予約語）。"_s);
    EXPECT_TRUE(Rules::CheckStructName(u"formats"_s));
    EXPECT_FALSE(Rules::CheckStructName(u"Rec_2 "_s));
}

TEST(clsFormatRules, LoadedCodesMustBeKnown)
{
    clsFormat format = TwoMembers();
    EXPECT_FALSE(Rules::CheckLoaded(format));
    format.Members(2)->MemType = 6;
    EXPECT_EQ(Rules::CheckLoaded(format).nCol, Rules::TypeColumn);
    format = TwoMembers();
    format.CharSet = 5;
    EXPECT_TRUE(Rules::CheckLoaded(format));
    format = TwoMembers();
    format.CRLF = u"\r\r"_s;
    EXPECT_TRUE(Rules::CheckLoaded(format));
}

TEST(clsFormatRules, WidthAndHeaderBeyondARecordFileAreRefused)
{
    clsFormat format = TwoMembers();
    format.BytesSkipHeader = static_cast<int>(Rules::kMaxFileBytes) - 10;
    EXPECT_TRUE(Rules::CheckLoaded(format)); // header and one record no longer fit
    format.BytesSkipHeader = -1;
    EXPECT_TRUE(Rules::CheckLoaded(format));
    format = TwoMembers();
    format.Members(1)->MemLen = 2147483647;
    EXPECT_EQ(Rules::CheckLoaded(format).nRow, 1);
}

TEST(clsFormatRules, SectionMustExistAndCoverItsCount)
{
    QTemporaryDir dir;
    clsFileSettingsStore store(dir.filePath(u"s.txt"_s));
    EXPECT_TRUE(
        Rules::CheckSection(store, u"REC"_s).szMessage.contains(u"セクションがありません"_s));
    store.Save(u"Quillet"_s, u"REC"_s, u"CntMember"_s, u"2"_s);
    store.Save(u"Quillet"_s, u"REC"_s, u"MemNameType_1"_s, u"a,5"_s);
    EXPECT_EQ(Rules::CheckSection(store, u"REC"_s).nRow, 2);
    store.Save(u"Quillet"_s, u"REC"_s, u"CntMember"_s, u"100000000"_s);
    EXPECT_TRUE(Rules::CheckSection(store, u"REC"_s));
    store.Save(u"Quillet"_s, u"REC"_s, u"CntMember"_s, u"1"_s);
    EXPECT_FALSE(Rules::CheckSection(store, u"REC"_s));
    EXPECT_TRUE(Rules::CheckSection(store, u"RecentFile"_s));
}

TEST(clsFormatRules, RegistrableAddsTheEditorsChecks)
{
    clsFormat format = TwoMembers();
    EXPECT_FALSE(Rules::CheckRegistrable(format));
    format.Members(2)->MemName = u"code"_s;
    EXPECT_EQ(Rules::CheckRegistrable(format).nRow, 2);
    format = TwoMembers();
    format.StructName = u"Formats"_s;
    EXPECT_TRUE(Rules::CheckRegistrable(format));
}
