// The batch conversion: a file read in one format and written in another, without windows.
#include "clsBatch.h"
#include "clsBatchOptions.h"
#include "clsCommandLine.h"
#include "clsConsoleMessenger.h"
#include "clsDocument.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsRecordReader.h"
#include "clsRecordWriter.h"
#include "clsRecords.h"

#include <QFileInfo>
#include <QTextStream>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Rows read before they are written and their memory is used again: few enough that a batch
// is still in the processor's cache when it is written.
constexpr int kBatchRows = 2048;

// Makes the console the message service while it lives, answering every question alike.
class clsConsoleScope
{
public:
    explicit clsConsoleScope(int nAnswer) : previous(&gMsgBox())
    {
        console.SetAnswer(nAnswer);
        SetMsgBox(&console);
    }
    ~clsConsoleScope() { SetMsgBox(previous); }
    clsConsoleScope(const clsConsoleScope&) = delete;
    clsConsoleScope& operator=(const clsConsoleScope&) = delete;

private:
    clsConsoleMessenger console;
    clsMessenger* previous;
};

// Whether the records can go from the reader to the writer batch by batch, never held whole.
// Text files are read from Skiff's text state while the byte stream writes; a binary source
// would need that stream itself. A device or pipe as the target would see the first batches
// of a read that fails later, where a whole load writes nothing at all.
bool Streams(const clsFormat& source, const clsFormat& target, const QString& szOutput)
{
    const QFileInfo info(szOutput);
    return source.FileType != clsFormat::BinaryFile && clsRecordWriter::Streams(target) &&
           (info.isFile() || !info.exists());
}

// The conversion with rows passed on in batches: the same boxes, files and result as a load
// followed by a save, in the same order. The rows written, or nothing when the read or the
// write failed (after its boxes) or the target could not even be opened (without a word: the
// whole load and save then say why).
std::optional<int> StreamConvert(const clsFormat& source, const clsFormat& target,
                                 const QString& szInput, const QString& szOutput,
                                 const clsBatchOptions& options, bool& bFailed)
{
    const int toCharSet = options.toCharSet >= 1 ? options.toCharSet : target.CharSet;
    const int toCRLF = options.toCRLF >= 1 ? options.toCRLF : gFormatInfo().GetCRLF(target.CRLF);
    clsRecords records;
    clsRecordWriter writer(target, records);
    if (!writer.Begin(szOutput, toCharSet, toCRLF))
        return std::nullopt;
    clsRecordReader reader(source, records);
    reader.SetRowSink([&](bool bEnd) { return writer.TakeRows(records, bEnd); }, kBatchRows);
    const int charSet = options.charSet >= 1 ? options.charSet : source.CharSet;
    bFailed = reader.ReadRecords(szInput, charSet).bFailed || !writer.Conclude();
    return writer.Appended();
}

} // namespace

int clsBatch::Convert(const QStringList& args, const clsSettingsStore& store, QTextStream& out,
                      QTextStream& err)
{
    const std::optional<clsBatchOptions> parsed = clsBatchOptions::Parse(args, 3);
    if (!parsed) {
        err << Usage();
        err.flush();
        return 2;
    }
    if (!LoadFormats(store, err))
        return 1;
    const QString& input = parsed->positional[1];
    const QString& output = parsed->positional[2];
    const QString toName = parsed->toFormat.isEmpty() ? parsed->positional[0] : parsed->toFormat;
    const int from = gFormats().GetIndexByName(parsed->positional[0]);
    const int to = gFormats().GetIndexByName(toName);
    if (from < 1 || to < 1) {
        err << clsCommandLine::UnknownFormatText(from < 1 ? parsed->positional[0] : toName)
            << u'\n';
        err.flush();
        return 2;
    }
    if (!QFileInfo(input).isFile()) {
        err << input << u": 指定のファイルが存在しません。\n"_s;
        err.flush();
        return 1;
    }

    // The mismatch question is answered as --continue says; everything else goes to stderr.
    const clsConsoleScope console(parsed->bContinue ? clsMessenger::Yes : clsMessenger::No);
    const clsFormat& source = *gFormats().Format(from);
    const clsFormat& target = *gFormats().Format(to);
    bool failed = false;
    std::optional<int> written;
    if (Streams(source, target, output))
        written = StreamConvert(source, target, input, output, *parsed, failed);
    if (!written) {
        clsDocument document;
        document.SetMode(from);
        document.SetFile(input);
        // As a file opened in a window: the line end of text files is found in the file.
        if (document.Load(parsed->charSet, 1).bFailed)
            return 1;
        document.SetMode(to);
        failed = !document.Save(output, parsed->toCharSet, parsed->toCRLF);
        written = document.Records().RowCount();
    }
    if (failed)
        return 1;
    out << output << u": "_s << *written << u" 件のレコードを書き込みました。\n"_s;
    out.flush();
    return 0;
}
