#pragma once

#include "platform/core/String.h"
#include "platform/inet/InternetTypes.h"

// Splits an "http://server[:port][/path][?query]" URL. The object is the path with its query
// ("/" when the URL has neither); the port is the URL's own, else 80. FALSE, with every
// output emptied, for a URL of another scheme or a malformed one.
BOOL AfxParseURL(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject, INTERNET_PORT& nPort);
