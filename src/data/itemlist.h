#pragma once
#include <string>

#include "itemtable.h"

namespace bellarune {

// Whether an item type is a person (officer, other person) or an event (battle, other event).
bool IsPersonType(int itemType);
bool IsEventType(int itemType);

// The text of the item list zel.txt: the items of difficulty 1, then 2, then 3 (an item
// outside 1..3 with the nearest of them), each group in item order, one line each:
// a person's number, name, birth and death years and description; an event's number,
// name, year, campaign, commanders and description. CR LF after every line.
std::string ItemListText(const ItemTable& table);

}  // namespace bellarune
