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
