#pragma once

class QWidget;

namespace bellarune {

struct GameState;

// Shows the screen of CurrentQuestionType modally and returns when it has closed.
// A type without a screen shows nothing.
void runQuestionScreen(GameState& state, QWidget* parent);

}  // namespace bellarune
