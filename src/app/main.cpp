#include <QApplication>

#include "app/mainmenu.h"
#include "engine/gamestate.h"
#include "platform/focusring.h"
#include "platform/qtnotifier.h"
#include "platform/soundplayer.h"
#include "platform/textviewer.h"
#include "platform/twips.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Bellarune Game");
    // The forms were designed for an 8-point sans serif wherever no font is named.
    QApplication::setFont(bellarune::designFont("MS Sans Serif", 8.25));

    bellarune::FocusRing focusRing;
    bellarune::GameState state;
    bellarune::QtNotifier notifier;
    bellarune::SoundPlayer sound(state);
    state.notifier = &notifier;
    state.sound = &sound;
    state.showText = bellarune::ShowInNotepad;

    bellarune::MainMenu menu(state, QCoreApplication::applicationDirPath());
    menu.show();
    return app.exec();
}
