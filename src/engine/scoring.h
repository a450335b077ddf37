#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "gamestate.h"

namespace bellarune {

// What a question screen shows after an answer: the score window's title and result text
// (the running score it reads itself) and the sound to play. The rule functions below have
// already scored the answer, changed the usage weights and written the log.
struct AnswerResult {
    bool showScore = true;  // false: no score window (a lost Name Me game)
    std::string title;
    std::string text;
    std::optional<Sound> sound;
};

// The multiple choice family: the player pressed option `picked`; QuestionItems holds the
// item behind each option. The texts are the prompt and the right option's caption as shown.
AnswerResult ScoreChoice(GameState& state, int picked, int correctSlot, const std::string& prompt,
                         const std::string& rightCaption);

// The sorting screen's Done: QuestionItems 0..lastSlot in the player's final order, scored pair by pair.
AnswerResult ScoreSorting(GameState& state, int lastSlot);

// What sets the two matching screens apart.
struct MatchingRule {
    int pairs;                  // bars and boxes: 5 descriptions, 4 pictures
    bool wrongNamesBoxItem;     // a wrong line names the item of the box it was put on, not its own clue
    bool scoreLineCountsPairs;  // "*** Scored 2 of 4" rather than points, "10 of 25"
    const char* titlePrefix;
};
constexpr MatchingRule kDescriptionMatching{5, false, false, "Results for Matching "};
constexpr MatchingRule kImageMatching{4, true, true, "Results for "};

// A matching screen's Done: placedBar[k] is the bar on box k (-1 none), answerBar[k] the bar
// whose item box k shows; bar i stands for QuestionItems[i].
AnswerResult ScoreMatching(GameState& state, const MatchingRule& rule,
                           const std::array<int16_t, 6>& placedBar, const std::array<int16_t, 6>& answerBar);

// The wrong letters Name Me allows: NameMeBaseTries - MaxDifficulty + 1, at least 4 and at
// most 26 (there are no more letters to try, and the count stays a small number whatever
// MaxDifficulty the settings file holds).
int16_t NameMeTries(const GameState& state);

// The end of a Name Me game, won with the word found or lost with every try used.
AnswerResult ScoreNameMe(GameState& state, bool won, int maxTries, int wrongCount);

}  // namespace bellarune
