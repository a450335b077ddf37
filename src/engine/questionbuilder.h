#pragma once
#include <cstdint>
#include <string>

#include "gamestate.h"

namespace bellarune {

constexpr int kQuestionTypeCount = 16;

// The question types, numbered as in the settings file's list of enabled types. Type 0 is
// never asked; its name is that of an item.
enum QuestionType : int16_t {
    TypeName = 0,
    TypeDatesForPerson = 1,
    TypeDatesForEvent = 2,
    TypeWhoWas = 3,
    TypeDescribeEvent = 4,
    TypeEventForDescription = 5,
    TypeWhatHappenedOn = 6,
    TypeWhichBattle = 7,
    TypePeopleByDate = 8,
    TypeBattlesByDate = 9,
    TypeEventsByDate = 10,
    TypeMatchCommanders = 11,
    TypeMatchCampaign = 12,
    TypeMatchNicknames = 13,
    TypeMatchStates = 14,
    TypeMatchPortraits = 15,
    TypeNameMe = 16,
};

// The screen that asks a question type.
enum class QuestionScreen { None, MChoice, Quote, QSort, QMatch, IMatch, NameMe };

QuestionScreen ScreenForType(int type);

// The name of the question type on screen (CurrentQuestionType), for titles and the log.
const std::string& CurrentTypeName(const GameState& state);

// The text that identifies an item within a question type (type 0: the name).
std::string AnswerText(GameState& state, int item, int type);
// Modes: 1 sort prompt, 2 answer or name, 3 sort log line, 4 clue, 5 prompt.
std::string QuestionText(GameState& state, int mode, int item, int item2);
int32_t SortValue(GameState& state, int item, int type);
std::string YearRange(const ItemRecord& item, const std::string& separator);
// The picture of an item in the current question type (a state map for type 14).
std::string ItemPicture(const GameState& state, int item);
void AdjustUsage(GameState& state, int item, int delta);
// Picks a qualifying item into QuestionItems[slot]; 0 when it gives up.
int16_t PickItem(GameState& state, int slot);

// Whether an item is of the kind and passes the field test of a question type
// (the per-item part of picking, without weights and duplicates).
bool ItemFitsType(const GameState& state, int item, int type);

}  // namespace bellarune
