// Benchmark of saving a million records from a document window, next to loading them.
#include "BenchData.h"
#include "clsDocument.h"
#include "clsFormats.h"
#include "clsQuietHost.h"
#include "frmCsv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace benchdata;

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double Seconds(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

int RunCase(int fileType, const QString& path)
{
    for (int type = 1; type <= 3; ++type)
        AddFormat(type);
    const double fileMB = static_cast<double>(QFileInfo(path).size()) / 1e6;

    clsQuietHost host;
    host.newFile = path;
    host.newMode = fileType;
    frmCsv frm(host);
    QElapsedTimer clock;
    clock.start();
    frm.LoadData(1, 0);
    const double loadSeconds = Seconds(clock);

    host.newFile = path + u".saved"_s;
    clock.restart();
    const bool saved = frm.NamedAndSave(0, 0);
    const double saveSeconds = Seconds(clock);
    const bool same = saved && Contents(host.newFile) == Contents(path);

    const char* names[] = {"", "delimited", "fixed-length", "binary"};
    RankBy(saveSeconds);
    std::printf("%-12s %8.1f MB %9d rec | load %6.3f s %7.1f MB/s | save %6.3f s %7.1f MB/s "
                "(save/load %.2fx) | bytes %s\n",
                names[fileType], fileMB, frm.nCntData(), loadSeconds, fileMB / loadSeconds,
                saveSeconds, fileMB / saveSeconds, saveSeconds / loadSeconds,
                same ? "identical" : "DIFFER");
    return same && frm.nCntData() == kRecords ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunCases(argc, argv, "bench_save", RunCase);
}
