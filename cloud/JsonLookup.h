#pragma once

#include "platform/core/Types.h"

#include <cjson/cJSON.h>

// Member lookups along one level of a parsed answer. pFirst is the first member of an object
// (its child) or null; names compare exactly, and only the first member with the name
// counts. Members without a name (those of an array) never match. A member's value is always
// its valueint, whatever its JSON type.

// TRUE when the first member named pszName exists and its value is nValue.
BOOL JsonMemberIntEquals(const cJSON* pFirst, const char* pszName, int nValue);
// The first member named pszName, or null.
cJSON* JsonFindMember(const cJSON* pFirst, const char* pszName);
// Stores the first member's value in *pnValue and yields TRUE; FALSE, leaving *pnValue
// alone, when there is no member of that name.
BOOL JsonGetMemberInt(const cJSON* pFirst, const char* pszName, int* pnValue);
