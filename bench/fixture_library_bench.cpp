// The fixture library installed on this machine (/usr/share/qlcplus/fixtures): the first search,
// which reads and indexes every file, a later search, and the memory the index holds.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fixtures/library.h"

namespace {

const char* const systemFolder = "/usr/share/qlcplus/fixtures";

long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

// Asks the kernel to forget the library's files, as after a boot: the next read goes to the disk.
void dropFromPageCache() {
    for (const auto& file : std::filesystem::recursive_directory_iterator(systemFolder)) {
        int fd = open(file.path().c_str(), O_RDONLY);
        if (fd < 0) continue;
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        close(fd);
    }
}

// A library no search has touched yet, so each search reads the whole library; with argument 1,
// its files come from the disk, not the page cache.
void firstSearch(benchmark::State& state) {
    size_t entries = 0;
    for (auto _ : state) {
        if (state.range(0) == 1) {
            state.PauseTiming();
            dropFromPageCache();
            state.ResumeTiming();
        }
        fixtures::Library library({systemFolder});
        entries = library.search("", 0).total;
        benchmark::DoNotOptimize(library.search("slim").total);
    }
    state.counters["entries"] = double(entries);
}
BENCHMARK(firstSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void laterSearch(benchmark::State& state) {
    fixtures::Library library({systemFolder});
    library.search("");
    for (auto _ : state) benchmark::DoNotOptimize(library.search("chauvet par").total);
}
BENCHMARK(laterSearch)->Unit(benchmark::kMicrosecond);

// Resident memory before the library is indexed and with its index built (run alone:
// --benchmark_filter=indexMemory, so that no other bench has grown the heap first).
void indexMemory(benchmark::State& state) {
    const long before = residentKb();
    fixtures::Library library({systemFolder});
    for (auto _ : state) benchmark::DoNotOptimize(library.search("slim").total);
    state.counters["rss_before_MB"] = double(before) / 1024.0;
    state.counters["rss_indexed_MB"] = double(residentKb()) / 1024.0;
}
BENCHMARK(indexMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
