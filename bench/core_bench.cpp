// Load, save and generate at 1,000 / 10,000 / 100,000 items.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "codegen/script_text.h"
#include "model/scheme_io.h"
#include "platform/safe_file.h"
#include "scheme_generator.h"

namespace {

using namespace sylvanode;

std::string tempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/sylvanode-bench-" + std::to_string(::getpid()) + "-" + name;
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
        if (!r) state.SkipWithError(r.reason.c_str());
        benchmark::DoNotOptimize(scheme.roots().data());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    state.SetComplexityN(state.range(0));
    ::unlink(path.c_str());
}

void BM_Save(benchmark::State& state) {
    MenuScheme scheme;
    bench::generateScheme(scheme, static_cast<int>(state.range(0)));
    const std::string path = tempPath("save.menu");
    for (auto _ : state) {
        const SchemeResult r = writeSchemeFile(scheme, path);
        if (!r) state.SkipWithError(r.reason.c_str());
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
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_SaveText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Generate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
