#include "questionscreens.h"

#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "screens/imatch.h"
#include "screens/mchoice.h"
#include "screens/nameme.h"
#include "screens/qmatch.h"
#include "screens/qsort.h"
#include "screens/quote.h"

namespace bellarune {

void runQuestionScreen(GameState& state, QWidget* parent)
{
    switch (ScreenForType(state.CurrentQuestionType)) {
        case QuestionScreen::MChoice:
            MChoice::ask(state, parent);
            break;
        case QuestionScreen::Quote:
            Quote::ask(state, parent);
            break;
        case QuestionScreen::QSort:
            QSort::ask(state, parent);
            break;
        case QuestionScreen::QMatch:
            QMatch::ask(state, parent);
            break;
        case QuestionScreen::IMatch:
            IMatch::ask(state, parent);
            break;
        case QuestionScreen::NameMe:
            NameMe::ask(state, parent);
            break;
        case QuestionScreen::None:
            break;
    }
}

}  // namespace bellarune
