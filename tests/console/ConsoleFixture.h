#pragma once

#include "console/QuorvaneApp.h"
#include "registry/Device.h"
#include "tests/support/FakePlatform.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

extern CQuorvaneApp theApp;

// Every test runs the console as an executable "quorvane" in a folder of its own, with no
// account logged in. The polling worker's requests go to a port that refuses them, so no test
// reaches for a real host.
class ConsoleTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::string FilePath(const char* name) const;
    std::string ReadFile(const char* name) const;
    // Writes an account file through the registry, as the console itself would.
    void WriteAccount(const CString& strAccount, const CString& strPassword, const std::vector<DEVGROUP>& users);
    static DEVGROUP User(const CString& strName, int nDevices);

    QTemporaryDir m_folder;
    fake::ProxyEnvironment m_refusingProxy{"http://127.0.0.1:" + std::to_string(fake::RefusedPort())};
};
