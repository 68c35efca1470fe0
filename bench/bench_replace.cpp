// Benchmark of replacing all matching cells of a million-cell document window.
#include "BenchData.h"
#include "clsDocument.h"
#include "clsFindEngine.h"
#include "clsQuietHost.h"
#include "frmCsv.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace benchdata;

namespace {

constexpr double kGoalSeconds = 2.0;
// Rows of all eight members make a million cells.
constexpr int kRows = 1000000 / kFieldCount;

clsRecords Records()
{
    clsRecords records;
    records.Reserve(kRows);
    for (int index = 1; index <= kRows; ++index) {
        for (const QByteArray& field : RecordFields(index))
            records.AddCell(field);
        records.EndRow();
    }
    return records;
}

// Runs one replacement over every column of a fresh copy of the records; false when its
// undo does not bring the first cell back.
bool RunCase(frmCsv& frm, const char* szName, const clsFindOptions& options)
{
    clsDocument& document = frm.Document();
    document.ReplaceRecords(Records());
    const QString before = document.Text(1, 2);
    clsFindEngine engine(document);
    if (!engine.SetOptions(options))
        return false;
    QElapsedTimer clock;
    clock.start();
    const int count = engine.ReplaceAll();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    clock.restart();
    document.UndoStack().undo();
    const double undoSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    std::printf("%-28s %8d of %d cells | replace all %6.3f s (goal %.1f s: %s) | undo %6.3f s\n",
                szName, count, kRows * kFieldCount, seconds, kGoalSeconds,
                seconds < kGoalSeconds ? "met" : "MISSED", undoSeconds);
    return document.Text(1, 2) == before && seconds < kGoalSeconds;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AddFormat(1);
    clsQuietHost host;
    frmCsv frm(host);
    frm.LoadData(0, 0);

    clsFindOptions options;
    options.columns = kFieldCount;
    options.allColumns = true;
    options.partial = true;
    options.replacement = u"X"_s;
    int failures = 0;
    // The empty key matches every cell: each one is replaced whole.
    failures += RunCase(frm, "every cell, whole", options) ? 0 : 1;
    options.key = u"田"_s;
    options.replacePart = true;
    options.replacement = u"畑"_s;
    failures += RunCase(frm, "wildcard, matching part", options) ? 0 : 1;
    options.key = u"[0-9]+"_s;
    options.regex = true;
    options.replacement = u"<\\0>"_s;
    failures += RunCase(frm, "regular expression, part", options) ? 0 : 1;
    return failures;
}
