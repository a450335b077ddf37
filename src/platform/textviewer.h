#pragma once
#include <QString>
#include <string>

namespace bellarune {

// Shows a text file of the program directory in a plain text editor and returns at once:
// the desktop's own editor where one is registered for text/plain and starts, else the
// game's own text window in the given window style (3: maximised, with focus), which
// also opens for a missing file, empty.
void ShowInNotepad(const std::string& file, int windowStyle);

// Starts the desktop's plain text editor on path, as the XDG mime application lists
// ($XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_DATA_DIRS...) name it for text/plain.
// False when none is registered, or none of those registered can start without a terminal.
bool startDesktopTextEditor(const QString& path);

}  // namespace bellarune
