#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../data/checkedindex.h"
#include "../data/itemtable.h"
#include "../data/nametables.h"
#include "../data/notifier.h"
#include "../data/settings.h"
#include "randomgenerator.h"
#include "scorekeeping.h"

namespace bellarune {

// Plays wave files; implemented by the platform layer, replaced in tests.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts the file of sound `number` asynchronously, cutting off the sound playing; false
    // when it cannot be played.
    virtual bool play(const std::string& file, int number) = 0;
};

// Plays nothing, successfully; the sound output of a state that has no speakers to use.
class NullSound : public SoundOutput {
public:
    bool play(const std::string&, int) override { return true; }
};

// The nine sounds of the sound list, by the file each plays in the shipped list.
enum class Sound : int16_t {
    Click = 0,   // a bar pressed on the image matching screen
    Pick = 1,    // a bar clicked on the description matching screen, or dropped on a picture
    Drop = 2,    // a bar dropped on a description
    Letter = 3,  // a right letter in Name Me
    Chime = 4,
    Fanfare = 5,  // start-up, and every right answer
    Miss = 6,     // a wrong letter in Name Me
    Tick = 7,
    Buzz = 8,  // a wrong answer
};

// Everything the program shares for the whole run. Created once in main (tests make
// their own) and passed by reference to every form.
struct GameState {
    ItemTable table;
    std::vector<int16_t> TimesUsed = std::vector<int16_t>(1, 0);
    NameTables names;
    Settings settings;
    bool WindowMemoryBusy = false;

    int16_t CurrentQuestionType = 0;
    std::array<int16_t, 6> QuestionItems{};
    int16_t CurrentItem = 0;

    std::array<PlayerRecord, 6> Players{};
    int16_t CurrentPlayer = 0;

    std::array<std::string, 10> SoundFiles{};
    std::string SoundListFile = "zelsnd.dat";

    std::string NL = "\r\n";
    int16_t SquarePictures = 1;
    std::string ThreatPictureName = "cannon";
    int16_t NameMeBaseTries = 6;

    std::string SettingsFileName = "zel.INI";
    std::string LogFileName = "zelquiz.log";

    RandomGenerator rng;

private:
    // The collaborators until the program or a test hands over its own: they do nothing.
    NullNotifier quietNotifier_;
    NullSound quietSound_;

public:
    std::reference_wrapper<Notifier> notifier{quietNotifier_};
    std::reference_wrapper<SoundOutput> sound{quietSound_};
    // The platform's fsync and chown for the game's files (none: written whole, not synced).
    FileSystemCalls* files = nullptr;
    // Set once the player has been told that zel.INI could not be saved.
    bool SettingsNotSavedTold = false;
    // Shows a text file of the program directory in the text viewer (file, window style).
    std::function<void(const std::string&, int)> showText;

    ItemRecord& item(int index) { return at(table.Items, index); }
    const ItemRecord& item(int index) const { return at(table.Items, index); }
    PlayerRecord& player() { return at(Players, CurrentPlayer); }
    void message(const std::string& text) const { notifier.get().showMessage(text); }
    void reportFailure(const std::string& text) const { notifier.get().reportFailure(text); }

    GameState() = default;
    // The collaborators point into the state itself: a copy would share them.
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;
};

// Fills the name tables and reads the settings, the item database and the sound list
// from the current directory, in start-up order (the UI adds the picture and the log
// reset in between). Split in steps so start-up can keep its order.
void InitProgram(GameState& state);
void LoadItems(GameState& state);
void LoadSounds(GameState& state);
void PlaySound(GameState& state, Sound sound);
// Writes the settings file; a file that cannot be written is reported once per run.
bool SaveSettings(GameState& state);

// Clamp(value, low, high): low first, then high, so crossed bounds give high.
int16_t Clamp(int value, int low, int high);
// Bounds given as text count as their number (0 when not a number).
int16_t Clamp(int value, const std::string& low, const std::string& high);

}  // namespace bellarune
