#include "ConsoleFixture.h"

#include "registry/Account.h"
#include "registry/AccountFile.h"

#include <fstream>
#include <sstream>

CQuorvaneApp theApp;

namespace {

void ForgetAccount()
{
    g_arrDevGroup.RemoveAll();
    g_strAccount.Empty();
    g_strPassword.Empty();
    g_pMainDlg = nullptr;
}

} // namespace

void ConsoleTest::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    theApp.SetExecutablePath(FromUtf8(m_folder.filePath("quorvane").toStdString()));
    ForgetAccount();
}

void ConsoleTest::TearDown()
{
    ForgetAccount();
}

std::string ConsoleTest::FilePath(const char* name) const
{
    return m_folder.filePath(QString::fromUtf8(name)).toStdString();
}

std::string ConsoleTest::ReadFile(const char* name) const
{
    std::ifstream file(FilePath(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void ConsoleTest::WriteAccount(const CString& strAccount, const CString& strPassword, const std::vector<DEVGROUP>& users)
{
    g_strPassword = strPassword;
    for (const DEVGROUP& user : users)
        g_arrDevGroup.Add(user);
    ASSERT_TRUE(SaveAccountFile(strAccount));
    ForgetAccount();
}

DEVGROUP ConsoleTest::User(const CString& strName, int nDevices)
{
    DEVGROUP user;
    user.strName = strName;
    for (int i = 0; i < nDevices; ++i) {
        DEVICE device;
        CString suffix;
        suffix.Format(L"%d", i);
        device.strId = strName + L"-id" + suffix;
        device.strApiKey = L"key" + suffix;
        device.strDeviceId = L"dev" + suffix;
        device.strName = strName + L"-名称" + suffix;
        device.strAddress = L"地址" + suffix;
        device.strNumber = L"No" + suffix;
        user.arrDevice.Add(device);
    }
    return user;
}
