#include "atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace bellarune {

std::string systemErrorText(int err)
{
    return std::strerror(err);
}

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& error)
{
    const std::string temp = path + ".new";
    errno = 0;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        error = systemErrorText(errno ? errno : EIO);
        return false;
    }
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    int err = ok ? 0 : (errno ? errno : EIO);
    if (std::fflush(f) != 0 && ok) {
        ok = false;
        err = errno ? errno : EIO;
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno ? errno : EIO;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno ? errno : EIO;
    }
    if (!ok) {
        std::remove(temp.c_str());
        error = systemErrorText(err);
    }
    return ok;
}

}  // namespace bellarune
