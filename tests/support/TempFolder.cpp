#include "tests/support/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const
{
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string TempFolder::Listing() const
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path))
        names.insert(entry.path().filename().string());
    std::string listing;
    for (const std::string& name : names)
        listing += name + ";";
    return listing;
}
