// Saving onto what a target really is: pipes, devices, links, owners, permissions, leftovers.
#include "clsDocument.h"
#include "clsFormats.h"
#include "clsOutputFile.h"
#include "clsScriptedMsgBox.h"
#include "clsTestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Rows a save writes before it first reports its progress.
constexpr int kFirstProgress = 16384;

class clsOutputFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gFormats().Clear();
        clsFormat* format = gFormats().Add();
        format->StructName = u"csv"_s;
        format->FileType = 1;
        clsMember* member = format->AddMember();
        member->MemName = u"m"_s;
        member->MemType = 5;
        member->MemLen = 20;
        member->MemLenB = 20;
    }

    // A document of lnRows rows whose first row holds szFirst.
    static void Fill(clsDocument& document, int lnRows, const QString& szFirst = u"新"_s)
    {
        ASSERT_TRUE(document.SetMode(1));
        document.Clear(lnRows);
        document.SetCellText(1, 1, szFirst);
    }

    static bool Save(const QString& path, int rows = 1,
                     const clsRecordReader::Progress& progress = {})
    {
        clsDocument document;
        Fill(document, rows);
        return document.Save(path, 1, 3, progress);
    }

    static struct stat Stat(const QString& file)
    {
        struct stat st = {};
        EXPECT_EQ(stat(QFile::encodeName(file).constData(), &st), 0) << file.toStdString();
        return st;
    }

    // Every file in the folder, hidden ones included.
    QStringList Names() const
    {
        return QDir(dir.path())
            .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(clsOutputFileTest, PipeWithAReaderIsWrittenInPlaceAlsoThroughALink)
{
    const QString fifo = Path(u"pipe"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = Path(u"link"_s);
    ASSERT_TRUE(QFile::link(fifo, link));
    for (const QString& target : {fifo, link}) {
        // A reader like cat: it reads until no writer is left.
        const int reader = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        QByteArray received;
        std::thread cat([&] {
            pollfd wait{reader, POLLIN, 0};
            char buffer[256];
            while (poll(&wait, 1, 5000) > 0) {
                const ssize_t got = read(reader, buffer, sizeof buffer);
                if (got <= 0)
                    break;
                received.append(buffer, got);
            }
            close(reader);
        });
        EXPECT_TRUE(Save(target, 2));
        cat.join();
        EXPECT_EQ(received, QByteArray("\"\x90\x56\"\n\"\"\n"));
        EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));
        EXPECT_EQ(Names(), QStringList({u"link"_s, u"pipe"_s}));
    }
}

TEST_F(clsOutputFileTest, PipeWithoutAReaderIsRefusedAtOnce)
{
    const QString fifo = Path(u"pipe"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    clsScriptedMsgBox msg;
    EXPECT_FALSE(Save(fifo));
    EXPECT_EQ(msg.TakeOne().text, u"1行目でレコードの書込みに失敗しました。\r\n["_s + fifo +
                                      u": パイプを読み出すプロセスがありません。]"_s);
    EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));
}

TEST_F(clsOutputFileTest, ReaderLeavingAPipeFailsTheSaveAndNotTheProgram)
{
    const QString fifo = Path(u"pipe"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    int reader = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    // Empty rows stay in the stream's buffer until the reader has gone; the long rows after
    // them make the stream write to the pipe.
    clsDocument document;
    Fill(document, kFirstProgress + 1200);
    for (int row = kFirstProgress + 1; row <= document.Records().RowCount(); ++row)
        document.SetCellText(row, 1, QString(1000, u'x'));
    clsScriptedMsgBox msg;
    EXPECT_FALSE(document.Save(fifo, 1, 3, [&](qint64, qint64) {
        close(reader);
        reader = -1;
    }));
    EXPECT_TRUE(msg.TakeOne().text.endsWith(u": パイプを読み出すプロセスが終了しました。]"_s));
    EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));
}

TEST_F(clsOutputFileTest, CharacterDeviceIsWrittenInPlaceAlsoThroughALink)
{
    const QString device = u"/dev/null"_s;
    const QString link = Path(u"null"_s);
    ASSERT_TRUE(QFile::link(device, link));
    const struct stat before = Stat(device);
    ASSERT_TRUE(S_ISCHR(before.st_mode));
    EXPECT_TRUE(Save(device));
    EXPECT_TRUE(Save(link));
    const struct stat after = Stat(device);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_rdev, before.st_rdev);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(Names(), QStringList({u"null"_s}));
    // A device that takes nothing fails the save, even when the bytes wait in the buffer.
    if (QFileInfo::exists(u"/dev/full"_s)) {
        clsScriptedMsgBox msg;
        EXPECT_FALSE(Save(u"/dev/full"_s));
        EXPECT_EQ(msg.TakeOne().text.toStdString(),
                  "ファイルの書込みを完了できませんでした。\r\n[/dev/full: "
                  "ディスクの空き容量が不足しています。]");
        EXPECT_TRUE(S_ISCHR(Stat(u"/dev/full"_s).st_mode));
    }
}

TEST_F(clsOutputFileTest, FolderAsTargetIsRefusedWithItsReason)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"sub"_s));
    clsScriptedMsgBox msg;
    EXPECT_FALSE(Save(Path(u"sub"_s)));
    EXPECT_TRUE(msg.TakeOne().text.endsWith(u"sub: フォルダーには保存できません。]"_s));
    EXPECT_TRUE(QFileInfo(Path(u"sub"_s)).isDir());
}

TEST_F(clsOutputFileTest, TemporaryFileHasTheTargetsPermissionsBeforeAnyByte)
{
    const QString fresh = Path(u"fresh.csv"_s);
    const QString kept = Path(u"kept.csv"_s);
    Put(kept, "old");
    ASSERT_EQ(chmod(QFile::encodeName(kept).constData(), 0640), 0);
    for (const QString& target : {fresh, kept}) {
        std::vector<mode_t> modes;
        ASSERT_TRUE(Save(target, kFirstProgress, [&](qint64, qint64) {
            for (const QString& name : Names()) {
                if (name.startsWith(u'.'))
                    modes.push_back(Stat(Path(name)).st_mode & 07777);
            }
        }));
        EXPECT_EQ(modes, std::vector<mode_t>({target == fresh ? 0600u : 0640u}));
    }
    // Once saved, a new file has the permissions any new file gets.
    const mode_t mask = umask(022);
    umask(mask);
    EXPECT_EQ(Stat(fresh).st_mode & 07777, 0666 & ~mask);
    EXPECT_EQ(Stat(kept).st_mode & 07777, 0640u);
}

TEST_F(clsOutputFileTest, LeftoverOfACrashedSaveGoesWithTheNextSaveToItsTarget)
{
    const QString target = Path(u"secret.csv"_s);
    const QString other = Path(u"other.csv"_s);
    Put(target, "old");
    ASSERT_EQ(chmod(QFile::encodeName(target).constData(), 0600), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The save dies half-way, as in a crash or a power cut.
        Save(target, kFirstProgress, [](qint64, qint64) { _exit(0); });
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QStringList left = Names();
    left.removeAll(u"secret.csv"_s);
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(left[0].startsWith(u".quillet-save-"_s)) << left[0].toStdString();
    EXPECT_EQ(Stat(Path(left[0])).st_mode & 07777, 0600u);
    EXPECT_EQ(Contents(target), QByteArray("old"));
    // A save to another file leaves it; the next save to its own target removes it.
    ASSERT_TRUE(Save(other));
    EXPECT_TRUE(Names().contains(left[0]));
    ASSERT_TRUE(Save(target));
    EXPECT_EQ(Names(), QStringList({u"other.csv"_s, u"secret.csv"_s}));
}

TEST_F(clsOutputFileTest, SaveInProgressKeepsItsTemporaryFile)
{
    const QString target = Path(u"busy.csv"_s);
    clsFileReplacer first(target);
    ASSERT_TRUE(first.Create());
    ASSERT_TRUE(Save(target));
    EXPECT_TRUE(QFile::exists(first.WritePath()));
}

TEST_F(clsOutputFileTest, OwnerAndGroupStayWhereTheProcessMayKeepThem)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    const QString target = Path(u"theirs.csv"_s);
    Put(target, "old");
    const QByteArray native = QFile::encodeName(target);
    ASSERT_EQ(chown(native.constData(), 65534, 65534), 0);
    ASSERT_EQ(chmod(native.constData(), 0640), 0);
    ASSERT_TRUE(Save(target));
    const struct stat st = Stat(target);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Contents(target), QByteArray("\"\x90\x56\"\n"));
}

TEST_F(clsOutputFileTest, HardLinkedTargetChangesUnderEveryName)
{
    const QString target = Path(u"one.csv"_s);
    const QString second = Path(u"two.csv"_s);
    Put(target, QByteArray(100, 'o'));
    ASSERT_EQ(link(QFile::encodeName(target).constData(), QFile::encodeName(second).constData()),
              0);
    const ino_t inode = Stat(target).st_ino;
    ASSERT_TRUE(Save(target));
    EXPECT_EQ(Contents(second), QByteArray("\"\x90\x56\"\n"));
    EXPECT_EQ(Stat(target).st_ino, inode);
    EXPECT_EQ(Stat(target).st_nlink, 2u);
    EXPECT_EQ(Names(), QStringList({u"one.csv"_s, u"two.csv"_s}));
}

TEST_F(clsOutputFileTest, StageCountsConvertedTextAndLeavesAnUnclosedTargetAlone)
{
    const QString target = Path(u"stage.txt"_s);
    {
        clsOutputFile file(target);
        ASSERT_TRUE(file.Open());
        EXPECT_TRUE(file.WriteText("\x93\xFA\x96\x7B\n", 2));
        EXPECT_TRUE(file.WriteText("\x93\xFA\n", 4));
        EXPECT_TRUE(file.WriteShort(-2));
        EXPECT_EQ(file.Written(), 17);
        ASSERT_TRUE(file.Close());
    }
    const QByteArray expected("\x1B$BF|K\\\x1B(B\n\xE6\x97\xA5\n\xFE\xFF", 17);
    EXPECT_EQ(Contents(target), expected);
    {
        clsOutputFile file(target);
        ASSERT_TRUE(file.Open());
        EXPECT_TRUE(file.WriteBytes("new", 3));
        EXPECT_FALSE(file.WriteText("x", 9));
        EXPECT_EQ(file.Reason(), target + u": 文字コード 9 では書き込めません。"_s);
        EXPECT_FALSE(file.WriteBytes("more", 4));
        EXPECT_FALSE(file.Close());
    }
    EXPECT_EQ(Contents(target), expected);
    EXPECT_EQ(Names(), QStringList({u"stage.txt"_s}));
}
