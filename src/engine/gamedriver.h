#pragma once
#include <functional>

#include "gamestate.h"

namespace bellarune {

// What the driver needs from the UI: show a question type's screen modally, and
// show the setup screen. Both return when the screen has closed.
struct GameCallbacks {
    std::function<void(int type)> showScreen;
    std::function<void()> showSetup;
};

// Sets CurrentQuestionType and shows the type's screen through the callback.
void ShowQuestion(GameState& state, int type, const GameCallbacks& ui);
void AskQuestions(GameState& state, const GameCallbacks& ui);
// One whole game, ending with the score message.
void PlayGame(GameState& state, const GameCallbacks& ui);

}  // namespace bellarune
