#pragma once

#include "console/QuorvaneApp.h"
#include "registry/Device.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

extern CQuorvaneApp theApp;

// Every test runs the console as an executable "quorvane" in a folder of its own, with no
// account logged in.
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
};
