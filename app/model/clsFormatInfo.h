// The vocabulary of format codes and their display names.
#pragma once

#include <QString>

// The one authority for file types, data types, justification, named characters, flags,
// character sets and line ends, and for converting single texts between character sets.
class clsFormatInfo
{
public:
    QString GetFileTypeName(int lnType) const;
    int GetFileType(const QString& szType) const;

    int GetType(const QString& szName) const;
    // lnLang: 1 VB names, 2 C names, 3 Japanese names.
    QString GetTypeName(int lnLang, int lnType) const;
    int GetTypeLen(int lnType) const;
    int GetTypeLenB(int lnType) const;
    int GetTypeMax(int lnType) const;
    bool IsSupportTypeName(const QString& szType) const;
    bool IsSupportDelimiter(const QString& szDelimiter) const;

    QString GetStuffName(int lnStuff) const;
    int GetStuff(const QString& szStuff) const;

    QString GetChrByName(const QString& szName) const;
    QString GetNameByChr(const QString& szChr) const;

    QString GetBoolStr(int lnFlag) const;
    int GetBool(const QString& szFlag) const;

    QString GetCharSetAsName(int lnCharSet) const;
    int GetCharSet(const QString& szCharSet) const;

    QString GetCRLFValue(int lnCRLF) const;
    int GetCRLF(const QString& szCRLF) const;
    QString GetCRLFAsName(int lnCRLF) const;

    // Conversion of single texts between character sets (codes 1-4) through Skiff. Shift-JIS
    // text is ordinary text; text in JIS, EUC-JP or UTF-8 is carried one byte per character
    // (Latin-1), both as source and as result.
    // Byte length of the converted text (no terminator); 0 when a code lies outside 1-4.
    int GetConvLen(const QString& szSrc, int lnSrcType, int lnDstType) const;
    // The converted text; lnConvLen receives GetConvLen. A code outside 1-4 gives one space.
    QString Conv(const QString& szSrc, int lnSrcType, int lnDstType, int& lnConvLen) const;
};

// The shared instance.
const clsFormatInfo& gFormatInfo();
