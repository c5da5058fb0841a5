// 1,000 sequential device queries against the fake platform on loopback: through
// CHttpClient::HttpGet, and through a bare libcurl loop making the same fresh-connection
// GETs, as the yardstick the client's own cost is measured against.
#include "cloud/HttpClient.h"
#include "tests/support/FakePlatform.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

namespace {

constexpr int kExchanges = 1000;

fake::FakePlatform& Platform()
{
    static fake::FakePlatform platform;
    static fake::ProxyEnvironment proxy(platform.proxyUrl());
    platform.setDevice("42", true, 1);
    return platform;
}

size_t Collect(char* data, size_t size, size_t count, void* out)
{
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

void BM_HttpGet(benchmark::State& state)
{
    Platform();
    CArray<CString, CString> headers;
    headers.Add(L"api-key:bench-key");
    for (auto _ : state) {
        CHttpClient client;
        benchmark::DoNotOptimize(client.HttpGet(L"devices/42", &headers));
    }
}

void BM_PlainLibcurlGet(benchmark::State& state)
{
    Platform();
    curl_global_init(CURL_GLOBAL_DEFAULT);
    for (auto _ : state) {
        CURL* curl = curl_easy_init();
        curl_slist* headers = curl_slist_append(nullptr, "api-key:bench-key");
        std::string body;
        curl_easy_setopt(curl, CURLOPT_URL, "http://" QUORVANE_API_HOST "/devices/42");
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
        curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
        curl_easy_perform(curl);
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
        benchmark::DoNotOptimize(body);
    }
}

} // namespace

BENCHMARK(BM_PlainLibcurlGet)->Iterations(kExchanges)->Unit(benchmark::kMicrosecond)->Repetitions(3);
BENCHMARK(BM_HttpGet)->Iterations(kExchanges)->Unit(benchmark::kMicrosecond)->Repetitions(3);
BENCHMARK_MAIN();
