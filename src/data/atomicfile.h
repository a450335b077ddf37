#pragma once
#include <string>

namespace bellarune {

// Writes contents to a temporary file beside path and renames it over path, so the
// file on disk is always either the whole old one or the whole new one.
// On failure returns false, leaves the old file alone and puts the system's error
// text into error.
bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& error);

// Reads a whole file; on failure puts the system's error text into error.
bool readWholeFile(const std::string& path, std::string& contents, std::string& error);

// The platform's text for the current errno.
std::string systemErrorText(int err);

}  // namespace bellarune
