#pragma once
#include <cstdint>
#include <string>

#include "gamestate.h"

namespace bellarune {

// The level of a log message, and the LogLevel setting: a message is written when its
// level is at least the setting, and the setting Off writes nothing.
enum class LogLevel : int16_t {
    Off = 0,
    Detail = 1,  // the question a screen shows, a wrong answer of a choice or sorting screen
    Result = 2,  // the question headers and the results of the matching screens
};

// Appends a line to the quiz log when the log level lets it through; echo 1 also shows it.
void LogWrite(GameState& state, const std::string& text, LogLevel level, int echo);
// Empties the quiz log.
void ResetLog(GameState& state);

}  // namespace bellarune
