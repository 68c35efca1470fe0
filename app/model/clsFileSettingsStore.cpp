// The settings file store: its cache, its changes and their merge into the file on disk.
#include "clsFileSettingsStore.h"

#include "clsMessenger.h"
#include "clsSettingsFile.h"

#include <QFile>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

clsFileSettingsStore::clsFileSettingsStore(QString szFilePath) : szPath(std::move(szFilePath)) {}

clsFileSettingsStore::Stamp clsFileSettingsStore::CurrentStamp() const
{
    struct stat info = {};
    if (::stat(QFile::encodeName(szPath).constData(), &info) != 0)
        return {};
    return {true, static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
}

bool clsFileSettingsStore::Refresh() const
{
    // Inside an update the cache holds writes the file has not seen yet.
    if (bLoaded && nUpdateDepth > 0)
        return szBrokenReason.isEmpty();
    const Stamp stamp = CurrentStamp();
    if (bLoaded && stamp == loadedStamp)
        return szBrokenReason.isEmpty();

    content.Clear();
    szBrokenReason.clear();
    bLoaded = true;
    loadedStamp = stamp;
    if (!stamp.bExists)
        return true;
    clsSettingsFile file(szPath);
    QByteArray bytes;
    bool exists = false;
    QString szReason;
    if (!file.Read(bytes, exists))
        szReason = file.Reason();
    else if (exists && !content.Parse(bytes, szReason))
        content.Clear();
    if (szReason.isEmpty())
        return true;

    szBrokenReason = szReason;
    if (!bReported || !(reportedStamp == stamp)) {
        bReported = true;
        reportedStamp = stamp;
        gMsgBox().Critical(u"設定ファイルを読み込めません。\r\n"_s + szPath + u"\r\n"_s + szReason +
                               u"\r\nファイルを直すまで、設定は保存されません。"_s,
                           AppTitle());
    }
    return false;
}

bool clsFileSettingsStore::Writable()
{
    if (Refresh())
        return true;
    szLastError = u"設定ファイル "_s + szPath + u" を読み込めないため、書き込みません。("_s +
                  szBrokenReason + u')';
    return false;
}

QString clsFileSettingsStore::Get(const QString& szApp, const QString& szSection,
                                  const QString& szKey, const QString& szDefault) const
{
    Refresh();
    const QString* value = content.Find(szApp, szSection, szKey);
    return value ? *value : szDefault;
}

QList<clsSettingsStore::Entry> clsFileSettingsStore::GetAll(const QString& szApp,
                                                            const QString& szSection) const
{
    Refresh();
    return content.Entries(szApp, szSection);
}

bool clsFileSettingsStore::Save(const QString& szApp, const QString& szSection,
                                const QString& szKey, const QString& szValue)
{
    if (!Writable())
        return false;
    const QString* value = content.Find(szApp, szSection, szKey);
    if (value && *value == szValue)
        return true;
    return Record({Change::SetKey, szApp, szSection, szKey, szValue});
}

bool clsFileSettingsStore::DeleteKey(const QString& szApp, const QString& szSection,
                                     const QString& szKey)
{
    if (!Writable())
        return false;
    if (!content.Find(szApp, szSection, szKey))
        return true;
    return Record({Change::DeleteKey, szApp, szSection, szKey, {}});
}

bool clsFileSettingsStore::DeleteSection(const QString& szApp, const QString& szSection)
{
    if (!Writable())
        return false;
    if (content.Entries(szApp, szSection).isEmpty())
        return true;
    return Record({Change::DeleteSection, szApp, szSection, {}, {}});
}

void clsFileSettingsStore::BeginUpdate()
{
    // The writes of the update compare with the file as it is now, not as it was last read.
    if (nUpdateDepth == 0)
        Refresh();
    ++nUpdateDepth;
}

bool clsFileSettingsStore::EndUpdate()
{
    if (nUpdateDepth == 0 || --nUpdateDepth > 0 || changes.isEmpty())
        return true;
    return WriteFile();
}

void clsFileSettingsStore::Apply(const Change& change, clsSettingsText& text)
{
    switch (change.kind) {
    case Change::SetKey:
        text.Set(change.szApp, change.szSection, change.szKey, change.szValue);
        break;
    case Change::DeleteKey:
        text.RemoveKey(change.szApp, change.szSection, change.szKey);
        break;
    case Change::DeleteSection:
        text.RemoveSection(change.szApp, change.szSection);
        break;
    }
}

bool clsFileSettingsStore::Record(const Change& change)
{
    Apply(change, content);
    changes.append(change);
    return nUpdateDepth > 0 || WriteFile();
}

bool clsFileSettingsStore::WriteFile()
{
    // The file is read again under the lock: another process may have written since this
    // store last looked, and its changes must survive ours.
    clsSettingsFile file(szPath);
    if (!file.Lock())
        return WriteFailed(file.Reason());
    QByteArray bytes;
    bool exists = false;
    if (!file.Read(bytes, exists))
        return WriteFailed(u"読み込めません。"_s + file.Reason());
    clsSettingsText merged;
    QString szReason;
    if (exists && !merged.Parse(bytes, szReason))
        return WriteFailed(u"内容が正しくありません ("_s + szReason + u")。"_s);
    for (const Change& change : std::as_const(changes))
        Apply(change, merged);
    if (!file.Replace(merged.Compose()))
        return WriteFailed(file.Reason());
    changes.clear();
    content = std::move(merged);
    szBrokenReason.clear();
    bLoaded = true;
    loadedStamp = CurrentStamp();
    return true;
}

bool clsFileSettingsStore::WriteFailed(const QString& szReason)
{
    szLastError = u"設定ファイル "_s + szPath + u" に書き込めません。"_s + szReason +
                  u"設定ファイルは元のままです。"_s;
    // The cache holds what did not reach the file: those changes are dropped, and the file
    // is read again next time.
    changes.clear();
    bLoaded = false;
    return false;
}
