// The checks of member rows, structure names, loaded and registrable formats.
#include "clsFormatRules.h"

#include "Module1.h"
#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"
#include "clsMessenger.h"
#include "clsSettingsStore.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNameChars = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_"_s;

clsFormatRules::Failure Fail(int nRow, int nCol, const QString& szMessage)
{
    return {nRow, nCol, szMessage};
}

// What a decimal number conversion accepts: optional sign, digits, decimal point, exponent.
bool IsDecimal(const QString& szText)
{
    static const QRegularExpression number(
        u"^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"_s);
    return number.match(szText).hasMatch();
}

QString Row(int n)
{
    return QString::number(n) + u"番目のメンバ"_s;
}

} // namespace

clsFormatRules::Failure clsFormatRules::CheckMembers(const QList<MemberCells>& rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int nRow = static_cast<int>(i) + 1;
        const QString& name = rows[i].szName;
        if (clsCodePage::SjisLength(name) > name.size())
            return Fail(nRow, NameColumn, u"メンバ名に全角文字は使用できません。"_s);
        // The store keeps a name and its type as "name,type".
        if (name.contains(u','))
            return Fail(nRow, NameColumn, u"メンバ名に「,」は使用できません。"_s);
        const QString len = rows[i].szLen;
        const double value = len.trimmed().toDouble();
        if (!IsDecimal(len) || len.contains(u'+') || len.contains(u'.') || len.contains(u'-') ||
            value < 1 || value > static_cast<double>(kMaxFileBytes))
            return Fail(nRow, LenColumn, u"整数値を入力してください。"_s);
    }
    return {};
}

clsFormatRules::Failure clsFormatRules::CheckDupNames(const QStringList& names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype j = 0; j < names.size(); ++j) {
            if (j != i && Module1::Trim(names[i]) == Module1::Trim(names[j])) {
                return Fail(static_cast<int>(j) + 1, NameColumn,
                            QString::number(i + 1) + u"行目と"_s + QString::number(j + 1) +
                                u"行目のメンバ名が同じです。"_s);
            }
        }
    }
    return {};
}

clsFormatRules::Failure clsFormatRules::CheckStructName(const QString& szName)
{
    const QString trimmed = Module1::Trim(szName);
    if (trimmed.isEmpty())
        return Fail(0, NoColumn, u"構造体名を入力してください。"_s);
    // The characters come from the untrimmed start, so a leading space fails.
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (!kNameChars.contains(szName[i]))
            return Fail(0, NoColumn, u"構造体名は半角の数値とアルファベットを使用してください。"_s);
    }
    if (IsReservedSection(trimmed)) {
        return Fail(0, NoColumn,
                    u"構造体名に["_s + u"Formats"_s + u"],["_s + u"Option"_s + u"],["_s +
                        u"RecentFile"_s + u"]は使用できません（予約語）。"_s);
    }
    return {};
}

bool clsFormatRules::IsReservedSection(const QString& szName)
{
    // The store's sections are told apart without regard to case on Windows.
    for (const QString& reserved : {u"Formats"_s, u"Option"_s, u"RecentFile"_s}) {
        if (szName.compare(reserved, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

clsFormatRules::Failure clsFormatRules::CheckSection(const clsSettingsStore& store,
                                                     const QString& szStruct)
{
    if (const Failure name = CheckStructName(szStruct))
        return Fail(0, NoColumn, u"セクション名として使えません: "_s + name.szMessage);
    const QList<clsSettingsStore::Entry> keys = store.GetAll(AppTitle(), szStruct);
    if (keys.isEmpty())
        return Fail(0, NoColumn, u"セクションがありません。"_s);
    bool ok = false;
    const qint64 count =
        Module1::Trim(store.Get(AppTitle(), szStruct, u"CntMember"_s)).toLongLong(&ok);
    if (!ok)
        return {}; // the loader names the malformed value itself
    if (count < 0 || count > kMaxMembers)
        return Fail(0, NoColumn, u"CntMember が範囲外です ("_s + QString::number(count) + u")。"_s);
    for (qint64 n = 1; n <= count; ++n) {
        const QString key = u"MemNameType_"_s + QString::number(n);
        const bool present = std::any_of(keys.begin(), keys.end(),
                                         [&key](const auto& entry) { return entry.first == key; });
        if (!present) {
            return Fail(static_cast<int>(n), NoColumn,
                        u"CntMember は "_s + QString::number(count) + u" ですが "_s + key +
                            u" がありません。"_s);
        }
    }
    return {};
}

clsFormatRules::Failure clsFormatRules::CheckLoaded(const clsFormat& format)
{
    if (format.FileType < 1 || format.FileType > 3)
        return Fail(0, NoColumn,
                    u"ファイルタイプ "_s + QString::number(format.FileType) + u" は不正です。"_s);
    if (format.CharSet < 1 || format.CharSet > 4)
        return Fail(0, NoColumn,
                    u"文字コード "_s + QString::number(format.CharSet) + u" は不正です。"_s);
    if (format.CRLF != u"\r\n"_s && format.CRLF != u"\r"_s && format.CRLF != u"\n"_s)
        return Fail(0, NoColumn, u"改行コードが CR LF、CR、LF のどれでもありません。"_s);
    if (format.BytesSkipHeader < 0 || format.BytesSkipHeader > kMaxFileBytes)
        return Fail(0, NoColumn,
                    u"ヘッダのバイト数 "_s + QString::number(format.BytesSkipHeader) +
                        u" は範囲外です。"_s);
    qint64 record = format.BytesSkipHeader;
    for (int n = 1; n <= format.MemCount(); ++n) {
        const clsMember& member = *format.Members(n);
        if (member.MemType < 1 || member.MemType > 5)
            return Fail(n, TypeColumn,
                        Row(n) + u"のデータ型 "_s + QString::number(member.MemType) +
                            u" は不正です。"_s);
        if (member.MemLen < 1 || member.MemLen > kMaxFileBytes)
            return Fail(n, LenColumn,
                        Row(n) + u"の桁数 "_s + QString::number(member.MemLen) +
                            u" は範囲外です。"_s);
        record += member.MemType == 5 ? member.MemLen : gFormatInfo().GetTypeLenB(member.MemType);
        if (record > kMaxFileBytes)
            return Fail(n, LenColumn, u"ヘッダと 1 レコードの大きさがファイルの上限を超えます。"_s);
    }
    return {};
}

clsFormatRules::Failure clsFormatRules::CheckRegistrable(const clsFormat& format)
{
    if (const Failure name = CheckStructName(format.StructName))
        return name;
    if (const Failure loaded = CheckLoaded(format))
        return loaded;
    QList<MemberCells> rows;
    QStringList names;
    for (int n = 1; n <= format.MemCount(); ++n) {
        rows.append({format.Members(n)->MemName, QString::number(format.Members(n)->MemLen)});
        names.append(format.Members(n)->MemName);
    }
    if (const Failure members = CheckMembers(rows))
        return members;
    return CheckDupNames(names);
}
