// One record format: file attributes and the ordered members.
#pragma once

#include "clsMember.h"

#include <QString>

#include <memory>
#include <vector>

// A format owns its members, addressed by 1-based position.
class clsFormat
{
public:
    // The stored FileType codes.
    enum FileTypeCode : int { DelimitedText = 1, FixedText = 2, BinaryFile = 3 };

    QString StructName;
    QString FormatName;
    int FileType = 1;
    int CharSet = 1;
    QString CRLF = QStringLiteral("\r\n");
    QString SepChr = QStringLiteral(",");
    int BytesSkipHeader = 0;
    int CareQuote = 1;
    int EscInput = 0;
    int EscOutput = 0;
    bool DelFlg = false;

    // The member at 1-based lnIndex; null (after an error box) outside 1..MemCount.
    clsMember* Members(int lnIndex) const;
    int MemCount() const { return static_cast<int>(members.size()); }
    int RecLen() const;
    int RecLenB() const;

    QString SepChrAsString() const;
    void SetSepChrAsString(const QString& szName);
    QString FileTypeAsString() const;
    void SetFileTypeAsString(const QString& szType);
    QString CharSetAsString() const;
    void SetCharSetAsString(const QString& szCharSet);
    QString EscInputAsString() const;
    void SetEscInputAsString(const QString& szFlag);
    QString EscOutputAsString() const;
    void SetEscOutputAsString(const QString& szFlag);
    QString CareQuoteAsString() const;
    void SetCareQuoteAsString(const QString& szFlag);

    // Takes cMem itself (a fresh member when null); lnIndex <= 0 or past the end appends,
    // otherwise inserts before the member at lnIndex. Returns the member added.
    clsMember* AddMember(std::unique_ptr<clsMember> cMem = nullptr, int lnIndex = 0);
    void DeleteMember(int lnIndex);
    void Clear();
    // A copy with copies of every member; DelFlg starts unmarked.
    std::unique_ptr<clsFormat> Copy() const;

private:
    std::vector<std::unique_ptr<clsMember>> members;
};
