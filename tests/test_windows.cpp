// Windows and their memory: what a question screen remembers of its size and state, the help
// window opened from setup, the score window after a double-click, the colours of the description
// box, the menu picture, and what Escape and the log level do on setup and the item editor.
#include <QtTest>
#include <QtWidgets>

#include "app/mainmenu.h"
#include "maint/setup.h"
#include "maint/zeledit.h"
#include "platform/textviewer.h"
#include "platform/textwindow.h"
#include "screens/mchoice.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
// Counts the times a window is hidden.
struct HideCounter : QObject {
    int hides = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        hides += event->type() == QEvent::Hide;
        return false;
    }
};

// One question of one type, through the real driver.
GameRun playOne(TestState& ts, int type, Move move)
{
    ts.state.settings.QuestionsPerGame = 1;
    ts.state.settings.CategoryEnabled.fill(0);
    ts.state.settings.CategoryEnabled[static_cast<std::size_t>(type)] = -1;
    ts.state.rng.queue({typeOf(type)});
    return playGame(ts, {std::move(move)});
}
}  // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    // Outer sizes in twips; offscreen windows have no frame, so a design size is the client area's.
    void windowMemory_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("state");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("maximise");
        QTest::addColumn<bool>("openedMaximised");
        QTest::addColumn<int>("savedState");
        QTest::addColumn<QSize>("savedSize");
        QTest::newRow("multiple choice, never resized: the design size at opening")
            << 3 << 0 << 0 << QSize(0, 0) << false << false << 0 << QSize(8625, 6975);
        QTest::newRow("description choice, never resized")
            << 5 << 0 << 0 << QSize(0, 0) << false << false << 0 << QSize(8625, 6345);
        QTest::newRow("sorting, never resized")
            << 8 << 1 << 0 << QSize(0, 0) << false << false << 0 << QSize(5835, 5805);
        QTest::newRow("description matching, never resized")
            << 11 << 2 << 0 << QSize(0, 0) << false << false << 0 << QSize(8925, 6645);
        QTest::newRow("image matching, never resized")
            << 14 << 8 << 0 << QSize(0, 0) << false << false << 0 << QSize(8880, 6735);
        QTest::newRow("remembered maximised: opens maximised, keeps its normal size")
            << 3 << 0 << 2 << QSize(9030, 7500) << false << true << 2 << QSize(9030, 7500);
        QTest::newRow("maximised by the player: the normal size is kept")
            << 3 << 0 << 0 << QSize(9030, 7500) << true << false << 2 << QSize(9030, 7500);
    }
    void windowMemory()
    {
        QFETCH(int, type);
        QFETCH(int, slot);
        QFETCH(int, state);
        QFETCH(QSize, size);
        QFETCH(bool, maximise);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.settings.WindowMemory[static_cast<std::size_t>(slot)] = {
            int16_t(state), 0, int16_t(size.height()), int16_t(size.width())};
        bool openedMaximised = false;
        playOne(ts, type, [&](QWidget* w) {
            openedMaximised = w->isMaximized();
            if (maximise)
                w->showMaximized();
            w->close();
        });
        Settings saved;  // every opening writes the file
        QVERIFY(LoadSettings(dir.file("zel.INI").toStdString(), saved));
        const WindowMemoryRecord& r = saved.WindowMemory[static_cast<std::size_t>(slot)];
        QTEST(openedMaximised, "openedMaximised");
        QTEST(int(r.WindowState), "savedState");
        QTEST(QSize(r.Width, r.Height), "savedSize");
    }

    // Help from setup opens the text window over it, usable while setup is open; when setup closes,
    // the window stays as it was: the same window, never hidden, still maximised.
    void helpWindowOutlivesSetup()
    {
        ProgramDir dir;  // also the desktop's lists of editors: none, so the game's own window opens
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(var, QFile::encodeName(dir.path()));
        dir.write("zelhelp.txt", "Help\r\n");
        TestState ts;
        ts.state.showText = ShowInNotepad;
        QPointer<TextWindow> help;
        HideCounter counter;
        WId window = 0;
        QString typed;
        onNextModal([&](QWidget* setup) {
            QTest::mouseClick(static_cast<Setup*>(setup)->cmdHelp, Qt::LeftButton);
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<TextWindow*>(w))
                    help = static_cast<TextWindow*>(w);
            QVERIFY(help && QTest::qWaitForWindowExposed(help));
            help->installEventFilter(&counter), window = help->winId();
            help->Text1->setFocus();
            // Through the window system, as the player types: a window blocked by setup gets nothing.
            QTest::keyClick(help->windowHandle(), Qt::Key_X);
            typed = help->Text1->toPlainText();
            QTest::mouseClick(static_cast<Setup*>(setup)->cmdok, Qt::LeftButton);
        });
        Setup::run(ts.state, nullptr);
        QVERIFY(help);
        const auto closing = qScopeGuard([&] { help->Text1->document()->setModified(false), help->close(); });
        QCOMPARE(typed, QString("xHelp\n"));
        QCOMPARE(counter.hides, 0);
        QCOMPARE(help->winId(), window);
        QCOMPARE(help->isVisible(), true);
        QCOMPARE(help->isMaximized(), true);
    }

    // The first press on an option answers; the second press of that double-click lands on the
    // score window, here on its ok button under the pointer, and must not close it.
    void doubleClickOnAnOption_data()
    {
        QTest::addColumn<int>("away");   // pixels from the pointer, on the ok button
        QTest::addColumn<int>("after");  // milliseconds after the score window opened
        QTest::addColumn<bool>("closes");
        QTest::newRow("the second press of the double-click") << 0 << 0 << false;
        QTest::newRow("a press on ok away from the pointer") << 20 << 0 << true;
        QTest::newRow("a press after the double-click time")
            << 0 << QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100 << true;
    }
    void doubleClickOnAnOption()
    {
        QFETCH(int, away);
        QFETCH(int, after);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.CurrentQuestionType = 3;
        MChoice screen(ts.state);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const QPoint option = screen.choice[1]->mapTo(&screen, screen.choice[1]->rect().center());
        QCursor::setPos(screen.mapToGlobal(option));
        bool closed = false, laterCloses = false;
        onNextModal([&](QWidget* w) {
            auto* score = qobject_cast<ShowScor*>(w);
            QVERIFY(score);
            QPoint ok = score->Command1->mapTo(score, score->Command1->rect().center());
            score->move(score->pos() + QCursor::pos() - score->mapToGlobal(ok));  // ok under the pointer
            QTest::mouseRelease(screen.windowHandle(), Qt::LeftButton, {}, option);
            QTest::qWait(after);
            ok += QPoint(away, 0);
            QTest::mousePress(score->windowHandle(), Qt::LeftButton, {}, ok);
            QTest::mouseRelease(score->windowHandle(), Qt::LeftButton, {}, ok);
            closed = !score->isVisible();
            QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval());
            if (!closed)  // a press later closes it as always
                QTest::mouseClick(score->windowHandle(), Qt::LeftButton, {}, ok);
            laterCloses = !score->isVisible();
            if (!laterCloses)
                score->reject();
        });
        QTest::mousePress(screen.windowHandle(), Qt::LeftButton, {}, option);
        QTEST(closed, "closes");
        QCOMPARE(laterCloses, true);
    }

    // The description box is a text box, white; the panel and the options keep their green.
    void descriptionChoiceColours_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("the description box") << "Text1" << QColor(255, 255, 255);
        QTest::newRow("the panel") << "Frame1" << QColor(192, 255, 192);
        QTest::newRow("an option") << "choice4" << QColor(128, 255, 128);
    }
    void descriptionChoiceColours()
    {
        QFETCH(QString, control);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        QColor seen;
        playOne(ts, 5, [&](QWidget* w) {
            // Near the control's bottom right corner, inside its border, where no text reaches.
            QWidget* c = w->findChild<QWidget*>(control);
            seen = w->grab().toImage().pixelColor(c->mapTo(w, c->rect().bottomRight() - QPoint(25, 8)));
            w->close();
        });
        QTEST(seen, "colour");
    }

    // The menu picture from the top left, scaled evenly to cover the window: left half red, right
    // half blue, looked at three quarters across the window, half way down.
    void menuPicture_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("the shipped shape (800 by 513) fills the window")
            << QSize(800, 513) << QColor(Qt::blue);
        QTest::newRow("a wide picture is cut at the right, not squeezed")
            << QSize(1600, 256) << QColor(Qt::red);
    }
    void menuPicture()
    {
        QFETCH(QSize, picture);
        ProgramDir dir;
        QImage image(picture, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter(&image).fillRect(0, 0, picture.width() / 2, picture.height(), Qt::red);
        QVERIFY(image.save(dir.file("menu.png")));
        Settings s;
        s.BackgroundPicture = "menu.png";
        dir.write("zel.INI", FormatSettings(s));
        TestState ts;
        MainMenu menu(ts.state, dir.path());
        QTEST(menu.grab().toImage().pixelColor(menu.width() * 3 / 4, menu.height() / 2), "colour");
    }

    // Escape closes setup as its OK does, storing the settings; it closes the item editor as its close
    // box does, writing nothing. A log level outside 0 to 2 selects no log button.
    void escapeAndLogLevel_data()
    {
        QTest::addColumn<bool>("editor");
        QTest::addColumn<int>("logLevel");
        QTest::addColumn<bool>("written");
        QTest::addColumn<int>("checked");
        QTest::newRow("Escape on setup writes zel.INI") << false << 2 << true << 2;
        QTest::newRow("a log level of 3 selects no button") << false << 3 << true << -1;
        QTest::newRow("a log level of -1 selects no button") << false << -1 << true << -1;
        QTest::newRow("Escape on the editor writes no zel.dat") << true << 1 << false << -1;
    }
    void escapeAndLogLevel()
    {
        QFETCH(bool, editor);
        QFETCH(int, logLevel);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.settings.LogLevel = int16_t(logLevel);
        int checked = -1;
        onNextModal([&](QWidget* w) {
            if (auto* setup = qobject_cast<Setup*>(w))
                for (int i = 0; i < 3; ++i)
                    checked = setup->Option1[static_cast<std::size_t>(i)]->isChecked() ? i : checked;
            QTest::keyClick(w, Qt::Key_Escape);
        });
        editor ? ZelEdit::run(ts.state, nullptr) : Setup::run(ts.state, nullptr);
        QTEST(dir.exists(editor ? "zel.dat" : "zel.INI"), "written");
        QTEST(checked, "checked");
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
