// Start-up and the main menu; the platform's sound, text viewer and window memory. (The menu's look is
// test_forms'; Setup and Play from the menu and the real program started elsewhere, the real-window test's.)
#include <QtTest>
#include <QtWidgets>

#include "app/mainmenu.h"
#include "platform/soundplayer.h"
#include "platform/textviewer.h"
#include "platform/textwindow.h"
#include "platform/windowplacement.h"
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
        dir.write("zel.INI", FormatSettings(s)), dir.writePicture("menu.jpg"),
            dir.write("zelquiz.log", "old run\r\n");
        dir.write("zel.dat",
                  "\"Lee\",\"\",\"\",0,1\r\n2,1807,1870,\"\",\"\"\r\n\"\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n");
        dir.write("zelsnd.dat", "s0.wav,s1.wav,s2.wav,s3.wav,s4.wav,gone.wav,s6.wav,s7.wav,s8.wav\r\n");
        std::vector<std::string> ini = dir.lines("zel.INI");
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        TestState ts;
        ProbeSound sound(ts.state);
        ts.state.sound = sound;
        QString steps;  // the start-up sound is the last step: when it plays, every other one stands done
        sound.probe = [&](const std::string& file) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* menu = qobject_cast<MainMenu*>(w))
                    steps = QString("%1 %2 %3 %4 %5 %6 %7 %8 '%9' %10")
                                .arg(file.c_str())
                                .arg(QDir::current() == QDir(dir.path()))
                                .arg(menu->windowTitle(), ts.state.names.StateNames[16].c_str())
                                .arg(ts.state.settings.QuestionsPerGame)
                                .arg(menu->frameGeometry().center() == menu->screen()->geometry().center())
                                .arg(menu->hasPicture())
                                .arg(ts.state.table.ItemCount)
                                .arg(dir.read("zelquiz.log").c_str())
                                .arg(menu->Label4->isVisible());
        };
        MainMenu menu(ts.state, dir.path());
        QCOMPARE(steps, QString("gone.wav 1 Bellarune Game Kansas-Nebraska 7 1 1 1 '' 0"));
        QVERIFY(ts.state.settings.SoundOn == 0 &&
                ts.notifier.messages.empty());  // a sound that cannot play: off, silently
        menu.show();
        QTest::mouseClick(menu.Command3, Qt::LeftButton);  // About: the credits, whole at the design size
        for (QLabel* l : {menu.Label3, menu.Label4})
            QVERIFY(l->isVisible() && l->rect().contains(l->fontMetrics().boundingRect(
                                          l->rect(), Qt::TextWordWrap, l->text())));
        QTest::mouseClick(menu.cmdCatalog, Qt::LeftButton);
        QCOMPARE(ts.textsShown, (std::vector<std::pair<std::string, int>>{{"zelord.txt", 3}}));
        QFile::remove(dir.file("zel.INI")), QTest::mouseClick(menu.cmdquit, Qt::LeftButton);
        ini[1] = "0 0 8 8";  // the values read, with the sound off
        QCOMPARE(dir.lines("zel.INI"), ini);
        // A sound file the system will not read: its error text, the file and the number; the sound stays on.
        ts.state.settings.SoundOn = 1, QDir(dir.path()).mkdir("s4.wav"), PlaySound(ts.state, Sound::Chime);
        QFile s4(dir.file("s4.wav"));
        QVERIFY(!s4.open(QIODevice::ReadOnly) && ts.state.settings.SoundOn == 1);
        QCOMPARE(ts.notifier.messages,
                 std::vector<std::string>{s4.errorString().toStdString() + "\r\ns4.wav 4"});
    }

    // The sorting screen's window memory, through the screen itself.
    void windowMemory()
    {
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.settings.QuestionsPerGame = 1, ts.state.settings.CategoryEnabled.fill(0),
        ts.state.settings.CategoryEnabled[8] = -1;
        ts.state.settings.WindowMemory[1] = {0, 0, 15000, 6000};  // taller than the screen: cut to it
        ts.state.rng.queue({typeOf(8)});
        playGame(ts, {[&](QWidget* w) {
                     const auto closing = qScopeGuard([w] { w->close(); });
                     const QRect outer = w->frameGeometry(), screen = w->screen()->geometry();
                     QVERIFY(std::abs(outer.center().y() - screen.center().y()) <= 2 &&
                             w->height() == screen.height());
                     WindowMemoryRecord& memory = ts.state.settings.WindowMemory[1];
                     QFile::remove(dir.file("zel.INI")), memory = {0, 0, 6000, 7500};
                     RememberWindow(ts.state, w, 1, 1);  // raises a real resize, whose save is held off
                     QVERIFY(!dir.exists("zel.INI"));
                     RememberWindow(ts.state, w, 3, 0),
                         RememberWindow(ts.state, w, 1, 0);  // slot 3: nothing, the next call works
                     QVERIFY(memory == (WindowMemoryRecord{0, 128 + 255 * 256 + 255 * 65536, 6000, 7500}) &&
                             dir.exists("zel.INI"));
                     QVERIFY(ts.state.settings.WindowMemory[3] == WindowMemoryRecord{});
                 }});
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
