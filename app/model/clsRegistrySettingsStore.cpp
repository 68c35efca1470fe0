// Registry access through QSettings' native format (Windows only).
#include "clsRegistrySettingsStore.h"

#ifdef Q_OS_WIN

#include <QSettings>

using namespace Qt::Literals::StringLiterals;

namespace {

QString KeyPath(const QString& szApp)
{
    return u"HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\"_s + szApp;
}

} // namespace

QString clsRegistrySettingsStore::Get(const QString& szApp, const QString& szSection,
                                      const QString& szKey, const QString& szDefault) const
{
    QSettings settings(KeyPath(szApp), QSettings::NativeFormat);
    return settings.value(szSection + u'/' + szKey, szDefault).toString();
}

QList<clsSettingsStore::Entry> clsRegistrySettingsStore::GetAll(const QString& szApp,
                                                                const QString& szSection) const
{
    QSettings settings(KeyPath(szApp), QSettings::NativeFormat);
    settings.beginGroup(szSection);
    QList<Entry> entries;
    for (const QString& key : settings.childKeys())
        entries.append({key, settings.value(key).toString()});
    return entries;
}

bool clsRegistrySettingsStore::Save(const QString& szApp, const QString& szSection,
                                    const QString& szKey, const QString& szValue)
{
    QSettings settings(KeyPath(szApp), QSettings::NativeFormat);
    settings.setValue(szSection + u'/' + szKey, szValue);
    return Finish(settings);
}

bool clsRegistrySettingsStore::DeleteKey(const QString& szApp, const QString& szSection,
                                         const QString& szKey)
{
    QSettings settings(KeyPath(szApp), QSettings::NativeFormat);
    settings.remove(szSection + u'/' + szKey);
    return Finish(settings);
}

bool clsRegistrySettingsStore::DeleteSection(const QString& szApp, const QString& szSection)
{
    QSettings settings(KeyPath(szApp), QSettings::NativeFormat);
    settings.remove(szSection);
    return Finish(settings);
}

bool clsRegistrySettingsStore::Finish(QSettings& settings)
{
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    szLastError = u"レジストリのアクセスに失敗しました。"_s;
    return false;
}

#endif
