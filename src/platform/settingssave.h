#pragma once

namespace bellarune {

struct GameState;

// Writes zel.INI as SaveSettings does. When it cannot be written, the player is told once
// per run (a window and standard error) with the file and the reason; the game goes on
// with the settings in memory.
bool SaveSettingsOrTell(GameState& state);

}  // namespace bellarune
