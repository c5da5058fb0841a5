#pragma once

#include "platform/core/Types.h"
#include "platform/inet/InternetTypes.h"

// The cloud platform's HTTP API as the console uses it.

// The API host's name, fixed when the console is built.
extern const wchar_t g_szApiHost[];
constexpr INTERNET_PORT API_PORT = INTERNET_DEFAULT_HTTP_PORT;

// Query paths: DEVICE_PATH_PREFIX + platform id, and the same + STATUS_PATH_SUFFIX.
constexpr LPCTSTR DEVICE_PATH_PREFIX = _T("devices/");
constexpr LPCTSTR STATUS_PATH_SUFFIX = _T("/datastreams/status");
// The one extra header line of every request: API_KEY_HEADER + the device's key.
constexpr LPCTSTR API_KEY_HEADER = _T("api-key:");

// The command URL up to the platform id, which is appended unchanged.
extern const wchar_t g_szCommandUrlPrefix[];

// Command bodies, sent without their terminator.
constexpr char SWITCH_ON_BODY[] = "s,-1,90,300";
constexpr char SWITCH_OFF_BODY[] = "s,0,90,300";

// Sizes of the 8-bit buffers the answers are parsed from, terminator included.
constexpr int DEVICE_ANSWER_BUFFER_SIZE = 10240;
constexpr int STATUS_ANSWER_BUFFER_SIZE = 1024;
constexpr int COMMAND_ANSWER_BUFFER_SIZE = 1024;
