// The options window's coding: flags both ways, the header fallback and the path check.
#include "clsOptionEdit.h"
#include "clsOptions.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class OptionEdit : public ::testing::Test
{
protected:
    void SetUp() override { clsOptions::Reset(); }
    void TearDown() override { clsOptions::Reset(); }

    // A file that exists, standing for an editor program.
    QString Program() const { return QCoreApplication::applicationFilePath(); }
};

TEST_F(OptionEdit, ReadsEveryFlagAndPath)
{
    gHeaderFlags[2] = 1;
    gHeaderFlags[5] = 1;
    gEditFlags[1] = 1;
    gEditFlags[2] = 2;
    gTextPath = u"/usr/bin/text"_s;
    gBinPath = u"/usr/bin/bin"_s;
    const clsOptionEdit edit = clsOptionEdit::FromGlobals();
    EXPECT_EQ(edit.abHeader, (std::array<bool, 5>{false, true, false, false, true}));
    EXPECT_TRUE(edit.bLimitWidth);
    EXPECT_TRUE(edit.bAutoWidth);
    EXPECT_EQ(edit.nWidthMode, 2);
    EXPECT_FALSE(edit.bLineBreaks);
    EXPECT_EQ(edit.szTextPath, u"/usr/bin/text"_s);
    EXPECT_EQ(edit.szBinPath, u"/usr/bin/bin"_s);
}

TEST_F(OptionEdit, WidthModeZeroLeavesTheAutomaticWidthOff)
{
    const clsOptionEdit edit = clsOptionEdit::FromGlobals();
    EXPECT_FALSE(edit.bAutoWidth);
    EXPECT_EQ(edit.nWidthMode, 1);
}

TEST_F(OptionEdit, WritesEachFlagAsOneOrZero)
{
    clsOptionEdit edit;
    edit.abHeader = {false, true, true, false, true};
    edit.bLimitWidth = true;
    edit.bAutoWidth = true;
    edit.nWidthMode = 1;
    edit.bLineBreaks = true;
    edit.szTextPath = u"a"_s;
    edit.szBinPath = u"b"_s;
    edit.ToGlobals();
    EXPECT_EQ(gHeaderFlags[1], 0);
    EXPECT_EQ(gHeaderFlags[2], 1);
    EXPECT_EQ(gHeaderFlags[3], 1);
    EXPECT_EQ(gHeaderFlags[4], 0);
    EXPECT_EQ(gHeaderFlags[5], 1);
    EXPECT_EQ(gEditFlags[1], 1);
    EXPECT_EQ(gEditFlags[2], 1);
    EXPECT_EQ(gEditFlags[3], 1);
    EXPECT_EQ(gTextPath, u"a"_s);
    EXPECT_EQ(gBinPath, u"b"_s);
}

TEST_F(OptionEdit, NoHeaderLineKeepsTheColumnNumber)
{
    gHeaderFlags[4] = 1;
    clsOptionEdit edit;
    edit.ToGlobals();
    EXPECT_EQ(gHeaderFlags[1], 1);
    for (int k = 2; k <= 5; ++k)
        EXPECT_EQ(gHeaderFlags[k], 0) << k;
}

TEST_F(OptionEdit, AutomaticWidthOffStoresModeZeroWhicheverWay)
{
    for (const int mode : {1, 2}) {
        gEditFlags[2] = 2;
        clsOptionEdit edit;
        edit.bAutoWidth = false;
        edit.nWidthMode = mode;
        edit.ToGlobals();
        EXPECT_EQ(gEditFlags[2], 0) << mode;
    }
    clsOptionEdit edit;
    edit.bAutoWidth = true;
    edit.nWidthMode = 2;
    edit.ToGlobals();
    EXPECT_EQ(gEditFlags[2], 2);
}

TEST_F(OptionEdit, EmptyOrBlankPathsAreRefused)
{
    EXPECT_FALSE(clsOptionEdit::PathUsable(QString()));
    EXPECT_FALSE(clsOptionEdit::PathUsable(u"   "_s));
}

TEST_F(OptionEdit, APathMustNameAnExistingFile)
{
    QTemporaryDir dir;
    EXPECT_TRUE(clsOptionEdit::PathUsable(Program()));
    EXPECT_TRUE(clsOptionEdit::PathUsable(u"  "_s + Program() + u" "_s));
    EXPECT_FALSE(clsOptionEdit::PathUsable(dir.filePath(u"editor"_s)));
    // A folder is no program.
    EXPECT_FALSE(clsOptionEdit::PathUsable(dir.path()));
}

TEST_F(OptionEdit, ACommandLineCountsWhenItsProgramIsFound)
{
    EXPECT_TRUE(clsOptionEdit::PathUsable(Program() + u" -n"_s));
    EXPECT_TRUE(clsOptionEdit::PathUsable(u"sh -c true"_s));
    EXPECT_FALSE(clsOptionEdit::PathUsable(u"no-such-editor-anywhere -n"_s));
}

TEST_F(OptionEdit, TheTextEditorIsCheckedFirst)
{
    clsOptionEdit edit;
    EXPECT_EQ(edit.BadPath(), 1);
    edit.szTextPath = Program();
    EXPECT_EQ(edit.BadPath(), 2);
    edit.szBinPath = Program();
    EXPECT_EQ(edit.BadPath(), 0);
}

} // namespace
