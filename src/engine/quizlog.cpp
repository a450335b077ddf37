#include "quizlog.h"

#include <cstdio>

namespace bellarune {

void AddScore(GameState& s, int points, int possible, int logIt)
{
    PlayerRecord& p = s.player();
    p.Score = static_cast<int16_t>(p.Score + points);
    p.Possible = static_cast<int16_t>(p.Possible + possible);
    p.Percent = p.Possible == 0 ? 0 : static_cast<int16_t>(static_cast<double>(p.Score) * 100.0 / p.Possible);
    if (logIt == 1)
        LogWrite(s,
                 "Score: " + std::to_string(p.Score) + " out of " + std::to_string(p.Possible) + "  " +
                     std::to_string(p.Percent) + "%",
                 1, 1);
}

void LogWrite(GameState& s, const std::string& text, int level, int echo)
{
    // Level 0 is "Off": nothing is written.
    if (s.settings.LogLevel == 0 || level < s.settings.LogLevel)
        return;
    if (std::FILE* f = std::fopen(s.LogFileName.c_str(), "ab")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fwrite("\r\n", 1, 2, f);
        std::fclose(f);
    }
    // An unwritable log loses the line; the game goes on.
    if (echo == 1)
        s.message(text);
}

void ResetLog(GameState& s)
{
    if (std::FILE* f = std::fopen(s.LogFileName.c_str(), "wb"))
        std::fclose(f);
}

}  // namespace bellarune
