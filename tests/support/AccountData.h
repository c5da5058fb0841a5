#pragma once

#include "registry/Device.h"

#include <string>

DEVICE MakeDevice(const CString& strId, const CString& strApiKey, const CString& strDeviceId, const CString& strName,
                  const CString& strAddress, const CString& strNumber);
// A user with nDevices numbered devices: device i has the platform id "dev<i>" and the key
// "key<i>", and is written as DeviceLine(name, i).
DEVGROUP MakeUser(const CString& strName, int nDevices);
// Device i of a user made by MakeUser, as a line of the account file in UTF-8, with its CR LF.
std::string DeviceLine(const std::string& user, int i);
// The bytes of a text in the ANSI code page (GBK), as the account file holds it.
std::string Gbk(const std::string& utf8);

bool SameDevice(const DEVICE& a, const DEVICE& b);
bool SameGroups(const CArray<DEVGROUP, DEVGROUP>& a, const CArray<DEVGROUP, DEVGROUP>& b);
