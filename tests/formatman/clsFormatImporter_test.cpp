// The importer registers a registry file only when every format in it loads back; a refused
// file names its line and reason and leaves the store as it was.
#include "clsCodePage.h"
#include "clsFileSettingsStore.h"
#include "clsFormatImporter.h"
#include "clsFormats.h"
#include "clsTestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kKey = u"[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Quillet\\"_s;

// A registry file of format S with one string member; extra lines go after the members.
QString File(const QString& szCount = u"1"_s, const QString& szLen = u"8, "_s,
             const QString& szSkip = u"0"_s, const QString& szIndex = u"S"_s)
{
    return u"REGEDIT4\r\n\r\n"_s + kKey + u"Formats]\r\n\""_s + szIndex + u"\"=\""_s + szIndex +
           u"\"\r\n\r\n"_s + kKey + szIndex + u"]\r\n\"CntMember\"=\""_s + szCount +
           u"\"\r\n\"FormatName\"=\"s\"\r\n\"FileType\"=hex(1):31,2c,31,2c,0d,0a,00\r\n"
           u"\"QuoteString\"=\",\"\r\n\"SkipHeader\"=\""_s +
           szSkip +
           u"\"\r\n\"DblQuote\"=\"001\"\r\n\"MemNameType_1\"=\"a,5\"\r\n\"MemLen_1\"=\""_s + szLen +
           u"\"\r\n"_s;
}

class Importer : public ::testing::Test
{
protected:
    // Imports the text as a file; the error when it was refused.
    QString Import(const QString& szText)
    {
        const QString path = dir.filePath(u"in.reg"_s);
        Put(path, clsCodePage::ToSjis(szText));
        QList<clsRegFile::Value> values;
        QString error;
        if (clsFormatImporter::ImportFile(path, store, values, error))
            return {};
        return error.mid(path.size());
    }

    bool Untouched() const { return store.GetAll(u"Quillet"_s, u"Formats"_s).isEmpty(); }

    QTemporaryDir dir;
    clsFileSettingsStore store{dir.filePath(u"settings.txt"_s)};
};

} // namespace

TEST_F(Importer, GoodFileRegistersAndLoads)
{
    EXPECT_EQ(Import(File()), QString());
    clsFormats formats;
    EXPECT_TRUE(formats.ReadFromReg(store));
    EXPECT_EQ(formats.Format(1)->Members(1)->MemLen, 8);
}

TEST_F(Importer, CountBeyondTheMembersIsRefused)
{
    EXPECT_TRUE(Import(File(u"2"_s)).startsWith(u":4: "_s));
    EXPECT_TRUE(Untouched());
}

TEST_F(Importer, IndexEntryWithoutSectionIsRefused)
{
    const QString text = u"REGEDIT4\r\n\r\n"_s + kKey + u"Formats]\r\n\"X\"=\"X\"\r\n"_s;
    EXPECT_EQ(Import(text), u":4: フォーマット X: セクションがありません。"_s);
    EXPECT_TRUE(Untouched());
}

TEST_F(Importer, ReservedSectionNameIsRefused)
{
    EXPECT_TRUE(Import(File(u"1"_s, u"8, "_s, u"0"_s, u"Option"_s)).contains(u"予約語"_s));
    EXPECT_TRUE(Untouched());
}

TEST_F(Importer, SectionOutsideTheIndexIsRefused)
{
    const QString text = u"REGEDIT4\r\n"_s + kKey + u"T]\r\n\"CntMember\"=\"0\"\r\n"_s;
    EXPECT_TRUE(Import(text).startsWith(u":3: "_s));
}

TEST_F(Importer, FileCutInsideAHexValueIsRefused)
{
    QString text = File();
    text.chop(text.size() - text.indexOf(u"0d,0a,00"_s));
    text += u"0d,\\\r\n"_s;
    EXPECT_TRUE(Import(text).contains(u"hex(1)"_s));
    text.chop(3);
    EXPECT_TRUE(Import(text).contains(u"hex(1)"_s));
    EXPECT_TRUE(Untouched());
}

TEST_F(Importer, WidthOrHeaderBeyondARecordFileIsRefused)
{
    EXPECT_TRUE(Import(File(u"1"_s, u"2147483647, "_s)).contains(u"桁数"_s));
    EXPECT_TRUE(Import(File(u"1"_s, u"8, "_s, u"2147483647"_s)).contains(u"ヘッダ"_s));
    EXPECT_TRUE(Untouched());
}

TEST_F(Importer, MalformedNumberIsRefusedWithTheLoadersReason)
{
    EXPECT_TRUE(Import(File(u"1"_s, u"wide, "_s)).contains(u"MemLen_1"_s));
    EXPECT_TRUE(Untouched());
}

TEST_F(Importer, OneBadFormatKeepsTheGoodOnesOfTheFileOut)
{
    QString text = File();
    text += kKey + u"Formats]\r\n\"Bad\"=\"Bad\"\r\n"_s;
    EXPECT_FALSE(Import(text).isEmpty());
    EXPECT_TRUE(Untouched());
}

TEST_F(Importer, RegisteringErasesTheRecentFiles)
{
    store.Save(u"Quillet"_s, u"RecentFile"_s, u"File1"_s, u"a.csv"_s);
    EXPECT_EQ(Import(File()), QString());
    EXPECT_TRUE(store.GetAll(u"Quillet"_s, u"RecentFile"_s).isEmpty());
}
