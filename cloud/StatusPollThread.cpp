#include "cloud/StatusPollThread.h"

#include "cloud/AnswerReader.h"
#include "cloud/ApiConstants.h"
#include "cloud/DeviceListLayout.h"
#include "cloud/HttpClient.h"
#include "cloud/StatusPollTarget.h"
#include "platform/core/StopSignal.h"
#include "registry/Account.h"
#include "registry/UserListLock.h"

namespace {

constexpr DWORD CYCLE_PAUSE_MS = 1000;

// Copies what the requests for device nDevice of user nUser need, so that no request reads
// the user list. FALSE when the user or the device is gone: the cycle ends there.
BOOL CopyDeviceIds(int nUser, int nDevice, CString& strApiKey, CString& strDeviceId)
{
    CUserListLock lock;
    if (nUser >= g_arrDevGroup.GetSize())
        return FALSE;
    const CArray<DEVICE, DEVICE>& arrDevice = g_arrDevGroup[nUser].arrDevice;
    if (nDevice >= arrDevice.GetSize())
        return FALSE;
    strApiKey = arrDevice[nDevice].strApiKey;
    strDeviceId = arrDevice[nDevice].strDeviceId;
    return TRUE;
}

// One GET with a client of its own. A client that cannot be built is a failed exchange.
CString QueryPlatform(const CString& strPath, const CString& strApiKey)
{
    CArray<CString, CString> headers;
    headers.Add(API_KEY_HEADER + strApiKey);
    try {
        CHttpClient client;
        return client.HttpGet(strPath, &headers, STATUS_QUERY_TIMEOUTS);
    } catch (CException* e) {
        e->Delete();
        return CString();
    }
}

void PollDevice(IStatusPollTarget& target, unsigned nFill, int nRow, const CString& strApiKey,
                const CString& strDeviceId)
{
    const CString strDevicePath = DEVICE_PATH_PREFIX + strDeviceId;
    int nOnline = 0;
    if (!ReadDeviceOnline(QueryPlatform(strDevicePath, strApiKey), &nOnline))
        return;
    if (!nOnline) {
        target.SetStateCell(nFill, nRow, DEVICE_COLUMN_ONLINE, OFFLINE_TEXT);
        return;
    }
    target.SetStateCell(nFill, nRow, DEVICE_COLUMN_ONLINE, ONLINE_TEXT);
    int nRelay = 0;
    if (ReadStatusCurrentValue(QueryPlatform(strDevicePath + STATUS_PATH_SUFFIX, strApiKey), &nRelay))
        target.SetStateCell(nFill, nRow, DEVICE_COLUMN_RELAY, nRelay ? RELAY_CLOSED_TEXT : RELAY_OPEN_TEXT);
}

// Every state of a cycle is meant for the list that showed the chosen user when the cycle
// began: once the operator chooses another user, or an edit refills the list, the rest of the
// cycle's states are dropped rather than written into rows that now stand for other devices.
void PollCycle(IStatusPollTarget& target)
{
    unsigned nFill = 0;
    const int nUser = target.GetSelectedUser(nFill);
    if (nUser >= 0) {
        CString strApiKey, strDeviceId;
        for (int i = 0; !AfxIsThreadStopRequested() && CopyDeviceIds(nUser, i, strApiKey, strDeviceId); ++i)
            PollDevice(target, nFill, i, strApiKey, strDeviceId);
    }
    Sleep(CYCLE_PAUSE_MS);
}

} // namespace

UINT StatusPollThread(LPVOID pParam)
{
    IStatusPollTarget& target = *static_cast<IStatusPollTarget*>(pParam);
    while (!AfxIsThreadStopRequested())
        PollCycle(target);
    return 0;
}
