// The options window's path check: what counts as a program, and which box is told first.
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
