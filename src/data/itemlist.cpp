#include "itemlist.h"

#include <algorithm>

namespace bellarune {

namespace {
// A number with one sign position and one trailing blank: " 12 ", "-5 ".
std::string signedNumber(long x)
{
    std::string s = x < 0 ? "-" : " ";
    s += std::to_string(x < 0 ? -x : x);
    s += ' ';
    return s;
}
}  // namespace

bool IsPersonType(int itemType)
{
    return itemType == Officer || itemType == OtherPerson;
}

bool IsEventType(int itemType)
{
    return itemType == Battle || itemType == OtherEvent;
}

std::string ItemListText(const ItemTable& table)
{
    std::string out;
    const int count = std::clamp<int>(table.ItemCount, 0, kItemCapacity);
    for (int level = 1; level <= 3; ++level) {
        for (int k = 1; k <= count; ++k) {
            const ItemRecord& r = table.Items.at(static_cast<std::size_t>(k));
            // An item not yet shown in the editor may hold a difficulty outside 1..3;
            // it is listed where the editor would put it.
            if (std::clamp<int>(r.Difficulty, 1, 3) != level)
                continue;
            std::string line;
            if (IsPersonType(r.ItemType))
                line = signedNumber(k) + " " + r.Name + "  " + signedNumber(r.Year1) + " " +
                       signedNumber(r.Year2) + " " + r.Description;
            else if (IsEventType(r.ItemType))
                line = signedNumber(k) + " " + r.Name + "  " + signedNumber(r.Year1) + " " + r.Campaign +
                       " " + r.Commanders + " " + r.Description;
            else
                continue;
            out += line + "\r\n";
        }
    }
    return out;
}

}  // namespace bellarune
