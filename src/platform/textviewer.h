#pragma once
#include <string>

namespace bellarune {

// Opens a text file of the program directory in the desktop's plain text viewer and
// returns at once; a failure to start the viewer is ignored. Window style 3 asks for a
// maximised window, which the desktop's handler may or may not honour.
void ShowInNotepad(const std::string& file, int windowStyle);

}  // namespace bellarune
