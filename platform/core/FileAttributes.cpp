#include "platform/core/FileAttributes.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kKeepOwner = static_cast<uid_t>(-1);
constexpr gid_t kKeepGroup = static_cast<gid_t>(-1);

} // namespace

FileAttributes AttributesOf(const std::string& path)
{
    struct stat st;
    // Only the read and write bits: a copy of a set-user-ID, set-group-ID or sticky bit would
    // hand the new content rights nobody gave it.
    if (::stat(path.c_str(), &st) == 0)
        return {st.st_mode & 0666, st.st_uid, st.st_gid};
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return {0666 & ~mask, kKeepOwner, kKeepGroup};
}

bool GiveAttributes(int fd, const FileAttributes& attributes)
{
    // The owner and group go first, so that the group's bits never reach another group.
    const bool groupKept =
        ::fchown(fd, attributes.uid, attributes.gid) == 0 || ::fchown(fd, kKeepOwner, attributes.gid) == 0;
    // Where the group is the saver's own, its members get no more than everybody else, as
    // editors do: the file's group was chosen to share it, the saver's group was not.
    const mode_t mode = groupKept ? attributes.mode : (attributes.mode & 0606) | ((attributes.mode & 06) << 3);
    return ::fchmod(fd, mode) == 0;
}
