// Code tables of the format vocabulary.
#include "clsFormatInfo.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

struct TypeInfo
{
    const char16_t* vbName;
    const char16_t* cName;
    const char16_t* japaneseName;
    int textWidth;
    int binarySize;
    int maximum;
};

// Indexed by data-type code - 1.
constexpr std::array<TypeInfo, 5> kTypes = {{
    {u"Integer", u"short", u"16bit整数", 6, 2, 32767},
    {u"Long", u"long", u"32bit整数", 11, 4, 2147483647},
    {u"Single", u"float", u"32bit浮動小数", 8, 4, 0},
    {u"Double", u"double", u"64bit浮動小数", 16, 8, 0},
    {u"String", u"char", u"文字列", 255, 255, 0},
}};

const TypeInfo* FindType(int lnType)
{
    return lnType >= 1 && lnType <= 5 ? &kTypes[static_cast<size_t>(lnType - 1)] : nullptr;
}

constexpr std::array<const char16_t*, 3> kFileTypeNames = {u"可変長テキスト", u"固定長テキスト",
                                                           u"バイナリ"};
constexpr std::array<const char16_t*, 4> kCharSetNames = {u"Shift-JIS", u"JIS", u"EUC",
                                                          u"UTF-8"};

} // namespace

QString clsFormatInfo::GetFileTypeName(int lnType) const
{
    if (lnType < 1 || lnType > 3)
        return u"Error!!!"_s;
    return QString::fromUtf16(kFileTypeNames[static_cast<size_t>(lnType - 1)]);
}

int clsFormatInfo::GetFileType(const QString& szType) const
{
    for (size_t i = 0; i < kFileTypeNames.size(); ++i) {
        if (szType == QString::fromUtf16(kFileTypeNames[i]))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int clsFormatInfo::GetType(const QString& szName) const
{
    const QString name = szName.trimmed();
    if (name == u"int"_s)
        return 2;
    for (size_t i = 0; i < kTypes.size(); ++i) {
        const TypeInfo& type = kTypes[i];
        if (name == QString::fromUtf16(type.vbName) || name == QString::fromUtf16(type.cName) ||
            name == QString::fromUtf16(type.japaneseName))
            return static_cast<int>(i) + 1;
    }
    return 5;
}

QString clsFormatInfo::GetTypeName(int lnLang, int lnType) const
{
    if (lnLang < 1 || lnLang > 3)
        return {};
    const TypeInfo* type = FindType(lnType);
    if (!type)
        return u"Error!!!"_s;
    switch (lnLang) {
    case 1:
        return QString::fromUtf16(type->vbName);
    case 2:
        return QString::fromUtf16(type->cName);
    default:
        return QString::fromUtf16(type->japaneseName);
    }
}

int clsFormatInfo::GetTypeLen(int lnType) const
{
    const TypeInfo* type = FindType(lnType);
    return type ? type->textWidth : 0;
}

int clsFormatInfo::GetTypeLenB(int lnType) const
{
    const TypeInfo* type = FindType(lnType);
    return type ? type->binarySize : 255;
}

int clsFormatInfo::GetTypeMax(int lnType) const
{
    const TypeInfo* type = FindType(lnType);
    return type ? type->maximum : 0;
}

bool clsFormatInfo::IsSupportTypeName(const QString& szType) const
{
    if (szType == u"int"_s)
        return true;
    for (const TypeInfo& type : kTypes) {
        if (szType == QString::fromUtf16(type.vbName) || szType == QString::fromUtf16(type.cName) ||
            szType == QString::fromUtf16(type.japaneseName))
            return true;
    }
    return false;
}

bool clsFormatInfo::IsSupportDelimiter(const QString& szDelimiter) const
{
    return szDelimiter == u"\t"_s || szDelimiter == u" "_s || szDelimiter == u","_s ||
           szDelimiter == u"スペース"_s || szDelimiter == u"タブ"_s || szDelimiter == u"カンマ"_s;
}

QString clsFormatInfo::GetStuffName(int lnStuff) const
{
    switch (lnStuff) {
    case 1:
        return u"右詰め"_s;
    case 2:
        return u"左詰め"_s;
    default:
        return u"不定"_s;
    }
}

int clsFormatInfo::GetStuff(const QString& szStuff) const
{
    return szStuff == u"右詰め"_s ? 1 : 2;
}

QString clsFormatInfo::GetChrByName(const QString& szName) const
{
    const QString name = szName.trimmed();
    if (name == u"space"_s || name == u"スペース"_s)
        return u" "_s;
    if (name == u"tab"_s || name == u"タブ"_s)
        return u"\t"_s;
    if (name == u"comma"_s || name == u"カンマ"_s)
        return u","_s;
    if (name == u"ゼロ"_s)
        return u"0"_s;
    return name.left(1);
}

QString clsFormatInfo::GetNameByChr(const QString& szChr) const
{
    if (szChr == u" "_s)
        return u"スペース"_s;
    if (szChr == u"\t"_s)
        return u"タブ"_s;
    if (szChr == u","_s)
        return u"カンマ"_s;
    if (szChr == u"0"_s)
        return u"ゼロ"_s;
    return szChr;
}

QString clsFormatInfo::GetBoolStr(int lnFlag) const
{
    return lnFlag == 1 ? u"する"_s : u"しない"_s;
}

int clsFormatInfo::GetBool(const QString& szFlag) const
{
    return szFlag == u"する"_s ? 1 : 0;
}

QString clsFormatInfo::GetCharSetAsName(int lnCharSet) const
{
    if (lnCharSet < 1 || lnCharSet > 4)
        return {};
    return QString::fromUtf16(kCharSetNames[static_cast<size_t>(lnCharSet - 1)]);
}

int clsFormatInfo::GetCharSet(const QString& szCharSet) const
{
    if (szCharSet.contains(u"Shift"_s))
        return 1;
    if (szCharSet.contains(u"JIS"_s))
        return 2;
    if (szCharSet.contains(u"EUC"_s))
        return 3;
    return 4;
}

QString clsFormatInfo::GetCRLFValue(int lnCRLF) const
{
    switch (lnCRLF) {
    case 1:
        return u"\r\n"_s;
    case 2:
        return u"\r"_s;
    case 3:
        return u"\n"_s;
    default:
        return {};
    }
}

int clsFormatInfo::GetCRLF(const QString& szCRLF) const
{
    if (szCRLF == u"\r\n"_s)
        return 1;
    if (szCRLF == u"\r"_s)
        return 2;
    return 3;
}

QString clsFormatInfo::GetCRLFAsName(int lnCRLF) const
{
    switch (lnCRLF) {
    case 1:
        return u"CRLF"_s;
    case 2:
        return u"CR"_s;
    case 3:
        return u"LF"_s;
    default:
        return {};
    }
}

const clsFormatInfo& gFormatInfo()
{
    static const clsFormatInfo instance;
    return instance;
}
