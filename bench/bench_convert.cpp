// Benchmark of batch conversion (quillet --convert) next to Python's csv module on the same files.
#include "BenchData.h"
#include "clsCodePage.h"
#include "clsSkiff.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <utility>
#include <vector>

extern char** environ;

using namespace Qt::Literals::StringLiterals;

namespace {

using namespace benchdata;

constexpr int kDictionaryLines = 400000;
constexpr int kQuilletRuns = 3;
constexpr int kPythonRuns = 2;

// Python's own conversion: every row read with csv.reader and written with csv.writer.
constexpr char kPythonScript[] =
    "import csv, sys\n"
    "src, dst, enc_in, enc_out = sys.argv[1:5]\n"
    "with open(src, newline='', encoding=enc_in) as f, \\\n"
    "        open(dst, 'w', newline='', encoding=enc_out) as g:\n"
    "    csv.writer(g, lineterminator='\\r\\n').writerows(csv.reader(f))\n";

struct Run
{
    double seconds = 0;
    // User and system time: on a busy machine the wall time says little, this says the work.
    double cpuSeconds = 0;
    double peakBytes = 0;
    int exitCode = -1;
};

double Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Starts a program and waits for it: wall time including its start, and its peak resident
// memory as the system counted it.
Run Spawn(const std::vector<std::string>& args, const std::string& settings)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        // Batch mode needs no display; a platform plugin would only add to the start.
        if (std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) != 0 &&
            std::strncmp(*entry, "QUILLET_SETTINGS=", 17) != 0)
            environment.emplace_back(*entry);
    }
    environment.push_back("QUILLET_SETTINGS=" + settings);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> argCopies = args;
    std::vector<char*> argv;
    for (std::string& arg : argCopies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Run run;
    const double start = Now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return run;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds = Now() - start;
    run.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

Run Best(const std::vector<std::string>& args, const std::string& settings, int runs)
{
    Run best;
    for (int i = 0; i < runs; ++i) {
        const Run run = Spawn(args, settings);
        if (run.exitCode != 0)
            return run;
        if (i == 0 || run.seconds < best.seconds)
            best = run;
    }
    return best;
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the benchmark data");
}

// The delimited file of the load benchmark: a million records, strings quoted.
void WriteQuotedCsv(const QString& path)
{
    QByteArray csv;
    csv.reserve(115 * kRecords);
    for (int i = 1; i <= kRecords; ++i) {
        const std::vector<QByteArray> fields = RecordFields(i);
        for (int f = 0; f < kFieldCount; ++f) {
            const bool quoted = kFields[f].binaryType == 5;
            csv += (f ? "," : "") + (quoted ? "\"" + fields[f] + "\"" : fields[f]);
        }
        csv += "\r\n";
    }
    WriteBytes(path, csv);
}

// A word list as dictionaries keep it, in EUC-JP with LF: thirteen short fields a line.
void WriteDictionary(const QString& path)
{
    static const char16_t* const kWords[] = {u"東京都", u"山田",   u"太郎",     u"会社",
                                             u"計算機", u"表示",   u"ファイル", u"記録",
                                             u"変換",   u"文字列", u"日本語",   u"行列"};
    static const char16_t* const kReadings[] = {
        u"トウキョウト", u"ヤマダ", u"タロウ",   u"カイシャ", u"ケイサンキ", u"ヒョウジ",
        u"ファイル",     u"キロク", u"ヘンカン", u"モジレツ", u"ニホンゴ",   u"ギョウレツ"};
    const QByteArray noun = clsCodePage::ToSjis(u"名詞"_s);
    const QByteArray general = clsCodePage::ToSjis(u"一般"_s);
    QByteArray sjis;
    sjis.reserve(80 * kDictionaryLines);
    for (int i = 0; i < kDictionaryLines; ++i) {
        const size_t w = static_cast<size_t>(i % 12);
        const QByteArray word = clsCodePage::ToSjis(QString::fromUtf16(kWords[w]));
        const QByteArray reading = clsCodePage::ToSjis(QString::fromUtf16(kReadings[w]));
        sjis += word + ',' + QByteArray::number(1000 + i % 300) + ',' +
                QByteArray::number(1000 + i % 700) + ',' + QByteArray::number(i % 9000) + ',' +
                noun + ',' + general + ",*,*,*,*," + word + ',' + reading + ',' + reading + '\n';
    }
    // Skiff's own converter writes the EUC-JP bytes.
    const int size = skiff::SJIStoEUCLen(sjis.constData());
    QByteArray euc(size, '\0');
    skiff::SJIStoEUC(sjis.constData(), euc.data());
    euc.truncate(size - 1);
    WriteBytes(path, euc);
}

// A registry file of one delimited format: members as (name, type), strings quoted when
// bQuoted.
QByteArray RegFile(const char* szName, const char* szFileType, bool bQuoted,
                   const std::vector<std::pair<QByteArray, int>>& members)
{
    QByteArray reg = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\VB and VBA Program "
                     "Settings\\Quillet\\Formats]\r\n\r\n\"" +
                     QByteArray(szName) + "\"=\"" + szName +
                     "\"\r\n\r\n[HKEY_CURRENT_USER\\Software\\VB and VBA Program "
                     "Settings\\Quillet\\" +
                     szName + "]\r\n";
    reg += "\"CntMember\"=\"" + QByteArray::number(static_cast<int>(members.size())) + "\"\r\n";
    reg += "\"FormatName\"=\"" + QByteArray(szName) + "\"\r\n";
    reg += "\"FileType\"=hex(1):" + QByteArray(szFileType) + "\r\n";
    reg += "\"QuoteString\"=\",\"\r\n\"SkipHeader\"=\"0\"\r\n\"DblQuote\"=\"" +
           QByteArray(bQuoted ? "111" : "100") + "\"\r\n";
    for (size_t i = 0; i < members.size(); ++i) {
        const QByteArray n = QByteArray::number(static_cast<int>(i) + 1);
        const QByteArray& name = members[i].first;
        const int type = members[i].second;
        reg += "\"MemNameType_" + n + "\"=\"" + name + ',' + QByteArray::number(type) + "\"\r\n";
        reg += "\"MemLen_" + n + "\"=\"16," + (type == 5 ? " " : "0") + "\"\r\n";
        reg += "\"MemStuff_" + n + "\"=\"2\"\r\n\"MemComment_" + n + "\"=\"" + name +
               "\"\r\n\"MemOut_" + n + "\"=\"1\"\r\n";
    }
    return reg;
}

// The time and memory goals hold for the quoted CSV; the ratio to Python for both files.
void Report(const char* szCase, double fileBytes, const Run& quillet, const Run& python,
            bool bTimeAndMemoryGoals)
{
    const double ratio = python.seconds / quillet.seconds;
    const double peak = quillet.peakBytes / fileBytes;
    const char* timeGoal = !bTimeAndMemoryGoals     ? "no goal"
                           : quillet.seconds <= 0.8 ? "goal <= 0.8 s: met"
                                                    : "goal <= 0.8 s: missed";
    const char* memoryGoal = !bTimeAndMemoryGoals ? "no goal"
                             : peak <= 1.6        ? "goal <= 1.6x: met"
                                                  : "goal <= 1.6x: missed";
    std::printf("%-22s %7.1f MB | Quillet %6.3f s, CPU %.3f s (%s), peak RSS %.0f MB = %.2fx "
                "file (%s) | Python csv %6.3f s, CPU %.3f s | Python/Quillet %.1fx, by CPU "
                "%.1fx (goal >= 5x: %s)\n",
                szCase, fileBytes / 1e6, quillet.seconds, quillet.cpuSeconds, timeGoal,
                quillet.peakBytes / 1e6, peak, memoryGoal, python.seconds, python.cpuSeconds, ratio,
                python.cpuSeconds / quillet.cpuSeconds, ratio >= 5 ? "met" : "missed");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("QUILLET_BENCH_DIR");
    const QDir dir(kept.isEmpty() ? temporary.path() : kept);
    dir.mkpath(u"."_s);
    const QString csv = dir.filePath(u"data.csv"_s);
    const QString dictionary = dir.filePath(u"dict-euc.csv"_s);
    if (!QFile::exists(csv))
        WriteQuotedCsv(csv);
    if (!QFile::exists(dictionary))
        WriteDictionary(dictionary);

    std::vector<std::pair<QByteArray, int>> record;
    for (const Field& field : kFields)
        record.emplace_back(field.name, field.binaryType);
    std::vector<std::pair<QByteArray, int>> entry;
    for (int i = 1; i <= 13; ++i)
        entry.emplace_back("f" + QByteArray::number(i), i >= 2 && i <= 4 ? 2 : 5);
    // CSV: Shift-JIS with CR LF; the dictionary: EUC-JP with LF. Both read quote-aware.
    const QString reg = dir.filePath(u"bench-formats.reg"_s);
    WriteBytes(reg, RegFile("BenchCsv", "31,2c,31,2c,0d,0a,00", true, record) +
                        RegFile("BenchDic", "31,2c,33,2c,0a,00", true, entry).sliced(10));
    const std::string settings =
        QFile::encodeName(dir.filePath(u"bench-settings.txt"_s)).toStdString();
    const std::string program =
        QFile::encodeName(QCoreApplication::applicationDirPath() + u"/quillet"_s).toStdString();
    QFile::remove(QString::fromStdString(settings));
    if (Spawn({program, "--import-reg", QFile::encodeName(reg).toStdString()}, settings).exitCode !=
        0)
        qFatal("cannot register the benchmark formats");
    const QString script = dir.filePath(u"convert.py"_s);
    WriteBytes(script, kPythonScript);

    const auto path = [&dir](const QString& name) {
        return QFile::encodeName(dir.filePath(name)).toStdString();
    };
    const std::string pythonScript = QFile::encodeName(script).toStdString();
    std::printf("bench_convert: best of %d Quillet and %d Python runs, each a fresh process\n",
                kQuilletRuns, kPythonRuns);
    std::fflush(stdout);

    int failures = 0;
    const Run quilletCsv =
        Best({program, "--convert", "BenchCsv", path(u"data.csv"_s), path(u"out-quillet.csv"_s)},
             settings, kQuilletRuns);
    const Run pythonCsv = Best(
        {"python3", pythonScript, path(u"data.csv"_s), path(u"out-python.csv"_s), "cp932", "cp932"},
        settings, kPythonRuns);
    failures += quilletCsv.exitCode != 0 || pythonCsv.exitCode != 0 ? 1 : 0;
    Report("quoted CSV (Shift-JIS)", static_cast<double>(QFileInfo(csv).size()), quilletCsv,
           pythonCsv, true);
    std::fflush(stdout);

    const Run quilletDic = Best({program, "--convert", "BenchDic", path(u"dict-euc.csv"_s),
                                 path(u"out-quillet.dic"_s), "--to-charset", "1"},
                                settings, kQuilletRuns);
    const Run pythonDic = Best({"python3", pythonScript, path(u"dict-euc.csv"_s),
                                path(u"out-python.dic"_s), "euc_jp", "cp932"},
                               settings, kPythonRuns);
    failures += quilletDic.exitCode != 0 || pythonDic.exitCode != 0 ? 1 : 0;
    Report("dictionary EUC->SJIS", static_cast<double>(QFileInfo(dictionary).size()), quilletDic,
           pythonDic, false);
    for (const QString& name :
         {u"out-quillet.csv"_s, u"out-python.csv"_s, u"out-quillet.dic"_s, u"out-python.dic"_s})
        QFile::remove(dir.filePath(name));
    return failures;
}
