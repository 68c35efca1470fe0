// The option values: defaults, malformed values, writing back and the default viewer.
#include "clsFileSettingsStore.h"
#include "clsOptions.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class Options : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clsOptions::Reset();
        visual = qgetenv("VISUAL");
        editor = qgetenv("EDITOR");
        qputenv("VISUAL", "/bin/sh");
    }
    void TearDown() override
    {
        qputenv("VISUAL", visual);
        qputenv("EDITOR", editor);
        clsOptions::Reset();
    }

    void Put(const QString& szKey, const QString& szValue)
    {
        ASSERT_TRUE(store.Save(u"Quillet"_s, u"Option"_s, szKey, szValue));
    }

    QString Stored(const QString& szKey) const
    {
        return store.Get(u"Quillet"_s, u"Option"_s, szKey, u"<missing>"_s);
    }

    QByteArray visual;
    QByteArray editor;
    QTemporaryDir dir;
    clsFileSettingsStore store{dir.filePath(u"settings.txt"_s)};
};

template <int N> std::array<int, N> Flags(const clsOptionFlags<N>& flags)
{
    std::array<int, N> values{};
    for (int k = 1; k <= N; ++k)
        values[static_cast<size_t>(k - 1)] = flags[k];
    return values;
}

} // namespace

TEST_F(Options, DefaultsForAnEmptyStore)
{
    ASSERT_TRUE(clsOptions::Load(store));
    EXPECT_EQ(Flags(gHeaderFlags), (std::array<int, 5>{0, 0, 0, 0, 1}));
    EXPECT_EQ(Flags(gEditFlags), (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(gFontSize, 10);
    EXPECT_FALSE(gFontBold);
    EXPECT_FALSE(gFontItalic);
    EXPECT_EQ(gFontName, u"ＭＳ ゴシック"_s);
    EXPECT_EQ(gTextPath, u"/bin/sh"_s);
    EXPECT_EQ(gBinPath, u"/bin/sh"_s);
}

TEST_F(Options, StoredValuesAreTrimmedAndRead)
{
    Put(u"Header"_s, u" 11011 "_s);
    Put(u"Edit"_s, u"121"_s);
    Put(u"TextPath"_s, u"  /usr/bin/view text  "_s);
    Put(u"BinPath"_s, u"/usr/bin/hexview"_s);
    Put(u"Font"_s, u"12,True,False,Meiryo"_s);
    ASSERT_TRUE(clsOptions::Load(store));
    EXPECT_EQ(Flags(gHeaderFlags), (std::array<int, 5>{1, 1, 0, 1, 1}));
    EXPECT_EQ(Flags(gEditFlags), (std::array<int, 3>{1, 2, 1}));
    EXPECT_EQ(gTextPath, u"/usr/bin/view text"_s);
    EXPECT_EQ(gBinPath, u"/usr/bin/hexview"_s);
    EXPECT_EQ(gFontSize, 12);
    EXPECT_TRUE(gFontBold);
    EXPECT_FALSE(gFontItalic);
    EXPECT_EQ(gFontName, u"Meiryo"_s);

    Put(u"Font"_s, u" 9 , 0 , -1 , \"ＭＳ 明朝\" "_s);
    ASSERT_TRUE(clsOptions::Load(store));
    EXPECT_EQ(gFontSize, 9);
    EXPECT_FALSE(gFontBold);
    EXPECT_TRUE(gFontItalic);
    EXPECT_EQ(gFontName, u"ＭＳ 明朝"_s);
}

TEST_F(Options, IllSizedValuesFallBackToTheDefaults)
{
    Put(u"Header"_s, u"1101"_s);
    Put(u"Edit"_s, u"21"_s);
    Put(u"Font"_s, u"12,True"_s);
    ASSERT_TRUE(clsOptions::Load(store));
    EXPECT_EQ(Flags(gHeaderFlags), (std::array<int, 5>{0, 0, 0, 0, 1}));
    EXPECT_EQ(Flags(gEditFlags), (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(gFontSize, 10);
    EXPECT_EQ(gFontName, u"ＭＳ ゴシック"_s);
}

TEST_F(Options, AMalformedValueStopsTheLoad)
{
    Put(u"Header"_s, u"0000x"_s);
    Put(u"Edit"_s, u"111"_s);
    EXPECT_FALSE(clsOptions::Load(store));
    EXPECT_EQ(Flags(gEditFlags), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(gTextPath, QString());

    for (const QString& font : {u"big,0,0,A"_s, u"12,maybe,0,A"_s, u"12,0,,A"_s}) {
        clsOptions::Reset();
        Put(u"Header"_s, u"00001"_s);
        Put(u"Font"_s, font);
        EXPECT_FALSE(clsOptions::Load(store)) << font.toStdString();
        // What came before the font was read.
        EXPECT_EQ(gHeaderFlags[5], 1);
        EXPECT_EQ(gTextPath, u"/bin/sh"_s);
        EXPECT_EQ(gFontName, QString());
    }
}

TEST_F(Options, SavesEveryKey)
{
    for (int k = 1; k <= 5; ++k)
        gHeaderFlags[k] = k % 2;
    gEditFlags[2] = 2;
    gTextPath = u"/usr/bin/a b"_s;
    gBinPath = u"C:\\bin\\hex.exe"_s;
    gFontSize = 11;
    gFontBold = true;
    gFontName = u"VL ゴシック"_s;
    ASSERT_TRUE(clsOptions::Save(store));
    EXPECT_EQ(Stored(u"Header"_s), u"10101"_s);
    EXPECT_EQ(Stored(u"Edit"_s), u"020"_s);
    EXPECT_EQ(Stored(u"TextPath"_s), u"/usr/bin/a b"_s);
    EXPECT_EQ(Stored(u"BinPath"_s), u"C:\\bin\\hex.exe"_s);
    EXPECT_EQ(Stored(u"Font"_s), u"11,True,False,VL ゴシック"_s);

    clsOptions::Reset();
    ASSERT_TRUE(clsOptions::Load(store));
    EXPECT_EQ(Flags(gHeaderFlags), (std::array<int, 5>{1, 0, 1, 0, 1}));
    EXPECT_EQ(gFontSize, 11);
    EXPECT_TRUE(gFontBold);
    EXPECT_EQ(gFontName, u"VL ゴシック"_s);

    // Flags that are not single digits cannot be stored as digits.
    gHeaderFlags[1] = 10;
    gEditFlags[3] = -1;
    ASSERT_TRUE(clsOptions::Save(store));
    EXPECT_EQ(Stored(u"Header"_s), u"00010"_s);
    EXPECT_EQ(Stored(u"Edit"_s), u"010"_s);
}

TEST_F(Options, FlagsOutsideTheirRangeThrow)
{
    EXPECT_THROW(gHeaderFlags[0], std::out_of_range);
    EXPECT_THROW(gEditFlags[4], std::out_of_range);
}

TEST_F(Options, TheDefaultViewerIsTheFirstThatExists)
{
    qputenv("VISUAL", "no-such-viewer-x7 --wait");
    qputenv("EDITOR", "/bin/sh -c");
    EXPECT_EQ(clsOptions::DefaultViewer(), u"/bin/sh -c"_s);
    qunsetenv("EDITOR");
    EXPECT_TRUE(clsOptions::DefaultViewer().endsWith(u"xdg-open"_s));
    qputenv("VISUAL", "sh");
    EXPECT_EQ(clsOptions::DefaultViewer(), u"sh"_s);
}
