#include "cloud/SwitchCommand.h"

#include "cloud/AnswerReader.h"
#include "cloud/ApiConstants.h"
#include "cloud/HttpClient.h"
#include "registry/Device.h"

#include <cjson/cJSON.h>
#include <cstring>

void SendSwitchCommand(const DEVICE& device, BOOL bOn, const EXCHANGE_TIMEOUTS& timeouts)
{
    const char* pszBody = bOn ? SWITCH_ON_BODY : SWITCH_OFF_BODY;
    const CString strUrl = g_szCommandUrlPrefix + device.strDeviceId;
    CArray<CString, CString> headers;
    headers.Add(API_KEY_HEADER + device.strApiKey);
    CHttpClient client;
    const CString strAnswer = client.HttpPost(strUrl, pszBody, static_cast<int>(strlen(pszBody)), &headers, timeouts);

    char answer[COMMAND_ANSWER_BUFFER_SIZE];
    if (AnswerToBuffer(strAnswer, answer, sizeof answer))
        cJSON_Delete(cJSON_Parse(answer));
}
