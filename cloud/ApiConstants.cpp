#include "cloud/ApiConstants.h"

// QUORVANE_API_HOST comes from the build (the CMake cache variable of the same name).
const wchar_t g_szApiHost[] = L"" QUORVANE_API_HOST;
const wchar_t g_szCommandUrlPrefix[] = L"http://" QUORVANE_API_HOST "/cmds?qos=1&timeout=10&device_id=";
