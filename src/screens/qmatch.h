#pragma once

class QWidget;

namespace bellarune {

struct GameState;

// Not built yet: asks nothing.
class QMatch {
public:
    static void ask(GameState&, QWidget*) {}
};

}  // namespace bellarune
