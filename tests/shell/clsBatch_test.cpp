// Batch commands: registering registry files, the format question and the usage text.
#include "clsBatch.h"
#include "clsFileSettingsStore.h"
#include "clsFormats.h"
#include "clsRegFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class Batch : public ::testing::Test
{
protected:
    int Run(const QStringList& args)
    {
        output.clear();
        errors.clear();
        QTextStream out(&output);
        QTextStream err(&errors);
        return clsBatch::Run(args, store, out, err);
    }

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir;
    clsFileSettingsStore store{dir.filePath(u"settings.txt"_s)};
    QString output;
    QString errors;
};

QStringList SampleFiles()
{
    const QDir samples(QStringLiteral(QUILLET_SOURCE_DIR "/samples/formats"));
    QStringList files;
    for (const QString& name : samples.entryList({u"*.reg"_s}, QDir::Files, QDir::Name))
        files.append(samples.filePath(name));
    return files;
}

} // namespace

TEST_F(Batch, RecognisesCommands)
{
    char program[] = "quillet";
    char command[] = "--has-formats";
    char file[] = "DATA.CSV";
    char* withCommand[] = {program, command};
    char* withFile[] = {program, file};
    EXPECT_TRUE(clsBatch::IsBatch(2, withCommand));
    EXPECT_FALSE(clsBatch::IsBatch(2, withFile));
    EXPECT_FALSE(clsBatch::IsBatch(1, withFile));
}

TEST_F(Batch, ImportsRegistryFilesAndReportsWhatItRegistered)
{
    const QList<clsRegFile::Value> values = {{u"Formats"_s, u"Sales"_s, u"Sales"_s},
                                             {u"Sales"_s, u"FileType"_s, u"1,1,\r\n"_s},
                                             {u"Sales"_s, u"FormatName"_s, u"売上"_s}};
    const QString path = WriteFile(u"sales.reg"_s, clsRegFile::Compose(values));
    EXPECT_EQ(Run({u"--has-formats"_s}), 1);
    EXPECT_EQ(Run({u"--import-reg"_s, path}), 0);
    EXPECT_EQ(errors, QString());
    EXPECT_EQ(output,
              path + u":\n  [Formats] 1 件登録しました。\n  [Sales] 2 件登録しました。\n"_s);
    EXPECT_EQ(store.Get(u"Quillet"_s, u"Sales"_s, u"FileType"_s), u"1,1,\r\n"_s);
    EXPECT_EQ(Run({u"--has-formats"_s}), 0);
}

TEST_F(Batch, AMalformedFileIsReportedAndNothingOfItIsWritten)
{
    const QString bad = WriteFile(
        u"bad.reg"_s, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\VB and VBA Program "
                      "Settings\\Quillet\\Formats]\r\n\"Bad\"=\"Bad\"\r\n\"Broken\"=dword:1\r\n");
    const QString good =
        WriteFile(u"good.reg"_s, clsRegFile::Compose({{u"Formats"_s, u"Good"_s, u"Good"_s}}));
    const QString missing = dir.filePath(u"missing.reg"_s);
    EXPECT_EQ(Run({u"--import-reg"_s, bad, good, missing}), 1);
    EXPECT_TRUE(errors.startsWith(bad + u":5: "_s)) << errors.toStdString();
    EXPECT_TRUE(errors.contains(missing + u": "_s));
    EXPECT_TRUE(output.startsWith(good + u":\n"_s));
    EXPECT_EQ(store.Get(u"Quillet"_s, u"Formats"_s, u"Bad"_s, u"none"_s), u"none"_s);
    EXPECT_EQ(store.Get(u"Quillet"_s, u"Formats"_s, u"Good"_s), u"Good"_s);
}

TEST_F(Batch, CommandLinesNotUnderstoodShowTheUsage)
{
    for (const QStringList& args : {QStringList{u"--import-reg"_s}, QStringList{u"--nonsense"_s},
                                    QStringList{u"--has-formats"_s, u"extra"_s}}) {
        EXPECT_EQ(Run(args), 2);
        EXPECT_TRUE(errors.contains(u"--import-reg"_s));
    }
}

TEST_F(Batch, TheSampleFormatsLoad)
{
    const QStringList files = SampleFiles();
    ASSERT_EQ(files.size(), 4);
    ASSERT_EQ(Run(QStringList{u"--import-reg"_s} + files), 0) << errors.toStdString();
    clsFormats formats;
    ASSERT_TRUE(formats.ReadFromReg(store));
    ASSERT_EQ(formats.Count(), 4);

    const clsFormat& csv = *formats.Format(formats.GetIndexByName(u"SalesCsv"_s));
    EXPECT_EQ(csv.FileType, 1);
    EXPECT_EQ(csv.CharSet, 1);
    EXPECT_EQ(csv.CRLF, u"\r\n"_s);
    EXPECT_EQ(csv.SepChr, u","_s);
    EXPECT_EQ(csv.EscInput + csv.EscOutput + csv.CareQuote, 3);

    const clsFormat& tsv = *formats.Format(formats.GetIndexByName(u"StockTsv"_s));
    EXPECT_EQ(tsv.CharSet, 3);
    EXPECT_EQ(tsv.CRLF, u"\n"_s);
    EXPECT_EQ(tsv.SepChr, u"\t"_s);

    const clsFormat& fixed = *formats.Format(formats.GetIndexByName(u"StaffFixed"_s));
    EXPECT_EQ(fixed.FileType, 2);
    EXPECT_EQ(fixed.Members(1)->Stuff, 1);
    EXPECT_EQ(fixed.Members(1)->BlankChr, u"0"_s);

    const clsFormat& binary = *formats.Format(formats.GetIndexByName(u"MeasureBin"_s));
    EXPECT_EQ(binary.FileType, 3);
    EXPECT_EQ(binary.BytesSkipHeader, 16);
    ASSERT_EQ(binary.MemCount(), 5);
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(binary.Members(n)->MemType, n);
    EXPECT_EQ(binary.RecLenB(), 2 + 4 + 4 + 8 + 12);
}
