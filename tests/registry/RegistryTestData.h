#pragma once

#include "registry/Device.h"

inline DEVICE MakeDevice(const wchar_t* id, const wchar_t* key, const wchar_t* deviceId, const wchar_t* name,
                         const wchar_t* address, const wchar_t* number)
{
    DEVICE dev;
    dev.strId = id;
    dev.strApiKey = key;
    dev.strDeviceId = deviceId;
    dev.strName = name;
    dev.strAddress = address;
    dev.strNumber = number;
    return dev;
}

inline DEVGROUP MakeGroup(const wchar_t* name, int nDevices)
{
    DEVGROUP group;
    group.strName = name;
    for (int i = 0; i < nDevices; ++i) {
        const CString n(std::to_wstring(i));
        group.arrDevice.Add(MakeDevice(L"id" + n, L"key" + n, L"dev" + n, L"name" + n, L"addr" + n, n));
    }
    return group;
}

inline bool SameDevice(const DEVICE& a, const DEVICE& b)
{
    return a.strId == b.strId && a.strApiKey == b.strApiKey && a.strDeviceId == b.strDeviceId &&
           a.strName == b.strName && a.strAddress == b.strAddress && a.strNumber == b.strNumber;
}

inline bool SameGroups(const CArray<DEVGROUP, DEVGROUP>& a, const CArray<DEVGROUP, DEVGROUP>& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    for (INT_PTR i = 0; i < a.GetSize(); ++i) {
        if (!(a[i].strName == b[i].strName) || a[i].arrDevice.GetSize() != b[i].arrDevice.GetSize())
            return false;
        for (INT_PTR j = 0; j < a[i].arrDevice.GetSize(); ++j)
            if (!SameDevice(a[i].arrDevice[j], b[i].arrDevice[j]))
                return false;
    }
    return true;
}
