#include "platform/inet/InternetLibrary.h"

#include <curl/curl.h>
#include <mutex>

bool AfxInternetInitialize()
{
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] { ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ok;
}

namespace {

// Runs while the program's statics are built, before main() and so before any thread; every
// program that opens an Internet session links this file.
const bool g_initializedAtLoad = AfxInternetInitialize();

} // namespace
