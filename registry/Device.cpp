#include "registry/Device.h"

DEVICE::DEVICE(const DEVICE& other)
    : strId(other.strId),
      strApiKey(other.strApiKey),
      strDeviceId(other.strDeviceId),
      strName(other.strName),
      strAddress(other.strAddress),
      strNumber(other.strNumber)
{}

void DEVICE::operator=(const DEVICE& other)
{
    if (this == &other)
        return;
    strId = other.strId;
    strApiKey = other.strApiKey;
    strDeviceId = other.strDeviceId;
    strName = other.strName;
    strAddress = other.strAddress;
    strNumber = other.strNumber;
}

DEVGROUP::DEVGROUP(const DEVGROUP& other)
{
    *this = other;
}

void DEVGROUP::operator=(const DEVGROUP& other)
{
    if (this == &other)
        return;
    strName = other.strName;
    arrDevice.RemoveAll();
    for (INT_PTR i = 0; i < other.arrDevice.GetSize(); ++i)
        arrDevice.Add(other.arrDevice[i]);
}
