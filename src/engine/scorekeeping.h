#pragma once
#include <cstdint>

namespace bellarune {

struct GameState;

// The score of one player in the current game.
struct PlayerRecord {
    int16_t Score = 0;
    int16_t Possible = 0;
    int16_t Percent = 0;  // Score as a whole percentage of Possible, 0 while nothing is possible
};

// Adds to the current player's score and recomputes the percentage; logIt 1 also logs the
// new score and shows it in a message box.
void AddScore(GameState& state, int points, int possible, int logIt);

}  // namespace bellarune
