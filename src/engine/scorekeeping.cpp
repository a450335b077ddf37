#include "scorekeeping.h"

#include <string>

#include "gamestate.h"
#include "quizlog.h"

namespace bellarune {

void AddScore(GameState& s, int points, int possible, int logIt)
{
    PlayerRecord& p = s.player();
    p.Score = static_cast<int16_t>(p.Score + points);
    p.Possible = static_cast<int16_t>(p.Possible + possible);
    // In floating point: Score * 100 leaves the 16-bit range from a score of 328.
    p.Percent = p.Possible == 0 ? 0 : static_cast<int16_t>(static_cast<double>(p.Score) * 100.0 / p.Possible);
    if (logIt == 1)
        LogWrite(s,
                 "Score: " + std::to_string(p.Score) + " out of " + std::to_string(p.Possible) + "  " +
                     std::to_string(p.Percent) + "%",
                 LogLevel::Detail, 1);
}

}  // namespace bellarune
