#pragma once

class QWidget;

namespace bellarune {

struct GameState;

// The window's outer size (frame included), in twips. Before a form is first shown the frame is
// the one the window manager says it will draw (none without a window manager).
int outerWidthTwips(const QWidget* form);
int outerHeightTwips(const QWidget* form);
// Sets the outer size, in twips, keeping the frame the window system adds.
void setOuterSizeTwips(QWidget* form, int width, int height);

// Centres a form's outer rectangle on its screen (a form larger than the screen gets a negative
// position). Before the form is first shown the frame comes from the window manager.
void CenterOnScreen(QWidget* form);
// Hides a control, puts it at half of the form's outer size less its own (in the form's client
// coordinates, so a panel the size of the outer rectangle less a margin lies at half the margin),
// shows it again.
void CenterControl(QWidget* control, QWidget* form);

// Restores (mode 1) or saves (mode 0) a form's window state and size in a window-memory
// slot; a save also writes the settings file. Re-entrant calls and slot 3 do nothing.
void RememberWindow(GameState& state, QWidget* form, int slot, int mode);

}  // namespace bellarune
