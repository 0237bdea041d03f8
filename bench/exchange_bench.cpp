// SPDX-License-Identifier: MIT
// Import of a page with N links (in a list, or in table cells without one), of jsTree data and
// of an outline, and export of an N-item scheme, N from 1,000 to 100,000; the fitted complexity
// shows whether time grows linearly. BM_HostileXml imports each file of
// tests/fixtures/hostile-xml (entity expansion, external entities, DTDs) and two deep documents:
// each is expected to take well under a second.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "exchange/exporter.h"
#include "exchange/html_list_reader.h"
#include "exchange/importer.h"
#include "exchange/json_format.h"
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
        if (!r) state.SkipWithError(failureSummary(r.failure).c_str());
        benchmark::DoNotOptimize(r.roots.data());
    }
    state.counters["bytes"] = static_cast<double>(page.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportHtmlPage)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

// An old portal's left column: N links in table rows, a third of them indented in nested tables,
// beside a content cell with a small notice list. No list holds the menu.
std::string portalWithLinks(int links) {
    std::string page =
        "<html><head><meta charset=\"utf-8\"><title>Portal</title></head><body><table><tr><td class=\"left\"><table>\n";
    for (int i = 0; i < links; ++i) {
        if (i % 3 == 0)
            page += "<tr><td class=\"menu1\"><a href=\"list.asp?id=" + std::to_string(i) + "\">分类 " + std::to_string(i) +
                    "</a></td></tr>\n";
        else
            page += "<tr><td><table><tr><td>&nbsp;&nbsp;<a href=\"show.asp?id=" + std::to_string(i) + "\">产品 " +
                    std::to_string(i) + "</a></td></tr></table></td></tr>\n";
    }
    page += "</table></td><td><p>Welcome to our company.</p><ul><li><a href=\"n1.asp\">Notice</a></li></ul></td></tr>"
            "</table></body></html>\n";
    return page;
}

void BM_ImportLinkCluster(benchmark::State& state) {
    const std::string page = portalWithLinks(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ImportResult r = readHtmlList(page);
        if (!r || r.report.source != MenuSource::LinkCluster) state.SkipWithError("the column was not taken");
        benchmark::DoNotOptimize(r.roots.data());
    }
    state.counters["bytes"] = static_cast<double>(page.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportLinkCluster)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

// jsTree's node data of an N-item scheme, read back.
void BM_ImportJsTree(benchmark::State& state) {
    MenuScheme scheme;
    bench::generateScheme(scheme, static_cast<int>(state.range(0)));
    const std::string json = writeJsTreeJson(scheme);
    for (auto _ : state) {
        ImportResult r = readMenuJson(json);
        if (!r) state.SkipWithError(failureSummary(r.failure).c_str());
        benchmark::DoNotOptimize(r.roots.data());
    }
    state.counters["bytes"] = static_cast<double>(json.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportJsTree)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ImportOutline(benchmark::State& state) {
    MenuScheme scheme;
    bench::generateScheme(scheme, static_cast<int>(state.range(0)));
    std::string text;
    exportOutline(scheme, text);
    for (auto _ : state) {
        ImportResult r = readOutline(text);
        if (!r) state.SkipWithError(failureSummary(r.failure).c_str());
        benchmark::DoNotOptimize(r.roots.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportOutline)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

std::string hostileXml(const std::string& name) {
    if (name == "deep-outline") {
        std::string s = "<opml version=\"2.0\"><body>";
        for (int i = 0; i < 100000; ++i) s += "<outline text=\"x\">";
        for (int i = 0; i < 100000; ++i) s += "</outline>";
        return s + "</body></opml>";
    }
    if (name == "deep-text") {
        std::string s = "<urlset><url><loc>";
        for (int i = 0; i < 200000; ++i) s += "<b>";
        s += "https://example.com/deep.html";
        for (int i = 0; i < 200000; ++i) s += "</b>";
        return s + "</loc></url></urlset>";
    }
    std::ifstream in(std::string(SYLVANODE_HOSTILE_XML_DIR "/") + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void BM_HostileXml(benchmark::State& state, const char* name) {
    const std::string bytes = hostileXml(name);
    if (bytes.empty()) state.SkipWithError("fixture not found");
    for (auto _ : state) {
        ImportResult r = importBytes(bytes);
        benchmark::DoNotOptimize(r.roots.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK_CAPTURE(BM_HostileXml, laughs_attribute, "laughs-attribute.opml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, laughs_text, "laughs-text.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, quadratic, "quadratic.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, external_file_entity, "external-file-entity.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, external_network_entity, "external-network-entity.opml")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, parameter_entity, "parameter-entity.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, external_parameter_entity, "external-parameter-entity.opml")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, entity_loop, "entity-loop.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, entity_in_loc, "entity-in-loc.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, external_dtd, "external-dtd.opml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, deep_outline, "deep-outline")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HostileXml, deep_text, "deep-text")->Unit(benchmark::kMillisecond);

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
