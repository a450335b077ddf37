#include "atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace bellarune {

std::string systemErrorText(int err)
{
    return std::strerror(err);
}

bool readWholeFile(const std::string& path, std::string& contents, std::string& error)
{
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = systemErrorText(errno ? errno : ENOENT);
        return false;
    }
    contents.clear();
    char buf[65536];
    std::size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
        contents.append(buf, got);
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) {
        error = systemErrorText(err ? err : EIO);
        return false;
    }
    return true;
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
