// Start-up and the main menu; the text viewer and window memory. (The menu's look is test_forms'; a sound
// file that fails test_files'; Setup and Play from the menu and the real program, the real-window test's.)
#include <QtTest>
#include <QtWidgets>

#include "app/mainmenu.h"
#include "platform/soundplayer.h"
#include "platform/textviewer.h"
#include "platform/textwindow.h"
#include "platform/windowplacement.h"
#include "screens/qsort.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

// The real player, with a probe run when a sound is played.
struct ProbeSound : SoundPlayer {
    using SoundPlayer::SoundPlayer;
    std::function<void(const std::string&)> probe;
    bool play(const std::string& file, int n) override
    {
        probe(file);
        return SoundPlayer::play(file, n);
    }
};

class TestApp : public QObject {
    Q_OBJECT
private slots:
    // Started from another directory, with a sound list whose start-up sound is missing.
    void startUpAndTheMenu()
    {
        ProgramDir dir;
        Settings s;
        s.QuestionsPerGame = 7;
        dir.write("zel.INI", FormatSettings(s));
        dir.write("zelquiz.log", "old run\r\n");
        dir.write("zel.dat",
                  "\"Lee\",\"\",\"\",0,1\r\n2,1807,1870,\"\",\"\"\r\n\"\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n");
        dir.write("zelsnd.dat", "s0.wav,s1.wav,s2.wav,s3.wav,s4.wav,gone.wav,s6.wav,s7.wav,s8.wav\r\n");
        std::vector<std::string> ini = dir.lines("zel.INI");
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        TestState ts;
        GameState& g = ts.state;
        g.NL.clear();
        g.NameMeBaseTries = 0;
        g.ThreatPictureName.clear();
        g.SquarePictures = 0;
        ProbeSound sound(g);
        g.sound = sound;
        // The start-up sound is the last step: when it plays, every other one stands done.
        std::string played, log;
        bool inProgramDir = false;
        sound.probe = [&](const std::string& file) {
            played = file;
            log = dir.read("zelquiz.log");
            inProgramDir = QDir::current() == QDir(dir.path());
        };
        MainMenu menu(g, dir.path());
        QCOMPARE(played, "gone.wav");
        QVERIFY(inProgramDir);
        QCOMPARE(log, "");
        QCOMPARE(menu.frameGeometry().center(), menu.screen()->geometry().center());
        QCOMPARE(g.table.ItemCount, 1);
        QCOMPARE(g.NL, "\r\n");
        QCOMPARE(g.NameMeBaseTries, 6);
        QCOMPARE(g.ThreatPictureName, "cannon");
        QCOMPARE(g.SquarePictures, 1);
        QCOMPARE(g.settings.SoundOn, 0);  // a sound that cannot play: off, silently
        QCOMPARE(ts.notifier.messages, std::vector<std::string>{});
        menu.show();
        QVERIFY(!menu.Label4->isVisible());
        QTest::mouseClick(menu.Command3, Qt::LeftButton);  // About: the second credit line too
        QVERIFY(menu.Label4->isVisible());
        QTest::mouseClick(menu.cmdCatalog, Qt::LeftButton);
        QCOMPARE(ts.textsShown, (std::vector<std::pair<std::string, int>>{{"zelord.txt", 3}}));
        QFile::remove(dir.file("zel.INI"));
        QTest::mouseClick(menu.cmdquit, Qt::LeftButton);
        ini[1] = "0 0 8 8";  // the values read, with the sound off
        QCOMPARE(dir.lines("zel.INI"), ini);
        // A sound file the system will not open: its error text, the file and the number; the sound stays on.
        g.settings.SoundOn = 1;
        QDir(dir.path()).mkdir("s4.wav");
        PlaySound(g, Sound::Chime);
        QCOMPARE(g.settings.SoundOn, 1);
        QFile s4(dir.file("s4.wav"));
        QVERIFY(!s4.open(QIODevice::ReadOnly));
        QCOMPARE(ts.notifier.messages,
                 std::vector<std::string>{s4.errorString().toStdString() + "\r\ns4.wav 4"});
    }

    // The sorting screen restored as its slot remembers it, minimised and taller than the screen: normal,
    // cut to the screen, and the restore's own resize not saved. Then saved with its state and background;
    // slot 3, the score window's, is never remembered. (Maximised, the size saved, and the next question
    // opening as the last: test_windows and test_choice.)
    void rememberWindow()
    {
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.CurrentQuestionType = 8;
        QSort w(ts.state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        WindowMemoryRecord& memory = ts.state.settings.WindowMemory[SlotSort];
        QFile::remove(dir.file("zel.INI"));
        memory = {1, 0, 15000, 6000};
        RememberWindow(ts.state, &w, SlotSort, 1);
        QVERIFY(!dir.exists("zel.INI"));
        QVERIFY(!w.isMinimized());
        // Offscreen, the frame is learnt once the window is shown: a few pixels either way.
        const QSize outer(outerWidthTwips(&w), outerHeightTwips(&w));
        const QSize opens(6000, 12000);  // the offscreen screen is 800 pixels, 12000 twips, high
        const QSize off = outer - opens;
        QCOMPARE(std::abs(off.width()) <= 60 && std::abs(off.height()) <= 60 ? opens : outer, opens);
        RememberWindow(ts.state, &w, SlotScore, 0);
        RememberWindow(ts.state, &w, SlotSort, 0);
        QCOMPARE(memory.WindowState, 0);
        QCOMPARE(memory.BackColor, 128 + 255 * 256 + 255 * 65536);
        QVERIFY(dir.exists("zel.INI"));
        QVERIFY(ts.state.settings.WindowMemory[SlotScore] == WindowMemoryRecord{});
    }

    // A missing file in a normal window: empty, named in the title, made by the first save. (The game's
    // window maximised: test_windows; its bytes: test_files.) Then an editor the desktop names, the first
    // that starts.
    void textViewer()
    {
        ProgramDir dir;  // also the desktop's lists of editors: none to begin with
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(var, QFile::encodeName(dir.path()));
        ShowInNotepad("notes.txt", 1);
        TextWindow* w = nullptr;
        QTRY_VERIFY((w = qobject_cast<TextWindow*>(QApplication::activeWindow())));
        QVERIFY(!w->isMaximized());
        QCOMPARE(w->windowTitle(), "notes.txt - Bellarune Game");
        QCOMPARE(w->Text1->toPlainText(), "");
        QTest::keyClicks(w->Text1, "x");
        QTest::keySequence(w, QKeySequence::Save);
        w->close();
        QCOMPARE(dir.read("notes.txt"), std::string("x"));
        QDir(dir.path()).mkdir("applications");
        dir.write("applications/mimeapps.list", "[Default Applications]\ntext/plain=no.desktop;cp.desktop\n");
        dir.write("applications/no.desktop", "[Desktop Entry]\nExec=/nonexistent/editor %f\n");
        dir.write("applications/cp.desktop", "[Desktop Entry]\nExec=cp %f opened.txt\n");
        ShowInNotepad("notes.txt", 3);
        QTRY_COMPARE(dir.read("opened.txt"), std::string("x"));
        const QWidgetList open = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(open.begin(), open.end(),
                             [](QWidget* w) { return qobject_cast<TextWindow*>(w) && w->isVisible(); }));
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
