#include "cloud/AnswerReader.h"

#include "cloud/ApiConstants.h"
#include "cloud/JsonLookup.h"
#include "platform/core/CodePage.h"

BOOL AnswerToBuffer(const CString& strAnswer, char* pBuffer, int nBufferSize)
{
    return WideCharToMultiByte(CP_ACP, 0, strAnswer.GetString(), -1, pBuffer, nBufferSize, nullptr, nullptr) > 0;
}

BOOL ReadAnswerMember(const CString& strAnswer, char* pBuffer, int nBufferSize, const char* pszMember, int* pnValue)
{
    if (!AnswerToBuffer(strAnswer, pBuffer, nBufferSize))
        return FALSE;
    cJSON* pRoot = cJSON_Parse(pBuffer);
    if (!pRoot)
        return FALSE;
    BOOL bUsable = FALSE;
    const cJSON* pMembers = pRoot->child;
    if (JsonMemberIntEquals(pMembers, "errno", 0)) {
        if (const cJSON* pData = JsonFindMember(pMembers, "data"))
            bUsable = JsonGetMemberInt(pData->child, pszMember, pnValue);
    }
    cJSON_Delete(pRoot);
    return bUsable;
}

BOOL ReadDeviceOnline(const CString& strAnswer, int* pnOnline)
{
    char buffer[DEVICE_ANSWER_BUFFER_SIZE];
    return ReadAnswerMember(strAnswer, buffer, sizeof buffer, "online", pnOnline);
}

BOOL ReadStatusCurrentValue(const CString& strAnswer, int* pnCurrentValue)
{
    char buffer[STATUS_ANSWER_BUFFER_SIZE];
    return ReadAnswerMember(strAnswer, buffer, sizeof buffer, "current_value", pnCurrentValue);
}
