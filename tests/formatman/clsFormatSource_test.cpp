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

void AddMember(clsFormat& format, const QString& name, int memType, int memLen, int memLenB,
               const QString& comment)
{
    clsMember* member = format.AddMember();
    member->MemName = name;
    member->MemType = memType;
    member->MemLen = memLen;
    member->MemLenB = memLenB;
    member->Comment = comment;
}

// id (32-bit integer, 番号) and name (string of 20 bytes, 名前): 24 bytes a record.
class FormatSource : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        format.StructName = u"Person"_s;
        format.FormatName = u"社員名簿"_s;
        AddMember(format, u"id"_s, 2, 11, 4, u"番号"_s);
        AddMember(format, u"name"_s, 5, 20, 20, u"名前"_s);
    }

    QTemporaryDir dir;
    clsFormat format;
};

QByteArray FileText(const QStringList& lines)
{
    return clsCodePage::ToSjis(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

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
    AddMember(format, u"price"_s, 4, 8, 8, u"単価"_s);
    const QStringList lines = clsFormatSource::VBLines(format);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], u"'//-----------------------------------------------------------"_s);
    EXPECT_EQ(lines[1], u"'//    社員名簿"_s);
    EXPECT_EQ(lines[3], u"Type Person"_s);
    // Four spaces and the name take 30 characters, " As " and the type fill to 50.
    EXPECT_EQ(lines[4],
              u"    id"_s + QString(24, u' ') + u" As Long"_s + QString(12, u' ') + u" '番号"_s);
    EXPECT_EQ(lines[5], u"    name"_s + QString(22, u' ') + u" As String"_s + QString(10, u' ') +
                            u" '名前"_s);
    EXPECT_EQ(lines[6], u"    price"_s + QString(21, u' ') + u" As Double"_s + QString(10, u' ') +
                            u" '単価"_s);
    EXPECT_EQ(lines[7], u"End Type"_s);
    EXPECT_EQ(lines[8], u"'// Total 32 Bytes"_s);
}

TEST_F(FormatSource, VBNameOfTwentySixCharactersGetsNoFill)
{
    const QString longName = u"abcdefghijklmnopqrstuvwxyz"_s;
    AddMember(format, longName, 1, 6, 2, u"長い"_s);
    const QString line = clsFormatSource::VBLines(format).at(6);
    EXPECT_EQ(line, u"    "_s + longName + u" As Integer"_s + QString(9, u' ') + u" '長い"_s);
}

TEST_F(FormatSource, WritingTwiceKeepsBothDeclarations)
{
    const QString path = dir.filePath(u"person.h"_s);
    clsScriptedMsgBox msg(true);
    ASSERT_TRUE(clsFormatSource::SaveStructAsC(format, path));
    EXPECT_EQ(Contents(path), FileText(clsFormatSource::CLines(format)));
    ASSERT_TRUE(clsFormatSource::SaveStructAsC(format, path));
    EXPECT_EQ(Contents(path), FileText(clsFormatSource::CLines(format)) +
                                  FileText(clsFormatSource::CLines(format)));
}

TEST_F(FormatSource, VBDeclarationFollowsWhatTheFileHeld)
{
    const QString path = dir.filePath(u"module.bas"_s);
    Put(path, "Option Explicit\r\n");
    clsScriptedMsgBox msg(true);
    ASSERT_TRUE(clsFormatSource::SaveStructAsVB(format, path));
    EXPECT_EQ(Contents(path), "Option Explicit\r\n" + FileText(clsFormatSource::VBLines(format)));
}

TEST_F(FormatSource, FailureIsAnExclamationOfTheFormatManager)
{
    const QString path = dir.filePath(u"missing/person.h"_s);
    clsScriptedMsgBox msg;
    EXPECT_FALSE(clsFormatSource::SaveStructAsC(format, path));
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Exclamation"_s);
    EXPECT_EQ(box.title, u"Format Manager"_s);
    EXPECT_TRUE(box.text.startsWith(path)) << box.text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
}
