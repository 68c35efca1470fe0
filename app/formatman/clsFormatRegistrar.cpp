// Store writes and deletions of the format manager, and the registry file of a format.
#include "clsFormatRegistrar.h"

#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsMessenger.h"
#include "clsOutputFile.h"
#include "clsSettingsStore.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kIndex = u"Formats"_s;
const QString kRecent = u"RecentFile"_s;

QString Flag(int nFlag)
{
    return nFlag == 1 ? u"1"_s : u"0"_s;
}

} // namespace

QList<clsRegFile::Value> clsFormatRegistrar::StoreValues(const clsFormat& format)
{
    const QString& sn = format.StructName;
    QList<clsRegFile::Value> values = {
        {kIndex, sn, sn},
        {sn, u"CntMember"_s, QString::number(format.MemCount())},
        {sn, u"FormatName"_s, format.FormatName},
        {sn, u"FileType"_s,
         QString::number(format.FileType) + u',' + QString::number(format.CharSet) + u',' +
             format.CRLF},
        {sn, u"QuoteString"_s, format.SepChr},
        {sn, u"SkipHeader"_s, QString::number(format.BytesSkipHeader)},
        {sn, u"DblQuote"_s,
         Flag(format.EscInput) + Flag(format.EscOutput) + Flag(format.CareQuote)},
    };
    for (int n = 1; n <= format.MemCount(); ++n) {
        const clsMember& member = *format.Members(n);
        const QString number = QString::number(n);
        values.append({sn, u"MemNameType_"_s + number,
                       member.MemName + u',' + QString::number(member.MemType)});
        values.append(
            {sn, u"MemLen_"_s + number, QString::number(member.MemLen) + u',' + member.BlankChr});
        values.append({sn, u"MemStuff_"_s + number, QString::number(member.Stuff)});
        values.append({sn, u"MemComment_"_s + number, member.Comment});
        values.append({sn, u"MemOut_"_s + number, QString::number(member.ConvOut)});
    }
    return values;
}

bool clsFormatRegistrar::IsRegistered(const clsSettingsStore& store, const QString& szStruct)
{
    return !store.Get(AppTitle(), kIndex, szStruct).isEmpty();
}

bool clsFormatRegistrar::Regist(clsSettingsStore& store, const clsFormat& format, bool bOverwrite)
{
    if (bOverwrite) {
        // A failure here shows up as a failed write below, if at all.
        store.DeleteKey(AppTitle(), kIndex, format.StructName);
        store.DeleteSection(AppTitle(), format.StructName);
    }
    store.BeginUpdate();
    bool written = true;
    for (const clsRegFile::Value& value : StoreValues(format))
        written = written && store.Save(AppTitle(), value.szSection, value.szKey, value.szValue);
    written = store.EndUpdate() && written;
    if (!written)
        return false;
    store.DeleteSection(AppTitle(), kRecent);
    return true;
}

bool clsFormatRegistrar::DeleteFromStore(clsSettingsStore& store, const QString& szStruct)
{
    const bool keyDeleted = store.DeleteKey(AppTitle(), kIndex, szStruct);
    const bool sectionDeleted = store.DeleteSection(AppTitle(), szStruct);
    if (!keyDeleted || !sectionDeleted)
        return false;
    store.DeleteSection(AppTitle(), kRecent);
    return true;
}

QByteArray clsFormatRegistrar::RegFileText(const clsFormat& format)
{
    // The file is written member by member starting with the first, so a format without
    // members leaves it empty.
    if (format.MemCount() == 0)
        return {};
    const QList<clsRegFile::Value> values = StoreValues(format);
    QString text = u"REGEDIT4\r\n\r\n"_s + clsRegFile::SectionLine(kIndex) + u"\r\n\r\n"_s +
                   clsRegFile::ValueLine(values[0].szKey, values[0].szValue) + u"\r\n\r\n"_s +
                   clsRegFile::SectionLine(format.StructName) + u"\r\n"_s;
    for (qsizetype i = 1; i < values.size(); ++i)
        text += clsRegFile::ValueLine(values[i].szKey, values[i].szValue) + u"\r\n"_s;
    return clsCodePage::ToSjis(text);
}

bool clsFormatRegistrar::WriteRegFile(const clsFormat& format, const QString& szPath,
                                      QString& szReason)
{
    const QByteArray text = RegFileText(format);
    clsOutputFile file(szPath);
    const bool written =
        file.Open() && file.WriteBytes(text.constData(), text.size()) && file.Close();
    szReason = written ? QString() : file.Reason();
    return written;
}
