// Member list operations and derived values of a format.
#include "clsFormat.h"

#include "clsFormatInfo.h"
#include "clsMessenger.h"

using namespace Qt::Literals::StringLiterals;

clsMember* clsFormat::Members(int lnIndex) const
{
    if (lnIndex < 1 || lnIndex > MemCount()) {
        gMsgBox().ProcError(u"不正なインデックスが指定されました。"_s, 1, u"clsFormat"_s,
                            u"Prop_GetMembers"_s);
        return nullptr;
    }
    return members[static_cast<size_t>(lnIndex - 1)].get();
}

int clsFormat::RecLen() const
{
    int total = 0;
    for (const auto& member : members)
        total += member->MemLen;
    return total;
}

int clsFormat::RecLenB() const
{
    int total = 0;
    for (const auto& member : members)
        total += member->MemType == 5 ? member->MemLen : member->MemLenB;
    return total;
}

QString clsFormat::SepChrAsString() const
{
    return gFormatInfo().GetNameByChr(SepChr);
}

void clsFormat::SetSepChrAsString(const QString& szName)
{
    SepChr = gFormatInfo().GetChrByName(szName);
}

QString clsFormat::FileTypeAsString() const
{
    return gFormatInfo().GetFileTypeName(FileType);
}

void clsFormat::SetFileTypeAsString(const QString& szType)
{
    FileType = gFormatInfo().GetFileType(szType);
}

QString clsFormat::CharSetAsString() const
{
    return gFormatInfo().GetCharSetAsName(CharSet);
}

void clsFormat::SetCharSetAsString(const QString& szCharSet)
{
    CharSet = gFormatInfo().GetCharSet(szCharSet);
}

QString clsFormat::EscInputAsString() const
{
    return gFormatInfo().GetBoolStr(EscInput);
}

void clsFormat::SetEscInputAsString(const QString& szFlag)
{
    EscInput = gFormatInfo().GetBool(szFlag);
}

QString clsFormat::EscOutputAsString() const
{
    return gFormatInfo().GetBoolStr(EscOutput);
}

void clsFormat::SetEscOutputAsString(const QString& szFlag)
{
    EscOutput = gFormatInfo().GetBool(szFlag);
}

QString clsFormat::CareQuoteAsString() const
{
    return gFormatInfo().GetBoolStr(CareQuote);
}

void clsFormat::SetCareQuoteAsString(const QString& szFlag)
{
    CareQuote = gFormatInfo().GetBool(szFlag);
}

clsMember* clsFormat::AddMember(std::unique_ptr<clsMember> cMem, int lnIndex)
{
    if (!cMem)
        cMem = std::make_unique<clsMember>();
    clsMember* added = cMem.get();
    const int newCount = MemCount() + 1;
    if (lnIndex <= 0 || lnIndex > newCount)
        members.push_back(std::move(cMem));
    else
        members.insert(members.begin() + (lnIndex - 1), std::move(cMem));
    return added;
}

void clsFormat::DeleteMember(int lnIndex)
{
    if (lnIndex < 1 || lnIndex > MemCount()) {
        gMsgBox().ProcError(u"不正なインデックス"_s, 1, u"clsFormat"_s, u"DeleteMember"_s);
        return;
    }
    members.erase(members.begin() + (lnIndex - 1));
}

void clsFormat::Clear()
{
    members.clear();
}

std::unique_ptr<clsFormat> clsFormat::Copy() const
{
    auto copy = std::make_unique<clsFormat>();
    copy->FormatName = FormatName;
    copy->StructName = StructName;
    copy->FileType = FileType;
    copy->CharSet = CharSet;
    copy->CRLF = CRLF;
    copy->SepChr = SepChr;
    copy->BytesSkipHeader = BytesSkipHeader;
    copy->EscInput = EscInput;
    copy->EscOutput = EscOutput;
    copy->CareQuote = CareQuote;
    for (const auto& member : members)
        copy->AddMember(member->Copy(), 0);
    return copy;
}
