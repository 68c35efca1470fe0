// Positions, insertion and removal, loading and sorting of the format store.
#include "clsFormats.h"

#include "Module1.h"
#include "clsFormatInfo.h"
#include "clsFormatRules.h"
#include "clsMessenger.h"
#include "clsSettingsStore.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct CollatorCloser
{
    void operator()(UCollator* collator) const { ucol_close(collator); }
};

// Reads the keys of one format section.
class clsFormatReader
{
public:
    clsFormatReader(const clsSettingsStore& settings, const QString& szStruct)
        : store(settings), szSection(szStruct)
    {}

    QString Text(const QString& szKey) const { return store.Get(AppTitle(), szSection, szKey); }

    // The value as a decimal number; a missing or malformed one stops the load.
    int Number(const QString& szKey, const QString& szText) const
    {
        bool ok = false;
        const int value = Module1::Trim(szText).toInt(&ok, 10);
        if (!ok)
            Fail(szKey);
        return value;
    }

    std::optional<int> OptionalNumber(const QString& szKey) const
    {
        bool ok = false;
        const int value = Module1::Trim(Text(szKey)).toInt(&ok, 10);
        return ok ? std::optional<int>(value) : std::nullopt;
    }

    // The text before and after the first ","; a value without one stops the load.
    QPair<QString, QString> Pair(const QString& szKey) const
    {
        const QString value = Text(szKey);
        const qsizetype comma = value.indexOf(u',');
        if (comma < 0)
            Fail(szKey);
        return {value.left(comma), value.mid(comma + 1)};
    }

    [[noreturn]] void Fail(const QString& szKey) const
    {
        throw clsFormatLoadError(
            (u"フォーマット "_s + szSection + u" の "_s + szKey + u" が不正です。"_s)
                .toStdString());
    }

private:
    const clsSettingsStore& store;
    QString szSection;
};

int FileTypeCode(const clsFormatReader& reader, const QString& szField)
{
    if (szField == u"可変長テキスト"_s)
        return 1;
    if (szField == u"固定長テキスト"_s)
        return 2;
    if (szField == u"バイナリ"_s)
        return 3;
    return reader.Number(u"FileType"_s, szField);
}

void ReadMember(const clsFormatReader& reader, int n, clsMember& member)
{
    const QString number = QString::number(n);
    const auto nameType = reader.Pair(u"MemNameType_"_s + number);
    member.MemName = nameType.first;
    member.MemType = reader.Number(u"MemNameType_"_s + number, nameType.second);
    const auto lenBlank = reader.Pair(u"MemLen_"_s + number);
    member.MemLen = reader.Number(u"MemLen_"_s + number, lenBlank.first);
    member.MemLenB =
        member.MemType == 5 ? member.MemLen : gFormatInfo().GetTypeLenB(member.MemType);
    member.BlankChr = lenBlank.second;
    const std::optional<int> stuff = reader.OptionalNumber(u"MemStuff_"_s + number);
    member.Stuff = stuff == 1 || stuff == 2 ? *stuff : 2;
    member.Comment = reader.Text(u"MemComment_"_s + number);
    member.ConvOut = reader.OptionalNumber(u"MemOut_"_s + number).value_or(member.ConvOut);
    member.ColWidth = reader.OptionalNumber(u"MemColInfo_"_s + number).value_or(member.ColWidth);
    member.ColWidth = std::max(member.ColWidth, 10);
}

} // namespace

std::unique_ptr<clsFormat> clsFormats::ReadFormat(const clsSettingsStore& store,
                                                  const QString& szStruct)
{
    // The section is checked before anything is sized by it.
    if (const clsFormatRules::Failure section = clsFormatRules::CheckSection(store, szStruct))
        throw clsFormatLoadError(
            (u"フォーマット "_s + szStruct + u": "_s + section.szMessage).toStdString());
    const clsFormatReader reader(store, szStruct);
    auto format = std::make_unique<clsFormat>();
    format->StructName = szStruct;
    format->FormatName = reader.Text(u"FormatName"_s);
    QStringList fields;
    const int nFields = Module1::SplitFields(fields, reader.Text(u"FileType"_s), u","_s);
    format->FileType = FileTypeCode(reader, fields[0]);
    if (nFields == 3) {
        format->CharSet = reader.Number(u"FileType"_s, fields[1]);
        format->CRLF = fields[2];
    }
    format->SepChr = reader.Text(u"QuoteString"_s);
    format->BytesSkipHeader = reader.Number(u"SkipHeader"_s, reader.Text(u"SkipHeader"_s));
    const QString flags = reader.Text(u"DblQuote"_s);
    format->EscInput = flags.size() > 0 && flags[0] == u'1' ? 1 : 0;
    format->EscOutput = flags.size() > 1 && flags[1] == u'1' ? 1 : 0;
    format->CareQuote = flags.size() > 2 && flags[2] == u'1' ? 1 : 0;
    const int nMembers = reader.Number(u"CntMember"_s, reader.Text(u"CntMember"_s));
    for (int n = 1; n <= nMembers; ++n)
        ReadMember(reader, n, *format->AddMember(nullptr, 0));
    if (const clsFormatRules::Failure loaded = clsFormatRules::CheckLoaded(*format))
        throw clsFormatLoadError(
            (u"フォーマット "_s + szStruct + u": "_s + loaded.szMessage).toStdString());
    return format;
}

clsFormat* clsFormats::Format(int lnIndex) const
{
    if (lnIndex < 1 || lnIndex > Count()) {
        gMsgBox().ProcError(u"不正なインデックスが指定されました。"_s, 1, u"clsFormats"_s,
                            u"Prop_Get_Format"_s);
        return nullptr;
    }
    return formats[static_cast<size_t>(lnIndex - 1)].get();
}

int clsFormats::GetIndexByName(const QString& szName) const
{
    const QString name = szName.trimmed();
    for (size_t i = 0; i < formats.size(); ++i) {
        if (formats[i]->StructName == name)
            return static_cast<int>(i) + 1;
    }
    return -1;
}

clsFormat* clsFormats::Add(std::unique_ptr<clsFormat> cFormat, int lnIndex)
{
    if (!cFormat)
        cFormat = std::make_unique<clsFormat>();
    clsFormat* added = cFormat.get();
    if (lnIndex < 1 || lnIndex > Count() + 1)
        formats.push_back(std::move(cFormat));
    else
        formats.insert(formats.begin() + (lnIndex - 1), std::move(cFormat));
    return added;
}

void clsFormats::Delete(int lnIndex)
{
    if (lnIndex < 1 || lnIndex > Count()) {
        gMsgBox().ProcError(u"不正なインデックスが指定されました。"_s, 1, u"clsFormats"_s,
                            u"Delete"_s);
        return;
    }
    formats.erase(formats.begin() + (lnIndex - 1));
}

std::unique_ptr<clsFormats> clsFormats::Copy() const
{
    auto copy = std::make_unique<clsFormats>();
    for (const auto& format : formats)
        copy->Add(format->Copy(), 0);
    return copy;
}

int clsFormats::CompareNames(const QString& a, const QString& b)
{
    // In the Japanese collation case, width and kana kind are third-level differences, so
    // the second level ignores them while accents and voicing marks (か/が) still count.
    static const std::unique_ptr<UCollator, CollatorCloser> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UCollator, CollatorCloser> opened(ucol_open("ja", &status));
        if (U_FAILURE(status))
            return std::unique_ptr<UCollator, CollatorCloser>();
        ucol_setStrength(opened.get(), UCOL_SECONDARY);
        ucol_setAttribute(opened.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        return opened;
    }();
    if (!collator)
        return QString::compare(a, b, Qt::CaseInsensitive);
    return ucol_strcoll(collator.get(), reinterpret_cast<const UChar*>(a.utf16()),
                        static_cast<int32_t>(a.size()), reinterpret_cast<const UChar*>(b.utf16()),
                        static_cast<int32_t>(b.size()));
}

bool clsFormats::ReadFromReg(const clsSettingsStore& store)
{
    Clear();
    const QList<clsSettingsStore::Entry> index = store.GetAll(AppTitle(), u"Formats"_s);
    if (index.isEmpty())
        return false;
    for (const auto& entry : index)
        Add(ReadFormat(store, entry.second), 0);
    Sort();
    return true;
}

void clsFormats::Sort()
{
    QSortFormat(formats, 1, Count());
}

void clsFormats::QSortFormat(std::vector<std::unique_ptr<clsFormat>>& list, int lnLow, int lnHigh)
{
    if (lnLow >= lnHigh)
        return;
    const auto name = [&list](int lnPos) -> const QString& {
        return list[static_cast<size_t>(lnPos - 1)]->FormatName;
    };
    const QString pivot = name((lnLow + lnHigh) / 2);
    int i = lnLow - 1;
    int j = lnHigh + 1;
    for (;;) {
        do
            ++i;
        while (CompareNames(name(i), pivot) < 0);
        do
            --j;
        while (CompareNames(pivot, name(j)) < 0);
        if (i >= j)
            break;
        std::swap(list[static_cast<size_t>(i - 1)], list[static_cast<size_t>(j - 1)]);
    }
    QSortFormat(list, lnLow, i - 1);
    QSortFormat(list, j + 1, lnHigh);
}

clsFormats& gFormats()
{
    static clsFormats instance;
    return instance;
}
