#pragma once
#include "screens/mchoice.h"

class QPlainTextEdit;

namespace bellarune {

struct GameState;

// The description choice screen: a description in a text box and five event names to
// choose from. Answers, help and skip work as on the multiple choice screen.
class Quote : public ChoiceScreen {
    Q_OBJECT
public:
    Quote(GameState& state, QWidget* parent = nullptr);
    static void ask(GameState& state, QWidget* parent);

    QPlainTextEdit* Text1;

protected:
    void layout() override;
    std::string optionText(int item) override;
    void showQuestion() override;

private:
    void fitPrompt();
};

}  // namespace bellarune
