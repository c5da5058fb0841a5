#include "cloud/JsonLookup.h"

#include <cstring>

cJSON* JsonFindMember(const cJSON* pFirst, const char* pszName)
{
    for (const cJSON* pNode = pFirst; pNode; pNode = pNode->next) {
        if (pNode->string && std::strcmp(pNode->string, pszName) == 0)
            return const_cast<cJSON*>(pNode);
    }
    return nullptr;
}

BOOL JsonMemberIntEquals(const cJSON* pFirst, const char* pszName, int nValue)
{
    const cJSON* pNode = JsonFindMember(pFirst, pszName);
    return pNode && pNode->valueint == nValue ? TRUE : FALSE;
}

BOOL JsonGetMemberInt(const cJSON* pFirst, const char* pszName, int* pnValue)
{
    const cJSON* pNode = JsonFindMember(pFirst, pszName);
    if (!pNode)
        return FALSE;
    *pnValue = pNode->valueint;
    return TRUE;
}
