// The content of the settings file: its sections and keys, parsed from and composed to text.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// Sections and keys in the order of their first appearance, found without regard to case.
// Both levels are looked up through hashes of the case-folded names, so a file with tens of
// thousands of keys in one section parses and reads in linear time. The syntax is the one
// clsFileSettingsStore describes.
class clsSettingsText
{
public:
    using Entry = QPair<QString, QString>; // key, value

    // Replaces the content with the text's. False, with the reason (a line number first where
    // there is one), for text that is not settings text; the content is then empty.
    bool Parse(const QByteArray& bytes, QString& szReason);
    // The whole file: the explanatory heading, then every section that holds a key.
    QByteArray Compose() const;

    // The value of a key, or nullptr when there is no such key.
    const QString* Find(const QString& szApp, const QString& szSection, const QString& szKey) const;
    QList<Entry> Entries(const QString& szApp, const QString& szSection) const;
    // Each returns whether the content changed.
    bool Set(const QString& szApp, const QString& szSection, const QString& szKey,
             const QString& szValue);
    bool RemoveKey(const QString& szApp, const QString& szSection, const QString& szKey);
    bool RemoveSection(const QString& szApp, const QString& szSection);
    void Clear();

private:
    using SectionId = QPair<QString, QString>; // folded application and section names

    struct Section
    {
        QString szApp;
        QString szName;
        QList<Entry> entries;
        QHash<QString, qsizetype> keyIndex; // folded key -> position in entries
    };

    static SectionId Id(const QString& szApp, const QString& szSection);
    const Section* FindSection(const QString& szApp, const QString& szSection) const;
    Section& AddSection(const QString& szApp, const QString& szSection);
    static bool SetIn(Section& section, const QString& szKey, const QString& szValue);

    QList<Section> sections;
    QHash<SectionId, qsizetype> sectionIndex; // -> position in sections
};
