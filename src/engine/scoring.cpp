#include "scoring.h"

#include <algorithm>

#include "questionbuilder.h"
#include "quizlog.h"

namespace bellarune {

namespace {
constexpr int kRightWeight = 4;   // a right answer keeps its item away longer
constexpr int kWrongWeight = -1;  // a wrong one brings the items back sooner

int16_t itemAt(const GameState& s, int slot)
{
    return at(s.QuestionItems, slot);
}
}  // namespace

AnswerResult ScoreChoice(GameState& s, int picked, int correctSlot, const std::string& prompt,
                         const std::string& rightCaption)
{
    AnswerResult result;
    result.title = "Results for " + CurrentTypeName(s);
    if (picked == correctSlot) {
        result.text = " Correct, +5 pts";
        AddScore(s, 5, 5, 0);
        AdjustUsage(s, itemAt(s, picked), kRightWeight);
        result.sound = Sound::Fanfare;
    } else {
        AddScore(s, 0, 5, 0);
        result.text = "Sorry, the answer was " + rightCaption;
        LogWrite(s, prompt + " " + rightCaption, LogLevel::Detail, 0);
        AdjustUsage(s, itemAt(s, picked), kWrongWeight);
        AdjustUsage(s, itemAt(s, correctSlot), kWrongWeight);
        result.sound = Sound::Buzz;
    }
    return result;
}

AnswerResult ScoreSorting(GameState& s, int lastSlot)
{
    AnswerResult result;
    result.text = " ";
    int right = 0, pairs = 0;
    const int type = s.CurrentQuestionType;
    for (int i = 0; i < lastSlot; ++i) {
        for (int j = i + 1; j <= lastSlot; ++j) {
            const int16_t upper = itemAt(s, i), lower = itemAt(s, j);
            // Equal keys count as in order.
            if (SortValue(s, upper, type) > SortValue(s, lower, type)) {
                const std::string line = QuestionText(s, 3, upper, lower);
                LogWrite(s, line, LogLevel::Detail, 0);
                result.text += s.NL + line;
                AdjustUsage(s, upper, kWrongWeight);
                AdjustUsage(s, lower, kWrongWeight);
            } else {
                ++right;
                AdjustUsage(s, upper, kRightWeight);
            }
            ++pairs;
        }
    }
    if (right == pairs) {
        LogWrite(s, " *** All Correct!", LogLevel::Detail, 0);
        result.text = "*** All correct!";
    }
    AddScore(s, 2 * right, 2 * pairs, 0);
    result.text += s.NL + "*** " + std::to_string(right) + " of " + std::to_string(pairs) +
                   " correct, scored " + std::to_string(2 * right);
    result.title = "Results for Sorting " + CurrentTypeName(s);
    return result;
}

AnswerResult ScoreMatching(GameState& s, const MatchingRule& rule, const std::array<int16_t, 6>& placedBar,
                           const std::array<int16_t, 6>& answerBar)
{
    AnswerResult result;
    const int type = s.CurrentQuestionType;
    int count = 0;
    for (int k = 0; k < rule.pairs; ++k) {
        const int placed = at(placedBar, k);
        if (placed == at(answerBar, k)) {
            AdjustUsage(s, itemAt(s, placed), kRightWeight);
            ++count;
        } else if (placed >= 0) {
            const int item = itemAt(s, placed);
            AdjustUsage(s, item, kWrongWeight);
            const std::string line =
                QuestionText(s, 2, item, 0) +
                (rule.wrongNamesBoxItem
                     ? " placed on image of " + QuestionText(s, 2, itemAt(s, at(answerBar, k)), 0)
                     : " = " + QuestionText(s, 4, item, type));
            result.text += s.NL + line;
            LogWrite(s, line, LogLevel::Result, 0);
        }
    }
    const int possible = rule.pairs * 5;
    AddScore(s, count * 5, possible, 0);
    if (rule.scoreLineCountsPairs)
        result.text +=
            s.NL + s.NL + "*** Scored " + std::to_string(count) + " of " + std::to_string(rule.pairs);
    else
        result.text += s.NL + "*** Scored " + std::to_string(count * 5) + " of " + std::to_string(possible);
    if (count == rule.pairs) {
        result.text = "*** All correct!";
        LogWrite(s, " *** All correct!", LogLevel::Result, 0);
        result.sound = Sound::Fanfare;
    } else {
        result.sound = Sound::Buzz;
    }
    result.title = rule.titlePrefix + CurrentTypeName(s);
    return result;
}

int16_t NameMeTries(const GameState& s)
{
    const int tries = s.NameMeBaseTries - s.settings.MaxDifficulty + 1;
    return static_cast<int16_t>(std::clamp(tries, 4, 26));
}

AnswerResult ScoreNameMe(GameState& s, bool won, int maxTries, int wrongCount)
{
    AnswerResult result;
    if (!won) {
        AddScore(s, 0, maxTries, 0);
        result.showScore = false;
        result.sound = Sound::Buzz;
        return result;
    }
    // The points are the tries left over.
    AddScore(s, maxTries - wrongCount, maxTries, 0);
    result.text = "You got it!";
    result.title = "Results for " + CurrentTypeName(s);
    result.sound = Sound::Fanfare;
    return result;
}

}  // namespace bellarune
