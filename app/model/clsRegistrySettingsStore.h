// The settings store in the Windows registry (built on Windows only).
#pragma once

#include "clsSettingsStore.h"

#ifdef Q_OS_WIN

class QSettings;

// One registry key per application below "VB and VBA Program Settings", one subkey per
// section, one string value per key.
class clsRegistrySettingsStore : public clsSettingsStore
{
public:
    QString Get(const QString& szApp, const QString& szSection, const QString& szKey,
                const QString& szDefault = {}) const override;
    QList<Entry> GetAll(const QString& szApp, const QString& szSection) const override;
    bool Save(const QString& szApp, const QString& szSection, const QString& szKey,
              const QString& szValue) override;
    bool DeleteKey(const QString& szApp, const QString& szSection, const QString& szKey) override;
    bool DeleteSection(const QString& szApp, const QString& szSection) override;
    QString LastError() const override { return szLastError; }

private:
    bool Finish(QSettings& settings);

    QString szLastError;
};

#endif
