// The find engine: matching under each option, the search position in one and in all columns,
// replacing next and all with their undo steps, and regular expressions.
#include "clsDocument.h"
#include "clsFindEngine.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class clsFindEngineTest : public ::testing::Test
{
protected:
    // Rows of three cells.
    void Fill(const std::vector<std::vector<const char*>>& rows)
    {
        clsRecords records;
        for (const auto& row : rows) {
            for (const char* cell : row)
                records.AddCell(QByteArrayView(cell));
            records.EndRow();
        }
        document.ReplaceRecords(std::move(records));
    }

    clsFindOptions Options(const QString& key, int column = 1)
    {
        clsFindOptions options;
        options.key = key;
        options.replacement = u"b"_s;
        options.column = column;
        options.columns = 3;
        return options;
    }

    bool Match(const clsFindOptions& options, const QString& cell)
    {
        clsFindEngine probe(document);
        EXPECT_TRUE(probe.SetOptions(options));
        return probe.Matches(cell);
    }

    clsDocument document;
    clsFindEngine engine{document};
};

} // namespace

TEST_F(clsFindEngineTest, PartialMatchUsesWildcardsAndUpperCasing)
{
    clsFindOptions options = Options(u"a?c"_s);
    options.partial = true;
    EXPECT_TRUE(Match(options, u"xABCx"_s));
    EXPECT_FALSE(Match(options, u"xACx"_s));
    options.key = u"[!0-9]#"_s;
    EXPECT_TRUE(Match(options, u"--x5"_s));
    EXPECT_FALSE(Match(options, u"55"_s));
}

TEST_F(clsFindEngineTest, ExactMatchFollowsTheCaseOption)
{
    clsFindOptions options = Options(u"abc"_s);
    options.caseSensitive = true;
    EXPECT_FALSE(Match(options, u"ABC"_s));
    EXPECT_TRUE(Match(options, u"abc"_s));
    options.caseSensitive = false;
    EXPECT_TRUE(Match(options, u"ABC"_s));
    EXPECT_FALSE(Match(options, u"xabc"_s));
    // Without partial matching the wildcard characters are plain characters.
    options.key = u"a?c"_s;
    EXPECT_FALSE(Match(options, u"abc"_s));
}

TEST_F(clsFindEngineTest, OneColumnFindWalksDownAndWrapsAfterTheLastMatch)
{
    Fill({{"a", "a", ""}, {"b", "", ""}, {"a", "", ""}});
    engine.SetOptions(Options(u"a"_s));
    EXPECT_EQ(engine.FindNext().row, 1);
    EXPECT_EQ(engine.SearchRow(), 2);
    EXPECT_EQ(engine.FindNext().row, 3);
    EXPECT_FALSE(engine.FindNext().found);
    EXPECT_EQ(engine.SearchRow(), 1);
    EXPECT_EQ(engine.SearchCol(), 1);
    EXPECT_EQ(engine.FindNext().row, 1);
}

TEST_F(clsFindEngineTest, AllColumnsContinueAtColumnOneOfTheNextRowAfterTheLastColumn)
{
    Fill({{"", "k", "k"}, {"k", "", ""}});
    clsFindOptions options = Options(u"k"_s);
    options.allColumns = true;
    engine.SetOptions(options);
    clsFindEngine::Hit hit = engine.FindNext();
    EXPECT_EQ(std::make_pair(hit.row, hit.col), std::make_pair(1, 2));
    EXPECT_EQ(std::make_pair(engine.SearchRow(), engine.SearchCol()), std::make_pair(1, 3));
    hit = engine.FindNext();
    EXPECT_EQ(std::make_pair(hit.row, hit.col), std::make_pair(1, 3));
    EXPECT_EQ(std::make_pair(engine.SearchRow(), engine.SearchCol()), std::make_pair(2, 1));
    hit = engine.FindNext();
    EXPECT_EQ(std::make_pair(hit.row, hit.col), std::make_pair(2, 1));
}

TEST_F(clsFindEngineTest, ReplaceNextStartsBelowTheSearchRowAndIsOneStep)
{
    Fill({{"a", "", ""}, {"a", "", ""}, {"a", "", ""}});
    engine.SetOptions(Options(u"a"_s));
    EXPECT_EQ(engine.ReplaceNext().row, 2);
    EXPECT_EQ(engine.ReplaceNext().row, 3);
    EXPECT_EQ(document.UndoStack().count(), 2);
    EXPECT_TRUE(document.bDirty());
    EXPECT_EQ(document.Text(2, 1), u"b"_s);
    EXPECT_FALSE(engine.ReplaceNext().found);
    EXPECT_EQ(engine.SearchRow(), 0);
    EXPECT_EQ(engine.ReplaceNext().row, 1);
    EXPECT_EQ(document.Text(1, 1), u"b"_s);
}

TEST_F(clsFindEngineTest, ReplaceAllOfTheMatchingPartCountsCellsInOneStep)
{
    Fill({{"aXa", "", ""}, {"y", "", ""}, {"Aa", "", ""}});
    clsFindOptions options = Options(u"a"_s);
    options.partial = true;
    options.replacePart = true;
    engine.SetOptions(options);
    EXPECT_EQ(engine.ReplaceAll(), 2);
    EXPECT_EQ(document.Text(1, 1), u"bXb"_s);
    // Matched without regard to case, replaced only where the case is the key's.
    EXPECT_EQ(document.Text(3, 1), u"Ab"_s);
    EXPECT_EQ(document.Text(2, 1), u"y"_s);
    EXPECT_EQ(document.UndoStack().count(), 1);
    EXPECT_TRUE(document.Records().Marked(1));
    EXPECT_FALSE(document.Records().Marked(2));
    document.UndoStack().undo();
    EXPECT_EQ(document.Text(1, 1), u"aXa"_s);
    EXPECT_FALSE(document.bDirty());
}

TEST_F(clsFindEngineTest, ReplaceAllCountsAMatchThatChangesNothing)
{
    Fill({{"A", "", ""}});
    clsFindOptions options = Options(u"a"_s);
    options.partial = true;
    options.replacePart = true;
    engine.SetOptions(options);
    EXPECT_EQ(engine.ReplaceAll(), 1);
    EXPECT_EQ(document.Text(1, 1), u"A"_s);
    EXPECT_TRUE(document.bDirty());
}

TEST_F(clsFindEngineTest, ReplaceAllInAllColumnsReplacesWholeCells)
{
    Fill({{"k", "x", "k"}, {"x", "k", "x"}});
    clsFindOptions options = Options(u"K"_s);
    options.allColumns = true;
    engine.SetOptions(options);
    clsFindEngine::Hit last;
    EXPECT_EQ(engine.ReplaceAll(&last), 3);
    EXPECT_EQ(std::make_pair(last.row, last.col), std::make_pair(2, 2));
    EXPECT_EQ(document.Text(1, 3), u"b"_s);
    EXPECT_EQ(document.Text(2, 3), u"x"_s);
    EXPECT_EQ(engine.SearchRow(), 2);
}

TEST_F(clsFindEngineTest, NothingMatchingChangesNothing)
{
    Fill({{"x", "", ""}});
    engine.SetOptions(Options(u"a"_s));
    EXPECT_EQ(engine.ReplaceAll(), 0);
    EXPECT_EQ(document.UndoStack().count(), 0);
    EXPECT_FALSE(document.bDirty());
}

TEST_F(clsFindEngineTest, RegexFindsAnywhereWhenPartialAndWholeCellsOtherwise)
{
    clsFindOptions options = Options(u"^[0-9]{3}-"_s);
    options.regex = true;
    options.partial = true;
    EXPECT_TRUE(Match(options, u"123-4567"_s));
    EXPECT_FALSE(Match(options, u"x123-4567"_s));
    options.partial = false;
    options.key = u"a+"_s;
    EXPECT_TRUE(Match(options, u"AAA"_s));
    EXPECT_FALSE(Match(options, u"aab"_s));
    options.caseSensitive = true;
    EXPECT_FALSE(Match(options, u"AAA"_s));
}

TEST_F(clsFindEngineTest, RegexReplacesMatchesWithCapturedGroups)
{
    Fill({{"2024/05/01", "", ""}, {"none", "", ""}});
    clsFindOptions options = Options(u"(\\d+)/(\\d+)/(\\d+)"_s);
    options.regex = true;
    options.partial = true;
    options.replacePart = true;
    options.replacement = u"\\3.\\2.\\1"_s;
    engine.SetOptions(options);
    EXPECT_EQ(engine.ReplaceAll(), 1);
    EXPECT_EQ(document.Text(1, 1), u"01.05.2024"_s);
}

TEST_F(clsFindEngineTest, InvalidRegexIsRefusedWithItsReason)
{
    clsFindOptions options = Options(u"a("_s);
    options.regex = true;
    EXPECT_FALSE(engine.SetOptions(options));
    EXPECT_TRUE(engine.ErrorText().startsWith(u"正規表現に誤りがあります"_s));
    EXPECT_FALSE(engine.Matches(u"a("_s));
}

TEST_F(clsFindEngineTest, MessagesCarryTheKeyAndTheCount)
{
    EXPECT_EQ(clsFindEngine::NotFoundText(u"abc"_s),
              u"[abc] に一致するデータは見つかりませんでした。"_s);
    EXPECT_EQ(clsFindEngine::ReplacedText(12), u"12 件のデータを置換しました。"_s);
}
