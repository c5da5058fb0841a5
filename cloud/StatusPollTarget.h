#pragma once

#include "platform/core/String.h"

// What the status-polling worker sees of the main window. Both calls are made on the
// worker's thread and carried out on the UI thread; while the window is closing they do
// nothing (GetSelectedUser then answers -1). Never call them while holding a CUserListLock.
class IStatusPollTarget
{
public:
    // Index of the user chosen in the user box, -1 for none.
    virtual int GetSelectedUser() = 0;
    // Writes one cell of the device list, provided the list still shows the devices of user
    // nUser; a row or column that does not exist is left alone.
    virtual void SetStateCell(int nUser, int nRow, int nCol, const CString& strText) = 0;

protected:
    ~IStatusPollTarget() = default;
};
