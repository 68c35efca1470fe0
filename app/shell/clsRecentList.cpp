// Loading of the recent-file list.
#include "clsRecentList.h"

#include "Module1.h"
#include "clsMessenger.h"
#include "clsSettingsStore.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

void clsRecentList::Load(const clsSettingsStore& store)
{
    const QString app = AppTitle();
    for (int n = 1; n <= Size; ++n) {
        const QString number = QString::number(n);
        files.at(static_cast<size_t>(n - 1)) =
            Module1::Trim(store.Get(app, u"RecentFile"_s, u"Recent"_s + number));
        structNames.at(static_cast<size_t>(n - 1)) =
            store.Get(app, u"RecentFile"_s, u"RecType"_s + number, u"1"_s);
    }
}

bool clsRecentList::AnyUsed() const
{
    return std::any_of(files.begin(), files.end(),
                       [](const QString& file) { return !file.isEmpty(); });
}
