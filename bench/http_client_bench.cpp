// Parsing a response head: once whole, and again on every byte of a head that trickles in (the
// client looks for the blank line after each arrival). The settings lines for comparison.

#include <benchmark/benchmark.h>

#include <string>

#include "server/http_response_head.h"
#include "settings/config_format.h"

namespace {

std::string typicalHead() {
    std::string head = "HTTP/1.0 200 OK\r\n";
    for (int i = 0; i < 12; ++i)
        head += "X-Header-" + std::to_string(i) + ": some value of a header\r\n";
    return head + "Content-Length: 13\r\n\r\n203.0.113.77\n";
}

void BM_ParseWholeHead(benchmark::State& state) {
    const std::string response = typicalHead();
    for (auto _ : state) benchmark::DoNotOptimize(http::parseResponseHead(response));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * response.size()));
}
BENCHMARK(BM_ParseWholeHead);

void BM_ParseHeadArrivingByteByByte(benchmark::State& state) {
    const std::string response = typicalHead();
    for (auto _ : state) {
        for (size_t length = 1; length <= response.size(); ++length) {
            benchmark::DoNotOptimize(
                http::parseResponseHead(std::string_view(response).substr(0, length)));
        }
    }
    state.SetLabel(std::to_string(response.size()) + " bytes");
}
BENCHMARK(BM_ParseHeadArrivingByteByByte);

void BM_ConfigRoundTrip(benchmark::State& state) {
    const settings::ConfigValues values{"default.shw", 2,    8080,       true,
                                        false,         true, "operator", "secret"};
    for (auto _ : state)
        benchmark::DoNotOptimize(settings::parseConfig(settings::formatConfig(values)));
}
BENCHMARK(BM_ConfigRoundTrip);

}  // namespace

BENCHMARK_MAIN();
