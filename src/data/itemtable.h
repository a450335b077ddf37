#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "itemrecord.h"

namespace bellarune {

class Notifier;
class FileSystemCalls;

// The item table: slots 0..400, items at 1..ItemCount; slot 0 stays empty.
struct ItemTable {
    std::array<ItemRecord, kItemCapacity + 1> Items{};
    int16_t ItemCount = 0;
    std::string DataFileName;
    // Set when the last read of the data file failed: the table then holds only part
    // of the owner's items and must not be written over the file.
    bool LoadFailed = false;
};

// Reads the data file into Items from slot 1. On success sets ItemCount and returns true.
// On a fault reports the system's error text and the last complete record, leaves
// ItemCount unchanged and returns false.
bool ReadItemFile(const std::string& path, ItemTable& table, Notifier& notifier);

// The same for the text of a data file.
bool ParseItemData(std::string_view data, ItemTable& table, Notifier& notifier);

// Writes Items 1..ItemCount to path, replacing it whole (see writeFileAtomically). Reports a
// fault and returns false.
bool WriteItemFile(const std::string& path, const ItemTable& table, Notifier& notifier,
                   FileSystemCalls* calls = nullptr);

// The file text for the table (what WriteItemFile writes).
std::string FormatItemFile(const ItemTable& table);

// A string as the data file can hold it: a double quote becomes an apostrophe and a
// line break a blank, so that every written file reads back.
std::string SanitizeFieldText(const std::string& text);

}  // namespace bellarune
