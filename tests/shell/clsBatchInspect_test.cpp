// The batch commands that inspect files: --detect and --validate, their output and exit codes.
#include "clsSampleBatchTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSamples = QStringLiteral(QUILLET_SOURCE_DIR "/samples");

class BatchInspect : public clsSampleBatchTest
{};

TEST_F(BatchInspect, DetectPrintsOneLinePerFile)
{
    const QString euc = kSamples + u"/data/stock_euc.tsv"_s;
    const QString sjis = kSamples + u"/data/sales_sjis.csv"_s;
    EXPECT_EQ(Run({u"--detect"_s, euc, sjis}), 0);
    EXPECT_EQ(output, euc + u"\tEUC\tLF\tTAB\t4\n"_s + sjis + u"\tShift-JIS\tCRLF\t,\t5\n"_s);
}

TEST_F(BatchInspect, DetectVerboseAddsEvidence)
{
    EXPECT_EQ(Run({u"--detect"_s, u"--verbose"_s, kSamples + u"/data/stock_euc.tsv"_s}), 0);
    const QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[3].contains(u"EUC"_s) && lines[3].contains(u"変換できないバイト 0"_s));
}

TEST_F(BatchInspect, DetectUnreadableFileFails)
{
    const QString ascii = Put(u"a.txt"_s, "a,b\n");
    EXPECT_EQ(Run({u"--detect"_s, dir.filePath(u"none.txt"_s), ascii}), 1);
    EXPECT_EQ(output, ascii + u"\tASCII\tLF\t,\t2\n"_s);
    EXPECT_TRUE(errors.contains(u"none.txt"_s));
}

TEST_F(BatchInspect, DetectWithoutFilesIsAUsageError)
{
    EXPECT_EQ(Run({u"--detect"_s}), 2);
    EXPECT_EQ(Run({u"--detect"_s, u"--quiet"_s, u"x"_s}), 2);
}

TEST_F(BatchInspect, ValidateFittingFile)
{
    EXPECT_EQ(Run({u"--validate"_s, u"SalesCsv"_s, kSamples + u"/data/sales_sjis.csv"_s}), 0);
    EXPECT_EQ(output, u"# 12 件のレコードを検査しました。問題はありません。\n"_s);
}

TEST_F(BatchInspect, ValidateListsProblems)
{
    const QString file = Put(u"sales.csv"_s, "A1,name,3,1.5,\r\nA2,name,x,1.5\r\n");
    EXPECT_EQ(Run({u"--validate"_s, u"SalesCsv"_s, file}), 1);
    EXPECT_EQ(output, u"2\t-\t項目数が 4 です (フォーマットは 5)\n"
                      u"2\tqty\t数値ではありません: x\n"
                      u"# 2 件のレコードを検査しました。問題 2 件。\n"_s);
}

TEST_F(BatchInspect, ValidateStopsAtMax)
{
    const QString file = Put(u"sales.csv"_s, "A1,n,x,1,\r\nA2,n,y,1,\r\n");
    EXPECT_EQ(Run({u"--validate"_s, u"SalesCsv"_s, file, u"--max"_s, u"1"_s}), 1);
    EXPECT_EQ(output, u"1\tqty\t数値ではありません: x\n"
                      u"# 1 件のレコードを検査しました。問題 1 件 (上限で検査をやめました)。\n"_s);
}

TEST_F(BatchInspect, ValidateTakesTheCharacterSet)
{
    // The EUC sample read as UTF-8: its Japanese does not convert.
    EXPECT_EQ(Run({u"--validate"_s, u"StockTsv"_s, kSamples + u"/data/stock_euc.tsv"_s,
                   u"--charset"_s, u"4"_s}),
              1);
    EXPECT_TRUE(output.contains(u"〓"_s));
}

TEST_F(BatchInspect, ValidateUsageErrors)
{
    const QString file = kSamples + u"/data/sales_sjis.csv"_s;
    EXPECT_EQ(Run({u"--validate"_s, u"SalesCsv"_s}), 2);
    EXPECT_EQ(Run({u"--validate"_s, u"NoSuchFormat"_s, file}), 2);
    EXPECT_EQ(Run({u"--validate"_s, u"SalesCsv"_s, file, u"--max"_s, u"0"_s}), 2);
    EXPECT_EQ(Run({u"--validate"_s, u"SalesCsv"_s, file, u"--charset"_s, u"9"_s}), 2);
}

TEST_F(BatchInspect, ValidateMissingFileFails)
{
    EXPECT_EQ(Run({u"--validate"_s, u"SalesCsv"_s, dir.filePath(u"none.csv"_s)}), 1);
    EXPECT_TRUE(errors.contains(u"none.csv"_s));
}

TEST_F(BatchInspect, HelpListsTheCommands)
{
    EXPECT_EQ(Run({u"--help"_s}), 0);
    EXPECT_TRUE(output.contains(u"--detect"_s));
    EXPECT_TRUE(output.contains(u"--validate"_s));
}

} // namespace
