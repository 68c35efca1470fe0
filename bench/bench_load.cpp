// Benchmark of loading a million records into a document window, next to Skiff's own read.
#include "BenchData.h"
#include "clsFormats.h"
#include "clsGridModel.h"
#include "clsGridView.h"
#include "clsMessenger.h"
#include "clsOptions.h"
#include "clsQuietHost.h"
#include "clsSkiff.h"
#include "frmCsv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

using namespace benchdata;

double ResidentBytes()
{
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.size() > 1 ? pages[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) : 0;
}

// Resident anonymous and file-backed bytes (libraries, fonts, data files), in MB.
std::pair<double, double> ResidentKinds()
{
    QFile status(u"/proc/self/status"_s);
    double anonymous = 0;
    double files = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() >= 2 && parts[0] == "RssAnon:")
                anonymous = parts[1].toDouble() * 1024 / 1e6;
            else if (parts.size() >= 2 && parts[0] == "RssFile:")
                files = parts[1].toDouble() * 1024 / 1e6;
        }
    }
    return {anonymous, files};
}

// Skiff alone: open the file and fetch every field the document would.
double SkiffSeconds(int fileType, const QByteArray& path)
{
    QElapsedTimer clock;
    clock.start();
    std::vector<char> buffer(2048);
    if (fileType == 3) {
        skiff::ReadBinIni(path.constData());
        while (skiff::GetEOF() == 0) {
            for (const Field& field : kFields) {
                const int width = field.binaryType == 2   ? 4
                                  : field.binaryType == 4 ? 8
                                                          : field.width;
                if (skiff::ReadBinString(buffer.data(), width) != 0)
                    break;
            }
        }
    } else {
        skiff::ReadTxtIni(path.constData(), ",", "\"", 1, fileType == 1 ? 1 : 0);
        const int rows = skiff::GetTxtRowCnt();
        for (int r = 1; r <= rows; ++r) {
            int offset = 0;
            for (int c = 1; c <= kFieldCount; ++c) {
                if (fileType == 1) {
                    skiff::GetTxtCol(buffer.data(), 2048, r, c, 1, 1);
                } else {
                    const int count = c == kFieldCount ? -1 : kFields[c - 1].width;
                    skiff::GetTxtLineLocConv(r, buffer.data(), offset, count, 2048, 1);
                    offset += kFields[c - 1].width;
                }
            }
        }
    }
    skiff::Terminate();
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// CPU time of the calling thread: on a busy machine the wall time says little about the
// work done, this says how much of it stayed on the loading thread.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// CPU time of the whole process, every thread together.
double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double Milliseconds(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

int RunCase(int fileType, const QString& path)
{
    for (int type = 1; type <= 3; ++type)
        AddFormat(type);
    clsOptions::Reset();
    gHeaderFlags[5] = 1;
    gEditFlags[2] = 1;
    gFontName = u"VL Gothic"_s;
    gFontSize = 10;
    const double fileBytes = static_cast<double>(QFileInfo(path).size());
    const double skiffSeconds = SkiffSeconds(fileType, clsSkiff::NativePath(path));

    clsQuietHost host;
    host.newFile = path;
    host.newMode = fileType;
    frmCsv frm(host);
    frm.resize(1000, 700);
    const auto kindsBefore = ResidentKinds();
    const double before = ResidentBytes();
    QElapsedTimer clock;
    const double threadBefore = ThreadSeconds();
    const double processBefore = ProcessSeconds();
    clock.start();
    frm.LoadData(1, 0);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const double threadCpu = ThreadSeconds() - threadBefore;
    const double processCpu = ProcessSeconds() - processBefore;
    const double after = ResidentBytes();
    const auto kindsAfter = ResidentKinds();

    // Scrolling: jump to the last record and back, painting the cells each time. The window
    // is laid out but drawn on no screen.
    frm.setAttribute(Qt::WA_DontShowOnScreen);
    frm.show();
    QImage image(frm.Grid().viewport()->size(), QImage::Format_ARGB32);
    clock.restart();
    frm.Grid().scrollToBottom();
    frm.Grid().viewport()->render(&image);
    const double bottomMs = Milliseconds(clock);
    clock.restart();
    frm.Grid().scrollToTop();
    frm.Grid().viewport()->render(&image);
    const double topMs = Milliseconds(clock);

    const char* names[] = {"", "delimited", "fixed-length", "binary"};
    const double goalSeconds = fileType == 1 ? 0.3 : 0.2;
    const double goalMemory = 1.3;
    const double rss = after / fileBytes;
    RankBy(seconds);
    std::printf("%-12s %8.1f MB %9d rec | load %6.3f s %7.1f MB/s (goal <= %.1f s: %s) | CPU "
                "loading thread %.3f s, all threads %.3f s | Skiff alone %6.3f s (load/Skiff "
                "%.2fx) | RSS %.2fx file (goal <= %.1fx: %s; load added %.2fx) | scroll end "
                "%.1f ms, top %.1f ms\n",
                names[fileType], fileBytes / 1e6, frm.nCntData(), seconds,
                fileBytes / 1e6 / seconds, goalSeconds, seconds <= goalSeconds ? "met" : "missed",
                threadCpu, processCpu, skiffSeconds, seconds / skiffSeconds, rss, goalMemory,
                rss <= goalMemory ? "met" : "missed", (after - before) / fileBytes, bottomMs,
                topMs);
    std::printf("%-12s resident before the load: %.1f MB anonymous, %.1f MB of files (libraries, "
                "fonts); after: %.1f MB anonymous, %.1f MB of files\n",
                names[fileType], kindsBefore.first, kindsBefore.second, kindsAfter.first,
                kindsAfter.second);
    return frm.nCntData() == kRecords ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunCases(argc, argv, "bench_load", RunCase);
}
