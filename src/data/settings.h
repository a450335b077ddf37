#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace bellarune {

class Notifier;
class FileSystemCalls;

// One screen's remembered window: state code (0 normal, 1 minimised, 2 maximised),
// back colour (red + green*256 + blue*65536) and outer size in twips.
struct WindowMemoryRecord {
    int16_t WindowState = 0;
    int32_t BackColor = 0;
    int16_t Height = 0;
    int16_t Width = 0;
    bool operator==(const WindowMemoryRecord&) const = default;
};

constexpr int kWindowSlots = 11;
constexpr int kCategoryCount = 18;

// The window memory slots the screens own.
enum WindowSlot : int { SlotChoice = 0, SlotSort = 1, SlotMatch = 2, SlotScore = 3, SlotImageMatch = 8 };

struct Settings {
    int16_t MinDifficulty = 1;
    int16_t MaxDifficulty = 1;
    int16_t QuestionsPerGame = 5;
    int16_t LogLevel = 1;
    int16_t SoundOn = 1;
    int16_t SettingsSpare = 0;
    std::string BackgroundPicture = "zelback.jpg";
    std::array<int16_t, kCategoryCount> CategoryEnabled{};
    std::array<WindowMemoryRecord, kWindowSlots> WindowMemory{};

    Settings();
    bool operator==(const Settings&) const = default;
};

// Reads the settings file. Values that are missing or cannot be read keep the defaults
// they had; returns false when the file could not be opened or was incomplete.
bool LoadSettings(const std::string& path, Settings& settings);

// The same for the text of a settings file.
bool ParseSettings(const std::string& data, Settings& settings);

// Writes the settings file whole (through a temporary file). Reports a fault through the
// notifier when one is given, and returns false.
bool WriteSettingsFile(const std::string& path, const Settings& settings, Notifier* notifier,
                       FileSystemCalls* calls = nullptr);

std::string FormatSettings(const Settings& settings);

}  // namespace bellarune
