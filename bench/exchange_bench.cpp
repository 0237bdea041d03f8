// SPDX-License-Identifier: MIT
// Import of a page with N links and export of an N-item scheme, N from 1,000 to 100,000;
// the fitted complexity shows whether time grows linearly.
#include <benchmark/benchmark.h>

#include <string>

#include "exchange/exporter.h"
#include "exchange/html_list_reader.h"
#include "exchange/outline_reader.h"
#include "scheme_generator.h"

namespace {

using namespace sylvanode;

// A documentation-style page: a header, a nav of N links in sections of ten, and a body.
std::string pageWithLinks(int links) {
    std::string page =
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Docs</title></head><body>"
        "<header><a href=\"/\">Home</a></header><nav id=\"toc\"><ul>\n";
    for (int i = 0; i < links; ++i) {
        if (i % 10 == 0) page += "<li><span>Section " + std::to_string(i / 10) + "</span><ul>\n";
        page += "<li><a href=\"section" + std::to_string(i / 10) + "/page" + std::to_string(i) +
                ".html\" title=\"Read page " + std::to_string(i) + "\">页面 " + std::to_string(i) + " &amp; more</a></li>\n";
        if (i % 10 == 9 || i + 1 == links) page += "</ul></li>\n";
    }
    page += "</ul></nav><main><p>Body text.</p></main></body></html>\n";
    return page;
}

void BM_ImportHtmlPage(benchmark::State& state) {
    const std::string page = pageWithLinks(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ImportResult r = readHtmlList(page);
        if (!r) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.roots.data());
    }
    state.counters["bytes"] = static_cast<double>(page.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportHtmlPage)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ImportOutline(benchmark::State& state) {
    MenuScheme scheme;
    bench::generateScheme(scheme, static_cast<int>(state.range(0)));
    std::string text;
    exportOutline(scheme, text);
    for (auto _ : state) {
        ImportResult r = readOutline(text);
        if (!r) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.roots.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportOutline)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_Export(benchmark::State& state, ExportFormat format) {
    MenuScheme scheme;
    bench::generateScheme(scheme, static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        ExportResult r = exportScheme(scheme, format);
        bytes = r.bytes.size();
        benchmark::DoNotOptimize(r.bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetComplexityN(state.range(0));
}
BENCHMARK_CAPTURE(BM_Export, html, ExportFormat::Html)
    ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(BM_Export, outline, ExportFormat::Outline)
    ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(BM_Export, opml, ExportFormat::Opml)
    ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(BM_Export, json, ExportFormat::Json)
    ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
