// The recent-file list: moving to the front, one entry per file and format, ten at most, and
// a store that fails.
#include "clsFileSettingsStore.h"
#include "clsRecentList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString app = u"Quillet"_s;
const QString section = u"RecentFile"_s;

// A file store that starts failing every write on request.
class clsFailingStore : public clsFileSettingsStore
{
public:
    using clsFileSettingsStore::clsFileSettingsStore;
    bool Save(const QString& szApp, const QString& szSection, const QString& szKey,
              const QString& szValue) override
    {
        if (bFail)
            return false;
        return clsFileSettingsStore::Save(szApp, szSection, szKey, szValue);
    }
    QString LastError() const override
    {
        return bFail ? u"書込み禁止"_s : clsFileSettingsStore::LastError();
    }

    bool bFail = false;
};

class RecentList : public ::testing::Test
{
protected:
    QString Stored(const QString& szKey) const { return store.Get(app, section, szKey); }

    QTemporaryDir dir;
    clsFailingStore store{dir.filePath(u"settings.txt"_s)};
    clsRecentList recent;
};

} // namespace

TEST_F(RecentList, TheSameFileAndFormatMovesToTheFront)
{
    ASSERT_TRUE(recent.Add(store, u"/data/a.csv"_s, u"Sales"_s));
    ASSERT_TRUE(recent.Add(store, u"/data/b.csv"_s, u"Sales"_s));
    ASSERT_TRUE(recent.Add(store, u"/data/c.csv"_s, u"Sales"_s));
    ASSERT_TRUE(recent.Add(store, u"/data/a.csv"_s, u"Sales"_s));
    EXPECT_EQ(recent.File(1), u"/data/a.csv"_s);
    EXPECT_EQ(recent.File(2), u"/data/c.csv"_s);
    EXPECT_EQ(recent.File(3), u"/data/b.csv"_s);
    EXPECT_EQ(recent.File(4), QString());
    EXPECT_EQ(Stored(u"Recent1"_s), u"/data/a.csv"_s);
    EXPECT_EQ(Stored(u"Recent3"_s), u"/data/b.csv"_s);
    EXPECT_EQ(Stored(u"RecType3"_s), u"Sales"_s);
}

TEST_F(RecentList, AnotherFormatMakesASecondEntry)
{
    ASSERT_TRUE(recent.Add(store, u"/data/a.csv"_s, u"Sales"_s));
    ASSERT_TRUE(recent.Add(store, u"/data/a.csv"_s, u"Stock"_s));
    EXPECT_EQ(recent.File(1), u"/data/a.csv"_s);
    EXPECT_EQ(recent.StructName(1), u"Stock"_s);
    EXPECT_EQ(recent.File(2), u"/data/a.csv"_s);
    EXPECT_EQ(recent.StructName(2), u"Sales"_s);
    // Names are compared as they are: another case is another format.
    ASSERT_TRUE(recent.Add(store, u"/data/a.csv"_s, u"sales"_s));
    EXPECT_EQ(recent.StructName(3), u"Sales"_s);
}

TEST_F(RecentList, ElevenFilesKeepTheNewestTen)
{
    for (int i = 1; i <= 11; ++i)
        ASSERT_TRUE(recent.Add(store, u"/data/file"_s + QString::number(i), u"Sales"_s));
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(recent.File(n), u"/data/file"_s + QString::number(12 - n));
        EXPECT_EQ(Stored(u"Recent"_s + QString::number(n)), recent.File(n));
    }
    EXPECT_EQ(store.Get(app, section, u"Recent11"_s, u"none"_s), u"none"_s);
    // The oldest comes back as a new entry at the front.
    ASSERT_TRUE(recent.Add(store, u"/data/file1"_s, u"Sales"_s));
    EXPECT_EQ(recent.File(1), u"/data/file1"_s);
    EXPECT_EQ(recent.File(10), u"/data/file3"_s);
}

TEST_F(RecentList, NamesKeepTheirCaseOffWindows)
{
#ifdef Q_OS_WIN
    EXPECT_EQ(clsRecentList::StoredName(u"c:\\Data\\a.csv"_s), u"C:\\DATA\\A.CSV"_s);
#else
    ASSERT_TRUE(recent.Add(store, u"/Data/Mixed Case.csv"_s, u"Sales"_s));
    EXPECT_EQ(recent.File(1), u"/Data/Mixed Case.csv"_s);
    EXPECT_EQ(Stored(u"Recent1"_s), u"/Data/Mixed Case.csv"_s);
#endif
}

TEST_F(RecentList, StartsFromTheStoredEntries)
{
    ASSERT_TRUE(recent.Add(store, u"/data/a.csv"_s, u"Sales"_s));
    // The format manager erased the stored list since.
    ASSERT_TRUE(store.DeleteSection(app, section));
    ASSERT_TRUE(recent.Add(store, u"/data/b.csv"_s, u"Sales"_s));
    EXPECT_EQ(recent.File(1), u"/data/b.csv"_s);
    EXPECT_EQ(recent.File(2), QString());
}

TEST_F(RecentList, AFailingStoreReportsAndShowsWhatItHolds)
{
    ASSERT_TRUE(recent.Add(store, u"/data/a.csv"_s, u"Sales"_s));
    store.bFail = true;
    EXPECT_FALSE(recent.Add(store, u"/data/b.csv"_s, u"Sales"_s));
    EXPECT_EQ(store.LastError(), u"書込み禁止"_s);
    EXPECT_EQ(recent.File(1), u"/data/a.csv"_s);
    EXPECT_EQ(recent.File(2), QString());
}
