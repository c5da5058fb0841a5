#include "tests/support/AccountData.h"

#include "platform/core/CodePage.h"

#include <vector>

DEVICE MakeDevice(const CString& strId, const CString& strApiKey, const CString& strDeviceId, const CString& strName,
                  const CString& strAddress, const CString& strNumber)
{
    DEVICE dev;
    dev.strId = strId;
    dev.strApiKey = strApiKey;
    dev.strDeviceId = strDeviceId;
    dev.strName = strName;
    dev.strAddress = strAddress;
    dev.strNumber = strNumber;
    return dev;
}

DEVGROUP MakeUser(const CString& strName, int nDevices)
{
    DEVGROUP user;
    user.strName = strName;
    for (int i = 0; i < nDevices; ++i) {
        CString n;
        n.Format(L"%d", i);
        user.arrDevice.Add(
            MakeDevice(strName + L"-id" + n, L"key" + n, L"dev" + n, strName + L"-名称" + n, L"地址" + n, L"No" + n));
    }
    return user;
}

std::string DeviceLine(const std::string& user, int i)
{
    const std::string n = std::to_string(i);
    return user + "-id" + n + "|key" + n + "|dev" + n + "|" + user + "-名称" + n + "|地址" + n + "|No" + n + "\r\n";
}

std::string Gbk(const std::string& utf8)
{
    const CString text = FromUtf8(utf8);
    const int nBytes = WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(static_cast<size_t>(nBytes) + 1);
    WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), bytes.data(), nBytes, nullptr, nullptr);
    return std::string(bytes.data(), static_cast<size_t>(nBytes));
}

bool SameDevice(const DEVICE& a, const DEVICE& b)
{
    return a.strId == b.strId && a.strApiKey == b.strApiKey && a.strDeviceId == b.strDeviceId &&
        a.strName == b.strName && a.strAddress == b.strAddress && a.strNumber == b.strNumber;
}

bool SameGroups(const CArray<DEVGROUP, DEVGROUP>& a, const CArray<DEVGROUP, DEVGROUP>& b)
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
