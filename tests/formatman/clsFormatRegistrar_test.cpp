// Registration, deletion and the registry file of a format, and the file's round trip
// through the importer into an empty store.
#include "clsCodePage.h"
#include "clsFileSettingsStore.h"
#include "clsFormatImporter.h"
#include "clsFormatRegistrar.h"
#include "clsFormats.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Everything that could get lost on the way: quotes, backslashes, a tab delimiter, an LF
// line end, Japanese text and padding.
std::unique_ptr<clsFormat> Awkward()
{
    auto format = std::make_unique<clsFormat>();
    format->StructName = u"Odd_1"_s;
    format->FormatName = u"引用 \"符\" と C:\\path\\"_s;
    format->FileType = 2;
    format->CharSet = 3;
    format->CRLF = u"\n"_s;
    format->SepChr = u"\t"_s;
    format->BytesSkipHeader = 16;
    format->EscInput = 1;
    format->CareQuote = 0;
    clsMember& text = *format->AddMember(nullptr, 0);
    text.MemName = u"name"_s;
    text.MemLen = 20;
    text.Comment = u"氏名 \"a\\b\""_s;
    clsMember& number = *format->AddMember(nullptr, 0);
    number.MemName = u"qty"_s;
    number.MemType = 2;
    number.MemLen = 11;
    number.BlankChr = u"0"_s;
    number.Stuff = 1;
    number.ConvOut = 0;
    return format;
}

class Registrar : public ::testing::Test
{
protected:
    QString Get(const QString& szSection, const QString& szKey)
    {
        return store.Get(u"Quillet"_s, szSection, szKey, u"(none)"_s);
    }

    QTemporaryDir dir;
    clsFileSettingsStore store{dir.filePath(u"settings.txt"_s)};
};

} // namespace

TEST_F(Registrar, WritesTheStoreLayoutInOrderAndErasesRecentFiles)
{
    store.Save(u"Quillet"_s, u"RecentFile"_s, u"File1"_s, u"a.csv"_s);
    ASSERT_TRUE(clsFormatRegistrar::Regist(store, *Awkward(), false));
    const QList<clsRegFile::Value> values = clsFormatRegistrar::StoreValues(*Awkward());
    QStringList keys;
    for (const auto& value : values.mid(1, 8))
        keys.append(value.szKey);
    EXPECT_EQ(keys.join(u' '), u"CntMember FormatName FileType QuoteString SkipHeader DblQuote "
                               u"MemNameType_1 MemLen_1"_s);
    EXPECT_EQ(Get(u"Formats"_s, u"Odd_1"_s), u"Odd_1"_s);
    EXPECT_EQ(Get(u"Odd_1"_s, u"FileType"_s), u"2,3,\n"_s);
    EXPECT_EQ(Get(u"Odd_1"_s, u"DblQuote"_s), u"100"_s);
    EXPECT_EQ(Get(u"Odd_1"_s, u"MemLen_2"_s), u"11,0"_s);
    EXPECT_EQ(Get(u"Odd_1"_s, u"MemColInfo_1"_s), u"(none)"_s);
    EXPECT_EQ(Get(u"RecentFile"_s, u"File1"_s), u"(none)"_s);
    EXPECT_TRUE(clsFormatRegistrar::IsRegistered(store, u"Odd_1"_s));
}

TEST_F(Registrar, OverwriteDropsKeysOfTheOldSection)
{
    ASSERT_TRUE(clsFormatRegistrar::Regist(store, *Awkward(), false));
    auto smaller = Awkward();
    smaller->DeleteMember(2);
    ASSERT_TRUE(clsFormatRegistrar::Regist(store, *smaller, true));
    EXPECT_EQ(Get(u"Odd_1"_s, u"CntMember"_s), u"1"_s);
    EXPECT_EQ(Get(u"Odd_1"_s, u"MemNameType_2"_s), u"(none)"_s);
}

TEST_F(Registrar, DeleteRemovesIndexSectionAndRecentFiles)
{
    ASSERT_TRUE(clsFormatRegistrar::Regist(store, *Awkward(), false));
    store.Save(u"Quillet"_s, u"RecentFile"_s, u"File1"_s, u"a.csv"_s);
    EXPECT_TRUE(clsFormatRegistrar::DeleteFromStore(store, u"Odd_1"_s));
    EXPECT_TRUE(store.GetAll(u"Quillet"_s, u"Formats"_s).isEmpty());
    EXPECT_TRUE(store.GetAll(u"Quillet"_s, u"Odd_1"_s).isEmpty());
    EXPECT_TRUE(store.GetAll(u"Quillet"_s, u"RecentFile"_s).isEmpty());
}

TEST_F(Registrar, RegistryFileLinesAndTheEmptyFileOfNoMembers)
{
    const QString text = clsCodePage::FromSjis(clsFormatRegistrar::RegFileText(*Awkward()));
    const QStringList lines = text.split(u"\r\n"_s);
    EXPECT_EQ(
        lines.mid(0, 8).join(u'|'),
        u"REGEDIT4||[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Quillet\\Formats]|"
        u"|\"Odd_1\"=\"Odd_1\"||[HKEY_CURRENT_USER\\Software\\VB and VBA Program "
        u"Settings\\Quillet\\Odd_1]|\"CntMember\"=\"2\""_s);
    EXPECT_EQ(lines[8], u"\"FormatName\"=\"引用 \\\"符\\\" と C:\\\\path\\\\\""_s);
    EXPECT_TRUE(lines[9].startsWith(u"\"FileType\"=hex(1):32,2c,33,2c,0a,00"_s));
    EXPECT_EQ(lines[10], u"\"QuoteString\"=\"\t\""_s);
    EXPECT_EQ(lines.size(), 13 + 2 * 5 + 1);
    EXPECT_TRUE(clsFormatRegistrar::RegFileText(clsFormat()).isEmpty());
}

TEST_F(Registrar, RegistryFileImportsToTheIdenticalFormat)
{
    const std::unique_ptr<clsFormat> original = Awkward();
    const clsRegFile::Result read = clsRegFile::Parse(clsFormatRegistrar::RegFileText(*original));
    ASSERT_EQ(read.szError, QString());
    ASSERT_FALSE(clsFormatImporter::Check(read.values, store));
    ASSERT_TRUE(clsFormatImporter::Import(read.values, store));
    clsFormats loaded;
    ASSERT_TRUE(loaded.ReadFromReg(store));
    ASSERT_EQ(loaded.Count(), 1);
    const clsFormat& back = *loaded.Format(1);
    EXPECT_EQ(back.StructName, original->StructName);
    EXPECT_EQ(back.FormatName, original->FormatName);
    EXPECT_EQ(back.FileType, 2);
    EXPECT_EQ(back.CharSet, 3);
    EXPECT_EQ(back.CRLF, u"\n"_s);
    EXPECT_EQ(back.SepChr, u"\t"_s);
    EXPECT_EQ(back.BytesSkipHeader, 16);
    EXPECT_EQ(back.EscInput * 100 + back.EscOutput * 10 + back.CareQuote, 100);
    ASSERT_EQ(back.MemCount(), 2);
    for (int n = 1; n <= 2; ++n) {
        const clsMember& a = *original->Members(n);
        const clsMember& b = *back.Members(n);
        EXPECT_EQ(b.MemName, a.MemName);
        EXPECT_EQ(b.MemType, a.MemType);
        EXPECT_EQ(b.MemLen, a.MemLen);
        EXPECT_EQ(b.Comment, a.Comment);
        EXPECT_EQ(b.BlankChr, a.BlankChr);
        EXPECT_EQ(b.Stuff, a.Stuff);
        EXPECT_EQ(b.ConvOut, a.ConvOut);
    }
}
