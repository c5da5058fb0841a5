#pragma once

#include "platform/core/WinApp.h"
#include "registry/Account.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A test whose executable folder is a fresh temporary folder, with the account globals
// emptied.
class AccountFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quorvane-registry-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_app.SetExecutablePath(FromUtf8(m_dir + "/quorvane"));
        g_arrDevGroup.RemoveAll();
        g_strPassword.Empty();
    }

    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return m_dir + "/" + name; }

    void WriteBytes(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }

    std::string ReadBytes(const std::string& name) const
    {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Every name in the folder, to see that no temporary file was left behind.
    std::string Listing() const
    {
        std::string names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir))
            names += entry.path().filename().string() + ";";
        return names;
    }

    CWinApp m_app;
    std::string m_dir;
};
