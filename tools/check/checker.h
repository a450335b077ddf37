#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gamestate.h"

namespace bellarune {

// What the check of a database found.
struct CheckReport {
    bool loaded = false;
    int itemCount = 0;
    // Per question type 1..16: items that qualify, and how many different answers they give.
    std::array<int, 17> qualifying{};
    std::array<int, 17> distinct{};
    int statesCovered = 0;  // states among the events of the battles-and-states question
    std::vector<std::string> problems;
};

// Reads dataFile and checks every item; pictures are looked for in pictureDir.
// Never throws: whatever goes wrong is a problem in the report.
CheckReport CheckDatabase(const std::string& dataFile, const std::string& pictureDir);

// The same for the bytes of a data file; source names them in the report.
CheckReport CheckItemData(std::string_view data, const std::string& pictureDir,
                          const std::string& source = "the data");

// The report as the checker prints it.
std::string FormatReport(const CheckReport& report, const NameTables& names);

}  // namespace bellarune
