// The batch export: a file read in its format, written as CSV, HTML or XML.
#include "Module1.h"
#include "clsBatch.h"
#include "clsBatchOptions.h"
#include "clsCommandLine.h"
#include "clsConsoleMessenger.h"
#include "clsDocument.h"
#include "clsExporter.h"
#include "clsFormats.h"
#include "clsMessenger.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

int clsBatch::Export(const QStringList& args, const clsSettingsStore& store, QTextStream& out,
                     QTextStream& err)
{
    const QString kindName = args.value(0);
    const clsExporter::Kind kind = kindName == u"csv"_s    ? clsExporter::Csv
                                   : kindName == u"html"_s ? clsExporter::Html
                                                           : clsExporter::Xml;
    const std::optional<clsBatchOptions> parsed = clsBatchOptions::Parse(args.mid(1), 3);
    // A document is exported in its own format and stops at the first line that does not fit.
    if ((kindName != u"csv"_s && kindName != u"html"_s && kindName != u"xml"_s) || !parsed ||
        !parsed->toFormat.isEmpty() || parsed->bContinue) {
        err << Usage();
        err.flush();
        return 2;
    }
    if (!LoadFormats(store, err))
        return 1;
    const QString& input = parsed->positional[1];
    const QString& output = parsed->positional[2];
    const int mode = gFormats().GetIndexByName(parsed->positional[0]);
    if (mode < 1) {
        err << clsCommandLine::UnknownFormatText(parsed->positional[0]) << u'\n';
        err.flush();
        return 2;
    }
    if (!QFileInfo(input).isFile()) {
        err << input << u": 指定のファイルが存在しません。\n"_s;
        err.flush();
        return 1;
    }

    clsConsoleMessenger console;
    console.SetAnswer(clsMessenger::No);
    clsMessenger* previous = &gMsgBox();
    SetMsgBox(&console);
    const auto restore = qScopeGuard([previous] { SetMsgBox(previous); });
    clsDocument document;
    document.SetMode(mode);
    document.SetFile(input);
    // The stylesheet an XML export names follows the input's name, as in a window.
    document.SetFileName(Module1::GetFileName(input));
    if (document.Load(parsed->charSet, 1).bFailed)
        return 1;
    QString reason;
    if (!clsExporter::Write(document, kind, output, parsed->toCharSet, parsed->toCRLF, reason)) {
        err << reason << u'\n';
        err.flush();
        return 1;
    }
    out << output << u": "_s << document.RowCount() << u" 件のレコードを書き出しました。\n"_s;
    out.flush();
    return 0;
}
