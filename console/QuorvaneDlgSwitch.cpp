#include "console/QuorvaneDlg.h"

#include "cloud/SwitchCommand.h"
#include "registry/Account.h"

void CQuorvaneDlg::OnSwitchOn()
{
    SwitchRelay(TRUE);
}

void CQuorvaneDlg::OnSwitchOff()
{
    SwitchRelay(FALSE);
}

// A failed exchange leaves this handler as a CInternetException, which the framework reports.
void CQuorvaneDlg::SwitchRelay(BOOL bOn)
{
    int nUser = -1, nRow = -1;
    if (!GetSelectedDevice(nUser, nRow))
        return;
    const DEVICE device(g_arrDevGroup[nUser].arrDevice[nRow]);
    SendSwitchCommand(device, bOn, SWITCH_COMMAND_TIMEOUTS);
}
