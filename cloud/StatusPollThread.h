#pragma once

#include "platform/core/Types.h"

// The polling worker's thread procedure. pParam is the IStatusPollTarget* that the worker
// reports to. Each cycle asks the platform about every device of the chosen user, writes the
// answers into the list's state columns, then pauses a second. Returns once its thread is
// asked to stop.
UINT StatusPollThread(LPVOID pParam);
