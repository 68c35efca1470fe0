// Loading and updating of the recent-file list.
#include "clsRecentList.h"

#include "Module1.h"
#include "clsMessenger.h"
#include "clsSettingsStore.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSection = u"RecentFile"_s;

QString FileKey(int n)
{
    return u"Recent"_s + QString::number(n);
}

QString TypeKey(int n)
{
    return u"RecType"_s + QString::number(n);
}

} // namespace

void clsRecentList::Load(const clsSettingsStore& store)
{
    const QString app = AppTitle();
    for (int n = 1; n <= Size; ++n) {
        files.at(static_cast<size_t>(n - 1)) = Module1::Trim(store.Get(app, kSection, FileKey(n)));
        structNames.at(static_cast<size_t>(n - 1)) = store.Get(app, kSection, TypeKey(n), u"1"_s);
    }
}

bool clsRecentList::Add(clsSettingsStore& store, const QString& szFile, const QString& szStructName)
{
    const QString app = AppTitle();
    const QString file = StoredName(szFile);
    // The stored entries, not the menu's: the format manager may have erased them since.
    std::array<QString, Size> storedFiles;
    std::array<QString, Size> storedTypes;
    for (int n = 1; n <= Size; ++n) {
        storedFiles.at(static_cast<size_t>(n - 1)) = store.Get(app, kSection, FileKey(n));
        storedTypes.at(static_cast<size_t>(n - 1)) = store.Get(app, kSection, TypeKey(n));
    }
    size_t last = Size - 1;
    for (size_t i = 0; i < storedFiles.size(); ++i) {
        if (storedFiles.at(i) == file && storedTypes.at(i) == szStructName) {
            last = i;
            break;
        }
    }
    for (size_t i = last; i > 0; --i) {
        storedFiles.at(i) = storedFiles.at(i - 1);
        storedTypes.at(i) = storedTypes.at(i - 1);
    }
    storedFiles.front() = file;
    storedTypes.front() = szStructName;

    store.BeginUpdate();
    bool ok = true;
    for (int n = 1; ok && n <= Size; ++n) {
        ok = store.Save(app, kSection, FileKey(n), storedFiles.at(static_cast<size_t>(n - 1))) &&
             store.Save(app, kSection, TypeKey(n), storedTypes.at(static_cast<size_t>(n - 1)));
    }
    ok = store.EndUpdate() && ok;
    if (!ok) {
        Load(store);
        return false;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        files.at(i) = Module1::Trim(storedFiles.at(i));
        structNames.at(i) = storedTypes.at(i);
    }
    return true;
}

QString clsRecentList::StoredName(const QString& szFile)
{
#ifdef Q_OS_WIN
    return szFile.toUpper();
#else
    return szFile;
#endif
}

bool clsRecentList::AnyUsed() const
{
    return std::any_of(files.begin(), files.end(),
                       [](const QString& file) { return !file.isEmpty(); });
}
