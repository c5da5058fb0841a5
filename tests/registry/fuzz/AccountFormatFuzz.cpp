#include "platform/core/AnsiText.h"
#include "registry/AccountFormat.h"

#include <cstdint>
#include <cstdlib>

namespace {

// What a text becomes once written and read back: characters the code page lacks turn into
// "?".
CString Written(const CString& text)
{
    std::string bytes(AnsiSizeBound(text), '\0');
    bytes.resize(static_cast<size_t>(WriteAnsi(bytes.data(), text) - bytes.data()));
    bool exact = true;
    return WideFromAnsi(bytes.data(), bytes.size(), exact);
}

bool SameAsWritten(const CArray<DEVGROUP, DEVGROUP>& read, const CArray<DEVGROUP, DEVGROUP>& original)
{
    if (read.GetSize() != original.GetSize())
        return false;
    for (INT_PTR i = 0; i < read.GetSize(); ++i) {
        const DEVGROUP& a = read[i];
        const DEVGROUP& b = original[i];
        if (!(a.strName == Written(b.strName)) || a.arrDevice.GetSize() != b.arrDevice.GetSize())
            return false;
        for (INT_PTR j = 0; j < a.arrDevice.GetSize(); ++j) {
            const DEVICE& x = a.arrDevice[j];
            const DEVICE& y = b.arrDevice[j];
            if (!(x.strId == Written(y.strId)) || !(x.strApiKey == Written(y.strApiKey)) ||
                !(x.strDeviceId == Written(y.strDeviceId)) || !(x.strName == Written(y.strName)) ||
                !(x.strAddress == Written(y.strAddress)) || !(x.strNumber == Written(y.strNumber)))
                return false;
        }
    }
    return true;
}

} // namespace

// Whatever the reader makes of any bytes must survive a save and a load unchanged, and a
// second save must write the same bytes as the first. The reader says the bytes were read
// whole exactly when the first save gives them back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    CString password;
    CArray<DEVGROUP, DEVGROUP> users;
    const bool whole = ParseAccountFile(reinterpret_cast<const char*>(data), size, password, users);

    const std::string first = FormatAccountFile(password, users);
    if (whole != (first == std::string(reinterpret_cast<const char*>(data), size)))
        std::abort();
    CString rereadPassword;
    CArray<DEVGROUP, DEVGROUP> rereadUsers;
    if (!ParseAccountFile(first.data(), first.size(), rereadPassword, rereadUsers))
        std::abort();

    CString expectedPassword = Written(password);
    expectedPassword.Trim();
    if (!(rereadPassword == expectedPassword) || !SameAsWritten(rereadUsers, users))
        std::abort();
    if (FormatAccountFile(rereadPassword, rereadUsers) != first)
        std::abort();
    return 0;
}
