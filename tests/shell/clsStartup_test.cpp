// Start-up settings: the version check, the whole load with its failures, the recent list
// and what is written at exit.
#include "clsFileSettingsStore.h"
#include "clsFormats.h"
#include "clsOptions.h"
#include "clsRecentList.h"
#include "clsScriptedMsgBox.h"
#include "clsSettingsFile.h"
#include "clsStartup.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString app = u"Quillet"_s;

class Startup : public ::testing::Test
{
protected:
    void SetUp() override { clsOptions::Reset(); }
    void TearDown() override { clsOptions::Reset(); }

    void Put(const QString& szSection, const QString& szKey, const QString& szValue)
    {
        ASSERT_TRUE(store.Save(app, szSection, szKey, szValue));
    }

    void Register(const QString& szStruct, const QString& szFormatName, int nMembers = 1)
    {
        Put(u"Formats"_s, szStruct, szStruct);
        Put(szStruct, u"FormatName"_s, szFormatName);
        Put(szStruct, u"FileType"_s, u"1,1,\r\n"_s);
        Put(szStruct, u"QuoteString"_s, u","_s);
        Put(szStruct, u"SkipHeader"_s, u"0"_s);
        Put(szStruct, u"DblQuote"_s, u"001"_s);
        Put(szStruct, u"CntMember"_s, QString::number(nMembers));
        for (int n = 1; n <= nMembers; ++n) {
            Put(szStruct, u"MemNameType_"_s + QString::number(n), u"m,5"_s);
            Put(szStruct, u"MemLen_"_s + QString::number(n), u"8, "_s);
        }
    }

    QTemporaryDir dir;
    QString path = dir.filePath(u"settings.txt"_s);
    clsFileSettingsStore store{path};
    clsFormats formats;
    clsRecentList recent;
};

} // namespace

TEST_F(Startup, VersionIsMajorDotMinor)
{
    EXPECT_EQ(clsStartup::Version(), u"2.3"_s);
}

TEST_F(Startup, TheSameOrAnOlderMinorVersionStartsSilently)
{
    for (const QString& version : {u"2.3"_s, u"2.0"_s, QString(), u"x.3"_s, u"2"_s, u"2.y"_s}) {
        Put(u"RecentFile"_s, u"Ver"_s, version);
        EXPECT_TRUE(clsStartup::CheckVersion(store)) << version.toStdString();
    }
}

TEST_F(Startup, ANewerMinorVersionWarnsAndStarts)
{
    clsScriptedMsgBox msg;
    for (const QString& version : {u"2.9"_s, u"2.10"_s}) {
        Put(u"RecentFile"_s, u"Ver"_s, version);
        EXPECT_TRUE(clsStartup::CheckVersion(store));
        const clsScriptedMsgBox::Box box = msg.TakeOne();
        EXPECT_EQ(box.kind, u"Critical"_s);
        EXPECT_EQ(box.title, u"Quillet"_s);
        EXPECT_EQ(box.text, u"レジストリ情報がより最新のものになっています。"
                            u"できるだけ最新版のQuilletを使用してください。"_s);
    }
}

TEST_F(Startup, AnotherMajorVersionStopsTheProgram)
{
    Register(u"Sales"_s, u"売上"_s);
    clsScriptedMsgBox msg;
    for (const QString& version : {u"1.3"_s, u"3.0"_s}) {
        Put(u"RecentFile"_s, u"Ver"_s, version);
        EXPECT_EQ(clsStartup::LoadSettings(store, formats, recent), clsLoadResult::WrongVersion);
        EXPECT_EQ(msg.TakeOne().text,
                  u"レジストリ情報のバージョンが違います。Quilletを起動できません。"_s);
        EXPECT_EQ(formats.Count(), 0);
        EXPECT_EQ(gHeaderFlags[5], 0);
    }
}

TEST_F(Startup, LoadsOptionsRecentListAndSortedFormats)
{
    Put(u"RecentFile"_s, u"Ver"_s, u"2.3"_s);
    Register(u"Stock"_s, u"在庫"_s);
    Register(u"Sales"_s, u"Sales"_s);
    Put(u"RecentFile"_s, u"Recent1"_s, u"  /DATA/A.CSV  "_s);
    Put(u"RecentFile"_s, u"RecType1"_s, u"Sales"_s);
    Put(u"RecentFile"_s, u"Recent3"_s, u"/DATA/B.TXT"_s);
    EXPECT_EQ(clsStartup::LoadSettings(store, formats, recent), clsLoadResult::Loaded);
    EXPECT_EQ(gHeaderFlags[5], 1);
    ASSERT_EQ(formats.Count(), 2);
    EXPECT_EQ(formats.Format(1)->StructName, u"Sales"_s);
    EXPECT_EQ(recent.File(1), u"/DATA/A.CSV"_s);
    EXPECT_EQ(recent.StructName(1), u"Sales"_s);
    EXPECT_EQ(recent.File(2), QString());
    EXPECT_EQ(recent.StructName(2), u"1"_s);
    EXPECT_EQ(recent.File(3), u"/DATA/B.TXT"_s);
    EXPECT_EQ(recent.StructName(10), u"1"_s);
    EXPECT_TRUE(recent.AnyUsed());
    EXPECT_THROW(recent.File(11), std::out_of_range);
}

TEST_F(Startup, AMalformedOptionStopsBeforeRecentListAndFormats)
{
    Register(u"Sales"_s, u"売上"_s);
    Put(u"RecentFile"_s, u"Recent1"_s, u"/DATA/A.CSV"_s);
    Put(u"Option"_s, u"Header"_s, u"0000x"_s);
    EXPECT_EQ(clsStartup::LoadSettings(store, formats, recent), clsLoadResult::NotLoaded);
    EXPECT_EQ(formats.Count(), 0);
    EXPECT_FALSE(recent.AnyUsed());
}

TEST_F(Startup, AMalformedFormatEndsTheLoadSilently)
{
    Register(u"Sales"_s, u"売上"_s);
    Put(u"Formats"_s, u"Broken"_s, u"Broken"_s);
    EXPECT_EQ(clsStartup::LoadSettings(store, formats, recent), clsLoadResult::NotLoaded);
    EXPECT_EQ(formats.Count(), 1);
    EXPECT_FALSE(clsStartup::LoadSettings(store, formats, recent) == clsLoadResult::Loaded);
}

TEST_F(Startup, NoFormatIsNotLoaded)
{
    EXPECT_EQ(clsStartup::LoadSettings(store, formats, recent), clsLoadResult::NotLoaded);
    EXPECT_EQ(gEditFlags[2], 1);
}

TEST_F(Startup, SavesOptionsVersionAndColumnWidths)
{
    Register(u"Sales"_s, u"売上"_s, 2);
    Register(u"Gone"_s, u"消去済み"_s);
    ASSERT_EQ(clsStartup::LoadSettings(store, formats, recent), clsLoadResult::Loaded);
    formats.Format(formats.GetIndexByName(u"Sales"_s))->Members(2)->ColWidth = 57;
    formats.Format(formats.GetIndexByName(u"Gone"_s))->DelFlg = true;
    gFontName = u"VL ゴシック"_s;
    clsStartup::SaveSettings(store, formats);

    clsFileSettingsStore reread(path);
    EXPECT_EQ(reread.Get(app, u"RecentFile"_s, u"Ver"_s), u"2.3"_s);
    EXPECT_EQ(reread.Get(app, u"Option"_s, u"Header"_s), u"00001"_s);
    EXPECT_EQ(reread.Get(app, u"Option"_s, u"Font"_s), u"10,False,False,VL ゴシック"_s);
    EXPECT_EQ(reread.Get(app, u"Sales"_s, u"MemColInfo_1"_s), u"10"_s);
    EXPECT_EQ(reread.Get(app, u"Sales"_s, u"MemColInfo_2"_s), u"57"_s);
    EXPECT_EQ(reread.Get(app, u"Gone"_s, u"MemColInfo_1"_s, u"none"_s), u"none"_s);
}

TEST_F(Startup, AFailedSaveIsReported)
{
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a settings file\n");
    }
    clsScriptedMsgBox msg;
    clsStartup::SaveSettings(store, formats);
    const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
    ASSERT_EQ(boxes.size(), 2u);
    // First the store's own report of the unreadable file, then the failed save.
    EXPECT_TRUE(boxes[0].text.contains(path));
    EXPECT_EQ(boxes[1].kind, u"Critical"_s);
    EXPECT_EQ(boxes[1].text, store.LastError());
}

TEST_F(Startup, AnExitSaveThatCannotWriteKeepsTheFileAndSaysSo)
{
    Register(u"Sales"_s, u"売上"_s);
    ASSERT_EQ(clsStartup::LoadSettings(store, formats, recent), clsLoadResult::Loaded);
    formats.Format(1)->Members(1)->ColWidth = 99;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    clsScriptedMsgBox msg;
    clsSettingsFile::SetFaultHook([](clsSettingsFile::Step step) {
        return step == clsSettingsFile::Step::Write ? ENOSPC : 0;
    });
    clsStartup::SaveSettings(store, formats);
    clsSettingsFile::SetFaultHook({});
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Critical"_s);
    EXPECT_EQ(box.title, u"Quillet"_s);
    EXPECT_TRUE(box.text.contains(path));
    EXPECT_TRUE(box.text.contains(u"ディスクの空き容量が不足しています。"_s)) << box.text.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(Startup, TheExitSaveKeepsFormatsRegisteredMeanwhile)
{
    Register(u"Sales"_s, u"売上"_s);
    ASSERT_EQ(clsStartup::LoadSettings(store, formats, recent), clsLoadResult::Loaded);
    formats.Format(1)->Members(1)->ColWidth = 99;
    // Another process registers a format while the windows are open.
    clsFileSettingsStore other(path);
    ASSERT_TRUE(other.Save(app, u"Formats"_s, u"Stock"_s, u"Stock"_s));
    ASSERT_TRUE(other.Save(app, u"Stock"_s, u"FormatName"_s, u"在庫"_s));
    clsStartup::SaveSettings(store, formats);

    clsFileSettingsStore reread(path);
    EXPECT_EQ(reread.Get(app, u"Formats"_s, u"Stock"_s), u"Stock"_s);
    EXPECT_EQ(reread.Get(app, u"Stock"_s, u"FormatName"_s), u"在庫"_s);
    EXPECT_EQ(reread.Get(app, u"Sales"_s, u"MemColInfo_1"_s), u"99"_s);
}
