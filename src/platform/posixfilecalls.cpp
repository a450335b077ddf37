#include "posixfilecalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace bellarune {

namespace {
bool syncPath(const std::string& path, int flags, std::string& error)
{
    const int fd = ::open(path.c_str(), flags | O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
    if (!ok)
        error = std::strerror(err);
    return ok;
}
}  // namespace

bool PosixFileCalls::syncFile(const std::string& path, std::string& error)
{
    return syncPath(path, 0, error);
}

bool PosixFileCalls::syncDirectory(const std::string& directory, std::string& error)
{
    return syncPath(directory, O_DIRECTORY, error);
}

void PosixFileCalls::copyOwner(const std::string& from, const std::string& to)
{
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0)
        return;
    // Only root may give a file away; anyone may give it a group they belong to.
    if (::chown(to.c_str(), st.st_uid, st.st_gid) != 0)
        (void)!::chown(to.c_str(), static_cast<uid_t>(-1), st.st_gid);
}

}  // namespace bellarune
