#pragma once

#include "platform/core/Types.h"

// How long one exchange with the platform may take, in milliseconds: to connect, in silence
// while waiting for or reading the answer, and in all, however the platform sends.
struct EXCHANGE_TIMEOUTS
{
    DWORD dwConnectMs;
    DWORD dwReceiveMs;
    DWORD dwTotalMs;
};

// The console's bounds, as the README's table of time-outs gives them to the operator.
constexpr EXCHANGE_TIMEOUTS STATUS_QUERY_TIMEOUTS{20000, 20000, 30000};
constexpr EXCHANGE_TIMEOUTS SWITCH_COMMAND_TIMEOUTS{10000, 20000, 30000};
