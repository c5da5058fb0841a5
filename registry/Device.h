#pragma once

#include "platform/core/Array.h"

// One relay device of a user. Fields in the order of the add-device dialog and the account
// file's device line.
class DEVICE final
{
public:
    DEVICE() = default;
    DEVICE(const DEVICE& other);
    DEVICE(DEVICE&& other) noexcept = default;
    virtual void operator=(const DEVICE& other);
    ~DEVICE() = default;

    CString strId;
    CString strApiKey;
    CString strDeviceId;
    CString strName;
    CString strAddress;
    CString strNumber;
};

// One user of the account with the user's devices, in order.
class DEVGROUP final
{
public:
    DEVGROUP() = default;
    DEVGROUP(const DEVGROUP& other);
    DEVGROUP(DEVGROUP&& other) noexcept = default;
    virtual void operator=(const DEVGROUP& other);
    ~DEVGROUP() = default;

    CString strName;
    CArray<DEVICE, DEVICE> arrDevice;
};
