// A conversion into a file (rows passed on in batches) and into a device (a whole load and
// save) tell the same things and end the same way.
#include "clsSampleBatchTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class BatchConvertPaths : public clsSampleBatchTest
{
protected:
    struct Outcome
    {
        int code = 0;
        QString output;
        QByteArray messages;
    };

    // The command's exit code, what it printed (the target's name taken out) and the boxes
    // it wrote to standard error.
    Outcome Convert(const QStringList& args, const QString& target)
    {
        QTemporaryFile captured;
        EXPECT_TRUE(captured.open());
        std::fflush(stderr);
        const int saved = dup(2);
        dup2(captured.handle(), 2);
        Outcome outcome;
        outcome.code = Run(QStringList(args).replaceInStrings(u"TARGET"_s, target));
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        captured.seek(0);
        outcome.messages = captured.readAll();
        outcome.output = output.replace(target, u"TARGET"_s);
        return outcome;
    }

    QStringList Files() const
    {
        QStringList files =
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        files.removeIf([](const QString& name) { return name.startsWith(u"settings"_s); });
        return files;
    }
};

} // namespace

TEST_F(BatchConvertPaths, AFileTargetAndADeviceTargetTellTheSame)
{
    const QByteArray nul(1, '\0');
    const std::vector<std::pair<QByteArray, QStringList>> cases = {
        {"", {}},
        {"\"A1\",\"a\",1,2,\"x\"", {}},
        {"\"A1\",\"a\",1,2,\"x\"\r\n\"A2\",\"b\",3\r\n\"A3\",\"c\",5,6,\"z\"\r\n", {}},
        {"\"A1\",\"a\",1,2,\"x\"\r\n\"A2\",\"b\",3\r\n\"A3\",\"c\",5,6,\"z\"\r\n",
         {u"--continue"_s}},
        {"\"A\"\"1\",\"a,b\",1,2,\"\xFA\x40\"\r\n\"" + nul + "\",\"\x95\x5C\",3,4,\"\x81\"\r\n",
         {u"--to-format"_s, u"StockTsv"_s}},
        {"\"\xFA\x40\",\"a\",1,2,\"x\"\r\n", {u"--to-charset"_s, u"2"_s}},
        {"\"\xFA\x40\",\"a\",1,2,\"x\"\r\n", {u"--to-charset"_s, u"4"_s}},
        {"\"x\",\"a\",1,2,\"\xC6\xFC\"\r\n", {u"--charset"_s, u"3"_s}},
    };
    for (const auto& [bytes, options] : cases) {
        SCOPED_TRACE(bytes.toHex().toStdString() + ' ' + options.join(u' ').toStdString());
        const QString source = Put(u"in.csv"_s, bytes);
        const QString target = Put(u"out.csv"_s, "old");
        const QStringList args =
            QStringList{u"--convert"_s, u"SalesCsv"_s, source, u"TARGET"_s} + options;
        const Outcome device = Convert(args, u"/dev/null"_s);
        const Outcome file = Convert(args, target);
        EXPECT_EQ(file.code, device.code);
        EXPECT_EQ(file.output, device.output);
        EXPECT_EQ(file.messages, device.messages);
        EXPECT_EQ(Files(), QStringList({u"in.csv"_s, u"out.csv"_s}));
        if (file.code != 0) {
            QFile kept(target);
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), QByteArray("old"));
        }
    }
}

TEST_F(BatchConvertPaths, FixedLinesWithBrokenCharactersTellTheSame)
{
    const QString source =
        Put(u"in.txt"_s, "000001\x93\xFA\x96\x7B\x81" + QByteArray(15, ' ') + "\x95\x5C\r\n000002" +
                             QByteArray(1, '\0') + "\r\n");
    const QString target = Path(u"out.csv"_s);
    const QStringList args = {u"--convert"_s, u"StaffFixed"_s,  source,
                              u"TARGET"_s,    u"--to-format"_s, u"StockTsv"_s};
    const Outcome device = Convert(args, u"/dev/null"_s);
    const Outcome file = Convert(args, target);
    EXPECT_EQ(file.code, 0);
    EXPECT_EQ(file.code, device.code);
    EXPECT_EQ(file.output, device.output);
    EXPECT_EQ(file.messages, device.messages);
    EXPECT_EQ(file.messages.count("文字ありました。"), 2) << file.messages.constData();
}

TEST_F(BatchConvertPaths, AFileConvertedInPlaceBecomesWhatAnotherTargetGets)
{
    const QByteArray bytes = "\"A\"\"1\",\"a,b\",1,2,\"\x95\x5C\"\r\n\"A2\",\"b\",3,4,\"x\"\r\n";
    const QString source = Put(u"in.csv"_s, bytes);
    const QStringList options = {u"--to-format"_s, u"StockTsv"_s};
    const Outcome other =
        Convert(QStringList{u"--convert"_s, u"SalesCsv"_s, source, u"TARGET"_s} + options,
                Path(u"out.tsv"_s));
    const Outcome inPlace =
        Convert(QStringList{u"--convert"_s, u"SalesCsv"_s, source, u"TARGET"_s} + options, source);
    EXPECT_EQ(inPlace.code, 0);
    EXPECT_EQ(inPlace.output, other.output);
    EXPECT_EQ(inPlace.messages, other.messages);
    QFile converted(source);
    QFile expected(Path(u"out.tsv"_s));
    ASSERT_TRUE(converted.open(QIODevice::ReadOnly));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(converted.readAll(), expected.readAll());
    EXPECT_EQ(Files(), QStringList({u"in.csv"_s, u"out.tsv"_s}));
}
