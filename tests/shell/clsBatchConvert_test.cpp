// Batch conversion and format listing, called directly and through the real program.
#include "clsFormats.h"
#include "clsSampleBatchTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSamples = QStringLiteral(QUILLET_SOURCE_DIR "/samples");

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class BatchConvert : public clsSampleBatchTest
{
protected:
    // The real program, without any display, on the test's settings.
    int RunProgram(const QStringList& args, QByteArray& out, QByteArray& err) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
            environment.remove(name);
        environment.insert(u"QUILLET_SETTINGS"_s, store.Path());
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationDirPath() + u"/quillet"_s, args);
        EXPECT_TRUE(process.waitForFinished(60000));
        out = process.readAllStandardOutput();
        err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};

// Sales lines with one line (the second) short of two fields.
const QByteArray kMismatch =
    "\"A1\",\"a\",1,2,\"x\"\r\n\"A2\",\"b\",3\r\n\"A3\",\"c\",5,6,\"z\"\r\n";

} // namespace

TEST_F(BatchConvert, ListsEveryFormatWithItsCodes)
{
    EXPECT_EQ(Run({u"--list-formats"_s}), 0);
    EXPECT_EQ(output, u"1\tStockTsv\t在庫一覧（タブ区切り・EUC）\t可変長テキスト\tEUC\tLF\n"
                      u"2\tStaffFixed\t社員名簿（固定長）\t固定長テキスト\tShift-JIS\tCRLF\n"
                      u"3\tMeasureBin\t測定記録（バイナリ）\tバイナリ\tShift-JIS\tCRLF\n"
                      u"4\tSalesCsv\t売上明細（CSV）\t可変長テキスト\tShift-JIS\tCRLF\n"_s);
    EXPECT_EQ(Run({u"--list-formats"_s, u"extra"_s}), 2);
}

TEST_F(BatchConvert, SamplesOfFixedAndBinaryLayoutsComeBackUnchanged)
{
    for (const auto& [format, file] :
         {std::pair(u"StaffFixed"_s, u"staff_fixed.txt"_s), {u"MeasureBin"_s, u"measure.bin"_s}}) {
        const QString source = kSamples + u"/data/"_s + file;
        const QString target = Path(file);
        EXPECT_EQ(Run({u"--convert"_s, format, source, target}), 0) << errors.toStdString();
        EXPECT_EQ(Contents(target), Contents(source));
        EXPECT_EQ(output, target + u": 10 件のレコードを書き込みました。\n"_s);
    }
}

TEST_F(BatchConvert, OptionsChooseCharacterSetLineEndAndFormat)
{
    const QString source = Put(u"in.csv"_s, "\"\xC6\xFC\",\"b\",1,2,\"c\"\n");
    const QString target = Path(u"out.tsv"_s);
    // EUC in; out as the tab-separated format, in UTF-8 with CR.
    EXPECT_EQ(
        Run({u"--convert"_s, u"SalesCsv"_s, source, target, u"--charset"_s, u"3"_s,
             u"--to-format"_s, u"StockTsv"_s, u"--to-charset"_s, u"4"_s, u"--to-crlf"_s, u"2"_s}),
        0)
        << errors.toStdString();
    // Column 4 is the new format's fourth member, a string.
    EXPECT_EQ(Contents(target), QByteArray("\"\xE6\x97\xA5\"\t\"b\"\t1\t\"2\"\r"));
    // Without options the output takes its format's own: EUC and LF.
    EXPECT_EQ(Run({u"--convert"_s, u"SalesCsv"_s, source, target, u"--charset"_s, u"3"_s,
                   u"--to-format"_s, u"StockTsv"_s}),
              0);
    EXPECT_EQ(Contents(target), QByteArray("\"\xC6\xFC\"\t\"b\"\t1\t\"2\"\n"));
}

TEST_F(BatchConvert, MismatchStopsUnlessToldToContinue)
{
    const QString source = Put(u"short.csv"_s, kMismatch);
    const QString target = Put(u"out.csv"_s, "old");
    EXPECT_EQ(Run({u"--convert"_s, u"SalesCsv"_s, source, target}), 1);
    EXPECT_EQ(Contents(target), QByteArray("old"));
    EXPECT_EQ(Run({u"--continue"_s, u"--convert"_s}), 2);
    EXPECT_EQ(Run({u"--convert"_s, u"SalesCsv"_s, source, target, u"--continue"_s}), 0);
    EXPECT_EQ(
        Contents(target),
        QByteArray("\"A1\",\"a\",1,2,\"x\"\r\n\"A2\",\"b\",3,,\"\"\r\n\"A3\",\"c\",5,6,\"z\"\r\n"));
}

TEST_F(BatchConvert, CommandLinesNotUnderstoodAndMissingFiles)
{
    const QString source = Put(u"in.csv"_s, "\"A1\",\"a\",1,2,\"x\"\r\n");
    for (const QStringList& args :
         {QStringList{u"--convert"_s, u"SalesCsv"_s, source},
          QStringList{u"--convert"_s, u"SalesCsv"_s, source, Path(u"o"_s), u"--to-crlf"_s},
          QStringList{u"--convert"_s, u"SalesCsv"_s, source, Path(u"o"_s), u"--to-crlf"_s, u"4"_s},
          QStringList{u"--convert"_s, u"SalesCsv"_s, source, Path(u"o"_s), u"--charset"_s, u"x"_s},
          QStringList{u"--convert"_s, u"SalesCsv"_s, source, Path(u"o"_s), u"--fast"_s, u"1"_s}}) {
        EXPECT_EQ(Run(args), 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(errors.contains(u"--convert"_s));
    }
    EXPECT_EQ(Run({u"--convert"_s, u"Nothing"_s, source, Path(u"o"_s)}), 2);
    EXPECT_EQ(errors, u"フォーマット「Nothing」は登録されていません。\n"_s);
    EXPECT_EQ(
        Run({u"--convert"_s, u"SalesCsv"_s, source, Path(u"o"_s), u"--to-format"_s, u"Nothing"_s}),
        2);
    EXPECT_EQ(Run({u"--convert"_s, u"SalesCsv"_s, Path(u"gone.csv"_s), Path(u"o"_s)}), 1);
    EXPECT_EQ(errors, Path(u"gone.csv"_s) + u": 指定のファイルが存在しません。\n"_s);
    // A target that cannot be written.
    EXPECT_EQ(Run({u"--convert"_s, u"SalesCsv"_s, source, Path(u"no/such/o.csv"_s)}), 1);
    EXPECT_FALSE(QFile::exists(Path(u"o"_s)));
}

TEST_F(BatchConvert, HelpExplainsEveryCommand)
{
    EXPECT_EQ(Run({u"--help"_s}), 0);
    for (const QString& command : {u"--import-reg"_s, u"--has-formats"_s, u"--list-formats"_s,
                                   u"--convert"_s, u"--continue"_s, u"--to-crlf"_s})
        EXPECT_TRUE(output.contains(command)) << command.toStdString();
    EXPECT_EQ(errors, QString());
    char program[] = "quillet";
    char format[] = "--format";
    char* windows[] = {program, format};
    EXPECT_FALSE(clsBatch::IsBatch(2, windows));
}

TEST_F(BatchConvert, TheProgramConvertsWithoutADisplay)
{
    const QString source = Put(u"short.csv"_s, kMismatch);
    const QString target = Path(u"out.csv"_s);
    QByteArray out;
    QByteArray err;
    EXPECT_EQ(RunProgram({u"--convert"_s, u"SalesCsv"_s, source, target}, out, err), 1);
    const QString messages = QString::fromUtf8(err);
    EXPECT_TRUE(
        messages.contains(u"2 行目のレコードのフォーマットが違います。読み込みを続行しますか？"_s))
        << err.toStdString();
    EXPECT_TRUE(messages.contains(u"\n2 行目のレコードのフォーマットが違います。\n"_s));
    EXPECT_FALSE(QFile::exists(target));

    EXPECT_EQ(
        RunProgram({u"--convert"_s, u"SalesCsv"_s, source, target, u"--continue"_s}, out, err), 0)
        << err.toStdString();
    EXPECT_EQ(QString::fromUtf8(out), target + u": 3 件のレコードを書き込みました。\n"_s);
    EXPECT_EQ(Contents(target).count('\n'), 3);

    EXPECT_EQ(RunProgram({u"--convert"_s, u"Nothing"_s, source, target}, out, err), 2);
    EXPECT_EQ(RunProgram({u"--convert"_s, u"SalesCsv"_s, Path(u"gone"_s), target}, out, err), 1);
    EXPECT_EQ(RunProgram({u"--list-formats"_s}, out, err), 0);
    EXPECT_EQ(out.count('\n'), 4);
}
