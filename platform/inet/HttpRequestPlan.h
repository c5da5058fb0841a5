#pragma once

#include "platform/core/Types.h"

#include <string>
#include <vector>

// Everything one HTTP exchange needs, in wire form, copied out of the session, connection and
// request objects so that the exchange depends on none of them once it has started.
struct HttpRequestPlan
{
    std::string url;
    std::string userAgent;
    bool post = false;
    bool http11 = false;
    bool followRedirects = true;
    std::vector<std::string> headerLines;
    std::string body;
    DWORD connectTimeoutMs = 0;
    DWORD receiveTimeoutMs = 0;
    DWORD totalTimeoutMs = 0; // 0: no bound
};
