#pragma once

#include <string>
#include <sys/types.h>

// What a replaced file hands on to the file that takes its name.
struct FileAttributes
{
    mode_t mode;
    uid_t uid;
    gid_t gid;
};

// The file's read and write bits, owner and group. For a file that is not there, those of a
// plain create: the mode the umask leaves, and the owner and group the system gives.
FileAttributes AttributesOf(const std::string& path);

// Gives the open file those attributes, the owner and group as far as this process may: root
// keeps both, another user the group when it belongs to it. False when the mode cannot be set.
bool GiveAttributes(int fd, const FileAttributes& attributes);
