// The settings-layout version check and the loading and saving of the settings.
#include "clsStartup.h"

#include "Module1.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsOptions.h"
#include "clsRecentList.h"
#include "clsSettingsStore.h"

using namespace Qt::Literals::StringLiterals;

QString clsStartup::Version()
{
    return QString::number(QUILLET_VERSION_MAJOR) + u'.' + QString::number(QUILLET_VERSION_MINOR);
}

bool clsStartup::CheckVersion(const clsSettingsStore& store)
{
    const QString version = store.Get(AppTitle(), u"RecentFile"_s, u"Ver"_s);
    bool okMajor = false;
    bool okMinor = false;
    const int major = version.left(1).toInt(&okMajor, 10);
    const int minor = Module1::Trim(version.mid(2)).toInt(&okMinor, 10);
    if (!okMajor || !okMinor)
        return true;
    if (major != QUILLET_VERSION_MAJOR) {
        gMsgBox().Critical(u"レジストリ情報のバージョンが違います。Quilletを起動できません。"_s,
                           AppTitle());
        return false;
    }
    if (minor > QUILLET_VERSION_MINOR)
        gMsgBox().Critical(u"レジストリ情報がより最新のものになっています。"
                           u"できるだけ最新版のQuilletを使用してください。"_s,
                           AppTitle());
    return true;
}

clsLoadResult clsStartup::LoadSettings(const clsSettingsStore& store, clsFormats& formats,
                                       clsRecentList& recent)
{
    if (!CheckVersion(store))
        return clsLoadResult::WrongVersion;
    if (!clsOptions::Load(store))
        return clsLoadResult::NotLoaded;
    recent.Load(store);
    try {
        return formats.ReadFromReg(store) ? clsLoadResult::Loaded : clsLoadResult::NotLoaded;
    } catch (const clsFormatLoadError&) {
        return clsLoadResult::NotLoaded;
    }
}

void clsStartup::SaveSettings(clsSettingsStore& store, const clsFormats& formats)
{
    const QString app = AppTitle();
    store.BeginUpdate();
    bool ok = clsOptions::Save(store) && store.Save(app, u"RecentFile"_s, u"Ver"_s, Version());
    for (int i = 1; ok && i <= formats.Count(); ++i) {
        const clsFormat* format = formats.Format(i);
        if (format->DelFlg)
            continue;
        for (int n = 1; ok && n <= format->MemCount(); ++n) {
            ok = store.Save(app, format->StructName, u"MemColInfo_"_s + QString::number(n),
                            QString::number(format->Members(n)->ColWidth));
        }
    }
    ok = store.EndUpdate() && ok;
    if (!ok)
        gMsgBox().Critical(store.LastError(), AppTitle());
}
