// Batch commands: registering registry files, the format question and the usage text.
#include "clsBatch.h"
#include "clsFileSettingsStore.h"
#include "clsFormats.h"
#include "clsRegFile.h"
#include "clsSettingsFile.h"
#include "clsTmpfsMount.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <vector>

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

constexpr int kMembers = 10;
// The keys of each format's section: six attributes and two per member.
constexpr int kFormatKeys = 6 + 2 * kMembers;

// A registry file of one small delimited format named szName.
QByteArray FormatFile(const QString& szName)
{
    QList<clsRegFile::Value> values = {{u"Formats"_s, szName, szName},
                                       {szName, u"FormatName"_s, szName},
                                       {szName, u"FileType"_s, u"1,1,\r\n"_s},
                                       {szName, u"QuoteString"_s, u","_s},
                                       {szName, u"SkipHeader"_s, u"0"_s},
                                       {szName, u"DblQuote"_s, u"001"_s},
                                       {szName, u"CntMember"_s, QString::number(kMembers)}};
    for (int n = 1; n <= kMembers; ++n) {
        values.append({szName, u"MemNameType_"_s + QString::number(n),
                       u"m"_s + QString::number(n) + u",5"_s});
        values.append({szName, u"MemLen_"_s + QString::number(n), u"8, "_s});
    }
    return clsRegFile::Compose(values);
}

// The real program, started without waiting, on the given settings file.
std::unique_ptr<QProcess> StartProgram(const QStringList& args, const QString& szSettings)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
        environment.remove(name);
    environment.insert(u"QUILLET_SETTINGS"_s, szSettings);
    process->setProcessEnvironment(environment);
    process->start(QCoreApplication::applicationDirPath() + u"/quillet"_s, args);
    return process;
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
                                             {u"Sales"_s, u"FormatName"_s, u"売上"_s},
                                             {u"Sales"_s, u"SkipHeader"_s, u"0"_s},
                                             {u"Sales"_s, u"CntMember"_s, u"0"_s}};
    const QString path = WriteFile(u"sales.reg"_s, clsRegFile::Compose(values));
    EXPECT_EQ(Run({u"--has-formats"_s}), 1);
    EXPECT_EQ(Run({u"--import-reg"_s, path}), 0);
    EXPECT_EQ(errors, QString());
    EXPECT_EQ(output,
              path + u":\n  [Formats] 1 件登録しました。\n  [Sales] 4 件登録しました。\n"_s);
    EXPECT_EQ(store.Get(u"Quillet"_s, u"Sales"_s, u"FileType"_s), u"1,1,\r\n"_s);
    EXPECT_EQ(Run({u"--has-formats"_s}), 0);
}

TEST_F(Batch, AMalformedFileIsReportedAndNothingOfItIsWritten)
{
    const QString bad = WriteFile(
        u"bad.reg"_s, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\VB and VBA Program "
                      "Settings\\Quillet\\Formats]\r\n\"Bad\"=\"Bad\"\r\n\"Broken\"=dword:1\r\n");
    const QString good = WriteFile(u"good.reg"_s, FormatFile(u"Good"_s));
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

TEST_F(Batch, AnUnknownFormatNameIsNamedAsNotRegistered)
{
    ASSERT_EQ(Run({u"--import-reg"_s, WriteFile(u"a.reg"_s, FormatFile(u"Known"_s))}), 0);
    const QString input = WriteFile(u"in.csv"_s, "a\r\n");
    EXPECT_EQ(Run({u"--convert"_s, u"Known"_s, input, dir.filePath(u"out.csv"_s), u"--to-format"_s,
                   u"Nowhere"_s}),
              2);
    EXPECT_EQ(errors, u"フォーマット「Nowhere」は登録されていません。\n"_s);
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

TEST_F(Batch, ParallelImportsAllSurvive)
{
    constexpr int count = 8;
    const QString settings = store.Path();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 1; i <= count; ++i) {
        const QString name = u"Format"_s + QString::number(i);
        const QString file = WriteFile(name + u".reg"_s, FormatFile(name));
        processes.push_back(StartProgram({u"--import-reg"_s, file}, settings));
    }
    for (const auto& process : processes) {
        ASSERT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    clsFileSettingsStore reread(settings);
    EXPECT_EQ(reread.GetAll(u"Quillet"_s, u"Formats"_s).size(), count);
    for (int i = 1; i <= count; ++i) {
        const QString name = u"Format"_s + QString::number(i);
        EXPECT_EQ(reread.Get(u"Quillet"_s, u"Formats"_s, name), name);
        EXPECT_EQ(reread.GetAll(u"Quillet"_s, name).size(), kFormatKeys) << name.toStdString();
    }
}

TEST_F(Batch, AFailedImportSaysSoAndKeepsTheSettings)
{
    ASSERT_EQ(Run({u"--import-reg"_s, WriteFile(u"a.reg"_s, FormatFile(u"First"_s))}), 0);
    const QByteArray before = Contents(store.Path());
    const QString file = WriteFile(u"b.reg"_s, FormatFile(u"Second"_s));
    clsSettingsFile::SetFaultHook([](clsSettingsFile::Step step) {
        return step == clsSettingsFile::Step::Sync ? ENOSPC : 0;
    });
    const int exitCode = Run({u"--import-reg"_s, file});
    clsSettingsFile::SetFaultHook({});
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(output, QString());
    EXPECT_TRUE(errors.startsWith(file + u": "_s)) << errors.toStdString();
    EXPECT_TRUE(errors.contains(store.Path()));
    EXPECT_TRUE(errors.contains(u"ディスクの空き容量が不足しています。"_s));
    EXPECT_EQ(Contents(store.Path()), before);
}

TEST_F(Batch, AnImportOntoAFullDiskFailsAndKeepsTheSettings)
{
    const clsTmpfsMount disk(dir.filePath(u"small"_s), 64);
    if (!disk.Mounted())
        GTEST_SKIP() << "no permission to mount a small file system";
    const QString settings = disk.Path() + u"/settings.txt"_s;
    const QString first = WriteFile(u"a.reg"_s, FormatFile(u"First"_s));
    auto process = StartProgram({u"--import-reg"_s, first}, settings);
    ASSERT_TRUE(process->waitForFinished(60000));
    ASSERT_EQ(process->exitCode(), 0);
    const QByteArray before = Contents(settings);
    disk.Fill(4);

    QList<clsRegFile::Value> values = {{u"Formats"_s, u"Big"_s, u"Big"_s},
                                       {u"Big"_s, u"FileType"_s, u"1,1,\r\n"_s},
                                       {u"Big"_s, u"SkipHeader"_s, u"0"_s},
                                       {u"Big"_s, u"CntMember"_s, u"0"_s}};
    for (int n = 1; n <= 200; ++n)
        values.append({u"Big"_s, u"Comment_"_s + QString::number(n), QString(100, u'x')});
    const QString big = WriteFile(u"big.reg"_s, clsRegFile::Compose(values));
    process = StartProgram({u"--import-reg"_s, big}, settings);
    ASSERT_TRUE(process->waitForFinished(60000));
    EXPECT_EQ(process->exitCode(), 1);
    const QString err = QString::fromUtf8(process->readAllStandardError());
    EXPECT_TRUE(err.contains(settings)) << err.toStdString();
    EXPECT_TRUE(err.contains(u"ディスクの空き容量が不足しています。"_s)) << err.toStdString();
    EXPECT_EQ(Contents(settings), before);
}
