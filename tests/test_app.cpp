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

// The real player, noting as a sound plays the file, the current directory and the quiz log.
struct ProbeSound : SoundPlayer {
    using SoundPlayer::SoundPlayer;
    std::string played, current, log;
    bool play(const std::string& file, int n) override
    {
        played = file;
        current = QDir::current().canonicalPath().toStdString();
        log = readAll("zelquiz.log");
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
        QDir::setCurrent(QDir::tempPath());
        TestState ts;
        ProbeSound sound(ts.state);
        ts.state.sound = sound;
        // The start-up sound is the last step: when it plays, every other one stands done.
        MainMenu menu(ts.state, dir.path());
        QCOMPARE(sound.played, "gone.wav");
        QCOMPARE(sound.current, QDir(dir.path()).canonicalPath().toStdString());
        QCOMPARE(sound.log, "");
        QCOMPARE(menu.frameGeometry().center(), menu.screen()->geometry().center());
        QCOMPARE(ts.state.table.ItemCount, 1);
        QCOMPARE(ts.state.NL, "\r\n");
        QCOMPARE(ts.state.NameMeBaseTries, 6);
        QCOMPARE(ts.state.ThreatPictureName, "cannon");
        QCOMPARE(ts.state.SquarePictures, 1);
        QCOMPARE(ts.state.settings.SoundOn, 0);  // a sound that cannot play: off, silently (no message below)
        menu.show();
        QTest::mouseClick(menu.Command3, Qt::LeftButton);  // About: the second credit line too
        QVERIFY(menu.Label4->isVisible());
        QTest::mouseClick(menu.cmdCatalog, Qt::LeftButton);
        QCOMPARE(ts.textsShown, (std::vector<std::pair<std::string, int>>{{"zelord.txt", 3}}));
        QFile::remove(dir.file("zel.INI"));
        QTest::mouseClick(menu.cmdquit, Qt::LeftButton);
        ini[1] = "0 0 8 8";  // the values read, with the sound off
        QCOMPARE(dir.lines("zel.INI"), ini);
        // A sound file the system will not open: its error text, the file and the number; the sound stays on.
        ts.state.settings.SoundOn = 1;
        QDir(dir.path()).mkdir("s4.wav");
        PlaySound(ts.state, Sound::Chime);
        QCOMPARE(ts.state.settings.SoundOn, 1);
        QFile s4(dir.file("s4.wav"));
        QVERIFY(!s4.open(QIODevice::ReadOnly));
        QCOMPARE(strings(ts.notifier.messages), QStringList{s4.errorString() + "\r\ns4.wav 4"});
    }

    // The sorting screen restored as its slot remembers it, minimised, wider and taller than the screen:
    // normal, cut to the screen, and the restore's own resize not saved. Then saved with its state and
    // background; slot 3, the score window's, is never remembered. Then maximised, saved as maximised with
    // its normal size. (The next question opening as the last: test_choice.)
    void rememberWindowAndTextViewer()
    {
        ProgramDir dir;
        TestState ts;
        QSort w(ts.state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto& memory = ts.state.settings.WindowMemory;
        QFile::remove(dir.file("zel.INI"));
        memory[SlotSort] = {1, 0, 15000, 15000};
        RememberWindow(ts.state, &w, SlotSort, 1);
        QVERIFY(!dir.exists("zel.INI"));
        QVERIFY(!w.isMinimized());
        // Offscreen, the frame is learnt once the window is shown: a few pixels either way, so in steps of
        // 120 twips. 12000 wide and high: the offscreen screen is 800 by 800 pixels.
        QCOMPARE(qRound(outerWidthTwips(&w) / 120.0), 100);
        QCOMPARE(qRound(outerHeightTwips(&w) / 120.0), 100);
        RememberWindow(ts.state, &w, SlotScore, 0);
        RememberWindow(ts.state, &w, SlotSort, 0);
        QCOMPARE(memory[SlotSort].WindowState, 0);
        QCOMPARE(memory[SlotSort].BackColor, 128 + 255 * 256 + 255 * 65536);
        QVERIFY(dir.exists("zel.INI"));
        QVERIFY(memory[SlotScore] == WindowMemoryRecord{});
        // Maximised: restored maximised, saved as 2 with its normal width kept.
        memory[SlotSort] = {2, 0, 7500, 6000};
        RememberWindow(ts.state, &w, SlotSort, 1);
        QTRY_VERIFY(w.isMaximized());
        RememberWindow(ts.state, &w, SlotSort, 0);
        QCOMPARE(memory[SlotSort].WindowState, 2);
        QCOMPARE(memory[SlotSort].Width, 6000);
        // A missing file in a normal window, named in the title: empty, as what is typed is all the first
        // save writes. (The game's window maximised: test_windows; its bytes: test_files.) Then an editor the
        // desktop names, the first that starts. The program directory is the desktop's too: no editors to
        // begin with.
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(var, QFile::encodeName(dir.path()));
        ShowInNotepad("notes.txt", 1);
        TextWindow* viewer = nullptr;
        QTRY_VERIFY((viewer = qobject_cast<TextWindow*>(QApplication::activeWindow())));
        QVERIFY(!viewer->isMaximized());
        QCOMPARE(viewer->windowTitle(), "notes.txt - Bellarune Game");
        QTest::keyClicks(viewer->Text1, "x");
        QTest::keySequence(viewer, QKeySequence::Save);
        viewer->close();
        QCOMPARE(dir.read("notes.txt"), std::string("x"));
        QDir(dir.path()).mkdir("applications");
        dir.write("applications/mimeapps.list", "[Default Applications]\ntext/plain=no.desktop;cp.desktop\n");
        dir.write("applications/no.desktop", "[Desktop Entry]\nExec=/nonexistent/editor %f\n");
        dir.write("applications/cp.desktop", "[Desktop Entry]\nExec=cp %f opened.txt\n");
        ShowInNotepad("notes.txt", 3);
        QTRY_COMPARE(dir.read("opened.txt"), std::string("x"));
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
