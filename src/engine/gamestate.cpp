#include "gamestate.h"

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
    // A settings file that cannot be written (read-only directory) is not worth a
    // message at every resize: the game goes on with the values in memory. One the owner
    // made read-only is left alone, and said so once.
    if (WriteSettingsFile(state.SettingsFileName, state.settings, nullptr, state.files))
        return true;
    if (!state.SettingsReadOnlyTold && isReadOnlyFile(state.SettingsFileName)) {
        state.SettingsReadOnlyTold = true;
        state.message(state.SettingsFileName + " is read-only, so it was not replaced." + state.NL +
                      "The settings and window sizes of this game are not saved.");
    }
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
