// Benchmark of character-set detection on a generated 100 MB Shift-JIS file, next to reading it.
#include "BenchData.h"
#include "clsCharsetDetector.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kBytes = 100LL << 20;
constexpr double kGoalSeconds = 0.5;

QString WriteSample(const QTemporaryDir& dir)
{
    QByteArray bytes;
    bytes.reserve(kBytes + 4096);
    for (int i = 1; bytes.size() < kBytes; ++i) {
        const std::vector<QByteArray> fields = benchdata::RecordFields(i);
        for (size_t f = 0; f < fields.size(); ++f)
            bytes += (f ? "," : "") + fields[f];
        bytes += "\r\n";
    }
    const QString path = dir.filePath(u"sample.csv"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the benchmark data");
    return path;
}

template <typename Work> double BestSeconds(Work work)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        work();
        best = std::min(best, static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = WriteSample(dir);
    const double mb = static_cast<double>(QFile(path).size()) / (1 << 20);
    QString verdict;
    const double detect = BestSeconds([&] {
        const clsDetection detection = clsCharsetDetector::DetectFile(path);
        verdict = clsCharsetDetector::SummaryLine(u"sample.csv"_s, detection);
    });
    const double read = BestSeconds([&] {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            file.readAll();
    });
    std::printf("bench_detect: %.0f MB, %s\n", mb, verdict.toUtf8().constData());
    std::printf("  detect   %.3f s (goal %.1f s)\n", detect, kGoalSeconds);
    std::printf("  peer: reading the file alone %.3f s\n", read);
    return 0;
}
