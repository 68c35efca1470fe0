// Benchmark of sorting a million records by a header click and of the unique list of a
// million values, next to the time the same records take to load.
#include "BenchData.h"
#include "clsDocument.h"
#include "clsFormats.h"
#include "clsMessenger.h"
#include "clsOptions.h"
#include "clsQuietHost.h"
#include "clsUniqueList.h"
#include "frmCsv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

using namespace benchdata;

// A main window whose sort mode is switched on, so header clicks sort.
class clsSortingHost : public clsQuietHost
{
public:
    bool SortMode() const override { return true; }
};

double Seconds(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

const char* Verdict(double seconds, double goal)
{
    return seconds < goal ? "met" : "MISSED";
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    WriteFiles(dir.path());
    AddFormat(1);
    clsOptions::Reset();

    clsSortingHost host;
    host.newFile = dir.filePath(FileName(1));
    host.newMode = 1;
    frmCsv frm(host);
    QElapsedTimer clock;
    clock.start();
    frm.LoadData(1, 0);
    const double load = Seconds(clock);
    const int rows = frm.Document().RowCount();

    // amount: a 64-bit float column; address: a string column with few equal keys.
    clock.restart();
    frm.HeaderClicked(6);
    const double numeric = Seconds(clock);
    clock.restart();
    frm.HeaderClicked(4);
    const double text = Seconds(clock);

    // One column of a million values, ten thousand of them distinct.
    clsDocument values;
    values.SetMode(1);
    clsRecords records;
    records.Reserve(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        records.AddCell("V" + QByteArray::number((i * 7919) % 10000));
        records.EndRow();
    }
    values.ReplaceRecords(std::move(records));
    clock.restart();
    const clsUniqueList list = clsUniqueList::Build(values, 1, true);
    const double unique = Seconds(clock);

    std::printf("bench_sort_unique: %d records loaded in %.3f s\n", rows, load);
    std::printf("  numeric sort (64-bit float column)  %.3f s  goal < 0.5 s  %s\n", numeric,
                Verdict(numeric, 0.5));
    std::printf("  string sort (address column)        %.3f s  goal < 1 s    %s\n", text,
                Verdict(text, 1.0));
    std::printf("  unique list, %d values, %zu distinct  %.3f s  goal < 0.5 s  %s\n", kRecords,
                list.Column(1).size(), unique, Verdict(unique, 0.5));
    return rows == kRecords && list.Column(1).size() == 10000 ? 0 : 1;
}
