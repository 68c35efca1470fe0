// Benchmark of validating a million records, in a document and in a file, next to Skiff's read.
#include "BenchData.h"
#include "clsFormat.h"
#include "clsRecords.h"
#include "clsSkiff.h"
#include "clsValidator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kGoalSeconds = 1.0;

double Seconds(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    using namespace benchdata;
    clsFormat format;
    format.FileType = 1;
    format.CareQuote = 1;
    for (const Field& field : kFields) {
        clsMember* member = format.AddMember();
        member->MemName = QString::fromLatin1(field.name);
        member->MemType = field.binaryType;
        // Widths a little short for some records, so that problems are found and listed.
        member->MemLen = field.binaryType == 5 ? field.width : 0;
        member->MemLenB = member->MemLen;
    }
    clsRecords records;
    records.Reserve(kRecords);
    QByteArray csv;
    csv.reserve(110LL * kRecords);
    for (int i = 1; i <= kRecords; ++i) {
        const std::vector<QByteArray> fields = RecordFields(i);
        for (size_t f = 0; f < fields.size(); ++f) {
            records.AddCell(fields[f]);
            csv += (f ? "," : "") + ("\"" + fields[f] + "\"");
        }
        records.EndRow();
        csv += "\r\n";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"data.csv"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size())
        qFatal("cannot write the benchmark data");
    file.close();

    QElapsedTimer clock;
    clock.start();
    clsValidator inDocument(format, 10000, false);
    inDocument.CheckRecords(records, true);
    const double document = Seconds(clock);

    clock.restart();
    clsValidator inFile(format, 0, false);
    inFile.CheckFile(path, 1);
    const double batch = Seconds(clock);

    clock.restart();
    skiff::ReadTxtIni(clsSkiff::NativePath(path).constData(), ",", "\"", 1, 1);
    const int rows = skiff::GetTxtRowCnt();
    std::vector<char> buffer(2048);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= kFieldCount; ++c)
            skiff::GetTxtCol(buffer.data(), 2048, r, c, 0, 1);
    }
    skiff::Terminate();
    const double peer = Seconds(clock);

    std::printf("bench_validate: %d records, %lld problems\n", kRecords,
                static_cast<long long>(inDocument.Total()));
    std::printf("  document (window)  %.3f s (goal %.1f s)\n", document, kGoalSeconds);
    std::printf("  file (--validate)  %.3f s\n", batch);
    std::printf("  peer: Skiff reading every field %.3f s\n", peer);
    return 0;
}
