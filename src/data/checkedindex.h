#pragma once
#include <cstddef>

namespace bellarune {

// Element i of an array indexed by a game number (a slot, a bar, a box, an item), checked:
// the numbers are 16-bit integers in the game's state, the arrays' indexes std::size_t.
template <typename Array>
constexpr auto& at(Array& array, int i)
{
    return array.at(static_cast<std::size_t>(i));
}

}  // namespace bellarune
