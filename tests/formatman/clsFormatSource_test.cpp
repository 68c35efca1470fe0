// The C and VB declarations of a format: line layout, appending and failures.
#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsFormatSource.h"
#include "clsScriptedMsgBox.h"
#include "clsTestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// id (32-bit integer, 番号) and name (string of 20 bytes, 名前): 24 bytes a record.
class FormatSource : public ::testing::Test
{
protected:
    void SetUp() override
    {
        format.StructName = u"Person"_s;
        format.FormatName = u"社員名簿"_s;
        Add(u"id"_s, 2, 4, u"番号"_s);
        Add(u"name"_s, 5, 20, u"名前"_s);
    }

    void Add(const QString& name, int memType, int memLenB, const QString& comment)
    {
        clsMember* member = format.AddMember();
        member->MemName = name;
        member->MemType = memType;
        member->MemLen = memLenB;
        member->MemLenB = memLenB;
        member->Comment = comment;
    }

    QTemporaryDir dir;
    clsFormat format;
};

} // namespace

TEST_F(FormatSource, CLinesPadMembersToTheLongestNamesTabStop)
{
    const QStringList expected{
        u"//-----------------------------------------------------------"_s,
        u"//    社員名簿"_s,
        u"//-----------------------------------------------------------"_s,
        u"typedef struct tagPerson {"_s,
        u"\tlong\tid;\t\t\t\t//番号"_s,
        u"\tchar\tname\t[20];\t\t//名前"_s,
        u"}Person;"_s,
        u"// Total 24Bytes"_s,
    };
    EXPECT_EQ(clsFormatSource::CLines(format), expected);
}

TEST_F(FormatSource, VBLinesFillNameToThirtyAndTypeToFifty)
{
    // Four spaces and a name of 26 characters fill the first 30 by themselves.
    Add(u"abcdefghijklmnopqrstuvwxyz"_s, 1, 2, u"長い"_s);
    const QStringList expected{
        u"'//-----------------------------------------------------------"_s,
        u"'//    社員名簿"_s,
        u"'//-----------------------------------------------------------"_s,
        u"Type Person"_s,
        u"    id"_s + QString(24, u' ') + u" As Long"_s + QString(12, u' ') + u" '番号"_s,
        u"    name"_s + QString(22, u' ') + u" As String"_s + QString(10, u' ') + u" '名前"_s,
        u"    abcdefghijklmnopqrstuvwxyz As Integer"_s + QString(9, u' ') + u" '長い"_s,
        u"End Type"_s,
        u"'// Total 26 Bytes"_s,
    };
    EXPECT_EQ(clsFormatSource::VBLines(format), expected);
}

TEST_F(FormatSource, WritingTwiceKeepsBothDeclarations)
{
    const QString path = dir.filePath(u"person.h"_s);
    const QByteArray once =
        clsCodePage::ToSjis(clsFormatSource::CLines(format).join(u"\r\n"_s) + u"\r\n"_s);
    clsScriptedMsgBox msg(true);
    ASSERT_TRUE(clsFormatSource::SaveStructAsC(format, path));
    EXPECT_EQ(Contents(path), once);
    ASSERT_TRUE(clsFormatSource::SaveStructAsC(format, path));
    EXPECT_EQ(Contents(path), once + once);
}

TEST_F(FormatSource, FailureIsAnExclamationOfTheFormatManager)
{
    const QString path = dir.filePath(u"missing/person.bas"_s);
    clsScriptedMsgBox msg;
    EXPECT_FALSE(clsFormatSource::SaveStructAsVB(format, path));
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Exclamation"_s);
    EXPECT_EQ(box.title, u"Format Manager"_s);
    EXPECT_TRUE(box.text.startsWith(path)) << box.text.toStdString();
}
