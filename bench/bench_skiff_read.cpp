// Benchmark of Skiff's text read path on a large quoted Shift-JIS CSV, next to a memchr floor,
// and of opening the same records as EUC-JP and UTF-8, next to iconv.
#include "skiff.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iconv.h>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 1000000;
constexpr int kColumns = 7;

// A small fixed-seed generator: the same file on every run, cheap enough not to dominate.
struct Random
{
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    unsigned Next(unsigned bound)
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<unsigned>((state >> 32) % bound);
    }
};

// A JIS level-1 kanji; its trail byte covers the whole range, 0x5C and 0x7C included.
void AppendKanji(std::string& out, Random& random)
{
    out += static_cast<char>(0x89 + random.Next(15));
    const unsigned trail = random.Next(188);
    out += static_cast<char>(trail < 63 ? 0x40 + trail : 0x80 + (trail - 63));
}

void AppendDigits(std::string& out, Random& random, int count)
{
    for (int i = 0; i < count; ++i) {
        out += static_cast<char>('0' + random.Next(10));
    }
}

// One record: id, name, reading in half-width kana, address with a comma inside its quotes,
// amount, a note that sometimes holds doubled quotes, and a date; about 100 bytes.
void AppendRecord(std::string& out, Random& random, int index)
{
    out += std::to_string(1000000 + index);
    out += ",\"";
    for (int i = 2 + static_cast<int>(random.Next(3)); i > 0; --i) {
        AppendKanji(out, random);
    }
    out += "\",\"";
    for (int i = 4 + static_cast<int>(random.Next(5)); i > 0; --i) {
        out += static_cast<char>(0xA6 + random.Next(56));
    }
    out += "\",\"";
    for (int i = 6 + static_cast<int>(random.Next(5)); i > 0; --i) {
        AppendKanji(out, random);
    }
    out += ", ";
    AppendDigits(out, random, 1);
    out += '-';
    AppendDigits(out, random, 2);
    out += "\",";
    AppendDigits(out, random, 1 + static_cast<int>(random.Next(7)));
    out += ",\"note ";
    for (int i = 3 + static_cast<int>(random.Next(4)); i > 0; --i) {
        out += '\x82';
        out += static_cast<char>(0x9F + random.Next(83)); // hiragana
    }
    out += random.Next(4) == 0 ? " \"\"ok\"\" " : " plain ";
    out += "\",2024/";
    AppendDigits(out, random, 2);
    out += '/';
    AppendDigits(out, random, 2);
    out += "\r\n";
}

// Written in slices so that the generator's memory does not distort the measurement.
std::uintmax_t WriteFile(const std::filesystem::path& path)
{
    std::ofstream file(path, std::ios::binary);
    Random random;
    std::string slice;
    for (int i = 0; i < kRecords; ++i) {
        AppendRecord(slice, random, i);
        if (slice.size() > (1u << 20)) {
            file.write(slice.data(), static_cast<std::streamsize>(slice.size()));
            slice.clear();
        }
    }
    file.write(slice.data(), static_cast<std::streamsize>(slice.size()));
    return static_cast<std::uintmax_t>(file.tellp());
}

// A field of /proc/self/status in kB (VmRSS, VmHWM), or -1 where the system has none.
long StatusKb(const char* field)
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return -1;
    }
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            value = std::strtol(line + length + 1, nullptr, 10);
        }
    }
    std::fclose(status);
    return value;
}

// Sets the peak RSS back to the current RSS (Linux 4.0 and later), so that VmHWM afterwards is
// the read path's own peak and not the generator's or the loader's.
void ResetPeak()
{
    if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CpuSeconds(std::clock_t since)
{
    return static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC;
}

struct Timing
{
    double wall = 1e9;
    double cpu = 1e9;
    double open = 1e9;
    int rows = 0;
    std::uint64_t cells = 0;
    std::uint64_t checksum = 0;
};

// The read path: open quote-aware, then every cell with quotes stripped and undoubled, growing
// the buffer the way the program does.
Timing ReadPath(const std::string& file)
{
    Timing timing;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    if (ReadTxtIni(file.c_str(), ",", "\"", 1, 1) != 0) {
        return timing;
    }
    timing.open = Seconds(start);
    std::vector<char> buffer(4096);
    timing.rows = GetTxtRowCnt();
    for (int row = 1; row <= timing.rows; ++row) {
        const int columns = GetTxtColCnt(row);
        for (int col = 1; col <= columns; ++col) {
            if (GetTxtCol(buffer.data(), static_cast<int>(buffer.size()), row, col, 1, 1) != 0) {
                buffer.resize(static_cast<std::size_t>(GetTxtColLen(row, col)) + 1);
                GetTxtCol(buffer.data(), static_cast<int>(buffer.size()), row, col, 1, 1);
            }
            ++timing.cells;
            timing.checksum += static_cast<unsigned char>(buffer[0]);
        }
    }
    timing.wall = Seconds(start);
    timing.cpu = CpuSeconds(cpuStart);
    return timing;
}

// Opening the file in another character set converts it whole to Shift-JIS before the line
// table is built. Next to it, iconv alone converting the same bytes in memory: the fastest of
// three runs of each.
void ReportOpenIn(const char* szSetName, int lnCharSet, int (*fnFromSjis)(const char*, char*),
                  int (*fnLength)(const char*), const char* szIconvName,
                  const std::vector<char>& terminatedSjis, const std::filesystem::path& path)
{
    std::string text(static_cast<std::size_t>(fnLength(terminatedSjis.data())), '\0');
    text.resize(static_cast<std::size_t>(fnFromSjis(terminatedSjis.data(), text.data())));
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    double open = 1e9;
    int rows = 0;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (ReadTxtIni(path.string().c_str(), ",", "\"", lnCharSet, 1) == 0) {
            open = std::min(open, Seconds(start));
            rows = GetTxtRowCnt();
        }
        Terminate();
    }
    std::filesystem::remove(path);
    iconv_t cd = iconv_open("CP932", szIconvName);
    std::vector<char> out(text.size() + 16);
    double peer = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        char* in = text.data();
        std::size_t inLeft = text.size();
        char* at = out.data();
        std::size_t outLeft = out.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        iconv(cd, &in, &inLeft, &at, &outLeft);
        peer = std::min(peer, Seconds(start));
    }
    iconv_close(cd);
    std::printf("open as %-6s %.1f MB, %d lines: ReadTxtIni %.3f s (conversion and line table); "
                "iconv's conversion alone %.3f s: %.1fx iconv's speed\n",
                szSetName, static_cast<double>(text.size()) / 1e6, rows, open, peer, peer / open);
}

// The floor: counting the line ends of the same bytes in memory with memchr.
std::uint64_t CountLines(const std::vector<char>& raw)
{
    std::uint64_t lines = 0;
    const char* end = raw.data() + raw.size();
    for (const char* at = raw.data();
         (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at))));
         ++at) {
        ++lines;
    }
    return lines;
}

} // namespace

int main()
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("bench_skiff_read_" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".csv");
    const std::uintmax_t size = WriteFile(path);
    const double megabytes = static_cast<double>(size) / 1e6;
    std::printf("file: %d records, %.1f MB Shift-JIS CSV, %d columns\n", kRecords, megabytes,
                kColumns);

    // The peak is taken over the first run, from a peak reset to the resident size before it.
    // The content buffer and line table are freed by Terminate, so later runs start alike; the
    // fastest of three runs is the figure, the machine being shared.
    const std::string file = path.string();
    ResetPeak();
    const long rssBefore = StatusKb("VmRSS");
    Timing best = ReadPath(file);
    const long peak = StatusKb("VmHWM");
    Terminate();
    const double firstWall = best.wall;
    for (int run = 0; run < 2; ++run) {
        const Timing timing = ReadPath(file);
        Terminate();
        best.wall = std::min(best.wall, timing.wall);
        best.cpu = std::min(best.cpu, timing.cpu);
        best.open = std::min(best.open, timing.open);
    }

    std::vector<char> raw(static_cast<std::size_t>(size));
    std::ifstream(path, std::ios::binary).read(raw.data(), static_cast<std::streamsize>(size));
    double floorWall = 1e9;
    double floorCpu = 1e9;
    std::uint64_t lines = 0;
    for (int run = 0; run < 5; ++run) {
        const auto floorStart = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        lines = CountLines(raw);
        floorWall = std::min(floorWall, Seconds(floorStart));
        floorCpu = std::min(floorCpu, CpuSeconds(cpuStart));
    }
    raw.push_back('\0');
    ReportOpenIn("EUC-JP", 3, SJIStoEUC, SJIStoEUCLen, "EUC-JP", raw, path);
    ReportOpenIn("UTF-8", 4, SJIStoUNICODE, SJIStoUNICODELen, "UTF-8", raw, path);
    raw.pop_back();
    std::filesystem::remove(path);

    if (best.rows != kRecords || lines != kRecords ||
        best.cells != std::uint64_t(kRecords) * kColumns) {
        std::fprintf(stderr, "unexpected counts: %d rows, %llu lines, %llu cells\n", best.rows,
                     static_cast<unsigned long long>(lines),
                     static_cast<unsigned long long>(best.cells));
        return 1;
    }
    std::printf("floor (memchr line count): %.4f s\n", floorWall);
    std::printf("read path: %.3f s (ReadTxtIni %.3f s, first run %.3f s), %.0f MB/s, %.1fx the "
                "floor; CPU %.3f s, %.1fx the floor's CPU; %llu cells (checksum %llu)\n",
                best.wall, best.open, firstWall, megabytes / best.wall, best.wall / floorWall,
                best.cpu, best.cpu / std::max(floorCpu, 1e-3),
                static_cast<unsigned long long>(best.cells),
                static_cast<unsigned long long>(best.checksum));
    if (rssBefore >= 0 && peak >= 0) {
        std::printf("peak memory of the read path: %.2fx the file size\n",
                    static_cast<double>(peak - rssBefore) * 1024.0 / static_cast<double>(size));
    }
    return 0;
}
