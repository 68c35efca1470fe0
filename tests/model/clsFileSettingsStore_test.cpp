// The settings file: byte-exact values, hand edits, order, deletion, atomic writes, bad files.
#include "clsFileSettingsStore.h"
#include "clsScriptedMsgBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString app = u"Quillet"_s;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList Keys(const QList<clsSettingsStore::Entry>& entries)
{
    QStringList keys;
    for (const auto& entry : entries)
        keys.append(entry.first);
    return keys;
}

class FileSettingsStore : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(u"settings.txt"_s);
};

} // namespace

TEST_F(FileSettingsStore, ValuesRoundTripByteForByte)
{
    const QStringList values = {u"a,b,c"_s,    u"1,1,\r\n"_s,   u"\r"_s,        u"\n"_s,
                                u"x\ty"_s,     u"say \"hi\""_s, u"C:\\dir\\"_s, u"\\n\\s\\"_s,
                                u"売上明細"_s, u" lead"_s,      u"trail "_s,    u" "_s,
                                QString(),     u"=x=y"_s,       u"#x"_s,        u"[Quillet/x]"_s,
                                u"ソ表\\"_s,   u"a\r\n\r\nb"_s, u"8, "_s,       u"\t"_s};
    {
        clsFileSettingsStore store(path);
        for (int i = 0; i < values.size(); ++i)
            ASSERT_TRUE(store.Save(app, u"Values"_s, u"K"_s + QString::number(i), values[i]));
    }
    // A fresh instance reads the file itself, not a cache.
    clsFileSettingsStore reread(path);
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(reread.Get(app, u"Values"_s, u"K"_s + QString::number(i), u"?"_s), values[i])
            << i;
    // A value with commas is written as it is, not as a list.
    EXPECT_TRUE(ReadAll(path).contains("\nK0=a,b,c\n"));
}

TEST_F(FileSettingsStore, NamesWithSpecialCharactersRoundTrip)
{
    const QStringList names = {u"a=b"_s, u"x/y"_s,  u"#k"_s,         u"[k"_s,
                               u" s "_s, u"日本"_s, u"back\\slash"_s};
    {
        clsFileSettingsStore store(path);
        for (const QString& name : names)
            ASSERT_TRUE(store.Save(name, name, name, name));
    }
    clsFileSettingsStore reread(path);
    for (const QString& name : names) {
        EXPECT_EQ(reread.Get(name, name, name), name);
        EXPECT_EQ(Keys(reread.GetAll(name, name)), QStringList{name});
    }
}

TEST_F(FileSettingsStore, ReadsAHandEditedFile)
{
    WriteAll(path, "\xEF\xBB\xBF# edited by hand\r\n"
                   "\r\n"
                   "[Quillet/Sales]\r\n"
                   "FormatName=\xE5\xA3\xB2\xE4\xB8\x8A\r\n"
                   "FileType=1,1,\\r\\n\r\n"
                   "MemLen_1=8,\\s\n"
                   "Path=C:\\\\data\\\\x=y\n"
                   "Empty=\n"
                   "[Quillet/Other]\n"
                   "A=1\n"
                   "[quillet/sales]\n"
                   "filetype=2,3,\\n\n");
    clsFileSettingsStore store(path);
    EXPECT_EQ(store.Get(app, u"Sales"_s, u"FormatName"_s), u"売上"_s);
    // A repeated section continues the first; a repeated key replaces its value in place.
    EXPECT_EQ(store.Get(app, u"Sales"_s, u"FileType"_s), u"2,3,\n"_s);
    EXPECT_EQ(store.Get(app, u"Sales"_s, u"MemLen_1"_s), u"8, "_s);
    EXPECT_EQ(store.Get(app, u"Sales"_s, u"Path"_s), u"C:\\data\\x=y"_s);
    EXPECT_EQ(store.Get(app, u"Sales"_s, u"Empty"_s, u"default"_s), QString());
    EXPECT_EQ(Keys(store.GetAll(app, u"Sales"_s)),
              (QStringList{u"FormatName"_s, u"FileType"_s, u"MemLen_1"_s, u"Path"_s, u"Empty"_s}));
    EXPECT_EQ(store.Get(u"QUILLET"_s, u"other"_s, u"a"_s), u"1"_s);

    // A write keeps what was edited by hand.
    ASSERT_TRUE(store.Save(app, u"Other"_s, u"B"_s, u"2"_s));
    clsFileSettingsStore reread(path);
    EXPECT_EQ(reread.Get(app, u"Sales"_s, u"MemLen_1"_s), u"8, "_s);
    EXPECT_EQ(reread.Get(app, u"Sales"_s, u"FileType"_s), u"2,3,\n"_s);
    EXPECT_EQ(Keys(reread.GetAll(app, u"Other"_s)), (QStringList{u"A"_s, u"B"_s}));
}

TEST_F(FileSettingsStore, SectionsEnumerateInInsertionOrder)
{
    clsFileSettingsStore store(path);
    EXPECT_TRUE(store.GetAll(app, u"Formats"_s).isEmpty());
    for (const QString& key : {u"Zeta"_s, u"alpha"_s, u"Mid"_s})
        ASSERT_TRUE(store.Save(app, u"Formats"_s, key, key));
    ASSERT_TRUE(store.Save(app, u"Formats"_s, u"ALPHA"_s, u"changed"_s));
    const auto entries = store.GetAll(app, u"Formats"_s);
    EXPECT_EQ(Keys(entries), (QStringList{u"Zeta"_s, u"alpha"_s, u"Mid"_s}));
    EXPECT_EQ(entries[1].second, u"changed"_s);

    ASSERT_TRUE(store.DeleteKey(app, u"Formats"_s, u"zeta"_s));
    ASSERT_TRUE(store.Save(app, u"Formats"_s, u"Zeta"_s, u"again"_s));
    clsFileSettingsStore reread(path);
    EXPECT_EQ(Keys(reread.GetAll(app, u"Formats"_s)),
              (QStringList{u"alpha"_s, u"Mid"_s, u"Zeta"_s}));
}

TEST_F(FileSettingsStore, DeletesKeysAndWholeSections)
{
    clsFileSettingsStore store(path);
    ASSERT_TRUE(store.Save(app, u"Sales"_s, u"A"_s, u"1"_s));
    ASSERT_TRUE(store.Save(app, u"Sales"_s, u"B"_s, u"2"_s));
    ASSERT_TRUE(store.Save(app, u"Keep"_s, u"A"_s, u"3"_s));
    ASSERT_TRUE(store.Save(u"Other"_s, u"Sales"_s, u"A"_s, u"4"_s));

    ASSERT_TRUE(store.DeleteKey(app, u"Sales"_s, u"a"_s));
    EXPECT_EQ(store.Get(app, u"Sales"_s, u"A"_s, u"gone"_s), u"gone"_s);
    EXPECT_EQ(store.Get(app, u"Sales"_s, u"B"_s), u"2"_s);
    EXPECT_TRUE(store.DeleteKey(app, u"Sales"_s, u"Missing"_s));
    EXPECT_TRUE(store.DeleteKey(app, u"NoSection"_s, u"A"_s));

    ASSERT_TRUE(store.DeleteSection(app, u"SALES"_s));
    clsFileSettingsStore reread(path);
    EXPECT_TRUE(reread.GetAll(app, u"Sales"_s).isEmpty());
    EXPECT_EQ(reread.Get(app, u"Keep"_s, u"A"_s), u"3"_s);
    EXPECT_EQ(reread.Get(u"Other"_s, u"Sales"_s, u"A"_s), u"4"_s);
}

TEST_F(FileSettingsStore, WritesReplaceTheFileByRenaming)
{
    clsFileSettingsStore store(path);
    ASSERT_TRUE(store.Save(app, u"S"_s, u"A"_s, u"1"_s));
    struct stat before = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    ASSERT_TRUE(store.Save(app, u"S"_s, u"A"_s, u"2"_s));
    struct stat after = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    // A new file took the old one's name: the old content was never overwritten in place.
    EXPECT_NE(before.st_ino, after.st_ino);
    // Only the writers' lock file stays beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{u"settings.txt"_s, u"settings.txt.lock"_s}));
}

TEST_F(FileSettingsStore, UpdateWritesOnceAtTheEnd)
{
    clsFileSettingsStore store(path);
    store.BeginUpdate();
    ASSERT_TRUE(store.Save(app, u"S"_s, u"A"_s, u"1"_s));
    ASSERT_TRUE(store.Save(app, u"S"_s, u"B"_s, u"2"_s));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(store.Get(app, u"S"_s, u"B"_s), u"2"_s);
    ASSERT_TRUE(store.EndUpdate());
    clsFileSettingsStore reread(path);
    EXPECT_EQ(Keys(reread.GetAll(app, u"S"_s)), (QStringList{u"A"_s, u"B"_s}));
}

TEST_F(FileSettingsStore, SeesChangesMadeByAnotherWriter)
{
    clsFileSettingsStore first(path);
    clsFileSettingsStore second(path);
    ASSERT_TRUE(first.Save(app, u"S"_s, u"A"_s, u"1"_s));
    EXPECT_EQ(second.Get(app, u"S"_s, u"A"_s), u"1"_s);
    ASSERT_TRUE(second.Save(app, u"S"_s, u"B"_s, u"twenty"_s));
    EXPECT_EQ(first.Get(app, u"S"_s, u"B"_s), u"twenty"_s);
    // The first writer's next write keeps the second writer's key.
    ASSERT_TRUE(first.Save(app, u"S"_s, u"C"_s, u"3"_s));
    EXPECT_EQ(clsFileSettingsStore(path).Get(app, u"S"_s, u"B"_s), u"twenty"_s);
}

TEST_F(FileSettingsStore, AnUpdateKeepsWhatAnotherWriterStoredMeanwhile)
{
    clsFileSettingsStore first(path);
    clsFileSettingsStore second(path);
    ASSERT_TRUE(first.Save(app, u"Formats"_s, u"Old"_s, u"Old"_s));
    ASSERT_TRUE(first.Save(app, u"Old"_s, u"A"_s, u"1"_s));
    ASSERT_TRUE(first.Save(app, u"Keep"_s, u"Gone"_s, u"x"_s));

    first.BeginUpdate();
    ASSERT_TRUE(first.Save(app, u"Formats"_s, u"Mine"_s, u"Mine"_s));
    ASSERT_TRUE(first.DeleteSection(app, u"Old"_s));
    // The other writer stores between this writer's reading and its writing.
    ASSERT_TRUE(second.Save(app, u"Formats"_s, u"Theirs"_s, u"Theirs"_s));
    ASSERT_TRUE(second.DeleteKey(app, u"Keep"_s, u"Gone"_s));
    ASSERT_TRUE(second.Save(app, u"Keep"_s, u"New"_s, u"y"_s));
    ASSERT_TRUE(first.EndUpdate());

    clsFileSettingsStore reread(path);
    EXPECT_EQ(Keys(reread.GetAll(app, u"Formats"_s)),
              (QStringList{u"Old"_s, u"Theirs"_s, u"Mine"_s}));
    EXPECT_TRUE(reread.GetAll(app, u"Old"_s).isEmpty());
    EXPECT_EQ(Keys(reread.GetAll(app, u"Keep"_s)), QStringList{u"New"_s});
    // The writer's own view is the merged file.
    EXPECT_EQ(first.Get(app, u"Formats"_s, u"Theirs"_s), u"Theirs"_s);
}

TEST_F(FileSettingsStore, AWriteDoesNotUndoAnotherWritersDeletion)
{
    clsFileSettingsStore first(path);
    clsFileSettingsStore second(path);
    ASSERT_TRUE(first.Save(app, u"S"_s, u"A"_s, u"1"_s));
    ASSERT_TRUE(first.Save(app, u"S"_s, u"B"_s, u"2"_s));
    first.BeginUpdate();
    ASSERT_TRUE(first.Save(app, u"S"_s, u"C"_s, u"3"_s));
    ASSERT_TRUE(second.DeleteKey(app, u"S"_s, u"A"_s));
    ASSERT_TRUE(first.EndUpdate());
    EXPECT_EQ(Keys(clsFileSettingsStore(path).GetAll(app, u"S"_s)), (QStringList{u"B"_s, u"C"_s}));
}

TEST_F(FileSettingsStore, AFailedWriteIsReportedAndLeavesNothingBehind)
{
    WriteAll(dir.filePath(u"plain"_s), "not a folder");
    clsFileSettingsStore store(dir.filePath(u"plain/settings.txt"_s));
    EXPECT_FALSE(store.Save(app, u"S"_s, u"A"_s, u"1"_s));
    EXPECT_FALSE(store.LastError().isEmpty());
    EXPECT_EQ(store.Get(app, u"S"_s, u"A"_s, u"none"_s), u"none"_s);
}

TEST_F(FileSettingsStore, AnUnreadableFileIsReportedOnceAndNeverOverwritten)
{
    const QByteArray broken = "[Quillet/Formats]\nSales=Sales\nthis line has no equals sign\n";
    WriteAll(path, broken);
    clsScriptedMsgBox msg;
    clsFileSettingsStore store(path);
    EXPECT_EQ(store.Get(app, u"Formats"_s, u"Sales"_s), QString());
    const clsScriptedMsgBox::Box box = msg.TakeOne();
    EXPECT_EQ(box.kind, u"Critical"_s);
    EXPECT_EQ(box.title, u"Quillet"_s);
    EXPECT_TRUE(box.text.contains(path));
    EXPECT_TRUE(box.text.contains(u"3 行目"_s));

    EXPECT_TRUE(store.GetAll(app, u"Formats"_s).isEmpty());
    EXPECT_FALSE(store.Save(app, u"Option"_s, u"Header"_s, u"00001"_s));
    EXPECT_FALSE(store.DeleteSection(app, u"Formats"_s));
    EXPECT_TRUE(store.LastError().contains(path));
    EXPECT_EQ(ReadAll(path), broken);
    EXPECT_TRUE(msg.TakeShown().empty());

    // Once mended by hand, the file is read and written again.
    WriteAll(path, "[Quillet/Formats]\nSales=Sales\n");
    EXPECT_EQ(store.Get(app, u"Formats"_s, u"Sales"_s), u"Sales"_s);
    EXPECT_TRUE(store.Save(app, u"Option"_s, u"Header"_s, u"00001"_s));
}

TEST_F(FileSettingsStore, ReportsWhatMakesAFileUnreadable)
{
    const QList<QPair<QByteArray, QString>> cases = {
        {"[Quillet/S]\nA=bad \\q escape\n", u"2 行目"_s},
        {"[Quillet/S]\nA=ends in \\\n", u"2 行目"_s},
        {"A=1\n", u"1 行目"_s},
        {"# fine\n[no slash]\n", u"2 行目"_s},
        {"[Quillet/S]\nA=\xFF\xFE\n", u"UTF-8"_s}};
    for (const auto& [bytes, where] : cases) {
        WriteAll(path, bytes);
        clsScriptedMsgBox msg;
        clsFileSettingsStore store(path);
        store.Get(app, u"S"_s, u"A"_s);
        EXPECT_TRUE(msg.TakeOne().text.contains(where)) << bytes.constData();
    }
}
