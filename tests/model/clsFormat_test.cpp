// Members and formats: initial values, derived lengths, list operations and copies.
#include "clsFormat.h"
#include "clsScriptedMsgBox.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(clsFormat, NewMemberAndItsViews)
{
    clsMember member;
    EXPECT_EQ(member.MemType, 5);
    EXPECT_EQ(member.Stuff, 2);
    EXPECT_EQ(member.ConvOut, 1);
    EXPECT_EQ(member.BlankChr, u" "_s);
    EXPECT_EQ(member.MemTypeAsString(3), u"文字列"_s);
    EXPECT_EQ(member.StuffAsString(), u"左詰め"_s);
    EXPECT_EQ(member.BlankChrAsString(), u"スペース"_s);
    EXPECT_EQ(member.ConvOutAsString(), u"する"_s);

    member.SetMemTypeAsString(u"double"_s);
    member.SetStuffAsString(u"右詰め"_s);
    member.SetBlankChrAsString(u"ゼロ"_s);
    member.SetConvOutAsString(u"しない"_s);
    EXPECT_EQ(member.MemType, 4);
    EXPECT_EQ(member.Stuff, 1);
    EXPECT_EQ(member.BlankChr, u"0"_s);
    EXPECT_EQ(member.ConvOut, 0);
    member.SetBlankChrAsString(u"*-"_s);
    EXPECT_EQ(member.BlankChr, u"*"_s);
}

TEST(clsFormat, NewFormatDefaults)
{
    clsFormat format;
    EXPECT_EQ(format.FileType, 1);
    EXPECT_EQ(format.CharSet, 1);
    EXPECT_EQ(format.CRLF, u"\r\n"_s);
    EXPECT_EQ(format.SepChr, u","_s);
    EXPECT_EQ(format.CareQuote, 1);
    EXPECT_EQ(format.EscInput, 0);
    EXPECT_EQ(format.EscOutput, 0);
    EXPECT_FALSE(format.DelFlg);
    EXPECT_EQ(format.MemCount(), 0);
}

TEST(clsFormat, StringViewsStoreCodes)
{
    clsFormat format;
    format.SetSepChrAsString(u"タブ"_s);
    EXPECT_EQ(format.SepChr, u"\t"_s);
    EXPECT_EQ(format.SepChrAsString(), u"タブ"_s);
    format.SetFileTypeAsString(u"固定長テキスト"_s);
    EXPECT_EQ(format.FileType, 2);
    EXPECT_EQ(format.FileTypeAsString(), u"固定長テキスト"_s);
    format.SetCharSetAsString(u"EUC"_s);
    EXPECT_EQ(format.CharSet, 3);
    EXPECT_EQ(format.CharSetAsString(), u"EUC"_s);
    format.SetEscInputAsString(u"する"_s);
    format.SetEscOutputAsString(u"する"_s);
    format.SetCareQuoteAsString(u"しない"_s);
    EXPECT_EQ(format.EscInput, 1);
    EXPECT_EQ(format.EscOutput, 1);
    EXPECT_EQ(format.CareQuote, 0);
    EXPECT_EQ(format.CareQuoteAsString(), u"しない"_s);
}

TEST(clsFormat, RecordLengths)
{
    clsFormat format;
    clsMember* text = format.AddMember();
    text->MemLen = 10;
    text->MemLenB = 99; // a string member counts MemLen whatever MemLenB says
    clsMember* shortInt = format.AddMember();
    shortInt->MemType = 1;
    shortInt->MemLen = 6;
    shortInt->MemLenB = 2;
    clsMember* real = format.AddMember();
    real->MemType = 4;
    real->MemLen = 16;
    real->MemLenB = 8;
    EXPECT_EQ(format.RecLen(), 32);
    EXPECT_EQ(format.RecLenB(), 20);
}

TEST(clsFormat, AddMemberAppendsAndInserts)
{
    clsFormat format;
    clsMember* first = format.AddMember(nullptr, 0);
    clsMember* second = format.AddMember(nullptr, 0);
    clsMember* third = format.AddMember(nullptr, 0);
    EXPECT_NE(first, second);
    EXPECT_NE(second, third);
    ASSERT_EQ(format.MemCount(), 3);

    auto owned = std::make_unique<clsMember>();
    clsMember* inserted = owned.get();
    EXPECT_EQ(format.AddMember(std::move(owned), 2), inserted);
    ASSERT_EQ(format.MemCount(), 4);
    EXPECT_EQ(format.Members(1), first);
    EXPECT_EQ(format.Members(2), inserted);
    EXPECT_EQ(format.Members(3), second);
    EXPECT_EQ(format.Members(4), third);

    // Positions past the new count and negative ones append.
    clsMember* appended = format.AddMember(nullptr, 9);
    EXPECT_EQ(format.Members(5), appended);
    clsMember* appendedToo = format.AddMember(nullptr, -1);
    EXPECT_EQ(format.Members(6), appendedToo);
    // The new count itself inserts before nothing, which is the end as well.
    clsMember* atCount = format.AddMember(nullptr, 7);
    EXPECT_EQ(format.Members(7), atCount);
}

TEST(clsFormat, BadPositionsReportAndChangeNothing)
{
    clsScriptedMsgBox msg;
    clsFormat format;
    format.AddMember();
    EXPECT_EQ(format.Members(0), nullptr);
    clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Critical"_s);
    EXPECT_EQ(box.title, u"clsFormat Prop_GetMembers Error"_s);
    EXPECT_EQ(box.text, u"不正なインデックスが指定されました。\r\n (1)"_s);

    EXPECT_EQ(format.Members(2), nullptr);
    EXPECT_EQ(msg.TakeOne().title, u"clsFormat Prop_GetMembers Error"_s);

    format.DeleteMember(0);
    box = msg.TakeOne();
    EXPECT_EQ(box.title, u"clsFormat DeleteMember Error"_s);
    EXPECT_EQ(box.text, u"不正なインデックス\r\n (1)"_s);
    EXPECT_EQ(format.MemCount(), 1);
    format.DeleteMember(2);
    msg.TakeOne();
    EXPECT_EQ(format.MemCount(), 1);
}

TEST(clsFormat, DeleteMemberMovesTheRestDown)
{
    clsFormat format;
    clsMember* first = format.AddMember();
    format.AddMember();
    clsMember* third = format.AddMember();
    format.DeleteMember(2);
    ASSERT_EQ(format.MemCount(), 2);
    EXPECT_EQ(format.Members(1), first);
    EXPECT_EQ(format.Members(2), third);
    format.DeleteMember(1);
    format.DeleteMember(1);
    EXPECT_EQ(format.MemCount(), 0);
}

TEST(clsFormat, CopyIsDeepAndUnmarked)
{
    clsFormat format;
    format.StructName = u"Sales"_s;
    format.FormatName = u"売上明細"_s;
    format.FileType = 3;
    format.CharSet = 4;
    format.CRLF = u"\n"_s;
    format.SepChr = u"\t"_s;
    format.BytesSkipHeader = 16;
    format.EscInput = 1;
    format.EscOutput = 1;
    format.CareQuote = 0;
    format.DelFlg = true;
    clsMember* member = format.AddMember();
    member->MemName = u"code"_s;
    member->MemLen = 8;
    member->MemLenB = 8;
    member->Comment = u"商品コード"_s;
    member->BlankChr = u"0"_s;
    member->Stuff = 1;
    member->ConvOut = 0;
    member->ColWidth = 120;

    std::unique_ptr<clsFormat> copy = format.Copy();
    EXPECT_FALSE(copy->DelFlg);
    EXPECT_EQ(copy->StructName, format.StructName);
    EXPECT_EQ(copy->FormatName, format.FormatName);
    EXPECT_EQ(copy->FileType, 3);
    EXPECT_EQ(copy->CharSet, 4);
    EXPECT_EQ(copy->CRLF, u"\n"_s);
    EXPECT_EQ(copy->SepChr, u"\t"_s);
    EXPECT_EQ(copy->BytesSkipHeader, 16);
    EXPECT_EQ(copy->EscInput, 1);
    EXPECT_EQ(copy->EscOutput, 1);
    EXPECT_EQ(copy->CareQuote, 0);
    ASSERT_EQ(copy->MemCount(), 1);
    clsMember* copied = copy->Members(1);
    EXPECT_NE(copied, member);
    EXPECT_EQ(copied->MemName, u"code"_s);
    EXPECT_EQ(copied->MemLen, 8);
    EXPECT_EQ(copied->MemLenB, 8);
    EXPECT_EQ(copied->Comment, u"商品コード"_s);
    EXPECT_EQ(copied->BlankChr, u"0"_s);
    EXPECT_EQ(copied->Stuff, 1);
    EXPECT_EQ(copied->ConvOut, 0);
    EXPECT_EQ(copied->ColWidth, 120);
}
