#pragma once

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

// The yardstick for the console's GETs: one bare libcurl exchange of the same shape (HTTP/1.0,
// the api-key line, a fresh connection not kept) for pathOnHost on the API host, through
// whatever proxy the environment names. Call curl_global_init first.
inline void PlainCurlGet(const std::string& pathOnHost)
{
    static constexpr auto collect = [](char* data, size_t size, size_t count, void* out) {
        static_cast<std::string*>(out)->append(data, size * count);
        return size * count;
    };
    CURL* curl = curl_easy_init();
    curl_slist* headers = curl_slist_append(nullptr, "api-key:bench-key");
    std::string body;
    const std::string url = "http://" QUORVANE_API_HOST "/" + pathOnHost;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, +collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_perform(curl);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    benchmark::DoNotOptimize(body);
}
