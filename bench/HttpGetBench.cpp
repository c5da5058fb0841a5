// 1,000 sequential device queries against the fake platform on loopback: through
// CHttpClient::HttpGet, and through a bare libcurl loop making the same fresh-connection
// GETs, as the yardstick the client's own cost is measured against.
#include "bench/PlainCurlGet.h"
#include "cloud/HttpClient.h"
#include "tests/support/FakePlatform.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kExchanges = 1000;

fake::FakePlatform& Platform()
{
    static fake::FakePlatform platform;
    static fake::ProxyEnvironment proxy(platform.proxyUrl());
    platform.setDevice("42", true, 1);
    return platform;
}

void BM_HttpGet(benchmark::State& state)
{
    Platform();
    CArray<CString, CString> headers;
    headers.Add(L"api-key:bench-key");
    for (auto _ : state) {
        CHttpClient client;
        benchmark::DoNotOptimize(client.HttpGet(L"devices/42", &headers, STATUS_QUERY_TIMEOUTS));
    }
}

void BM_PlainLibcurlGet(benchmark::State& state)
{
    Platform();
    curl_global_init(CURL_GLOBAL_DEFAULT);
    for (auto _ : state)
        PlainCurlGet("devices/42");
}

} // namespace

BENCHMARK(BM_PlainLibcurlGet)->Iterations(kExchanges)->Unit(benchmark::kMicrosecond)->Repetitions(3);
BENCHMARK(BM_HttpGet)->Iterations(kExchanges)->Unit(benchmark::kMicrosecond)->Repetitions(3);
BENCHMARK_MAIN();
