// Batch exports of a sample file through the batch entry.
#include "clsSampleBatchTest.h"
#include "clsTestFiles.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class BatchExport : public clsSampleBatchTest
{
protected:
    static QString Sales() { return Samples() + u"/data/sales_sjis.csv"_s; }
};

TEST_F(BatchExport, CsvOfACsvFileIsTheSameText)
{
    const QString target = Path(u"out.csv"_s);
    ASSERT_EQ(Run({u"--export"_s, u"csv"_s, u"SalesCsv"_s, Sales(), target}), 0)
        << errors.toStdString();
    EXPECT_EQ(Contents(target), Contents(Sales()));
    EXPECT_TRUE(output.startsWith(target + u": "_s));
    EXPECT_TRUE(output.endsWith(u" 件のレコードを書き出しました。\n"_s));
}

TEST_F(BatchExport, XmlInTheChosenCharacterSetAndLineEnd)
{
    const QString target = Path(u"out.xml"_s);
    ASSERT_EQ(Run({u"--export"_s, u"xml"_s, u"SalesCsv"_s, Sales(), target, u"--to-charset"_s,
                   u"4"_s, u"--to-crlf"_s, u"3"_s}),
              0)
        << errors.toStdString();
    const QByteArray bytes = Contents(target);
    EXPECT_TRUE(
        bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<?xml-stylesheet type=\"text/xsl\" href=\"./sales_sjis.xsl\"?>\n"));
    EXPECT_TRUE(bytes.contains(u"ボールペン（黒）"_s.toUtf8()));
    EXPECT_FALSE(bytes.contains('\r'));
}

TEST_F(BatchExport, HtmlStartsWithItsDoctype)
{
    const QString target = Path(u"out.htm"_s);
    ASSERT_EQ(Run({u"--export"_s, u"html"_s, u"SalesCsv"_s, Sales(), target}), 0);
    EXPECT_TRUE(Contents(target).startsWith(
        "<!DOCTYPE HTML PUBLIC \"//W3C//DTD HTML3.2Final//EN\" > \r\n<HTML>\r\n"));
}

TEST_F(BatchExport, CommandLinesNotUnderstood)
{
    const QString target = Path(u"out"_s);
    EXPECT_EQ(Run({u"--export"_s, u"pdf"_s, u"SalesCsv"_s, Sales(), target}), 2);
    EXPECT_EQ(Run({u"--export"_s, u"csv"_s, u"SalesCsv"_s, Sales()}), 2);
    EXPECT_EQ(Run({u"--export"_s, u"csv"_s, u"SalesCsv"_s, Sales(), target, u"--to-format"_s,
                   u"StockTsv"_s}),
              2);
    EXPECT_EQ(Run({u"--export"_s, u"csv"_s, u"Nothing"_s, Sales(), target}), 2);
    EXPECT_EQ(Run({u"--export"_s, u"csv"_s, u"SalesCsv"_s, Path(u"none.csv"_s), target}), 1);
    EXPECT_TRUE(errors.contains(u"指定のファイルが存在しません。"_s));
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
