#pragma once
#include <QString>
#include <string>

namespace bellarune {

// The game's files hold 8-bit text: Latin-1, with the bytes 0x80 to 0x9F, which are control
// codes in Latin-1 and never text, read as Windows-1252 (curly quotes, dashes, the euro sign),
// as files written on Windows have them. Every byte reads and writes back as the same byte.
QString qs(const std::string& s);
// A character the file cannot hold becomes '?'.
std::string ss(const QString& s);
// For display: CR LF becomes a plain line break.
QString displayText(const std::string& s);

// What the file can hold of a typed or pasted text: a character it cannot hold becomes the
// nearest plain one where there is one ("ā" a, "‐" -, "′" '), else '?'. lost is set when
// something was replaced.
QString storableText(const QString& text, bool* lost = nullptr);

}  // namespace bellarune
