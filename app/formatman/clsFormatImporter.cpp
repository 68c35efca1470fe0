// The importer's check of a registry file against the loader's and the manager's rules.
#include "clsFormatImporter.h"

#include "clsFormatRules.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsSettingsStore.h"

#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kIndex = u"Formats"_s;

// The store as it reads once the file's values are written, without writing anything.
class clsOverlayStore : public clsSettingsStore
{
public:
    clsOverlayStore(const clsSettingsStore& store, const QList<clsRegFile::Value>& values)
        : base(store), added(values)
    {}

    QString Get(const QString& szApp, const QString& szSection, const QString& szKey,
                const QString& szDefault) const override
    {
        for (qsizetype i = added.size() - 1; szApp == AppTitle() && i >= 0; --i) {
            if (added[i].szSection == szSection && added[i].szKey == szKey)
                return added[i].szValue;
        }
        return base.Get(szApp, szSection, szKey, szDefault);
    }

    QList<Entry> GetAll(const QString& szApp, const QString& szSection) const override
    {
        QList<Entry> entries = base.GetAll(szApp, szSection);
        for (const clsRegFile::Value& value : added) {
            if (szApp != AppTitle() || value.szSection != szSection)
                continue;
            const auto it = std::find_if(entries.begin(), entries.end(), [&value](const Entry& e) {
                return e.first == value.szKey;
            });
            if (it != entries.end())
                it->second = value.szValue;
            else
                entries.append({value.szKey, value.szValue});
        }
        return entries;
    }

    bool Save(const QString&, const QString&, const QString&, const QString&) override
    {
        return false;
    }
    bool DeleteKey(const QString&, const QString&, const QString&) override { return false; }
    bool DeleteSection(const QString&, const QString&) override { return false; }
    QString LastError() const override { return {}; }

private:
    const clsSettingsStore& base;
    const QList<clsRegFile::Value>& added;
};

bool IsProgramSection(const QString& szSection)
{
    return szSection == u"Option"_s || szSection == u"RecentFile"_s;
}

} // namespace

clsFormatImporter::Refusal clsFormatImporter::Check(const QList<clsRegFile::Value>& values,
                                                    const clsSettingsStore& store)
{
    const clsOverlayStore after(store, values);
    QSet<QString> indexed;
    for (const clsSettingsStore::Entry& entry : after.GetAll(AppTitle(), kIndex))
        indexed.insert(entry.second);
    // Every format the file touches, with the first line that touches it.
    QList<QPair<QString, int>> touched;
    const auto touch = [&touched](const QString& szStruct, int nLine) {
        for (const auto& seen : touched) {
            if (seen.first == szStruct)
                return;
        }
        touched.append({szStruct, nLine});
    };
    for (const clsRegFile::Value& value : values) {
        if (value.szSection == kIndex) {
            if (value.szKey != value.szValue)
                return {value.nLine, u"フォーマット一覧のキー "_s + value.szKey + u" と値 "_s +
                                         value.szValue + u" が違います。"_s};
            if (const clsFormatRules::Failure name = clsFormatRules::CheckStructName(value.szValue))
                return {value.nLine, u"構造体名 ["_s + value.szValue + u"]: "_s + name.szMessage};
            touch(value.szValue, value.nLine);
        } else if (!IsProgramSection(value.szSection)) {
            if (!indexed.contains(value.szSection))
                return {value.nLine, u"セクション "_s + value.szSection +
                                         u" はフォーマット一覧に登録されていません。"_s};
            touch(value.szSection, value.nLine);
        }
    }
    for (const auto& [name, line] : touched) {
        try {
            const std::unique_ptr<clsFormat> format = clsFormats::ReadFormat(after, name);
            if (const clsFormatRules::Failure rule = clsFormatRules::CheckRegistrable(*format)) {
                const QString where =
                    rule.nRow > 0 ? QString::number(rule.nRow) + u"番目のメンバ: "_s : QString();
                return {line, u"フォーマット "_s + name + u": "_s + where + rule.szMessage};
            }
        } catch (const clsFormatLoadError& error) {
            return {line, QString::fromUtf8(error.what())};
        }
    }
    return {};
}

bool clsFormatImporter::Import(const QList<clsRegFile::Value>& values, clsSettingsStore& store)
{
    if (!clsRegFile::Import(values, store))
        return false;
    const bool registers = std::any_of(values.begin(), values.end(),
                                       [](const auto& value) { return value.szSection == kIndex; });
    // Recent files name formats by position, which a new format shifts.
    if (registers)
        store.DeleteSection(AppTitle(), u"RecentFile"_s);
    return true;
}

bool clsFormatImporter::ImportFile(const QString& szPath, clsSettingsStore& store,
                                   QList<clsRegFile::Value>& values, QString& szError)
{
    const clsRegFile::Result read = clsRegFile::ReadFile(szPath);
    const auto fail = [&szError, &szPath](int nLine, const QString& szReason) {
        szError =
            szPath + u':' + (nLine > 0 ? QString::number(nLine) + u": "_s : u" "_s) + szReason;
        return false;
    };
    if (!read.szError.isEmpty())
        return fail(read.nErrorLine, read.szError);
    if (const Refusal refusal = Check(read.values, store))
        return fail(refusal.nLine, refusal.szReason);
    if (!Import(read.values, store))
        return fail(0, store.LastError());
    values = read.values;
    return true;
}
