// Format selection, cell changes and loading of a document.
#include "clsDocument.h"

#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsRecordWriter.h"

using namespace Qt::Literals::StringLiterals;

bool clsDocument::SetMode(int aMode)
{
    if (aMode < 1 || aMode > gFormats().Count()) {
        gMsgBox().Critical(u"Modeプロパティに不正な値が代入されました。処理を終了します。"_s,
                           AppTitle());
        return false;
    }
    mode = aMode;
    formatName = gFormats().Format(aMode)->FormatName;
    return true;
}

const clsFormat* clsDocument::Format() const
{
    return mode >= 1 && mode <= gFormats().Count() ? gFormats().Format(mode) : nullptr;
}

void clsDocument::SetCellText(int lnRow, int lnCol, const QString& szText)
{
    records.SetText(lnRow, lnCol, szText);
    records.SetMarked(lnRow, true);
    dirty = true;
    empty = false;
}

void clsDocument::Clear(int lnRows)
{
    records = clsRecords();
    records.SetRowCount(lnRows);
    headerBytes.clear();
    if (const clsFormat* format = Format()) {
        charSet = format->CharSet;
        lineEnd = gFormatInfo().GetCRLF(format->CRLF);
    }
    dirty = false;
    empty = true;
}

clsReadResult clsDocument::Load(int lnCharSet, int lnCRLF,
                                const clsRecordReader::Progress& progress)
{
    const clsFormat* format = Format();
    if (!format)
        return {};
    charSet = lnCharSet >= 1 ? lnCharSet : format->CharSet;
    lineEnd = lnCRLF >= 1 ? lnCRLF : gFormatInfo().GetCRLF(format->CRLF);
    // The old records go first: a large file should not have to share memory with them.
    records = clsRecords();
    clsReadResult result = clsRecordReader(*format, records, progress).ReadRecords(file, charSet);
    if (result.lnCRLF >= 0)
        lineEnd = result.lnCRLF;
    headerBytes = result.szHeaderBytes;
    dirty = false;
    empty = false;
    return result;
}

bool clsDocument::Save(const QString& szPath, int lnCharSet, int lnCRLF,
                       const clsRecordReader::Progress& progress)
{
    const clsFormat* format = Format();
    if (!format)
        return false;
    const int newCharSet = lnCharSet >= 1 ? lnCharSet : format->CharSet;
    const int newLineEnd = lnCRLF >= 1 ? lnCRLF : gFormatInfo().GetCRLF(format->CRLF);
    QByteArray header = headerBytes;
    if (!clsRecordWriter(*format, records, progress)
             .WriteRecords(szPath, newCharSet, newLineEnd, header))
        return false;
    file = szPath;
    charSet = newCharSet;
    lineEnd = newLineEnd;
    headerBytes = header;
    records.ClearMarks();
    dirty = false;
    return true;
}
