#include "quizlog.h"

#include <cstdio>

namespace bellarune {

void LogWrite(GameState& s, const std::string& text, LogLevel level, int echo)
{
    if (s.settings.LogLevel == static_cast<int16_t>(LogLevel::Off) ||
        static_cast<int16_t>(level) < s.settings.LogLevel)
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
