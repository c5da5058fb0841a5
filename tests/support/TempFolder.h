#pragma once

#include <string>

// A folder of its own in the system's temporary folder (TMPDIR when set), removed with all it
// holds when the object goes. Raises std::system_error when it cannot be made.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string PathOf(const std::string& name) const { return m_path + "/" + name; }

    void Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes; "" when it cannot be read.
    std::string Read(const std::string& name) const;
    // Every name in the folder in order, each followed by ';': shows a temporary file left
    // behind.
    std::string Listing() const;

private:
    std::string m_path;
};
