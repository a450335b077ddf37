#include "questionbuilder.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "../data/checkedindex.h"

namespace bellarune {

namespace {

enum class Kind { Any, Person, Event, BattleOnly };
enum class Dup { None, DateText, Year1, State };

struct TypeRule {
    QuestionScreen screen;
    Kind kind;
    Dup dup;
};

constexpr TypeRule kRules[kQuestionTypeCount + 1] = {
    {QuestionScreen::None, Kind::Any, Dup::None},            // 0 Name
    {QuestionScreen::MChoice, Kind::Person, Dup::None},      // 1 Dates for person
    {QuestionScreen::MChoice, Kind::Event, Dup::DateText},   // 2 Dates for event
    {QuestionScreen::MChoice, Kind::Person, Dup::None},      // 3 Who was?
    {QuestionScreen::MChoice, Kind::Event, Dup::None},       // 4 Describe event?
    {QuestionScreen::Quote, Kind::Event, Dup::None},         // 5 Event based on desc
    {QuestionScreen::MChoice, Kind::Event, Dup::DateText},   // 6 What happened on?
    {QuestionScreen::MChoice, Kind::BattleOnly, Dup::None},  // 7 Which battle ...
    {QuestionScreen::QSort, Kind::Person, Dup::Year1},       // 8 People by date
    {QuestionScreen::QSort, Kind::BattleOnly, Dup::Year1},   // 9 Battles by date
    {QuestionScreen::QSort, Kind::Event, Dup::Year1},        // 10 Events by date
    {QuestionScreen::QMatch, Kind::BattleOnly, Dup::None},   // 11 commanders
    {QuestionScreen::QMatch, Kind::Any, Dup::None},          // 12 campaign
    {QuestionScreen::QMatch, Kind::Person, Dup::None},       // 13 nicknames
    {QuestionScreen::IMatch, Kind::Event, Dup::State},       // 14 states
    {QuestionScreen::IMatch, Kind::Person, Dup::None},       // 15 portraits
    {QuestionScreen::NameMe, Kind::Person, Dup::None},       // 16 Name me
};

bool inTable(int type)
{
    return type >= 0 && type <= kQuestionTypeCount;
}

// s >= " " by character code: not empty and the first character not below a blank.
bool present(const std::string& s)
{
    return !s.empty() && static_cast<unsigned char>(s[0]) >= ' ';
}

// s > " " by character code.
bool aboveBlank(const std::string& s)
{
    return !s.empty() && (static_cast<unsigned char>(s[0]) > ' ' || (s[0] == ' ' && s.size() > 1));
}

bool kindFits(Kind kind, int16_t itemType)
{
    switch (kind) {
        case Kind::Any:
            return true;
        case Kind::Person:
            return itemType != Battle && itemType != OtherEvent;
        case Kind::Event:
            return itemType != Officer && itemType != OtherPerson;
        case Kind::BattleOnly:
            return itemType == Battle;
    }
    return false;
}

bool fieldTest(int type, const ItemRecord& r)
{
    switch (type) {
        case TypeDatesForPerson:
            return r.Year1 >= 1700 && r.Year2 >= 1700;
        case TypeDatesForEvent:
        case TypeWhatHappenedOn:
            return present(r.DateText);
        case TypeWhoWas:
        case TypeDescribeEvent:
        case TypeEventForDescription:
            return present(r.Description);
        case TypeWhichBattle:
        case TypeMatchCommanders:
            return present(r.Commanders);
        case TypePeopleByDate:
        case TypeBattlesByDate:
        case TypeEventsByDate:
            return r.Year1 >= 1700;
        case TypeMatchCampaign:
            return present(r.Campaign) && r.Campaign != r.Name;
        case TypeMatchStates:
            return r.State >= 1;
        case TypeMatchPortraits:
        case TypeNameMe:
            return present(r.ImageFile);
        default:
            return true;
    }
}

bool sameDupField(Dup dup, const ItemRecord& a, const ItemRecord& b)
{
    switch (dup) {
        case Dup::None:
            return false;
        case Dup::DateText:
            return a.DateText == b.DateText;
        case Dup::Year1:
            return a.Year1 == b.Year1;
        case Dup::State:
            return a.State == b.State;
    }
    return false;
}

// The portrait types show the item's own picture: an item whose picture file is not in the
// program directory would be asked about with an empty box.
bool pictureThere(const GameState& s, int item, int type)
{
    if (type != 15 && type != 16)
        return true;
    std::error_code ec;
    return std::filesystem::is_regular_file(s.item(item).ImageFile, ec);
}

const std::string& typeName(const GameState& s, int type)
{
    static const std::string none;
    return type >= 0 && type < 18 ? at(s.names.QuestionTypeNames, type) : none;
}

}  // namespace

const std::string& CurrentTypeName(const GameState& state)
{
    return typeName(state, state.CurrentQuestionType);
}

QuestionScreen ScreenForType(int type)
{
    return inTable(type) ? kRules[type].screen : QuestionScreen::None;
}

std::string YearRange(const ItemRecord& item, const std::string& separator)
{
    return std::to_string(item.Year1) + separator + std::to_string(item.Year2);
}

std::string AnswerText(GameState& s, int item, int type)
{
    const ItemRecord& r = s.item(item);
    switch (type) {
        case TypeName:
        case TypeEventForDescription:
        case TypePeopleByDate:
        case TypeBattlesByDate:
        case TypeEventsByDate:
        case TypeMatchStates:
        case TypeMatchPortraits:
        case TypeNameMe:
            return r.Name;
        case TypeDatesForPerson:
            return YearRange(r, " - ");
        case TypeDatesForEvent:
            return r.DateText;
        case TypeWhoWas:
        case TypeDescribeEvent:
        case TypeWhatHappenedOn:
            return r.Description;
        case TypeWhichBattle:
        case TypeMatchCommanders:
            return r.Commanders;
        case TypeMatchCampaign:
            return r.Campaign;
        case TypeMatchNicknames:
            return r.Nickname;
        default:
            s.message("No getpstr for " + std::to_string(type) + typeName(s, type));
            return "";
    }
}

int32_t SortValue(GameState& s, int item, int type)
{
    if (type == TypePeopleByDate || type == TypeBattlesByDate || type == TypeEventsByDate)
        return s.item(item).Year1;
    s.message("getsortval not defined" + std::to_string(type));
    return 0;
}

std::string QuestionText(GameState& s, int mode, int item, int item2)
{
    const int type = s.CurrentQuestionType;
    const ItemRecord& r = s.item(item);
    switch (mode) {
        case 1:
            return "Sort " + typeName(s, type) + ", earliest on top";
        case 2:
            return item2 != 0 ? AnswerText(s, item, type) : r.Name;
        case 3:
            return r.Name + " " + std::to_string(SortValue(s, item, type)) + " > " + s.item(item2).Name +
                   " " + std::to_string(SortValue(s, item2, type));
        case 4:
            switch (type) {
                case TypeDatesForPerson:
                    return YearRange(r, " to ");
                case TypeDatesForEvent:
                    return r.DateText;
                case TypeWhoWas:
                case TypeDescribeEvent:
                case TypeEventForDescription:
                    return r.Description;
                case TypeWhatHappenedOn:
                    return r.Name + " -- " + r.Description;
                case TypeWhichBattle:
                case TypeMatchCommanders:
                    return r.Commanders;
                case TypeMatchCampaign:
                    return r.Campaign;
                case TypeMatchNicknames:
                    return r.Nickname;
                case TypeMatchStates:
                    return at(s.names.StateImageFiles, r.State >= 0 && r.State < 18 ? r.State : 17);
                default:
                    return " *** need L_PARAM for " + std::to_string(type) + typeName(s, type);
            }
        case 5:
            switch (type) {
                case TypeDatesForPerson:
                    return "Which dates match " + r.Name + "?";
                case TypeDatesForEvent:
                    return "Which date(s) match " + r.Name + "?";
                case TypeWhoWas:
                    return "Who was " + r.Name + "?";
                case TypeDescribeEvent:
                    return "Describe " + r.Name + "?";
                case TypeEventForDescription:
                    return "Choose the event for this description";
                case TypeWhatHappenedOn:
                    return "What happened on " + r.DateText + "?";
                case TypeWhichBattle:
                case TypeMatchCommanders:
                    return "Which commanders fought " + r.Name + "?";
                case TypeMatchCampaign:
                    return "Match battle to campaign";
                case TypeMatchNicknames:
                    return "Match nicknames ";
                case TypeMatchStates:
                    return "Match battle and state";
                case TypeMatchPortraits:
                    return "Match name and portrait";
                default:
                    return "NEED Match  " + std::string(" **** param name ") + std::to_string(type);
            }
        default:
            return "";
    }
}

std::string ItemPicture(const GameState& s, int item)
{
    const ItemRecord& r = s.item(item);
    if (s.CurrentQuestionType == TypeMatchStates)
        return r.State >= 0 && r.State < 18 ? at(s.names.StateImageFiles, r.State) : "";
    return r.ImageFile;
}

void AdjustUsage(GameState& s, int item, int delta)
{
    if (item < 0 || static_cast<std::size_t>(item) >= s.TimesUsed.size())
        return;
    int v = at(s.TimesUsed, item) + delta;
    at(s.TimesUsed, item) = static_cast<int16_t>(std::clamp(v, 0, 32767));
}

bool ItemFitsType(const GameState& s, int item, int type)
{
    if (!inTable(type))
        return false;
    const ItemRecord& r = s.item(item);
    return kindFits(kRules[type].kind, r.ItemType) && fieldTest(type, r);
}

int16_t PickItem(GameState& s, int slot)
{
    const int count = std::min<int>(s.table.ItemCount, static_cast<int>(s.TimesUsed.size()) - 1);
    if (count <= 0 || slot < 0 || slot > 5)
        return 0;
    const int type = s.CurrentQuestionType;
    const Dup dup = inTable(type) ? kRules[type].dup : Dup::None;
    // Whether an item fits the type does not change during a pick; it is worked out on an
    // item's first draw, so a pick that gives up after 252,500 candidates stays quick.
    std::vector<signed char> fits(static_cast<std::size_t>(count) + 1, -1);
    int level = 1;
    int failures = 0;
    for (;;) {
        const int n = s.rng.draw(count) + 1;
        int16_t result = 0;
        bool ok = at(s.TimesUsed, n) < level;
        if (ok) {
            signed char& f = at(fits, n);
            if (f < 0)
                f = ItemFitsType(s, n, type) && aboveBlank(AnswerText(s, n, type)) && pictureThere(s, n, type)
                        ? 1
                        : 0;
            ok = f == 1;
        }
        if (ok && slot > 0) {
            const ItemRecord& cand = s.item(n);
            const std::string answer = AnswerText(s, n, type);
            for (int k = 0; ok && k < slot; ++k) {
                const int other = at(s.QuestionItems, k);
                if (answer == AnswerText(s, other, type) || sameDupField(dup, cand, s.item(other)))
                    ok = false;
            }
        }
        if (ok) {
            at(s.QuestionItems, slot) = static_cast<int16_t>(n);
            AdjustUsage(s, n, slot == 0 ? 10 : 1);
            result = static_cast<int16_t>(n);
        }
        if (++failures > 100) {
            level += 2;
            failures = 0;
            if (level > 5000)
                return result;  // a candidate found on this last pass is kept, not reported lost
        }
        if (result)
            return result;
    }
}

}  // namespace bellarune
