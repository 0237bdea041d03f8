// SPDX-License-Identifier: MIT
// Load, save and generate at 1,000 / 10,000 / 100,000 items; loading hostile
// files; a bare INI scan of the same file by inih as the yardstick for loading.
// These run in one process, with a warm allocator: BM_Load / BM_InihScan is the in-process
// ratio. bench/load_process.sh measures the same load as whole processes (what a user sees
// with /usr/bin/time), time and peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "codegen/script_text.h"
#include "hostile_schemes.h"
#include "model/scheme_io.h"
#include "platform/safe_file.h"
#include "scheme_generator.h"

#ifdef SYLVANODE_HAVE_INIH
#include <ini.h>
#endif

namespace {

using namespace sylvanode;

std::string tempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/sylvanode-bench-" + std::to_string(::getpid()) + "-" +
           name;
}

void BM_Load(benchmark::State& state) {
    MenuScheme source;
    bench::generateScheme(source, static_cast<int>(state.range(0)));
    const std::string path = tempPath("load.menu");
    writeSchemeFile(source, path);
    std::string text;
    readWholeFile(path, text);
    for (auto _ : state) {
        MenuScheme scheme;
        const SchemeResult r = readSchemeFile(scheme, path);
        if (!r) state.SkipWithError(failureSummary(r.failure).c_str());
        benchmark::DoNotOptimize(scheme.roots().data());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    state.SetComplexityN(state.range(0));
    ::unlink(path.c_str());
}

// Peak resident memory of the whole process so far: meaningful when one
// benchmark runs on its own (--benchmark_filter).
double peakMegabytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The yardstick for BM_Load: inih reads the same file, with a handler that only counts.
void BM_InihScan(benchmark::State& state) {
#ifdef SYLVANODE_HAVE_INIH
    MenuScheme source;
    bench::generateScheme(source, static_cast<int>(state.range(0)));
    const std::string path = tempPath("inih.menu");
    writeSchemeFile(source, path);
    for (auto _ : state) {
        long entries = 0;
        const int rc = ini_parse(
            path.c_str(),
            [](void* user, const char*, const char*, const char*) {
                ++*static_cast<long*>(user);
                return 1;
            },
            &entries);
        if (rc < 0) state.SkipWithError("inih could not read the file");
        benchmark::DoNotOptimize(entries);
    }
    state.SetComplexityN(state.range(0));
    ::unlink(path.c_str());
#else
    state.SkipWithError("inih is not installed (Debian package libinih-dev): no yardstick for BM_Load");
#endif
}

void BM_LoadManySmallSections(benchmark::State& state) {
    const std::string text = bench::manySmallSections(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        MenuScheme scheme;
        benchmark::DoNotOptimize(readSchemeText(scheme, text).ok);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["peak_MB"] = peakMegabytes();
    state.SetComplexityN(state.range(0));
}

void BM_LoadIrregularLevels(benchmark::State& state) {
    const std::string text = bench::irregularLevels(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        MenuScheme scheme;
        const SchemeResult r = readSchemeText(scheme, text);
        if (!r) state.SkipWithError(failureSummary(r.failure).c_str());
        benchmark::DoNotOptimize(scheme.roots().data());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["peak_MB"] = peakMegabytes();
    state.SetComplexityN(state.range(0));
}

void BM_Save(benchmark::State& state) {
    MenuScheme scheme;
    bench::generateScheme(scheme, static_cast<int>(state.range(0)));
    const std::string path = tempPath("save.menu");
    for (auto _ : state) {
        const SchemeResult r = writeSchemeFile(scheme, path);
        if (!r) state.SkipWithError(failureSummary(r.failure).c_str());
    }
    state.SetComplexityN(state.range(0));
    ::unlink(path.c_str());
}

void BM_SaveText(benchmark::State& state) {
    MenuScheme scheme;
    bench::generateScheme(scheme, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(writeSchemeText(scheme));
    state.SetComplexityN(state.range(0));
}

void BM_Generate(benchmark::State& state) {
    MenuScheme scheme;
    bench::generateScheme(scheme, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(buildScriptText(scheme));
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
#ifdef SYLVANODE_HAVE_INIH
BENCHMARK(BM_InihScan)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
#else
BENCHMARK(BM_InihScan)->Arg(100000);  // reports itself skipped (no complexity fit over skipped runs)
#endif
BENCHMARK(BM_LoadManySmallSections)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_LoadIrregularLevels)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_SaveText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Generate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
