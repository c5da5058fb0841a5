#pragma once

#include "platform/core/Types.h"

// The numbers the console's HTTP code is written in. Only the ones it uses are here.
using INTERNET_PORT = WORD;

constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;

// The system's proxy settings: for this layer, libcurl's own reading of http_proxy and
// no_proxy.
constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;

constexpr DWORD INTERNET_OPTION_CONNECT_TIMEOUT = 2;
constexpr DWORD INTERNET_OPTION_CONNECT_RETRIES = 3;
constexpr DWORD INTERNET_OPTION_CONNECT_BACKOFF = 4;
constexpr DWORD INTERNET_OPTION_RECEIVE_TIMEOUT = 6;
constexpr DWORD INTERNET_OPTION_RESET_URLCACHE_SESSION = 60;
// The layer's own: the longest a whole exchange may take, from its send to the last byte of its
// answer, however the server sends. WinInet has no such bound.
constexpr DWORD INTERNET_OPTION_TOTAL_TIMEOUT = 0x10000;

constexpr DWORD INTERNET_FLAG_EXISTING_CONNECT = 0x20000000;
constexpr DWORD INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000;

constexpr int HTTP_VERB_POST = 0;
constexpr int HTTP_VERB_GET = 1;

constexpr DWORD HTTP_ADDREQ_FLAG_ADD_IF_NEW = 0x10000000;

constexpr DWORD HTTP_STATUS_OK = 200;

constexpr DWORD AFX_INET_SERVICE_UNK = 0x1000;
constexpr DWORD AFX_INET_SERVICE_HTTP = 3;

// Error codes carried by CInternetException.
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_OPERATION_CANCELLED = 12017;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr DWORD ERROR_HTTP_REDIRECT_FAILED = 12156;
