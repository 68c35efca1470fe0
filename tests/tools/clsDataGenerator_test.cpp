// The data wizard's generator: each method's values, the random rules, the items of a format
// and the generation as one undoable document step.
#include "clsDataGenerator.h"
#include "clsDocument.h"
#include "clsFormats.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

clsDataWizItem Item(int lnMethod, int lnDigits, int lnType = 5)
{
    clsDataWizItem item;
    item.method = lnMethod;
    item.digits = lnDigits;
    item.type = lnType;
    return item;
}

class clsDataGeneratorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gFormats().Clear();
        clsFormat* format = gFormats().Add();
        format->StructName = u"test"_s;
        format->FormatName = u"試験"_s;
        const struct
        {
            const char16_t* name;
            const char16_t* comment;
            int type;
            int len;
        } members[] = {{u"code", u"コード", 5, 5}, {u"qty", u"数量", 1, 6}};
        for (const auto& m : members) {
            clsMember* member = format->AddMember();
            member->MemName = QString::fromUtf16(m.name);
            member->Comment = QString::fromUtf16(m.comment);
            member->MemType = m.type;
            member->MemLen = m.len;
        }
    }
    void TearDown() override { gFormats().Clear(); }

    clsDataGenerator generator{12345u};
};

TEST_F(clsDataGeneratorTest, RunningNumbersArePaddedToTheWidth)
{
    clsDataWizItem item = Item(clsDataWizItem::RunningNumber, 5);
    item.start = u"7"_s;
    EXPECT_EQ(generator.Value(item, 1), u"00007"_s);
    EXPECT_EQ(generator.Value(item, 2), u"00008"_s);
    EXPECT_EQ(generator.Value(item, 4), u"00010"_s);
}

TEST_F(clsDataGeneratorTest, FixedPrefixWithRunningNumberFillsTheRest)
{
    clsDataWizItem item = Item(clsDataWizItem::FixedAndRunningNumber, 5);
    item.fixed = u"AB"_s;
    item.start = u"1"_s;
    EXPECT_EQ(generator.Value(item, 1), u"AB001"_s);
    EXPECT_EQ(generator.Value(item, 2), u"AB002"_s);
}

TEST_F(clsDataGeneratorTest, AFixedPrefixLongerThanTheWidthIsCut)
{
    clsDataWizItem item = Item(clsDataWizItem::FixedAndRunningNumber, 5);
    item.fixed = u"ABCDEF"_s;
    item.start = u"1"_s;
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(generator.Value(item, row), u"ABCDE"_s);
}

TEST_F(clsDataGeneratorTest, CuttingNeverSplitsADoubleByteCharacter)
{
    EXPECT_EQ(clsDataGenerator::CutBytes(u"あいう"_s, 5), u"あい"_s);
    EXPECT_EQ(clsDataGenerator::CutBytes(u"aあ"_s, 2), u"a"_s);
    EXPECT_EQ(clsDataGenerator::CutBytes(u"ab"_s, 5), u"ab"_s);
}

TEST_F(clsDataGeneratorTest, RandomIntegersHaveNoLeadingZeroAndStayWithinTheType)
{
    bool sawMaximum = false;
    for (int i = 0; i < 3000; ++i) {
        const QString text = generator.RandomText(5, 1);
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        ASSERT_TRUE(ok) << text.toStdString();
        ASSERT_LE(value, 32767);
        ASSERT_GE(value, 0);
        ASSERT_EQ(text, QString::number(value)) << "leading zero in " << text.toStdString();
        sawMaximum = sawMaximum || value == 32767;
    }
    // Five random digits overflow an integer often enough to show the maximum.
    EXPECT_TRUE(sawMaximum);
}

TEST_F(clsDataGeneratorTest, RandomStringsUseOneCharacterSetAndTheWidth)
{
    for (int i = 0; i < 500; ++i) {
        const QString text = generator.RandomText(4, 5);
        ASSERT_GE(text.size(), 1);
        ASSERT_LE(text.size(), 4);
        for (const QChar c : text)
            ASSERT_TRUE((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'));
    }
}

TEST_F(clsDataGeneratorTest, RandomFloatsReadAsNumbers)
{
    for (int i = 0; i < 500; ++i) {
        const QString text = generator.RandomText(6, 4);
        bool ok = false;
        text.toDouble(&ok);
        ASSERT_TRUE(ok) << text.toStdString();
        ASSERT_FALSE(text.endsWith(u'.'));
    }
}

TEST_F(clsDataGeneratorTest, ListPicksAreTrimmedUnquotedAndCut)
{
    for (int i = 0; i < 100; ++i) {
        const QString pick = generator.ListPick(u" 東京 ,\"大阪府\", nagoya "_s, 4);
        ASSERT_TRUE(pick == u"東京"_s || pick == u"大阪"_s || pick == u"nago"_s)
            << pick.toStdString();
    }
    EXPECT_EQ(generator.ListPick(QString(), 4), QString());
}

TEST_F(clsDataGeneratorTest, FixedValueCheckRefusesLettersInNumbersAndEmptyBecomesZero)
{
    clsDataWizItem number = Item(clsDataWizItem::Fixed, 5, 1);
    QString text = u"12a"_s;
    EXPECT_EQ(clsDataGenerator::CheckFixed(number, text), u"数値以外は入力出来ません。"_s);
    text = u"  "_s;
    EXPECT_EQ(clsDataGenerator::CheckFixed(number, text), QString());
    EXPECT_EQ(text, u"0"_s);
    clsDataWizItem string = Item(clsDataWizItem::Fixed, 3);
    string.name = u"コード"_s;
    text = u"ABCD"_s;
    EXPECT_EQ(clsDataGenerator::CheckFixed(string, text), u"コードの有効桁数は 3 桁です。"_s);
    text = u" ABC "_s;
    EXPECT_EQ(clsDataGenerator::CheckFixed(string, text), QString());
}

TEST_F(clsDataGeneratorTest, ItemsOfAllColumnsKeepASignPlaceForNumbers)
{
    const auto items = clsDataGenerator::Items(*gFormats().Format(1), 2, 0, false);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, u"code"_s);
    EXPECT_EQ(items[0].digits, 5);
    EXPECT_EQ(items[1].digits, 5);
    EXPECT_EQ(items[1].type, 1);
    EXPECT_EQ(items[1].method, clsDataWizItem::Random);
    const auto one = clsDataGenerator::Items(*gFormats().Format(1), 1, 2, true);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].name, u"数量"_s);
    EXPECT_EQ(one[0].digits, 6);
}

TEST_F(clsDataGeneratorTest, AColumnOutsideTheFormatHasNoItem)
{
    EXPECT_TRUE(clsDataGenerator::Items(*gFormats().Format(1), 1, 0, false).empty());
    EXPECT_TRUE(clsDataGenerator::Items(*gFormats().Format(1), 1, 3, false).empty());
}

TEST_F(clsDataGeneratorTest, GeneratingIsOneUndoableStep)
{
    clsDocument document;
    ASSERT_TRUE(document.SetMode(1));
    document.Clear(1);
    document.SetCellText(1, 2, u"keep"_s);
    const int steps = document.UndoStack().count();
    clsDataWizItem item = Item(clsDataWizItem::RunningNumber, 3);
    item.start = u"1"_s;
    generator.Generate(document, {item}, clsDataGenerator::CursorColumn, 1, 3);
    EXPECT_EQ(document.UndoStack().count(), steps + 1);
    ASSERT_EQ(document.RowCount(), 3);
    EXPECT_EQ(document.Text(3, 1), u"003"_s);
    EXPECT_EQ(document.Text(1, 2), u"keep"_s);
    EXPECT_TRUE(document.Records().Marked(3));
    EXPECT_FALSE(document.bEmpty());
    document.UndoStack().undo();
    ASSERT_EQ(document.RowCount(), 1);
    EXPECT_EQ(document.Text(1, 1), QString());
    EXPECT_EQ(document.Text(1, 2), u"keep"_s);
    document.UndoStack().redo();
    EXPECT_EQ(document.Text(2, 1), u"002"_s);
}

TEST_F(clsDataGeneratorTest, ACountOfZeroLeavesNoRows)
{
    clsDocument document;
    ASSERT_TRUE(document.SetMode(1));
    document.Clear(4);
    generator.Generate(document, clsDataGenerator::Items(*gFormats().Format(1), 2, 0, false),
                       clsDataGenerator::AllColumns, 0, 0);
    EXPECT_EQ(document.RowCount(), 0);
    EXPECT_TRUE(document.bDirty());
}

} // namespace
