// The choice of the platform's settings store.
#include "clsSettingsStore.h"

#include "clsFileSettingsStore.h"
#include "clsRegistrySettingsStore.h"

#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

std::unique_ptr<clsSettingsStore> CreateSettingsStore()
{
    const QString szOverride = qEnvironmentVariable("QUILLET_SETTINGS");
    if (!szOverride.isEmpty())
        return std::make_unique<clsFileSettingsStore>(szOverride);
#ifdef Q_OS_WIN
    return std::make_unique<clsRegistrySettingsStore>();
#else
    return std::make_unique<clsFileSettingsStore>(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        u"/Quillet/settings.txt"_s);
#endif
}
