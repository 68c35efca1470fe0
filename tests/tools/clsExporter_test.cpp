// The CSV, HTML and XML exports of a document, byte for byte.
#include "clsCodePage.h"
#include "clsDocument.h"
#include "clsExporter.h"
#include "clsFormats.h"
#include "clsOptions.h"
#include "clsTestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class clsExporterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedFlags = gHeaderFlags;
        for (int k = 1; k <= 5; ++k)
            gHeaderFlags[k] = k == 4 ? 1 : 0;
        gFormats().Clear();
        clsFormat* format = gFormats().Add();
        format->StructName = u"ITEM"_s;
        format->FormatName = u"商品"_s;
        format->CharSet = 1;
        format->CRLF = u"\r\n"_s;
        Add(*format, u"code"_s, 5, u"コード"_s, 1);
        Add(*format, u"q<&"_s, 2, u"数量"_s, 1);
        Add(*format, u"note"_s, 5, u"備考"_s, 0);
        document.SetMode(1);
        document.SetFileName(u"data.csv"_s);
        clsRecords records;
        for (const QStringList& row : {QStringList{u"A\"1"_s, u"5 < 6 & 7"_s, u"x"_s},
                                       QStringList{QString(), u"'>'"_s, u"y"_s}}) {
            for (const QString& cell : row)
                records.AddCell(clsCodePage::ToSjis(cell));
            records.EndRow();
        }
        document.ReplaceRecords(std::move(records));
    }

    void TearDown() override
    {
        gHeaderFlags = savedFlags;
        gFormats().Clear();
    }

    static void Add(clsFormat& format, const QString& szName, int memType, const QString& szComment,
                    int nConvOut)
    {
        clsMember* member = format.AddMember();
        member->MemName = szName;
        member->MemType = memType;
        member->Comment = szComment;
        member->ConvOut = nConvOut;
    }

    // The file written, decoded from Shift-JIS.
    QString Export(clsExporter::Kind kind, int lnCRLF = 0)
    {
        const QString path = dir.filePath(u"out"_s);
        QString reason;
        EXPECT_TRUE(clsExporter::Write(document, kind, path, 0, lnCRLF, reason))
            << reason.toStdString();
        return clsCodePage::FromSjis(Contents(path));
    }

    void ExportNothing()
    {
        for (int i = 1; i <= 3; ++i)
            gFormats().Format(1)->Members(i)->ConvOut = 0;
    }

    clsOptionFlags<5> savedFlags;
    clsDocument document;
    QTemporaryDir dir;
};

TEST_F(clsExporterTest, CsvQuotesStringsAndDoublesTheirQuotes)
{
    EXPECT_EQ(Export(clsExporter::Csv), u"\"A\"\"1\",5 < 6 & 7\r\n\"\",'>'\r\n"_s);
}

TEST_F(clsExporterTest, CsvTakesTheChosenLineEnd)
{
    EXPECT_EQ(Export(clsExporter::Csv, 3), u"\"A\"\"1\",5 < 6 & 7\n\"\",'>'\n"_s);
}

TEST_F(clsExporterTest, HtmlEscapesBoldsTheHeaderAndFillsEmptyCells)
{
    const QString expected = u"<!DOCTYPE HTML PUBLIC \"//W3C//DTD HTML3.2Final//EN\" > \r\n"
                             u"<HTML>\r\n<HEAD>\r\n<TITLE>商品</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
                             u"<TABLE BORDER=\"1\">\r\n"
                             u"\t<TR>\r\n"
                             u"\t\t<TD>\r\n\t\t\t<B>code</B>\r\n\t\t</TD>\r\n"
                             u"\t\t<TD>\r\n\t\t\t<B>q&lt;&amp;</B>\r\n\t\t</TD>\r\n"
                             u"\t</TR>\r\n"
                             u"\t<TR>\r\n"
                             u"\t\t<TD>\r\n\t\t\tA&quot;1\r\n\t\t</TD>\r\n"
                             u"\t\t<TD>\r\n\t\t\t5 &lt; 6 &amp; 7\r\n\t\t</TD>\r\n"
                             u"\t</TR>\r\n"
                             u"\t<TR>\r\n"
                             u"\t\t<TD>\r\n\t\t\t\u3000\r\n\t\t</TD>\r\n"
                             u"\t\t<TD>\r\n\t\t\t&apos;&gt;&apos;\r\n\t\t</TD>\r\n"
                             u"\t</TR>\r\n"
                             u"</TABLE>\r\n</BODY>\r\n</HTML>\r\n"_s;
    EXPECT_EQ(Export(clsExporter::Html), expected);
}

TEST_F(clsExporterTest, XmlNamesElementsAfterTheFormatAndItsStylesheet)
{
    const QString expected = u"<?xml version=\"1.0\" encoding=\"Shift-JIS\"?>\r\n"
                             u"<?xml-stylesheet type=\"text/xsl\" href=\"./data.xsl\"?>\r\n"
                             u"<商品>\r\n"
                             u"\t<_TITLE>商品</_TITLE>\r\n"
                             u"<_HEAD>\r\n"
                             u"\t<COL NO=\"1\">code</COL>\r\n"
                             u"\t<COL NO=\"2\">q<&</COL>\r\n"
                             u"</_HEAD>\r\n"
                             u"<_ITEM>\r\n"
                             u"\t\t<コード>A&quot;1</コード>\r\n"
                             u"\t\t<数量>5 &lt; 6 &amp; 7</数量>\r\n"
                             u"</_ITEM>\r\n"
                             u"<_ITEM>\r\n"
                             u"\t\t<コード>\u3000</コード>\r\n"
                             u"\t\t<数量>&apos;&gt;&apos;</数量>\r\n"
                             u"</_ITEM>\r\n"
                             u"</商品>\r\n"_s;
    EXPECT_EQ(Export(clsExporter::Xml), expected);
}

TEST_F(clsExporterTest, XmlDeclaresTheChosenCharacterSet)
{
    const QString path = dir.filePath(u"out.xml"_s);
    QString reason;
    ASSERT_TRUE(clsExporter::Write(document, clsExporter::Xml, path, 4, 3, reason));
    const QByteArray bytes = Contents(path);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"));
    EXPECT_TRUE(bytes.contains(u"<数量>5 &lt; 6 &amp; 7</数量>\n"_s.toUtf8()));
}

TEST_F(clsExporterTest, NoExportedMemberGivesAnEmptyCsv)
{
    ExportNothing();
    EXPECT_EQ(Export(clsExporter::Csv), QString());
}

TEST_F(clsExporterTest, NoExportedMemberGivesEmptyRowsAndRecords)
{
    ExportNothing();
    EXPECT_EQ(Export(clsExporter::Html).count(u"\t<TR>\r\n\t</TR>\r\n"_s), 3);
    const QString xml = Export(clsExporter::Xml);
    EXPECT_TRUE(xml.contains(u"<_HEAD>\r\n</_HEAD>\r\n"_s));
    EXPECT_EQ(xml.count(u"<_ITEM>\r\n</_ITEM>\r\n"_s), 2);
}

TEST_F(clsExporterTest, AFailureNamesTheFileAndLeavesNothing)
{
    const QString path = dir.filePath(u"missing/out.csv"_s);
    QString reason;
    EXPECT_FALSE(clsExporter::Write(document, clsExporter::Csv, path, 0, 0, reason));
    EXPECT_TRUE(reason.contains(u"out.csv"_s));
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
