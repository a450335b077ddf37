#pragma once
#include <string>

namespace bellarune {

// What a safe replace needs from the operating system beyond the standard library. The
// platform layer gives the real calls; without them a write is whole but not forced to the disk.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;
    // Forces a file's contents, or a directory's entries, onto the disk.
    virtual bool syncFile(const std::string& path, std::string& error) = 0;
    virtual bool syncDirectory(const std::string& directory, std::string& error) = 0;
    // Gives file `to` the owner and group of file `from`, as far as this user may.
    virtual void copyOwner(const std::string& from, const std::string& to) = 0;
};

// Writes contents to a temporary file of its own beside path and renames it over path, so the
// file on disk is always either the whole old one or the whole new one. A path that is a
// symbolic link is written through to the file it points to; the replaced file keeps its mode,
// owner and group, and a read-only one is not replaced. With calls, the new file and its
// directory are forced onto the disk before the write counts as done.
// On failure returns false, leaves the old file alone and puts the error text into error.
bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& error,
                         FileSystemCalls* calls = nullptr);

// True for a file that writeFileAtomically refuses to replace because it is read-only.
bool isReadOnlyFile(const std::string& path);

// Reads a whole file; on failure puts the system's error text into error.
bool readWholeFile(const std::string& path, std::string& contents, std::string& error);

// The platform's text for the current errno.
std::string systemErrorText(int err);

}  // namespace bellarune
