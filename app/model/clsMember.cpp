// Text views of a member's codes.
#include "clsMember.h"

#include "clsFormatInfo.h"

QString clsMember::MemTypeAsString(int lnLang) const
{
    return gFormatInfo().GetTypeName(lnLang, MemType);
}

void clsMember::SetMemTypeAsString(const QString& szType)
{
    MemType = gFormatInfo().GetType(szType);
}

QString clsMember::StuffAsString() const
{
    return gFormatInfo().GetStuffName(Stuff);
}

void clsMember::SetStuffAsString(const QString& szStuff)
{
    Stuff = gFormatInfo().GetStuff(szStuff);
}

QString clsMember::BlankChrAsString() const
{
    return gFormatInfo().GetNameByChr(BlankChr);
}

void clsMember::SetBlankChrAsString(const QString& szName)
{
    BlankChr = gFormatInfo().GetChrByName(szName).left(1);
}

QString clsMember::ConvOutAsString() const
{
    return gFormatInfo().GetBoolStr(ConvOut);
}

void clsMember::SetConvOutAsString(const QString& szFlag)
{
    ConvOut = gFormatInfo().GetBool(szFlag);
}

std::unique_ptr<clsMember> clsMember::Copy() const
{
    return std::make_unique<clsMember>(*this);
}
