#include "gamedriver.h"

#include "../data/checkedindex.h"
#include "questionbuilder.h"
#include "quizlog.h"

namespace bellarune {

void ShowQuestion(GameState& s, int type, const GameCallbacks& ui)
{
    s.CurrentQuestionType = static_cast<int16_t>(type);
    if (ui.showScreen)
        ui.showScreen(type);
}

void AskQuestions(GameState& s, const GameCallbacks& ui)
{
    int q = 0;
    while (q < s.settings.QuestionsPerGame) {
        const int t = Clamp(s.rng.draw(TypeNameMe + 1), TypeDatesForPerson, TypeNameMe);
        if (at(s.settings.CategoryEnabled, t) != 0) {
            LogWrite(s, "---- Question " + std::to_string(q + 1), LogLevel::Result, 0);
            ShowQuestion(s, t, ui);
            ++q;
            continue;
        }
        int enabled = 0;
        for (int k = TypeDatesForPerson; k <= TypeNameMe; ++k)
            if (at(s.settings.CategoryEnabled, k) != 0)
                ++enabled;
        if (enabled == 0) {
            s.message(
                std::to_string(enabled) +
                "No questions possible with current selections.  Change difficulty levels or question types");
            if (ui.showSetup)
                ui.showSetup();
        }
    }
}

void PlayGame(GameState& s, const GameCallbacks& ui)
{
    s.CurrentPlayer = 0;
    s.Players[0] = PlayerRecord{};
    AskQuestions(s, ui);
    const PlayerRecord& p = s.Players[0];
    s.message("You scored " + std::to_string(p.Score) + " out of " + std::to_string(p.Possible) + " (" +
              std::to_string(p.Percent) + "%)");
}

}  // namespace bellarune
