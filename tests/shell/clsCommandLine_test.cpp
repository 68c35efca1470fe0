// The command line: the format option, the files it names and where they are looked up.
#include "clsCommandLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkpath(u"current"_s));
        ASSERT_TRUE(QDir(root.path()).mkpath(u"program"_s));
    }

    QString Touch(const QString& szPath) const
    {
        const QString path = root.filePath(szPath);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    std::vector<clsCommandLine::clsTarget> Targets(const QStringList& names) const
    {
        return clsCommandLine::NamedTargets(names, current, program);
    }

    QTemporaryDir root;
    QString current = root.filePath(u"current"_s);
    QString program = root.filePath(u"program"_s);
};

char* Arg(const char* text)
{
    return const_cast<char*>(text);
}

} // namespace

TEST_F(CommandLine, FilesAndTheFormatOption)
{
    const clsCommandLine plain({u"a.csv"_s, u"my data.csv"_s});
    EXPECT_FALSE(plain.IsEmpty());
    EXPECT_FALSE(plain.HasFormat());
    EXPECT_EQ(plain.Whole(), u"a.csv my data.csv"_s);

    const clsCommandLine named({u"--format"_s, u"SalesCsv"_s, u"a.csv"_s});
    EXPECT_TRUE(named.HasFormat());
    EXPECT_EQ(named.FormatName(), u"SalesCsv"_s);
    EXPECT_FALSE(named.IsEmpty());
    EXPECT_EQ(named.Whole(), u"--format SalesCsv a.csv"_s);

    EXPECT_TRUE(clsCommandLine({}).IsEmpty());
    const clsCommandLine bare({u"--format"_s});
    EXPECT_TRUE(bare.HasFormat());
    EXPECT_EQ(bare.FormatName(), QString());
    EXPECT_TRUE(bare.IsEmpty());
}

TEST_F(CommandLine, OnlyTheFormatOptionOfTheDashedOnesOpensWindows)
{
    char* format[] = {Arg("quillet"), Arg("--format"), Arg("SalesCsv"), Arg("a.csv")};
    char* import[] = {Arg("quillet"), Arg("--import-reg"), Arg("a.reg")};
    char* none[] = {Arg("quillet")};
    EXPECT_TRUE(clsCommandLine::OpensWindows(4, format));
    EXPECT_FALSE(clsCommandLine::OpensWindows(3, import));
    EXPECT_FALSE(clsCommandLine::OpensWindows(1, none));
}

TEST_F(CommandLine, ARelativeNameIsLookedUpInTheCurrentFolderFirst)
{
    const QString inCurrent = Touch(u"current/Both.csv"_s);
    Touch(u"program/Both.csv"_s);
    const QString inProgram = Touch(u"program/Only Here.csv"_s);
    const auto targets = Targets({u"Both.csv"_s, u"Only Here.csv"_s, u"missing.csv"_s});
    ASSERT_EQ(targets.size(), 3U);
    EXPECT_EQ(targets[0].szPath, inCurrent);
    EXPECT_TRUE(targets[0].bExists);
    // Spaces belong to the name and the case is kept.
    EXPECT_EQ(targets[1].szPath, inProgram);
    EXPECT_TRUE(targets[1].bExists);
    EXPECT_EQ(targets[2].szPath, u"missing.csv"_s);
    EXPECT_FALSE(targets[2].bExists);
}

TEST_F(CommandLine, AnAbsoluteNameIsTakenAsItIs)
{
    const QString path = Touch(u"Abs.csv"_s);
    const auto targets = Targets({path, root.filePath(u"gone.csv"_s)});
    ASSERT_EQ(targets.size(), 2U);
    EXPECT_EQ(targets[0].szPath, path);
    EXPECT_TRUE(targets[0].bExists);
    EXPECT_FALSE(targets[1].bExists);
}

TEST_F(CommandLine, WindowsRulesCutAtSpacesAndUpperCase)
{
    auto targets = clsCommandLine::WindowsTargets(u" a.csv  b.csv "_s, u"C:\\PROG"_s);
    ASSERT_EQ(targets.size(), 2U);
    // Only the first name gets the folder.
    EXPECT_EQ(targets[0].szPath, u"C:\\PROG\\A.CSV"_s);
    EXPECT_EQ(targets[1].szPath, u"B.CSV"_s);

    targets = clsCommandLine::WindowsTargets(u"c:\\data\\x.csv y.csv"_s, u"C:\\PROG"_s);
    ASSERT_EQ(targets.size(), 2U);
    EXPECT_EQ(targets[0].szPath, u"C:\\DATA\\X.CSV"_s);
    EXPECT_EQ(targets[1].szPath, u"Y.CSV"_s);

    EXPECT_TRUE(clsCommandLine::WindowsTargets(u"   "_s, u"C:\\PROG"_s).empty());
}
