#pragma once

#include "cloud/ExchangeTimeouts.h"
#include "platform/core/Types.h"

class DEVICE;

// Tells the platform to close (bOn) or open the relay of device, and waits until the exchange
// ends, at the latest when one of the timeouts runs out. The answer is not looked at: the next
// status query shows what the relay did. A failed exchange raises CInternetException.
void SendSwitchCommand(const DEVICE& device, BOOL bOn, const EXCHANGE_TIMEOUTS& timeouts);
