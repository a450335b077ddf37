#pragma once
#include "data/atomicfile.h"

namespace bellarune {

// The POSIX calls behind a durable replace of the game's files: fsync of the file and of its
// directory, and chown to keep the owner and group of the file replaced.
class PosixFileCalls : public FileSystemCalls {
public:
    bool syncFile(const std::string& path, std::string& error) override;
    bool syncDirectory(const std::string& directory, std::string& error) override;
    void copyOwner(const std::string& from, const std::string& to) override;
};

}  // namespace bellarune
