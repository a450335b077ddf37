// Start-up and the main menu; the platform's sound, text viewer and window memory. (The menu's look is
// test_forms'; Setup and Play from the menu and the real program started elsewhere, the real-window test's.)
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
    bool play(const std::string& file, int n) override { return probe(file), SoundPlayer::play(file, n); }
};

class TestApp : public QObject {
    Q_OBJECT
private slots:
    // Started from another directory, with a sound list whose start-up sound is missing.
    void startUpAndTheMenu()
    {
        ProgramDir dir;
        Settings s;
        s.QuestionsPerGame = 7, s.BackgroundPicture = "menu.jpg";
        dir.write("zel.INI", FormatSettings(s)), dir.writePicture("menu.jpg");
        dir.write("zelquiz.log", "old run\r\n");
        dir.write("zel.dat",
                  "\"Lee\",\"\",\"\",0,1\r\n2,1807,1870,\"\",\"\"\r\n\"\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n");
        dir.write("zelsnd.dat", "s0.wav,s1.wav,s2.wav,s3.wav,s4.wav,gone.wav,s6.wav,s7.wav,s8.wav\r\n");
        std::vector<std::string> ini = dir.lines("zel.INI");
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        TestState ts;
        GameState& g = ts.state;
        g.NL.clear(), g.NameMeBaseTries = 0, g.ThreatPictureName.clear(), g.SquarePictures = 0;
        ProbeSound sound(g);
        g.sound = sound;
        // The start-up sound is the last step: when it plays, every other one stands done.
        std::string played, log;
        QString title;
        bool inProgramDir = false, centred = false, picture = false, credits = true;
        sound.probe = [&](const std::string& file) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* menu = qobject_cast<MainMenu*>(w)) {
                    played = file, log = dir.read("zelquiz.log"), title = menu->windowTitle();
                    inProgramDir = QDir::current() == QDir(dir.path());
                    centred = menu->frameGeometry().center() == menu->screen()->geometry().center();
                    picture = menu->hasPicture(), credits = menu->Label4->isVisible();
                }
        };
        MainMenu menu(g, dir.path());
        QCOMPARE(played, "gone.wav");
        QVERIFY(inProgramDir);
        QCOMPARE(title, "Bellarune Game");
        QVERIFY(centred);
        QVERIFY(picture);
        QCOMPARE(log, "");
        QVERIFY(!credits);
        QCOMPARE(g.names.StateNames[16], "Kansas-Nebraska");
        QCOMPARE(g.settings.QuestionsPerGame, 7);
        QCOMPARE(g.table.ItemCount, 1);
        QCOMPARE(g.NL, "\r\n");
        QCOMPARE(g.NameMeBaseTries, 6);
        QCOMPARE(g.ThreatPictureName, "cannon");
        QCOMPARE(g.SquarePictures, 1);
        QCOMPARE(g.settings.SoundOn, 0);  // a sound that cannot play: off, silently
        QCOMPARE(ts.notifier.messages, std::vector<std::string>{});
        menu.show();
        QTest::mouseClick(menu.Command3, Qt::LeftButton);  // About: the credits, whole at the design size
        for (QLabel* l : {menu.Label3, menu.Label4}) {
            QVERIFY(l->isVisible());
            QVERIFY(
                l->rect().contains(l->fontMetrics().boundingRect(l->rect(), Qt::TextWordWrap, l->text())));
        }
        QTest::mouseClick(menu.cmdCatalog, Qt::LeftButton);
        QCOMPARE(ts.textsShown, (std::vector<std::pair<std::string, int>>{{"zelord.txt", 3}}));
        QFile::remove(dir.file("zel.INI")), QTest::mouseClick(menu.cmdquit, Qt::LeftButton);
        ini[1] = "0 0 8 8";  // the values read, with the sound off
        QCOMPARE(dir.lines("zel.INI"), ini);
        // A sound file the system will not read: its error text, the file and the number; the sound stays on.
        g.settings.SoundOn = 1, QDir(dir.path()).mkdir("s4.wav"), PlaySound(g, Sound::Chime);
        QFile s4(dir.file("s4.wav"));
        QVERIFY(!s4.open(QIODevice::ReadOnly));
        QCOMPARE(g.settings.SoundOn, 1);
        QCOMPARE(ts.notifier.messages,
                 std::vector<std::string>{s4.errorString().toStdString() + "\r\ns4.wav 4"});
    }

    // The sorting screen's slot remembered with a window state and an outer size in twips; two
    // sorting questions in a row, each opening as remembered.
    void windowMemoryAcrossQuestions_data()
    {
        QTest::addColumn<int>("state");       // remembered: 0 normal, 1 minimised, 2 maximised
        QTest::addColumn<QSize>("size");      // remembered
        QTest::addColumn<QSize>("opens");     // the outer size each question opens at
        QTest::addColumn<bool>("maximised");  // as each question opens
        QTest::addColumn<int>("saved");       // the slot's state in zel.INI after the game
        // The offscreen screen is 800 pixels, 12000 twips, high.
        QTest::newRow("normal, taller than the screen: cut to it, centred")
            << 0 << QSize(6000, 15000) << QSize(6000, 12000) << false << 0;
        QTest::newRow("maximised, question after question")
            << 2 << QSize(6000, 7500) << QSize(6000, 7500) << true << 2;
        QTest::newRow("minimised opens normal") << 1 << QSize(6000, 7500) << QSize(6000, 7500) << false << 0;
    }

    void windowMemoryAcrossQuestions()
    {
        QFETCH(int, state);
        QFETCH(QSize, size);
        QFETCH(QSize, opens);
        QFETCH(bool, maximised);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        Settings& s = ts.state.settings;
        s.QuestionsPerGame = 2, s.CategoryEnabled.fill(0), s.CategoryEnabled[8] = -1;
        s.WindowMemory[SlotSort] = {int16_t(state), 0, int16_t(size.height()), int16_t(size.width())};
        ts.state.rng.queue({typeOf(8)});
        const Move look = [&](QWidget* w) {
            const auto closing = qScopeGuard([w] { w->close(); });
            QCOMPARE(w->isMaximized(), maximised);
            if (maximised)
                return;
            // Offscreen, the frame is learnt once the window is shown: a few pixels either way.
            const QSize outer(outerWidthTwips(w), outerHeightTwips(w));
            const QSize off = outer - opens;
            QCOMPARE(std::abs(off.width()) <= 60 && std::abs(off.height()) <= 60 ? opens : outer, opens);
            QVERIFY(std::abs(w->frameGeometry().center().y() - w->screen()->geometry().center().y()) <= 2);
        };
        playGame(ts, {look, [&](QWidget* w) { ts.state.rng.queue({typeOf(8)}), look(w); }});
        QTEST(strings(dir.lines("zel.INI")).value(3).section(' ', 1, 1).toInt(), "saved");
    }

    // A restore raises a real resize, whose save is held off; slot 3, the score window's, is never
    // remembered and does not hold off the next call.
    void rememberWindow()
    {
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.CurrentQuestionType = 8;
        QSort w(ts.state);
        w.show();
        WindowMemoryRecord& memory = ts.state.settings.WindowMemory[SlotSort];
        QFile::remove(dir.file("zel.INI")), memory = {0, 0, 6000, 7500};
        RememberWindow(ts.state, &w, SlotSort, 1);
        QVERIFY(!dir.exists("zel.INI"));
        RememberWindow(ts.state, &w, SlotScore, 0), RememberWindow(ts.state, &w, SlotSort, 0);
        QVERIFY(memory == (WindowMemoryRecord{0, 128 + 255 * 256 + 255 * 65536, 6000, 7500}));
        QVERIFY(dir.exists("zel.INI"));
        QVERIFY(ts.state.settings.WindowMemory[SlotScore] == WindowMemoryRecord{});
    }

    void textViewer()
    {
        ProgramDir dir;  // also the desktop's lists of editors: none to begin with
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(var, QFile::encodeName(dir.path()));
        dir.write("zelord.txt", "Line one\r\nLine two\r\n");
        ShowInNotepad("zelord.txt", 3);  // the game's own window, modeless, maximised with focus
        TextWindow* w = nullptr;
        QTRY_VERIFY((w = qobject_cast<TextWindow*>(QApplication::activeWindow())) && w->isMaximized());
        QCOMPARE(w->windowTitle() + w->Text1->toPlainText(),
                 QString("zelord.txt - Bellarune GameLine one\nLine two\n"));
        QTest::keyClicks(w->Text1, "New "), QTest::mouseClick(w->cmdSave, Qt::LeftButton), w->close();
        QCOMPARE(dir.read("zelord.txt"), std::string("New Line one\r\nLine two\r\n"));
        ShowInNotepad("notes.txt",
                      1);  // a missing file: empty, named in the title, created by the first save
        QTRY_VERIFY((w = qobject_cast<TextWindow*>(QApplication::activeWindow())) && !w->isMaximized());
        QCOMPARE(w->windowTitle() + w->Text1->toPlainText(), QString("notes.txt - Bellarune Game"));
        QTest::keyClicks(w->Text1, "x"), QTest::keySequence(w, QKeySequence::Save), w->close();
        QCOMPARE(dir.read("notes.txt"), std::string("x"));
        QDir(dir.path())
            .mkdir("applications");  // a registered editor that cannot start is passed over for the next
        dir.write("applications/mimeapps.list", "[Default Applications]\ntext/plain=no.desktop;cp.desktop\n");
        dir.write("applications/no.desktop", "[Desktop Entry]\nExec=/nonexistent/editor %f\n");
        dir.write("applications/cp.desktop", "[Desktop Entry]\nExec=cp %f opened.txt\n");
        ShowInNotepad("zelord.txt", 3);
        QTRY_COMPARE(dir.read("opened.txt"), std::string("New Line one\r\nLine two\r\n"));
        const QWidgetList open = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(open.begin(), open.end(),
                             [](QWidget* w) { return qobject_cast<TextWindow*>(w) && w->isVisible(); }));
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
