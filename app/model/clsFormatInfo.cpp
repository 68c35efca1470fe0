// Code tables of the format vocabulary.
#include "clsFormatInfo.h"

#include "clsCodePage.h"
#include "clsSkiff.h"

#include <algorithm>
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
constexpr std::array<const char16_t*, 4> kCharSetNames = {u"Shift-JIS", u"JIS", u"EUC", u"UTF-8"};

// Skiff's converter and length function for one pair of character sets.
struct Converter
{
    int (*length)(const char*);
    int (*convert)(const char*, char*);
};

// clang-format off
#define QUILLET_CONVERTER(name)                                                                    \
    {[](const char* src) { return skiff::name##Len(src); },                                        \
     [](const char* src, char* dst) { return skiff::name(src, dst); }}

// Indexed by [source code - 1][target code - 1]; equal codes need no converter.
const std::array<std::array<Converter, 4>, 4> kConverters = {{
    {{{}, QUILLET_CONVERTER(SJIStoJIS), QUILLET_CONVERTER(SJIStoEUC),
      QUILLET_CONVERTER(SJIStoUNICODE)}},
    {{QUILLET_CONVERTER(JIStoSJIS), {}, QUILLET_CONVERTER(JIStoEUC),
      QUILLET_CONVERTER(JIStoUNICODE)}},
    {{QUILLET_CONVERTER(EUCtoSJIS), QUILLET_CONVERTER(EUCtoJIS), {},
      QUILLET_CONVERTER(EUCtoUNICODE)}},
    {{QUILLET_CONVERTER(UNICODEtoSJIS), QUILLET_CONVERTER(UNICODEtoJIS),
      QUILLET_CONVERTER(UNICODEtoEUC), {}}},
}};
// clang-format on

#undef QUILLET_CONVERTER

bool IsCharSetCode(int lnCode)
{
    return lnCode >= 1 && lnCode <= 4;
}

QByteArray TextBytes(const QString& szText, int lnCharSet)
{
    return lnCharSet == 1 ? clsCodePage::ToSjis(szText) : szText.toLatin1();
}

QString BytesText(const QByteArray& bytes, int lnCharSet)
{
    return lnCharSet == 1 ? clsCodePage::FromSjis(bytes) : QString::fromLatin1(bytes);
}

const Converter& ConverterFor(int lnSrcType, int lnDstType)
{
    return kConverters[static_cast<size_t>(lnSrcType - 1)][static_cast<size_t>(lnDstType - 1)];
}

int ConvertedLength(const QByteArray& bytes, int lnSrcType, int lnDstType)
{
    if (lnSrcType == lnDstType)
        return static_cast<int>(bytes.size());
    // Skiff counts the terminator; the length of a text does not.
    return std::max(0, ConverterFor(lnSrcType, lnDstType).length(bytes.constData()) - 1);
}

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

int clsFormatInfo::GetConvLen(const QString& szSrc, int lnSrcType, int lnDstType) const
{
    if (!IsCharSetCode(lnSrcType) || !IsCharSetCode(lnDstType))
        return 0;
    return ConvertedLength(TextBytes(szSrc, lnSrcType), lnSrcType, lnDstType);
}

QString clsFormatInfo::Conv(const QString& szSrc, int lnSrcType, int lnDstType,
                            int& lnConvLen) const
{
    if (!IsCharSetCode(lnSrcType) || !IsCharSetCode(lnDstType)) {
        lnConvLen = 0;
        return u" "_s;
    }
    if (lnSrcType == lnDstType) {
        lnConvLen = GetConvLen(szSrc, lnSrcType, lnDstType);
        return szSrc;
    }
    const QByteArray bytes = TextBytes(szSrc, lnSrcType);
    lnConvLen = ConvertedLength(bytes, lnSrcType, lnDstType);
    QByteArray converted(lnConvLen + 1, ' ');
    const int written =
        ConverterFor(lnSrcType, lnDstType).convert(bytes.constData(), converted.data());
    converted.resize(std::clamp(written, 0, lnConvLen));
    return BytesText(converted, lnDstType);
}

const clsFormatInfo& gFormatInfo()
{
    static const clsFormatInfo instance;
    return instance;
}
