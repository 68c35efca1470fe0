// The data wizard's template files: their bytes, the round trip and the four refusals.
#include "clsDataTemplate.h"
#include "clsFormats.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class clsDataTemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gFormats().Clear();
        clsFormat* format = gFormats().Add();
        format->StructName = u"商品"_s;
        for (int i = 0; i < 2; ++i)
            format->AddMember()->MemLen = 5;
        items.resize(2);
        items[0] = {u"コード"_s, 5, 5, 7, u"AB"_s, QString(), u"1"_s};
        items[1] = {u"名前"_s, 4, 1, 3, QString(), u"1,2,3"_s, u"1"_s};
    }
    void TearDown() override { gFormats().Clear(); }

    std::vector<clsDataWizItem> items;
};

TEST_F(clsDataTemplateTest, TheFileIsShiftJisWithTabsAndCrLf)
{
    const QByteArray bytes = clsDataTemplate::Compose(items, u"商品"_s);
    EXPECT_EQ(bytes, QByteArray("2\t\x8f\xa4\x95\x69\r\n"
                                "\x83\x52\x81\x5b\x83\x68\t5\t5\t7\tAB\t\t1\r\n"
                                "\x96\xbc\x91\x4f\t4\t1\t3\t\t1,2,3\t1\r\n"));
}

TEST_F(clsDataTemplateTest, ASavedTemplateLoadsBackEveryItem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"商品.dwt"_s);
    ASSERT_EQ(clsDataTemplate::Save(path, items, u"商品"_s), QString());
    std::vector<clsDataWizItem> loaded;
    ASSERT_EQ(clsDataTemplate::Load(path, loaded), QString());
    EXPECT_EQ(loaded, items);
}

TEST_F(clsDataTemplateTest, AnUnknownFormatIsNamed)
{
    std::vector<clsDataWizItem> loaded;
    EXPECT_EQ(clsDataTemplate::Parse(clsDataTemplate::Compose(items, u"other"_s), loaded),
              u"フォーマット[other]が違います。ファイルを開けません。"_s);
    EXPECT_TRUE(loaded.empty());
}

TEST_F(clsDataTemplateTest, AChangedMemberCountRefusesTheFile)
{
    const QByteArray bytes = clsDataTemplate::Compose(items, u"商品"_s);
    gFormats().Format(1)->AddMember();
    std::vector<clsDataWizItem> loaded;
    EXPECT_EQ(clsDataTemplate::Parse(bytes, loaded),
              u"フォーマットのメンバ数が変更されています。ファイルを開けません。"_s);
}

TEST_F(clsDataTemplateTest, BrokenLinesAreARecordFormatError)
{
    const QString error = u"レコードのフォーマットが違います。"_s;
    std::vector<clsDataWizItem> loaded;
    EXPECT_EQ(clsDataTemplate::Parse("2\t\x8f\xa4\x95\x69\r\na\t5\t5\t7\tAB\t\r\n", loaded), error);
    EXPECT_EQ(clsDataTemplate::Parse("2\r\n", loaded), error);
    EXPECT_EQ(clsDataTemplate::Parse("2\t\x8f\xa4\x95\x69\r\na\t5\t5\t7\tAB\t\t1\r\n", loaded),
              error);
    EXPECT_EQ(clsDataTemplate::Parse("2\t\x8f\xa4\x95\x69\r\na\tx\t5\t7\t\t\t1\r\n"
                                     "b\t5\t5\t7\t\t\t1\r\n",
                                     loaded),
              error);
    EXPECT_TRUE(loaded.empty());
    EXPECT_EQ(clsDataTemplate::Load(u"/nonexistent/t.dwt"_s, loaded), error);
}

TEST_F(clsDataTemplateTest, AnUnwritableTargetIsAWriteError)
{
    EXPECT_EQ(clsDataTemplate::Save(u"/nonexistent/dir/t.dwt"_s, items, u"商品"_s),
              u"書込みエラーです。"_s);
}

} // namespace
