#pragma once

#include "platform/core/Types.h"

class DEVICE;

// Tells the platform to close (bOn) or open the relay of device, and waits until the exchange
// ends. The answer is not looked at: the next status query shows what the relay did. A failed
// exchange raises CInternetException.
void SendSwitchCommand(const DEVICE& device, BOOL bOn);
