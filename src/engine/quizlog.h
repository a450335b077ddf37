#pragma once
#include <string>

#include "gamestate.h"

namespace bellarune {

// Adds to the current player's score and recomputes the percentage.
void AddScore(GameState& state, int points, int possible, int logIt);
// Appends a line to the quiz log when the log level lets it through; echo 1 also shows it.
void LogWrite(GameState& state, const std::string& text, int level, int echo);
// Empties the quiz log.
void ResetLog(GameState& state);

}  // namespace bellarune
