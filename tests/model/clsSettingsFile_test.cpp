// Settings writes that fail: the previous file stays, and the message names the file and cause.
#include "clsFileSettingsStore.h"
#include "clsScriptedMsgBox.h"
#include "clsSettingsFile.h"
#include "clsTmpfsMount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString app = u"Quillet"_s;
const QString diskFull = u"ディスクの空き容量が不足しています。"_s;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Fails one step of every read and write while it lives.
class clsInjectedFault
{
public:
    clsInjectedFault(clsSettingsFile::Step failing, int nErrno)
    {
        clsSettingsFile::SetFaultHook(
            [failing, nErrno](clsSettingsFile::Step step) { return step == failing ? nErrno : 0; });
    }
    ~clsInjectedFault() { clsSettingsFile::SetFaultHook({}); }
    clsInjectedFault(const clsInjectedFault&) = delete;
    clsInjectedFault& operator=(const clsInjectedFault&) = delete;
};

class SettingsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clsFileSettingsStore writer(path);
        ASSERT_TRUE(writer.Save(app, u"Formats"_s, u"Sales"_s, u"Sales"_s));
        ASSERT_TRUE(writer.Save(app, u"Option"_s, u"Header"_s, u"00001"_s));
        before = ReadAll(path);
    }

    // The store's message names the file, the cause, and that nothing was changed.
    void ExpectUntouched(const clsFileSettingsStore& store, const QString& szCause)
    {
        EXPECT_TRUE(store.LastError().contains(path)) << store.LastError().toStdString();
        EXPECT_TRUE(store.LastError().contains(szCause)) << store.LastError().toStdString();
        EXPECT_TRUE(store.LastError().contains(u"元のまま"_s));
        EXPECT_EQ(ReadAll(path), before);
        EXPECT_FALSE(QFile::exists(path + u".new"_s));
    }

    QTemporaryDir dir;
    QString path = dir.filePath(u"settings.txt"_s);
    QByteArray before;
};

} // namespace

TEST_F(SettingsFile, EveryFailingWriteStepLeavesThePreviousFile)
{
    using Step = clsSettingsFile::Step;
    for (const Step step : {Step::Lock, Step::Read, Step::Create, Step::Write, Step::Sync,
                            Step::Close, Step::Rename}) {
        clsFileSettingsStore store(path);
        // Read before the fault, so that only the write meets it.
        ASSERT_EQ(store.Get(app, u"Formats"_s, u"Sales"_s), u"Sales"_s);
        const clsInjectedFault fault(step, ENOSPC);
        EXPECT_FALSE(store.Save(app, u"Formats"_s, u"New"_s, u"New"_s)) << static_cast<int>(step);
        ExpectUntouched(store, diskFull);
    }
    // What failed to reach the file is not pretended to be stored.
    clsFileSettingsStore store(path);
    EXPECT_EQ(store.Get(app, u"Formats"_s, u"New"_s, u"none"_s), u"none"_s);
}

TEST_F(SettingsFile, AFailedUpdateDropsItsChanges)
{
    clsFileSettingsStore store(path);
    store.BeginUpdate();
    ASSERT_TRUE(store.Save(app, u"Option"_s, u"Header"_s, u"00010"_s));
    ASSERT_TRUE(store.DeleteSection(app, u"Formats"_s));
    {
        const clsInjectedFault fault(clsSettingsFile::Step::Sync, EIO);
        EXPECT_FALSE(store.EndUpdate());
    }
    ExpectUntouched(store, u"入出力エラー"_s);
    EXPECT_EQ(store.Get(app, u"Option"_s, u"Header"_s), u"00001"_s);
    // The next write carries only its own change.
    ASSERT_TRUE(store.Save(app, u"Option"_s, u"Font"_s, u"10"_s));
    EXPECT_EQ(clsFileSettingsStore(path).Get(app, u"Formats"_s, u"Sales"_s), u"Sales"_s);
}

TEST_F(SettingsFile, AReadOnlyFileIsReportedInJapaneseAndKept)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    clsFileSettingsStore store(path);
    EXPECT_FALSE(store.Save(app, u"Option"_s, u"Header"_s, u"00010"_s));
    ExpectUntouched(store, u"読み取り専用"_s);
    EXPECT_FALSE(store.LastError().contains(u"writable"_s));
}

TEST_F(SettingsFile, AnUnreadableFileIsReportedInJapanese)
{
    clsScriptedMsgBox msg;
    clsFileSettingsStore store(path);
    {
        const clsInjectedFault fault(clsSettingsFile::Step::Read, EACCES);
        EXPECT_EQ(store.Get(app, u"Formats"_s, u"Sales"_s, u"none"_s), u"none"_s);
    }
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Critical"_s);
    EXPECT_TRUE(box.text.contains(path));
    EXPECT_TRUE(box.text.contains(u"アクセスが許可されていません。"_s)) << box.text.toStdString();
}

TEST_F(SettingsFile, TheNewFileKeepsThePermissionsOfTheOldOne)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    clsFileSettingsStore store(path);
    ASSERT_TRUE(store.Save(app, u"Option"_s, u"Header"_s, u"00010"_s));
    struct stat after = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST_F(SettingsFile, AWriteThroughALinkReplacesTheFileItNames)
{
    const QString link = dir.filePath(u"link.txt"_s);
    ASSERT_TRUE(QFile::link(path, link));
    clsFileSettingsStore store(link);
    ASSERT_TRUE(store.Save(app, u"Option"_s, u"Header"_s, u"00010"_s));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(clsFileSettingsStore(path).Get(app, u"Option"_s, u"Header"_s), u"00010"_s);
}

TEST_F(SettingsFile, AFullDiskLeavesThePreviousFile)
{
    const clsTmpfsMount disk(dir.filePath(u"small"_s), 64);
    if (!disk.Mounted())
        GTEST_SKIP() << "no permission to mount a small file system";
    path = disk.Path() + u"/settings.txt"_s;
    SetUp();
    disk.Fill(4);
    clsFileSettingsStore store(path);
    EXPECT_FALSE(store.Save(app, u"Option"_s, u"TextPath"_s, QString(8192, u'x')));
    ExpectUntouched(store, diskFull);
}

TEST_F(SettingsFile, AFolderOnAReadOnlyDiskIsReportedInJapanese)
{
    const clsTmpfsMount disk(dir.filePath(u"small"_s), 64);
    if (!disk.Mounted())
        GTEST_SKIP() << "no permission to mount a small file system";
    path = disk.Path() + u"/settings.txt"_s;
    SetUp();
    ASSERT_TRUE(disk.MakeReadOnly());
    clsFileSettingsStore store(path);
    EXPECT_EQ(store.Get(app, u"Formats"_s, u"Sales"_s), u"Sales"_s);
    EXPECT_FALSE(store.Save(app, u"Option"_s, u"Header"_s, u"00010"_s));
    ExpectUntouched(store, u"読み取り専用のファイルシステムです。"_s);
}
