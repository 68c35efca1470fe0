// The distinct values of every column, with and without their counts.
#include "clsCodePage.h"
#include "clsDocument.h"
#include "clsUniqueList.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

clsDocument& Document(const std::vector<QStringList>& rows)
{
    static clsDocument document;
    clsRecords records;
    for (const QStringList& row : rows) {
        for (const QString& cell : row)
            records.AddCell(clsCodePage::ToSjis(cell));
        records.EndRow();
    }
    document.ReplaceRecords(std::move(records));
    return document;
}

std::vector<QByteArray> Values(std::initializer_list<QString> texts)
{
    std::vector<QByteArray> values;
    for (const QString& text : texts)
        values.push_back(clsCodePage::ToSjis(text));
    return values;
}

const std::vector<QStringList> kRows = {
    {u"a"_s, u"1"_s},  {u"b"_s, u"1"_s}, {u"a"_s, u"2"_s},
    {u"  "_s, u"2"_s}, {u"a"_s, u"3"_s}, {u"A"_s, u"3"_s},
};

TEST(clsUniqueList, ValuesInOrderOfFirstAppearance)
{
    const clsUniqueList list = clsUniqueList::Build(Document(kRows), 2, false);
    EXPECT_EQ(list.Column(1), Values({u"a"_s, u"b"_s, u"A"_s}));
    EXPECT_EQ(list.Column(2), Values({u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(list.RowCount(), 3);
}

TEST(clsUniqueList, CountsMostFrequentFirstEqualCountsInOrder)
{
    const clsUniqueList list = clsUniqueList::Build(Document(kRows), 2, true);
    EXPECT_EQ(list.Column(1), Values({u"3:a"_s, u"1:b"_s, u"1:A"_s}));
    EXPECT_EQ(list.Column(2), Values({u"2:1"_s, u"2:2"_s, u"2:3"_s}));
}

TEST(clsUniqueList, BlankCellsAreSkippedButSpacesInsideCount)
{
    const clsUniqueList list = clsUniqueList::Build(
        Document({{u"a"_s}, {u"b"_s}, {u"a"_s}, {QString()}, {u"a"_s}, {u" a"_s}}), 1, true);
    EXPECT_EQ(list.Column(1), Values({u"3:a"_s, u"1:b"_s, u"1: a"_s}));
}

TEST(clsUniqueList, FewerThanTwoValuesKeepTheDefaultRows)
{
    const clsUniqueList list = clsUniqueList::Build(Document({{u"a"_s}, {u"a"_s}}), 2, false);
    EXPECT_EQ(list.RowCount(), clsUniqueList::kDefaultRows);
    EXPECT_EQ(list.Column(1), Values({u"a"_s}));
    EXPECT_TRUE(list.Column(2).empty());
}

} // namespace
