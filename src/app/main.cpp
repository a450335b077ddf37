#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>

#include "app/mainmenu.h"
#include "app/startup.h"
#include "engine/gamestate.h"
#include "platform/focusring.h"
#include "platform/latin1text.h"
#include "platform/posixfilecalls.h"
#include "platform/qtnotifier.h"
#include "platform/soundplayer.h"
#include "platform/textviewer.h"
#include "platform/twips.h"

int main(int argc, char* argv[])
{
    // The options come first, so --help and --version work where there is no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bellarune::CommandLine options = bellarune::parseCommandLine(arguments);
    if (options.exitCode >= 0) {
        std::fputs(options.output.toLocal8Bit().constData(), options.exitCode == 0 ? stdout : stderr);
        return options.exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Bellarune Game");
    QApplication::setApplicationVersion("1.05");
    // Panels and compositors match the windows to the menu entry by this name; the icon
    // comes from the installed theme, or from the program itself for the portable game.
    QGuiApplication::setDesktopFileName(BELLARUNE_APP_ID);
    QApplication::setWindowIcon(QIcon::fromTheme(BELLARUNE_APP_ID, QIcon(":/bellarune.svg")));
    // The forms were designed for an 8-point sans serif wherever no font is named.
    QApplication::setFont(bellarune::designFont("MS Sans Serif", 8.25));

    // Draws the focus frame on every window, on every background colour.
    bellarune::FocusRing focusRing;
    bellarune::QtNotifier notifier;
    auto fail = [&notifier](const QString& text) {
        std::fprintf(stderr, "bellarune: %s\n", text.toLocal8Bit().constData());
        notifier.showMessage(bellarune::ss(text));  // the box shows the game's 8-bit text
        return 1;
    };
    // Installed, the game plays from the player's own directory; otherwise from its own.
    const QString shipped = bellarune::installedDataDir(QCoreApplication::applicationDirPath());
    QString dir = options.dir, error;
    if (dir.isEmpty())
        dir = shipped.isEmpty() ? QCoreApplication::applicationDirPath() : bellarune::playerProgramDir(error);
    bellarune::ProgramDirectory programDir;
    if (dir.isEmpty() || !programDir.open(dir, shipped, error))
        return fail(error);
    if (!QDir::setCurrent(programDir.path()))
        return fail(QString("Bellarune Game cannot open its folder %1.\nMake sure you may read it.")
                        .arg(programDir.path()));

    bellarune::GameState state;
    bellarune::SoundPlayer sound(state);
    state.notifier = notifier;
    state.sound = sound;
    state.showText = bellarune::ShowInNotepad;
    // The game's files are written durably: synced, and kept with their owner when replaced.
    bellarune::PosixFileCalls files;
    state.files = &files;

    bellarune::MainMenu menu(state, programDir.path());
    menu.show();
    return app.exec();
}
