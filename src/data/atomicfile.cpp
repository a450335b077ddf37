#include "atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace bellarune {

namespace fs = std::filesystem;

namespace {

// The file a path names in the end: a symbolic link is followed to its target (one that does
// not exist yet too), so that the link stays a link and its target gets the new contents.
fs::path finalTarget(const fs::path& path)
{
    fs::path p = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(p, ec); ++hops) {
        const fs::path next = fs::read_symlink(p, ec);
        if (ec)
            break;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p;
}

// A file that may not be written: no write permission for anyone (which even root is held
// to here), or none for this user. A read-only file system is not the file's own mode: that
// fault comes from creating the temporary file, with the system's text.
bool isReadOnly(const fs::path& file)
{
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    if (ec || !fs::is_regular_file(st))
        return false;
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((st.permissions() & write) == fs::perms::none)
        return true;
    errno = 0;
    if (std::FILE* f = std::fopen(file.c_str(), "r+b")) {  // opens without changing anything
        std::fclose(f);
        return false;
    }
    return errno == EACCES || errno == EPERM;
}

// A temporary file of this write's own beside target: two copies of the game writing the same
// file never share one. Returns the open file, or null with the error number.
std::FILE* createTemporary(const fs::path& target, std::string& name, int& err)
{
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix;
        for (int i = 0; i < 8; ++i)
            suffix += kDigits[random() % 36];
        name = target.string() + "." + suffix + ".new";
        errno = 0;
        if (std::FILE* f = std::fopen(name.c_str(), "wbx"))  // x: fails when the name is taken
            return f;
        if (errno != EEXIST)
            break;
    }
    err = errno ? errno : EIO;
    return nullptr;
}

}  // namespace

bool isReadOnlyFile(const std::string& path)
{
    return isReadOnly(finalTarget(path));
}

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

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& error,
                         FileSystemCalls* calls)
{
    const fs::path target = finalTarget(path);
    std::error_code ec;
    const fs::file_status old = fs::status(target, ec);
    const bool replacing = !ec && fs::exists(old);
    if (replacing && isReadOnly(target)) {
        error = path + " is read-only, so it was not replaced.";
        return false;
    }
    std::string temp;
    int err = 0;
    std::FILE* f = createTemporary(target, temp, err);
    if (!f) {
        error = systemErrorText(err);
        return false;
    }
    if (replacing) {
        // Before the contents go in, so a private file is never readable by others on the way.
        if (calls)
            calls->copyOwner(target.string(), temp);
        fs::permissions(temp, old.permissions(), ec);
    }
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    err = ok ? 0 : (errno ? errno : EIO);
    if (std::fflush(f) != 0 && ok) {
        ok = false;
        err = errno ? errno : EIO;
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno ? errno : EIO;
    }
    error.clear();
    // On the disk before the rename: a power cut must not leave the new name on an empty file.
    if (ok && calls && !calls->syncFile(temp, error))
        ok = false;
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        err = errno ? errno : EIO;
    }
    if (!ok) {
        std::remove(temp.c_str());
        if (error.empty())
            error = systemErrorText(err);
        return false;
    }
    // The rename itself on the disk. Should this fail, a power cut leaves the old file or the
    // new one, each whole: nothing the owner has to be told about.
    if (calls) {
        std::string ignored;
        calls->syncDirectory(target.has_parent_path() ? target.parent_path().string() : ".", ignored);
    }
    return true;
}

}  // namespace bellarune
