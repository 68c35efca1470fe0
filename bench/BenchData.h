// The million-record data files and formats the load and save benchmarks share.
#pragma once

#include "clsCodePage.h"
#include "clsFormatInfo.h"
#include "clsFormats.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace benchdata {

using namespace Qt::Literals::StringLiterals;

constexpr int kRecords = 1000000;

// Members of every record: name, width in fixed-length and binary files, binary type.
struct Field
{
    const char* name;
    int width;
    int binaryType;
};

constexpr Field kFields[] = {{"id", 7, 2},       {"name", 8, 5},   {"kana", 12, 5},
                             {"address", 30, 5}, {"phone", 12, 5}, {"amount", 9, 4},
                             {"date", 10, 5},    {"note", 14, 5}};
constexpr int kFieldCount = static_cast<int>(sizeof kFields / sizeof kFields[0]);

// The data files of the three file types, by file type.
inline QString FileName(int fileType)
{
    return fileType == 1 ? u"data.csv"_s : fileType == 2 ? u"data.txt"_s : u"data.bin"_s;
}

// The record's field texts as Shift-JIS, varied by the record number.
inline std::vector<QByteArray> RecordFields(int index)
{
    static const std::vector<QByteArray> names = [] {
        std::vector<QByteArray> list;
        for (const QString& name : {u"山田太郎"_s, u"佐藤花子"_s, u"鈴木一郎"_s, u"表計算子"_s})
            list.push_back(clsCodePage::ToSjis(name));
        return list;
    }();
    static const QByteArray kana = clsCodePage::ToSjis(u"ヤマダタロウ"_s);
    static const QByteArray city = clsCodePage::ToSjis(u"東京都千代田区丸の内"_s);
    static const QByteArray note = clsCodePage::ToSjis(u"備考"_s);
    const QByteArray number = QByteArray::number(index);
    return {number,
            names[static_cast<size_t>(index % 4)],
            kana,
            city + number.right(4) + "-" + QByteArray::number(index % 97),
            "03-" + QByteArray::number(1000 + index % 9000) + "-5678",
            QByteArray::number((index % 100000) * 0.25, 'f', 2),
            "2024/0" + QByteArray::number(1 + index % 9) + "/1" + QByteArray::number(index % 10),
            index % 3 == 0 ? note + ", \"\"A\"\"" : note + "-" + number.right(3)};
}

// Writes the three files in the layout the formats of AddFormat describe, as Quillet itself
// writes them: strings quoted in the delimited file, numbers not.
inline void WriteFiles(const QString& folder)
{
    QByteArray csv;
    QByteArray fixed;
    QByteArray binary;
    csv.reserve(110 * kRecords);
    fixed.reserve(120 * kRecords);
    binary.reserve(110 * kRecords);
    for (int i = 1; i <= kRecords; ++i) {
        const std::vector<QByteArray> fields = RecordFields(i);
        for (int f = 0; f < kFieldCount; ++f) {
            const bool quoted = kFields[f].binaryType == 5;
            csv += (f ? "," : "") + (quoted ? "\"" + fields[f] + "\"" : fields[f]);
            fixed += fields[f].leftJustified(kFields[f].width, ' ', true);
            if (kFields[f].binaryType == 2) {
                const int32_t value = i;
                binary.append(reinterpret_cast<const char*>(&value), 4);
            } else if (kFields[f].binaryType == 4) {
                const double value = fields[f].toDouble();
                binary.append(reinterpret_cast<const char*>(&value), 8);
            } else {
                binary += fields[f].leftJustified(kFields[f].width, ' ', true);
            }
        }
        csv += "\r\n";
        fixed += "\r\n";
    }
    for (int fileType = 1; fileType <= 3; ++fileType) {
        const QByteArray& bytes = fileType == 1 ? csv : fileType == 2 ? fixed : binary;
        QFile file(folder + u'/' + FileName(fileType));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the benchmark data");
    }
}

// Adds the format of the file type to gFormats(): every member a string in fixed-length
// text, the binary types elsewhere (a delimited file quotes only its strings).
inline void AddFormat(int fileType)
{
    clsFormat* format = gFormats().Add();
    format->FormatName = u"bench"_s + QString::number(fileType);
    format->FileType = fileType;
    format->EscInput = 1;
    format->EscOutput = 1;
    for (const Field& field : kFields) {
        clsMember* member = format->AddMember();
        member->MemName = QString::fromLatin1(field.name);
        member->Comment = member->MemName;
        member->MemType = fileType == 2 ? 5 : field.binaryType;
        member->MemLenB = fileType == 3 && field.binaryType != 5
                              ? gFormatInfo().GetTypeLenB(field.binaryType)
                              : field.width;
        member->MemLen = member->MemLenB;
    }
}

// A benchmark's main after its application exists: with the arguments (file type, path) it
// runs that one case; without them it writes the three files and runs each case in a fresh
// process of the same program, so one file's memory never counts for the next.
// Tells the parent the figure a case's runs are ranked by: printed first, before the report.
inline void RankBy(double seconds)
{
    std::printf("@%.6f\n", seconds);
}

// Runs each case in fresh processes, QUILLET_BENCH_RUNS times (3 unless set), and prints the
// report of its fastest run by the figure the case ranks itself by: this host's other work
// slows single runs by half and more, so that the fastest run is the one that tells about
// the program.
inline int RunCases(int argc, char** argv, const char* szBanner,
                    int (*runCase)(int fileType, const QString& path))
{
    if (argc == 3)
        return runCase(QByteArray(argv[1]).toInt(), QString::fromLocal8Bit(argv[2]));

    // QUILLET_BENCH_DIR keeps the files between runs: they are written there once.
    QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("QUILLET_BENCH_DIR");
    const QDir dir(kept.isEmpty() ? temporary.path() : kept);
    QElapsedTimer clock;
    clock.start();
    if (kept.isEmpty() || !QFile::exists(dir.filePath(FileName(3)))) {
        dir.mkpath(u"."_s);
        WriteFiles(dir.path());
    }
    const int runCount = qEnvironmentVariableIsSet("QUILLET_BENCH_RUNS")
                             ? std::max(qEnvironmentVariableIntValue("QUILLET_BENCH_RUNS"), 1)
                             : 3;
    std::printf("%s: %d records written in %.1f s; each case runs %d times, each time in a "
                "fresh process, and the fastest run is shown\n",
                szBanner, kRecords, static_cast<double>(clock.elapsed()) / 1e3, runCount);
    int failures = 0;
    for (int type = 1; type <= 3; ++type) {
        QByteArray best;
        double bestSeconds = 0;
        QByteArray all;
        for (int run = 0; run < runCount; ++run) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QString::number(type), dir.filePath(FileName(type))});
            child.waitForFinished(-1);
            failures += child.exitCode() != 0 ? 1 : 0;
            QByteArray report = child.readAllStandardOutput();
            double seconds = 0;
            if (report.startsWith('@')) {
                const qsizetype end = report.indexOf('\n');
                seconds = report.mid(1, end - 1).toDouble();
                report.remove(0, end + 1);
            }
            all += (all.isEmpty() ? "" : ", ") + QByteArray::number(seconds, 'f', 3);
            if (best.isEmpty() || seconds < bestSeconds) {
                best = report;
                bestSeconds = seconds;
            }
        }
        std::printf("%s%-12s all runs: %s s\n", best.constData(), " ", all.constData());
        std::fflush(stdout);
    }
    return failures;
}

} // namespace benchdata
