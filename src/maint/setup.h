#pragma once

class QWidget;

namespace bellarune {

struct GameState;

// Not built yet: the setup screen.
class Setup {
public:
    static void run(GameState&, QWidget*) {}
};

}  // namespace bellarune
