// Batch scans of C and VB sources: each detected format printed as its registry file.
#include "clsBatch.h"
#include "clsCodePage.h"
#include "clsFileSettingsStore.h"
#include "clsFormatRegistrar.h"
#include "clsSourceScan.h"
#include "clsTestFiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class BatchScan : public ::testing::Test
{
protected:
    int Run(const QStringList& args)
    {
        bytes.clear();
        errors.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QTextStream out(&buffer);
        QTextStream err(&errors);
        const int code = clsBatch::Run(args, store, out, err);
        out.flush();
        return code;
    }

    QString Source(const QString& szName, const QByteArray& text)
    {
        const QString path = dir.filePath(szName);
        Put(path, text);
        return path;
    }

    QTemporaryDir dir;
    clsFileSettingsStore store{dir.filePath(u"settings.txt"_s)};
    QByteArray bytes;
    QString errors;
};

} // namespace

TEST_F(BatchScan, PrintsWhatTheRegistryFileOfEachFormatHolds)
{
    const QString path = Source(u"a.h"_s, "struct A { long a; };\nstruct B { char b[4]; };\n");
    ASSERT_EQ(Run({u"--scan-c"_s, path}), 0) << errors.toStdString();
    const clsSourceScan::Result scan = clsSourceScan::Scan(clsSourceScan::CSource, path);
    ASSERT_EQ(scan.formats->Count(), 2);
    EXPECT_EQ(bytes, clsFormatRegistrar::RegFileText(*scan.formats->Format(1)) +
                         clsFormatRegistrar::RegFileText(*scan.formats->Format(2)));
    EXPECT_EQ(errors, QString());
}

TEST_F(BatchScan, OutputRegistersWithImportReg)
{
    const QString path =
        Source(u"m.bas"_s, "Type T\r\n  A As Long\r\nEnd Type\r\nType U\r\n  B\r\nEnd Type\r\n");
    ASSERT_EQ(Run({u"--scan-vb"_s, path}), 0);
    const QString reg = Source(u"m.reg"_s, bytes);
    ASSERT_EQ(Run({u"--import-reg"_s, reg}), 0) << errors.toStdString();
    EXPECT_EQ(store.GetAll(u"Quillet"_s, u"Formats"_s).size(), 2);
}

TEST_F(BatchScan, UsageErrorsExitTwoUnreadableOrEmptyOne)
{
    EXPECT_EQ(Run({u"--scan-c"_s}), 2);
    EXPECT_EQ(Run({u"--scan-vb"_s, u"a"_s, u"b"_s}), 2);
    const QString missing = dir.filePath(u"none.h"_s);
    EXPECT_EQ(Run({u"--scan-c"_s, missing}), 1);
    EXPECT_TRUE(errors.startsWith(missing + u": "_s)) << errors.toStdString();
    EXPECT_EQ(Run({u"--scan-c"_s, Source(u"e.h"_s, "int x;\n")}), 1);
    EXPECT_TRUE(errors.contains(u"検出されませんでした"_s));
}
