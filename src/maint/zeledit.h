#pragma once

class QWidget;

namespace bellarune {

struct GameState;

// The item editor (not built yet).
class ZelEdit {
public:
    static void run(GameState&, QWidget*) {}
};

}  // namespace bellarune
