// Benchmark: Skiff's code converters against glibc's iconv on the same generated Japanese text.
#include "JisTable.h"
#include "skiff.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iconv.h>
#include <random>
#include <string>
#include <time.h>
#include <vector>

namespace {

constexpr std::size_t kTextBytes = 32u << 20;
constexpr int kRounds = 15;
// Callers ask the length first and convert second: that pair against iconv's one pass.
constexpr double kGoalRatio = 2.0;

// Address-book style records: ASCII numbers and words, hiragana, katakana, common kanji
// (skewed towards the first rows, as in running text), punctuation, some half-width katakana.
class clsTextMaker
{
public:
    std::string Make(std::size_t bytes)
    {
        std::string text;
        text.reserve(bytes + 256);
        while (text.size() < bytes) {
            text += std::to_string(Pick(1, 999999)) + ",";
            Japanese(text, Pick(4, 30));
            text += ",";
            Ascii(text, Pick(3, 20));
            text += ",";
            Japanese(text, Pick(10, 60));
            text += Pick(0, 9) == 0 ? ",\xB1\xB2\xB3\xDE\xB4," : ",";
            text +=
                "03-" + std::to_string(Pick(1000, 9999)) + "-" + std::to_string(Pick(1000, 9999));
            text += "\r\n";
        }
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    void Put(std::string& text, unsigned jis)
    {
        const unsigned sjis = skiff::JisToSjis(jis);
        text += static_cast<char>(sjis >> 8);
        text += static_cast<char>(sjis & 0xFF);
    }

    void Japanese(std::string& text, int characters)
    {
        static const unsigned punctuation[] = {0x2122, 0x2123, 0x2126, 0x213C, 0x2156, 0x2157};
        for (int i = 0; i < characters;) {
            const int run = Pick(1, 5);
            const int kind = Pick(0, 9);
            for (int j = 0; j < run && i < characters; ++j, ++i) {
                if (kind < 4) {
                    Put(text, 0x2421 + static_cast<unsigned>(Pick(0, 82)));
                } else if (kind < 5) {
                    Put(text, 0x2521 + static_cast<unsigned>(Pick(0, 85)));
                } else if (kind < 9) {
                    // Squaring a uniform pick favours the first (most common) rows.
                    const double u = std::uniform_real_distribution<double>(0, 1)(random);
                    const int cell = static_cast<int>(u * u * 2900);
                    Put(text, ((0x30 + cell / 94) << 8) | (0x21 + cell % 94));
                } else {
                    Put(text, punctuation[Pick(0, 5)]);
                }
            }
        }
    }

    void Ascii(std::string& text, int characters)
    {
        for (int i = 0; i < characters; ++i) {
            text += static_cast<char>(Pick(0, 3) == 0 ? '0' + Pick(0, 9) : 'a' + Pick(0, 25));
        }
    }

    std::mt19937 random{12345};
};

// The calling thread's processor time: on a machine shared with other work, waiting for a
// processor would count against whichever contender happened to run.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Best times of several rounds; the contenders take turns so that a busy machine slows
// them alike.
std::vector<double> BestSeconds(const std::vector<std::function<void()>>& contenders)
{
    std::vector<double> best(contenders.size(), 1e9);
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < contenders.size(); ++i) {
            const double start = ThreadSeconds();
            contenders[i]();
            best[i] = std::min(best[i], ThreadSeconds() - start);
        }
    }
    return best;
}

// Converts with iconv into out (large enough); the number of bytes written.
std::size_t IconvInto(iconv_t cd, const std::string& in, std::vector<char>& out)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        std::perror("iconv");
        std::exit(1);
    }
    return out.size() - outLeft;
}

std::string Iconv(const char* to, const char* from, const std::string& in)
{
    iconv_t cd = iconv_open(to, from);
    std::vector<char> out(in.size() * 2 + 16);
    const std::size_t size = IconvInto(cd, in, out);
    iconv_close(cd);
    return std::string(out.data(), size);
}

struct Job
{
    const char* name;
    int (*convert)(const char*, char*);
    int (*length)(const char*);
    const char* iconvFrom;
    const char* iconvTo;
    const std::string* source;
};

void Measure(const Job& job)
{
    const std::string& in = *job.source;
    const double megabytes = static_cast<double>(in.size()) / (1 << 20);
    std::vector<char> out(static_cast<std::size_t>(job.length(in.c_str())));
    int written = 0;
    iconv_t cd = iconv_open(job.iconvTo, job.iconvFrom);
    std::vector<char> iconvOut(in.size() * 2 + 16);
    std::size_t iconvWritten = 0;
    int length = 0;
    const std::vector<double> seconds = BestSeconds({
        [&] { written = job.convert(in.c_str(), out.data()); },
        [&] { length = job.length(in.c_str()); },
        [&] {
            out.resize(static_cast<std::size_t>(job.length(in.c_str())));
            written = job.convert(in.c_str(), out.data());
        },
        [&] { iconvWritten = IconvInto(cd, in, iconvOut); },
    });
    iconv_close(cd);

    const bool same = static_cast<std::size_t>(written) == iconvWritten && length == written + 1 &&
                      std::equal(out.begin(), out.begin() + written, iconvOut.begin());
    const double ratio = seconds[3] / seconds[2];
    std::printf("%-14s %7.0f %7.0f %9.0f %7.0f %8.2fx  %-4s %s\n", job.name, megabytes / seconds[0],
                megabytes / seconds[1], megabytes / seconds[2], megabytes / seconds[3], ratio,
                ratio >= kGoalRatio ? "met" : "MISS", same ? "same output" : "OUTPUT DIFFERS");
}

} // namespace

// Arguments, if any, pick the conversions to run by name (for profiling one of them).
int main(int argc, char** argv)
{
    const std::string sjis = clsTextMaker().Make(kTextBytes);
    const std::string euc = Iconv("EUC-JP", "SHIFT_JIS", sjis);
    const std::string jis = Iconv("ISO-2022-JP-3", "EUC-JP", euc);
    const std::string utf8 = Iconv("UTF-8", "SHIFT_JIS", sjis);
    std::printf("Skiff vs glibc iconv, %.1f MB of Shift-JIS text; MB/s of source bytes, best of "
                "%d\n",
                static_cast<double>(sjis.size()) / (1 << 20), kRounds);
    std::printf("%-14s %7s %7s %9s %7s %9s  (goal %.0fx)\n", "conversion", "Skiff", "Len",
                "Skiff+Len", "iconv", "(S+L)/iconv", kGoalRatio);
    const Job jobs[] = {
        {"SJIS->UTF-8", SJIStoUNICODE, SJIStoUNICODELen, "SHIFT_JIS", "UTF-8", &sjis},
        {"UTF-8->SJIS", UNICODEtoSJIS, UNICODEtoSJISLen, "UTF-8", "SHIFT_JIS", &utf8},
        {"EUC->SJIS", EUCtoSJIS, EUCtoSJISLen, "EUC-JP", "SHIFT_JIS", &euc},
        {"JIS->SJIS", JIStoSJIS, JIStoSJISLen, "ISO-2022-JP-3", "SHIFT_JIS", &jis},
        {"SJIS->EUC", SJIStoEUC, SJIStoEUCLen, "SHIFT_JIS", "EUC-JP", &sjis},
        {"SJIS->JIS", SJIStoJIS, SJIStoJISLen, "SHIFT_JIS", "ISO-2022-JP-3", &sjis},
    };
    for (const Job& job : jobs) {
        bool picked = argc < 2;
        for (int i = 1; i < argc; ++i) {
            picked = picked || std::strcmp(argv[i], job.name) == 0;
        }
        if (picked) {
            Measure(job);
        }
    }
    return 0;
}
