#pragma once
#include <array>
#include <string>
#include <string_view>

namespace bellarune {

// The sound list: nine file names, quoted or bare, separated by commas or line ends.
// Entries the text does not hold stay empty.
std::array<std::string, 10> ParseSoundList(std::string_view data);

}  // namespace bellarune
