// Writes and reads one large .mtm with the shipped exports and with plain block I/O of the same
// bytes, and reports MB/s and the peak memory of a read. Each read runs in a fresh process of its
// own, so its peak memory is the read's alone. It also compares the library's read with its grid
// block on ordinary pages and on transparent huge pages, and times `mtm verify` and `mtm info`
// against `cat` of the same file (all from the page cache).
//
//   bench_mtmfile [POINTS [COUNT_AZ [COUNT_EL [FOLDER]]]]     default 2000 181 181 /tmp

#include "mtmfile.h"
#include "rcsgrid.h"
#include "tmtm.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBlock = std::size_t(8) << 20;
constexpr int kRepeats = 3;

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double megabytesPerSecond(std::uint64_t bytes, double time)
{
    return bytes / 1e6 / time;
}

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void* ostrell()
{
    static void* library = [] {
        void* handle = dlopen(OSTRELL_LIBRARY, RTLD_NOW);
        if (!handle) {
            std::fprintf(stderr, "bench_mtmfile: %s\n", dlerror());
            std::exit(1);
        }
        return handle;
    }();
    return library;
}

template <typename F>
F entry(const char* name)
{
    return reinterpret_cast<F>(dlsym(ostrell(), name));
}

std::vector<unsigned char> plainRead(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::vector<unsigned char> bytes;
    if (!file)
        return bytes;
    std::fseek(file, 0, SEEK_END);
    bytes.resize(std::size_t(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t got = std::fread(bytes.data() + done, 1, std::min(kBlock, bytes.size() - done), file);
        if (got == 0)
            break;
        done += got;
    }
    std::fclose(file);
    return bytes;
}

bool plainWrite(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = true;
    for (std::size_t done = 0; done < bytes.size() && ok; done += kBlock) {
        const std::size_t n = std::min(kBlock, bytes.size() - done);
        ok = std::fwrite(bytes.data() + done, 1, n, file) == n;
    }
    return std::fclose(file) == 0 && ok;
}

// Child modes: one read in a fresh process, printing "seconds peak_kib".
int readChild(const std::string& mode, const std::string& path)
{
    const long before = peakRssKiB();
    const auto start = std::chrono::steady_clock::now();
    if (mode == "--get-mtm") {
        TMtm mtm;
        if (!entry<getMTM_t>("getMTM")(path, &mtm))
            return 1;
        const double time = seconds(start);
        std::printf("%.6f %ld %ld\n", time, before, peakRssKiB());
        for (TMtmPoint& point : mtm.points)
            releaseRcsGrid(point.rcs);
    } else if (mode == "--small-pages" || mode == "--huge-pages") {
        auto mtm = ostrell::readMtmFile(path, nullptr, mode == "--huge-pages");
        if (!mtm)
            return 1;
        const double time = seconds(start);
        std::printf("%.6f %ld %ld\n", time, before, peakRssKiB());
        ostrell::releaseMtmGrids(mtm.value());
    } else {
        const auto bytes = plainRead(path);
        const double time = seconds(start);
        if (bytes.empty())
            return 1;
        std::printf("%.6f %ld %ld\n", time, before, peakRssKiB());
    }
    return 0;
}

struct ChildResult {
    double seconds = 0;
    long baseKiB = 0;
    long peakKiB = 0;
};

bool runChild(const char* self, const char* mode, const std::string& path, ChildResult& result)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return false;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        execl(self, self, mode, path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    char text[128] = {};
    // The pipe gives the child's own measurement; a child that prints nothing failed.
    const ssize_t got = read(pipeFds[0], text, sizeof text - 1);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return got > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           std::sscanf(text, "%lf %ld %ld", &result.seconds, &result.baseKiB, &result.peakKiB) == 3;
}

// Runs a program on the file with its output discarded: seconds and peak memory from the kernel.
bool runProgram(const std::vector<std::string>& words, ChildResult& result)
{
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.seconds = seconds(start);
    result.peakKiB = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename Run>
ChildResult bestOf(Run run)
{
    ChildResult best{1e300};
    for (int r = 0; r < kRepeats; ++r) {
        ChildResult one;
        if (!run(one)) {
            std::fprintf(stderr, "bench_mtmfile: a run failed\n");
            std::exit(1);
        }
        if (one.seconds < best.seconds)
            best = one;
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && argv[1][0] == '-' && argv[1][1] == '-')
        return readChild(argv[1], argv[2]);

    const std::uint32_t points = argc > 1 ? std::uint32_t(std::strtoul(argv[1], nullptr, 10)) : 2000;
    std::uint32_t countAz = argc > 2 ? std::uint32_t(std::strtoul(argv[2], nullptr, 10)) : 181;
    std::uint32_t countEl = argc > 3 ? std::uint32_t(std::strtoul(argv[3], nullptr, 10)) : 181;
    const std::string folder = argc > 4 ? argv[4] : "/tmp";
    const std::string mtmPath = folder + "/bench_mtmfile_" + std::to_string(getpid()) + ".mtm";
    const std::string plainPath = mtmPath + ".plain";

    // A model with values that are not all alike.
    std::vector<TMtmSavePoint> model(points);
    for (std::uint32_t p = 0; p < points; ++p) {
        model[p] = {p * 0.1, -p * 0.2, p * 0.3, allocateRcsGrid(countAz, countEl)};
        for (std::uint32_t a = 0; a < countAz; ++a)
            for (std::uint32_t e = 0; e < countEl; ++e)
                model[p].rcs[a][e] = {std::sin(p + a * 0.01), std::cos(e * 0.02)};
    }

    auto saveMTM = entry<saveMTM_t>("saveMTM");
    std::uint32_t count = points;
    double distance = 1000.0;
    double saveBest = 1e300, plainWriteBest = 1e300;
    std::uint64_t bytes = 0;
    std::vector<unsigned char> copy;
    for (int r = 0; r < kRepeats; ++r) {
        // Both writers start from a missing file.
        std::remove(mtmPath.c_str());
        auto start = std::chrono::steady_clock::now();
        if (!saveMTM(mtmPath, model.data(), &count, &countAz, &countEl, &distance)) {
            std::fprintf(stderr, "bench_mtmfile: saveMTM failed for %s\n", mtmPath.c_str());
            return 1;
        }
        saveBest = std::min(saveBest, seconds(start));
        if (copy.empty()) {
            copy = plainRead(mtmPath);
            bytes = copy.size();
        }
        start = std::chrono::steady_clock::now();
        if (!plainWrite(plainPath, copy)) {
            std::fprintf(stderr, "bench_mtmfile: plain write failed for %s\n", plainPath.c_str());
            return 1;
        }
        plainWriteBest = std::min(plainWriteBest, seconds(start));
        std::remove(plainPath.c_str());
    }
    copy = {};
    copy.shrink_to_fit();
    for (TMtmSavePoint& point : model)
        releaseRcsGrid(point.rcs);

    auto child = [&](const char* mode) {
        return bestOf([&](ChildResult& one) { return runChild(argv[0], mode, mtmPath, one); });
    };
    const ChildResult getBest = child("--get-mtm");
    const ChildResult plainBest = child("--plain-read");
    const ChildResult smallPages = child("--small-pages");
    const ChildResult hugePages = child("--huge-pages");
    auto program = [&](const std::vector<std::string>& words) {
        return bestOf([&](ChildResult& one) { return runProgram(words, one); });
    };
    const ChildResult cat = program({"/bin/cat", mtmPath});
    const ChildResult verify = program({MTM_PROGRAM, "verify", mtmPath});
    const ChildResult info = program({MTM_PROGRAM, "info", mtmPath});
    const ChildResult idleTool = program({MTM_PROGRAM, "--help"});
    std::remove(mtmPath.c_str());

    const double fileMiB = bytes / 1048576.0;
    std::printf("file: %u points on %u x %u, %llu bytes (%.1f MiB), best of %d\n", points, countAz, countEl,
                static_cast<unsigned long long>(bytes), fileMiB, kRepeats);
    std::printf("saveMTM      %8.1f MB/s   plain write %8.1f MB/s   ratio %.2f (target >= 0.50)\n",
                megabytesPerSecond(bytes, saveBest), megabytesPerSecond(bytes, plainWriteBest),
                plainWriteBest / saveBest);
    std::printf("getMTM       %8.1f MB/s   plain read  %8.1f MB/s   ratio %.2f (target >= 0.67)\n",
                megabytesPerSecond(bytes, getBest.seconds), megabytesPerSecond(bytes, plainBest.seconds),
                plainBest.seconds / getBest.seconds);
    const double peakMiB = getBest.peakKiB / 1024.0;
    const double readMiB = (getBest.peakKiB - getBest.baseKiB) / 1024.0;
    std::printf("getMTM peak RSS %.1f MiB (%.1f MiB above the idle process) = %.3f x file size (target <= 1.2)\n",
                peakMiB, readMiB, peakMiB / fileMiB);
    std::printf("grid block   %8.1f MB/s on ordinary pages, %8.1f MB/s on huge pages (%.2f x)\n",
                megabytesPerSecond(bytes, smallPages.seconds), megabytesPerSecond(bytes, hugePages.seconds),
                smallPages.seconds / hugePages.seconds);
    std::printf("cat          %8.3f s, peak RSS %6.1f MiB\n", cat.seconds, cat.peakKiB / 1024.0);
    std::printf("mtm verify   %8.3f s, peak RSS %6.1f MiB (%.2f x cat's time; %.1f MiB above mtm --help)\n",
                verify.seconds, verify.peakKiB / 1024.0, verify.seconds / cat.seconds,
                (verify.peakKiB - idleTool.peakKiB) / 1024.0);
    std::printf("mtm info     %8.3f s, peak RSS %6.1f MiB (%.1f MiB above mtm --help)\n", info.seconds,
                info.peakKiB / 1024.0, (info.peakKiB - idleTool.peakKiB) / 1024.0);
    return 0;
}
