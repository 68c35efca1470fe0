// The export writers: the record texts of each layout and their way through the output stage.
#include "clsExporter.h"

#include "Module1.h"
#include "clsCodePage.h"
#include "clsColumnLayout.h"
#include "clsDocument.h"
#include "clsFormat.h"
#include "clsFormatInfo.h"
#include "clsOutputFile.h"

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// The full-width space stands for an empty cell, so that no table cell collapses.
const QByteArray kEmptyCell = QByteArrayLiteral("\x81\x40");

// What the writers need of the document, read once.
class clsExportJob
{
public:
    clsExportJob(const clsDocument& document, int lnCharSet, int lnCRLF)
        : doc(document), format(*document.Format())
    {
        charSet = lnCharSet != 0 ? lnCharSet : format.CharSet;
        lineEnd =
            clsCodePage::ToSjis(lnCRLF != 0 ? gFormatInfo().GetCRLFValue(lnCRLF) : format.CRLF);
        for (int col = 1; col <= format.MemCount(); ++col) {
            const clsMember& member = *format.Members(col);
            if (member.ConvOut == 1)
                columns.push_back({col, member.MemType == 5,
                                   clsCodePage::ToSjis(clsColumnLayout::HeaderText(member, col)),
                                   clsCodePage::ToSjis(member.Comment)});
        }
    }

    bool Run(clsExporter::Kind kind, const QString& szPath, QString& szReason)
    {
        clsOutputFile output(szPath);
        bool ok = output.Open();
        switch (kind) {
        case clsExporter::Csv:
            for (int row = 1; ok && row <= doc.RowCount(); ++row) {
                const QByteArray line = CsvLine(row);
                if (!line.isEmpty())
                    ok = output.WriteText(line.constData(), charSet);
            }
            break;
        case clsExporter::Html:
            for (int row = 0; ok && row <= doc.RowCount(); ++row)
                ok = output.WriteText(
                    ((row == 0 ? HtmlPreamble() : QByteArray()) + HtmlRow(row)).constData(),
                    charSet);
            if (ok)
                ok = output.WriteText(Lines({"</TABLE>", "</BODY>", "</HTML>"}).constData(),
                                      charSet);
            break;
        case clsExporter::Xml:
            ok = ok && output.WriteText(XmlPreamble().constData(), charSet);
            for (int row = 1; ok && row <= doc.RowCount(); ++row)
                ok = output.WriteText(XmlRecord(row).constData(), charSet);
            if (ok)
                ok = output.WriteText(
                    ("</" + clsCodePage::ToSjis(format.FormatName) + ">" + lineEnd).constData(),
                    charSet);
            break;
        }
        if (ok && output.Close())
            return true;
        szReason = output.Reason();
        return false;
    }

private:
    struct clsColumn
    {
        int col;
        bool bString;
        QByteArray header;
        QByteArray element;
    };

    QByteArray Cell(int lnRow, const clsColumn& column) const
    {
        return lnRow == 0 ? column.header : doc.Records().Cell(lnRow, column.col).toByteArray();
    }

    QByteArray Lines(std::initializer_list<const char*> lines) const
    {
        QByteArray text;
        for (const char* line : lines)
            text += line + lineEnd;
        return text;
    }

    QByteArray CsvLine(int lnRow) const
    {
        QByteArray line;
        for (const clsColumn& column : columns) {
            const QByteArrayView cell = doc.Records().Cell(lnRow, column.col);
            line += column.bString ? clsExporter::Quote(cell) : cell.toByteArray();
            line += ',';
        }
        if (line.isEmpty())
            return line;
        line.chop(1);
        return line + lineEnd;
    }

    QByteArray HtmlPreamble() const
    {
        return "<!DOCTYPE HTML PUBLIC \"//W3C//DTD HTML3.2Final//EN\" > " + lineEnd + "<HTML>" +
               lineEnd + "<HEAD>" + lineEnd + "<TITLE>" + clsCodePage::ToSjis(format.FormatName) +
               "</TITLE>" + lineEnd + Lines({"</HEAD>", "<BODY>", "<TABLE BORDER=\"1\">"});
    }

    QByteArray HtmlRow(int lnRow) const
    {
        QByteArray text = "\t<TR>" + lineEnd;
        for (const clsColumn& column : columns) {
            QByteArray cell = Cell(lnRow, column);
            cell = clsExporter::Escape(cell.isEmpty() ? kEmptyCell : cell);
            if (lnRow == 0)
                cell = "<B>" + cell + "</B>";
            text += "\t\t<TD>" + lineEnd + "\t\t\t" + cell + lineEnd + "\t\t</TD>" + lineEnd;
        }
        return text + "\t</TR>" + lineEnd;
    }

    QByteArray XmlPreamble() const
    {
        const QByteArray formatName = clsCodePage::ToSjis(format.FormatName);
        const QString sheet = Module1::GetFileName(Module1::ChangeExt(doc.szFileName(), u"xsl"_s));
        QByteArray text = "<?xml version=\"1.0\" encoding=\"" +
                          clsCodePage::ToSjis(gFormatInfo().GetCharSetAsName(charSet)) + "\"?>" +
                          lineEnd + "<?xml-stylesheet type=\"text/xsl\" href=\"./" +
                          clsCodePage::ToSjis(sheet) + "\"?>" + lineEnd + "<" + formatName + ">" +
                          lineEnd + "\t<_TITLE>" + formatName + "</_TITLE>" + lineEnd + "<_HEAD>" +
                          lineEnd;
        for (const clsColumn& column : columns)
            text += "\t<COL NO=\"" + QByteArray::number(column.col) + "\">" + column.header +
                    "</COL>" + lineEnd;
        return text + "</_HEAD>" + lineEnd;
    }

    QByteArray XmlRecord(int lnRow) const
    {
        const QByteArray name = clsCodePage::ToSjis(format.StructName);
        QByteArray text = "<_" + name + ">" + lineEnd;
        for (const clsColumn& column : columns) {
            const QByteArray cell = Cell(lnRow, column);
            text += "\t\t<" + column.element + ">" +
                    clsExporter::Escape(cell.isEmpty() ? kEmptyCell : cell) + "</" +
                    column.element + ">" + lineEnd;
        }
        return text + "</_" + name + ">" + lineEnd;
    }

    const clsDocument& doc;
    const clsFormat& format;
    int charSet = 1;
    QByteArray lineEnd;
    std::vector<clsColumn> columns;
};

} // namespace

bool clsExporter::Write(const clsDocument& document, Kind kind, const QString& szPath,
                        int lnCharSet, int lnCRLF, QString& szReason)
{
    if (!document.Format()) {
        szReason = szPath + u": フォーマットが選択されていません。"_s;
        return false;
    }
    return clsExportJob(document, lnCharSet, lnCRLF).Run(kind, szPath, szReason);
}

QString clsExporter::DoneText(Kind kind)
{
    switch (kind) {
    case Csv:
        return u"ＣＳＶファイルの出力が完了しました。"_s;
    case Html:
        return u"ＨＴＭＬファイルの出力が完了しました。"_s;
    case Xml:
        break;
    }
    return u"ＸＭＬファイルの出力が完了しました。"_s;
}

QByteArray clsExporter::Escape(QByteArrayView text)
{
    QByteArray escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QByteArray clsExporter::Quote(QByteArrayView text)
{
    QByteArray quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}
