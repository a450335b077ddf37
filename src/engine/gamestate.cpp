#include "gamestate.h"

#include <filesystem>

#include "../data/atomicfile.h"
#include "../data/soundlist.h"
#include "../data/valuereader.h"

namespace bellarune {

void InitProgram(GameState& state)
{
    state.NL = "\r\n";
    state.rng.seedFromClock();
    state.NameMeBaseTries = 6;
    LoadSettings(state.SettingsFileName, state.settings);
    state.SoundListFile = "zelsnd.dat";
    state.names.InitTables();
}

void LoadItems(GameState& state)
{
    state.table.DataFileName = "zel.dat";
    ReadItemFile(state.table.DataFileName, state.table, state.notifier.get());
    state.TimesUsed.assign(static_cast<std::size_t>(state.table.ItemCount) + 1, 0);
}

void LoadSounds(GameState& state)
{
    // A missing sound list leaves every sound empty; the start-up sound then turns sound off.
    std::string data, error;
    if (readWholeFile(state.SoundListFile, data, error))
        state.SoundFiles = ParseSoundList(data);
    PlaySound(state, Sound::Fanfare);
}

void PlaySound(GameState& state, Sound sound)
{
    if (state.settings.SoundOn == 0)
        return;
    const std::string& file = state.SoundFiles.at(static_cast<std::size_t>(sound));
    if (file.empty() || !state.sound.get().play(file, static_cast<int>(sound)))
        state.settings.SoundOn = 0;  // no further sound is tried this run
}

bool SaveSettings(GameState& state)
{
    // Kept instead of shown: the player hears of it once, in the game's own words.
    KeepingNotifier reason;
    if (WriteSettingsFile(state.SettingsFileName, state.settings, &reason, state.files))
        return true;
    // Settings are written at every opening and resize of a question screen: telling the
    // player every time would bury the game in messages, so once per run is enough.
    if (state.SettingsNotSavedTold)
        return false;
    state.SettingsNotSavedTold = true;
    std::error_code ec;
    const std::string file = std::filesystem::absolute(state.SettingsFileName, ec).string();
    std::string why = reason.text();
    if (why.empty() || why.back() != '.')
        why += ".";
    const std::string text = "Your settings could not be saved in " + file + ": " + why + state.NL +
                             "The game goes on with them, but they will be lost when it ends. To keep "
                             "them, make sure that folder can be written and its disk has room." +
                             state.NL + "You will not be told again until the game starts anew.";
    state.reportFailure(text);
    return false;
}

int16_t Clamp(int value, int low, int high)
{
    int r = value;
    if (r < low)
        r = low;
    if (r > high)
        r = high;
    if (r < -32768)
        r = -32768;
    if (r > 32767)
        r = 32767;
    return static_cast<int16_t>(r);
}

int16_t Clamp(int value, const std::string& low, const std::string& high)
{
    auto num = [](const std::string& s) {
        ValueReader::IntResult r = ValueReader::toInt(s, -32768, 32767);
        return r.status == ValueReader::IntStatus::Ok ? static_cast<int>(r.value) : 0;
    };
    return Clamp(value, num(low), num(high));
}

}  // namespace bellarune
