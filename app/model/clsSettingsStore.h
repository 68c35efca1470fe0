// The per-user settings store: string values addressed by application, section and key.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <memory>

// Reads with a default, enumerates a section in a stable order, writes and deletes.
// Writes report failure with false and leave a description in LastError().
class clsSettingsStore
{
public:
    using Entry = QPair<QString, QString>; // key, value

    virtual ~clsSettingsStore() = default;

    virtual QString Get(const QString& szApp, const QString& szSection, const QString& szKey,
                        const QString& szDefault = {}) const = 0;
    // Every key of the section with its value, in the store's stable order.
    virtual QList<Entry> GetAll(const QString& szApp, const QString& szSection) const = 0;
    virtual bool Save(const QString& szApp, const QString& szSection, const QString& szKey,
                      const QString& szValue) = 0;
    virtual bool DeleteKey(const QString& szApp, const QString& szSection,
                           const QString& szKey) = 0;
    virtual bool DeleteSection(const QString& szApp, const QString& szSection) = 0;
    // The system's description of the last failure.
    virtual QString LastError() const = 0;

    // Writes between BeginUpdate and the matching EndUpdate may be held back and stored in
    // one step by EndUpdate, which then reports their failure. Backends that store every
    // write at once need neither.
    virtual void BeginUpdate() {}
    virtual bool EndUpdate() { return true; }
};

// The platform's store: the registry on Windows, otherwise a text file in the user's config
// folder. QUILLET_SETTINGS names another file (on every platform), which tests rely on.
std::unique_ptr<clsSettingsStore> CreateSettingsStore();
