// The stylesheet generator of a format.
#include "clsXslWriter.h"

#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"
#include "clsMessenger.h"
#include "clsOutputFile.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

QStringList clsXslWriter::Lines(const clsFormat& format, int lnCharSet)
{
    const int charSet = lnCharSet != 0 ? lnCharSet : format.CharSet;
    const QString& fn = format.FormatName;
    QStringList lines{
        u"<?xml version=\"1.0\" encoding=\""_s + gFormatInfo().GetCharSetAsName(charSet) +
            u"\" ?>"_s,
        u"<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/TR/WD-xsl\">"_s,
        u"<xsl:template match=\"/\">"_s,
        u"<HTML>"_s,
        u"<HEAD>"_s,
        u"<TITLE>"_s,
        u"<xsl:value-of select=\""_s + fn + u"/_TITLE\"/>"_s,
        u"</TITLE>"_s,
        u"</HEAD>"_s,
        u"<BODY>"_s,
        u"<TABLE BORDER=\"1\">"_s,
        u"\t<xsl:apply-templates/>"_s,
        u"</TABLE>"_s,
        u"</BODY>"_s,
        u"</HTML>"_s,
        u"</xsl:template>"_s,
        u"<xsl:template match=\"_HEAD\">"_s,
        u"<TR>"_s,
        u"<xsl:apply-templates/>"_s,
        u"</TR>"_s,
        u"</xsl:template>"_s,
        u"<xsl:template match=\"COL\">"_s,
        u"<TD><B><xsl:value-of select=\"text()\"/></B></TD>"_s,
        u"</xsl:template>"_s,
        u"<xsl:template match=\""_s + fn + u"\">"_s,
        u"\t<xsl:apply-templates/>"_s,
        u"</xsl:template>"_s,
        u"<xsl:template match=\"_"_s + format.StructName + u"\">"_s,
        u"<TR>"_s,
    };
    for (int i = 1; i <= format.MemCount(); ++i) {
        const clsMember* member = format.Members(i);
        if (member->ConvOut == 1)
            lines.append(u"<TD><xsl:value-of select=\"./"_s + member->Comment + u"\"/></TD>"_s);
    }
    lines << u"</TR>"_s << u"</xsl:template>"_s << u"</xsl:stylesheet>"_s;
    return lines;
}

QString clsXslWriter::Text(const clsFormat& format, int lnCharSet, int lnCRLF)
{
    const QString lineEnd = lnCRLF != 0 ? gFormatInfo().GetCRLFValue(lnCRLF) : format.CRLF;
    QString text;
    for (const QString& line : Lines(format, lnCharSet))
        text += line + lineEnd;
    return text;
}

bool clsXslWriter::Write(const clsFormat& format, const QString& szPath, int lnCharSet, int lnCRLF,
                         QString& szReason)
{
    const int charSet = lnCharSet != 0 ? lnCharSet : format.CharSet;
    const QByteArray bytes = clsCodePage::ToSjis(Text(format, charSet, lnCRLF));
    clsOutputFile output(szPath);
    if (output.Open() && output.WriteText(bytes.constData(), charSet) && output.Close())
        return true;
    szReason = output.Reason();
    return false;
}

bool clsXslWriter::WriteXSL(const clsFormat& format, const QString& szPath, int lnCharSet,
                            int lnCRLF)
{
    QString reason;
    if (!Write(format, szPath, lnCharSet, lnCRLF, reason)) {
        gMsgBox().Critical(FailureText(reason, szPath), AppTitle());
        return false;
    }
    gMsgBox().Information(u"ＸＭＬスタイルシートの出力が完了しました。"_s, AppTitle());
    return true;
}

QString clsXslWriter::FailureText(const QString& szReason, const QString& szPath)
{
    // The output stage names the file in front of the cause; the box names it below.
    const QString path = QDir::toNativeSeparators(szPath);
    const QString prefix = path + u": "_s;
    const QString cause = szReason.startsWith(prefix) ? szReason.mid(prefix.size()) : szReason;
    return cause + u"\r\n"_s + path;
}
