// One member (field) of a record format.
#pragma once

#include <QString>

#include <memory>

// A member's width, type, padding and output flag, with text views of its codes.
class clsMember
{
public:
    int MemLen = 0;
    int MemLenB = 0;
    QString MemName;
    int MemType = 5;
    QString Comment;
    QString BlankChr = QStringLiteral(" ");
    int Stuff = 2;
    int ConvOut = 1;
    int ColWidth = 0;

    // lnLang: 1 VB names, 2 C names, 3 Japanese names.
    QString MemTypeAsString(int lnLang) const;
    void SetMemTypeAsString(const QString& szType);
    QString StuffAsString() const;
    void SetStuffAsString(const QString& szStuff);
    QString BlankChrAsString() const;
    void SetBlankChrAsString(const QString& szName);
    QString ConvOutAsString() const;
    void SetConvOutAsString(const QString& szFlag);

    std::unique_ptr<clsMember> Copy() const;
};
