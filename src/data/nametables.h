#pragma once
#include <array>
#include <string>

namespace bellarune {

// The constant tables that give meaning to coded fields.
struct NameTables {
    std::array<std::string, 18> QuestionTypeNames;
    std::array<std::string, 5> ItemTypeNames;
    std::array<std::string, 3> SideNames;
    std::array<std::string, 18> StateNames;
    std::array<std::string, 18> StateImageFiles;

    // Fills every table with its constants, overwriting earlier contents.
    void InitTables();
};

}  // namespace bellarune
