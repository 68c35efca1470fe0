// Document edits: each kind of step undone and redone, the changed state and row marks
// following the saved state, and unchanged fixed-length cells saved as they were read.
#include "clsDocument.h"
#include "clsFormats.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class clsDocumentEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gFormats().Clear();
        // Two left-justified string members of 6 bytes: right-aligned data in them keeps its
        // leading spaces only when it is written as read.
        clsFormat* fixed = gFormats().Add();
        fixed->StructName = u"fixed"_s;
        fixed->FileType = clsFormat::FixedText;
        fixed->CRLF = u"\n"_s;
        for (int i = 1; i <= 2; ++i) {
            clsMember* member = fixed->AddMember();
            member->MemName = u"m"_s + QString::number(i);
            member->MemType = 5;
            member->MemLen = 6;
            member->MemLenB = 6;
            member->Stuff = 2;
        }
        document.SetMode(1);
        clsRecords records;
        for (const char* name : {"a", "b", "c", "d"}) {
            records.AddCell(QByteArrayView(name));
            records.AddCell(QByteArrayView("x"));
            records.EndRow();
        }
        document.ReplaceRecords(std::move(records));
    }

    void TearDown() override { gFormats().Clear(); }

    // Column 1 of every row, and a star for each marked row.
    QString Rows() const
    {
        QString rows;
        for (int row = 1; row <= document.RowCount(); ++row)
            rows += document.Text(row, 1) + (document.Records().Marked(row) ? u"*"_s : u""_s);
        return rows;
    }

    QByteArray Saved(const QString& name)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(document.Save(path, 1, 3));
        QFile in(path);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }

    QTemporaryDir dir;
    clsDocument document;
};

TEST_F(clsDocumentEditTest, EveryKindOfStepIsUndoneAndRedone)
{
    QUndoStack& history = document.UndoStack();
    document.SetCellText(2, 1, u"B"_s);
    EXPECT_EQ(Rows(), u"aB*cd"_s);
    document.InsertRows(1, 2);
    EXPECT_EQ(Rows(), u"aB*cd"_s);
    document.RemoveRows(5, 1);
    EXPECT_EQ(Rows(), u"aB*d"_s);
    // Both rows that change places are marked.
    document.MoveRows(4, 1, 3);
    EXPECT_EQ(Rows(), u"B*a*d"_s);
    document.SetBlock(1, 1, {{u"p"_s, u"q"_s}, {u"r"_s}}, 2, u"貼り付け"_s);
    EXPECT_EQ(Rows(), u"p*r*B*a*d"_s);
    EXPECT_EQ(document.Text(1, 2), u"q"_s);
    document.ReorderRows({5, 4, 3, 2, 1}, u"ソート"_s);
    // The marks stay where they were; the rows change places.
    EXPECT_EQ(Rows(), u"d*a*B*r*p"_s);
    EXPECT_EQ(history.count(), 6);

    const QStringList states = {u"p*r*B*a*d"_s, u"B*a*d"_s, u"aB*d"_s,
                                u"aB*cd"_s,     u"aB*cd"_s, u"abcd"_s};
    for (const QString& state : states) {
        history.undo();
        EXPECT_EQ(Rows(), state);
    }
    EXPECT_FALSE(document.bDirty());
    EXPECT_EQ(document.Text(1, 2), u"x"_s);
    while (history.canRedo())
        history.redo();
    EXPECT_EQ(Rows(), u"d*a*B*r*p"_s);
    EXPECT_TRUE(document.bDirty());
}

TEST_F(clsDocumentEditTest, ChangedStateAndMarksFollowTheSavedState)
{
    QUndoStack& history = document.UndoStack();
    document.SetCellText(1, 1, u"A"_s);
    document.SetCellText(3, 1, u"C"_s);
    Saved(u"saved.txt"_s);
    EXPECT_FALSE(document.bDirty());
    EXPECT_EQ(Rows(), u"AbCd"_s);

    // Stepping back behind the save: the row differs from the file again.
    history.undo();
    EXPECT_TRUE(document.bDirty());
    EXPECT_EQ(Rows(), u"Abc*d"_s);
    history.redo();
    EXPECT_FALSE(document.bDirty());
    EXPECT_EQ(Rows(), u"AbCd"_s);

    document.SetCellText(4, 1, u"D"_s);
    EXPECT_EQ(Rows(), u"AbCD*"_s);
    history.undo();
    EXPECT_FALSE(document.bDirty());
    EXPECT_EQ(Rows(), u"AbCd"_s);
}

TEST_F(clsDocumentEditTest, NewDocumentsStayEmptyUntilTypedInto)
{
    document.Clear(3);
    EXPECT_TRUE(document.bEmpty());
    document.InsertRows(1, 1);
    EXPECT_TRUE(document.bEmpty());
    EXPECT_TRUE(document.bDirty());
    document.SetCellText(1, 1, u"z"_s);
    EXPECT_FALSE(document.bEmpty());
    document.UndoStack().undo();
    EXPECT_TRUE(document.bEmpty());
    // A load or clear starts a new history.
    document.Clear(2);
    EXPECT_EQ(document.UndoStack().count(), 0);
    EXPECT_FALSE(document.bDirty());
}

TEST_F(clsDocumentEditTest, UnchangedFixedLengthCellsAreSavedAsRead)
{
    const QByteArray file = "   123    AB\n  45.6 x    \n";
    const QString path = dir.filePath(u"right.txt"_s);
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    document.SetFile(path);
    ASSERT_FALSE(document.Load(1, 3).bFailed);
    EXPECT_EQ(Saved(u"same.txt"_s), file);
    // A changed cell is trimmed and padded by its member; its neighbours stay as read.
    document.SetCellText(2, 1, u" 9"_s);
    EXPECT_EQ(Saved(u"changed.txt"_s), QByteArray("   123    AB\n9      x    \n"));
}

} // namespace
