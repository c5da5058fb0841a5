#include "console/QuorvaneDlg.h"

#include "cloud/AnswerReader.h"
#include "cloud/ApiConstants.h"
#include "cloud/HttpClient.h"
#include "registry/Account.h"

#include <cjson/cJSON.h>
#include <cstring>

void CQuorvaneDlg::OnSwitchOn()
{
    SwitchRelay(SWITCH_ON_BODY);
}

void CQuorvaneDlg::OnSwitchOff()
{
    SwitchRelay(SWITCH_OFF_BODY);
}

// The platform's answer is not looked at: the next polling cycle shows what the relay did.
// A failed exchange leaves this handler as a CInternetException, which the framework reports.
void CQuorvaneDlg::SwitchRelay(const char* pszBody)
{
    int nUser = -1, nRow = -1;
    if (!GetSelectedDevice(nUser, nRow))
        return;
    const DEVICE device(g_arrDevGroup[nUser].arrDevice[nRow]);

    const CString strUrl = g_szCommandUrlPrefix + device.strDeviceId;
    CArray<CString, CString> headers;
    headers.Add(API_KEY_HEADER + device.strApiKey);
    CHttpClient client;
    const CString strAnswer = client.HttpPost(strUrl, pszBody, static_cast<int>(strlen(pszBody)), &headers);

    char answer[COMMAND_ANSWER_BUFFER_SIZE];
    if (AnswerToBuffer(strAnswer, answer, sizeof answer))
        cJSON_Delete(cJSON_Parse(answer));
}
