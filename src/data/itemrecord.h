#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace bellarune {

// One item of the question database, fields in data-file order.
struct ItemRecord {
    std::string Name;
    std::string Nickname;
    std::string ImageFile;
    int16_t ItemType = 0;
    int16_t Side = 0;
    int16_t State = 0;
    int16_t Year1 = 0;
    int16_t Year2 = 0;
    std::string DateText;
    std::string Commanders;
    std::string Description;
    std::string Campaign;
    std::array<int16_t, 6> Reserved{};
    int16_t Difficulty = 0;

    bool operator==(const ItemRecord&) const = default;
};

constexpr int kItemCapacity = 400;

enum ItemKind : int16_t { Officer = 0, Battle = 1, OtherEvent = 2, OtherPerson = 3 };

}  // namespace bellarune
