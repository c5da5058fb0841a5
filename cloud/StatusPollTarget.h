#pragma once

#include "platform/core/String.h"

// What the status-polling worker sees of the main window. Both calls are made on the
// worker's thread and carried out on the UI thread; while the window is closing they do
// nothing (GetSelectedUser then answers -1). Never call them while holding a CUserListLock.
class IStatusPollTarget
{
public:
    // Index of the user chosen in the user box, -1 for none, and in nFill how many times the
    // device list had been filled when it was read. Both come from one moment, so that the
    // list they name shows the devices of that user.
    virtual int GetSelectedUser(unsigned& nFill) = 0;
    // Writes one cell of the device list, provided the list has not been filled again since
    // fill nFill: a refill after an edit or a change of user may have put another device, or
    // another user's device, in that row. A row or column that does not exist is left alone.
    virtual void SetStateCell(unsigned nFill, int nRow, int nCol, const CString& strText) = 0;

protected:
    ~IStatusPollTarget() = default;
};
