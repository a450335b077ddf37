// Start-up and the main menu, the score window, window memory, sound and the real program.
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "app/mainmenu.h"
#include "data/settings.h"
#include "platform/soundplayer.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

std::string waveFile()
{
    std::string w = "RIFF";
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            w += char((v >> (8 * i)) & 0xff);
    };
    auto u16 = [&](uint16_t v) {
        w += char(v & 0xff);
        w += char(v >> 8);
    };
    u32(36 + 200);
    w += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(22050);
    u32(44100);
    u16(2);
    u16(16);
    w += "data";
    u32(200);
    w += std::string(200, '\0');
    return w;
}

void writeProgramFiles(const ProgramDir& dir)
{
    dir.write("zel.dat", "\"Robert E. Lee\",\"Marse Robert\",\"lee.jpg\",0,1\r\n2,1807,1870,\"\",\"General\"\r\n"
                         "\"Led an army.\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n");
    Settings s;
    s.QuestionsPerGame = 7;
    s.WindowMemory[1].Width = 6100;
    s.BackgroundPicture = "menu.png";
    dir.write("zel.INI", FormatSettings(s));
    dir.write("zelsnd.dat", "\"s0.wav\",\"s1.wav\",s2.wav,\"s3.wav\"\r\n\"s4.wav\",\"start.wav\",\"s6.wav\",\"s7.wav\",\"s8.wav\"\r\n");
    dir.write("zelquiz.log", "old run\r\n");
    QImage pic(64, 40, QImage::Format_RGB32);
    pic.fill(Qt::darkBlue);
    pic.save(dir.file("menu.png"));
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void startUpReadsEverythingFromTheProgramDirectory()
    {
        ProgramDir dir;
        writeProgramFiles(dir);
        const std::string iniBefore = dir.read("zel.INI");
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());

        TestState ts;
        MainMenu menu(ts.state, dir.path());
        QCOMPARE(QDir::currentPath(), QDir(dir.path()).canonicalPath());
        QCOMPARE(menu.windowTitle(), QString("Bellarune Game"));
        QCOMPARE(menu.objectName(), QString("main"));
        QCOMPARE(int(ts.state.settings.QuestionsPerGame), 7);
        QCOMPARE(int(ts.state.table.ItemCount), 1);
        QCOMPARE(ts.state.TimesUsed.size(), std::size_t(2));
        QCOMPARE(ts.state.SoundFiles[2], std::string("s2.wav"));
        QCOMPARE(ts.state.names.StateNames[16], std::string("Kansas-Nebraska"));
        QVERIFY(menu.hasPicture());
        QCOMPARE(dir.read("zelquiz.log"), std::string());
        // The start-up sound is sound 5.
        QCOMPARE(ts.sound.played, (std::vector<std::string>{"start.wav"}));
        QVERIFY(ts.notifier.messages.empty());

        QCOMPARE(menu.Label1->text(), QString("Bellarune Game"));
        QCOMPARE(menu.Label2->text(), QString("Version 1.05"));
        QVERIFY(menu.Label3->isHidden() && menu.Label4->isHidden());
        menu.show();
        QTest::mouseClick(menu.Command3, Qt::LeftButton);
        QVERIFY(menu.Label3->isVisible() && menu.Label4->isVisible());
        QTest::mouseClick(menu.Command3, Qt::LeftButton);
        QVERIFY(menu.Label3->isVisible());

        QTest::mouseClick(menu.cmdCatalog, Qt::LeftButton);
        QCOMPARE(ts.textsShown.size(), std::size_t(1));
        QCOMPARE(ts.textsShown[0].first, std::string("zelord.txt"));
        QCOMPARE(ts.textsShown[0].second, 3);

        // Quitting right away writes the settings as they were read.
        dir.write("zel.INI", "");
        QTest::mouseClick(menu.cmdquit, Qt::LeftButton);
        QVERIFY(!menu.isVisible());
        QCOMPARE(dir.read("zel.INI"), iniBefore);
    }

    void playRunsAWholeGame()
    {
        ProgramDir dir;
        writeProgramFiles(dir);
        TestState ts;
        MainMenu menu(ts.state, dir.path());
        menu.show();
        ts.state.settings.QuestionsPerGame = 3;
        // Every question screen that opens is closed at once, as by its close box.
        ModalAutoCloser closer;
        QTest::mouseClick(menu.Command1, Qt::LeftButton);
        QCOMPARE(ts.notifier.messages.back(), std::string("You scored 0 out of 0 (0%)"));
        const std::string log = dir.read("zelquiz.log");
        QVERIFY(log.find("---- Question 1\r\n") != std::string::npos);
        QVERIFY(log.find("---- Question 3\r\n") != std::string::npos);
        QVERIFY(log.find("---- Question 4") == std::string::npos);
        QVERIFY(menu.isVisible());
    }

    void menuLayoutFollowsTheDesign()
    {
        ProgramDir dir;
        writeProgramFiles(dir);
        TestState ts;
        MainMenu menu(ts.state, dir.path());
        QCOMPARE(menu.size(), QSize(twipsToPx(5985), twipsToPx(3840)));
        const QList<QPushButton*> row = {menu.Command1, menu.cmdsetup, menu.cmdCatalog, menu.Command3, menu.cmdquit};
        const QStringList captions = {"Play", "Setup", "Catalog", "About", "Quit"};
        for (int i = 0; i < row.size(); ++i) {
            QCOMPARE(row[i]->text(), captions[i]);
            QCOMPARE(row[i]->geometry(), twipsRect(600 + 990 * i, 3360, 735, 375));
        }
        QCOMPARE(menu.Command1->toolTip(), QString("Play the game"));
        QCOMPARE(menu.cmdsetup->toolTip(), QString("Conditions for the game"));
        QCOMPARE(menu.cmdCatalog->toolTip(), QString("View Torvane Software Catalog"));
        QCOMPARE(menu.Label1->font().family(), QString("Liberation Serif"));
        QVERIFY(menu.Label1->font().bold());
        QCOMPARE(menu.Label1->font().pointSizeF(), 21.75);
        QCOMPARE(menu.Label3->font().family(), QString("Liberation Sans"));
    }

    void missingFilesStillStart()
    {
        ProgramDir dir;
        TestState ts;
        {
            MainMenu menu(ts.state, dir.path());
            QVERIFY(!menu.hasPicture());
            QCOMPARE(int(ts.state.table.ItemCount), 0);
            QCOMPARE(ts.notifier.messages.size(), std::size_t(1));  // the data file fault
            // Without a sound list the start-up sound fails and sound stays off.
            QCOMPARE(int(ts.state.settings.SoundOn), 0);
            menu.close();
        }
        Settings written;
        QVERIFY(LoadSettings(dir.file("zel.INI").toStdString(), written));
        QCOMPARE(int(written.SoundOn), 0);
        QCOMPARE(int(written.QuestionsPerGame), 5);
    }

    void soundFailureTurnsSoundOff()
    {
        ProgramDir dir;
        TestState ts;
        GameState& s = ts.state;
        s.SoundFiles[3] = "a.wav";
        s.settings.SoundOn = 0;
        PlaySound(s, 3);
        QVERIFY(ts.sound.played.empty());
        s.settings.SoundOn = 1;
        PlaySound(s, 3);
        QCOMPARE(ts.sound.played.size(), std::size_t(1));
        ts.sound.failAll = true;
        PlaySound(s, 3);
        QCOMPARE(int(s.settings.SoundOn), 0);
        PlaySound(s, 3);
        QCOMPARE(ts.sound.played.size(), std::size_t(2));

        dir.write("good.wav", waveFile());
        dir.write("bad.wav", "RIFF0000WAVEjunkjunkjunkjunkjunkjunkjunkjunkjunkjunk");
        QVERIFY(SoundPlayer::isPlayableWave("good.wav"));
        QVERIFY(!SoundPlayer::isPlayableWave("bad.wav"));
        QVERIFY(!SoundPlayer::isPlayableWave("missing.wav"));
        SoundPlayer player;
        QVERIFY(!player.play("missing.wav"));
        QVERIFY(!player.play("bad.wav"));
    }

    void scoreWindowCaptionAndResizeRule()
    {
        TestState ts;
        GameState& s = ts.state;
        ShowScor score(s);
        QCOMPARE(score.windowTitle(), QString("Score"));
        QCOMPARE(score.Label2->text(), QString("Current score: 0 of 0  (0%)"));
        QCOMPARE(score.Command1->text(), QString("ok"));
        QCOMPARE(score.Command1->toolTip(), QString("Click here when  ready to proceed"));
        s.Players[0] = {15, 20, 75};
        score.scoreCaption();
        QCOMPARE(score.Label2->text(), QString("Current score: 15 of 20  (75%)"));
        score.setResultText(" Correct, +5 pts\r\nline two");
        QCOMPARE(score.resultText(), std::string(" Correct, +5 pts\r\nline two"));

        score.show();
        score.resize(twipsToPx(6000), twipsToPx(5000));
        QCOMPARE(score.Frame1->width(), twipsToPx(outerWidthTwips(&score) - 100));
        const int wide = score.Text1->width();
        QCOMPARE(wide, twipsToPx(pxToTwips(score.Frame1->width()) - 400));
        score.resize(twipsToPx(2500), twipsToPx(5000));
        QCOMPARE(score.Text1->width(), wide);  // below 3000 the text box keeps its width
        score.resize(twipsToPx(9000), twipsToPx(5000));
        QVERIFY(score.Text1->width() > wide);

        QTest::mouseClick(score.Command1, Qt::LeftButton);
        QVERIFY(!score.isVisible());
        QCOMPARE(score.result(), int(QDialog::Accepted));
    }

    void windowMemoryRestoresAndSaves()
    {
        ProgramDir dir;
        TestState ts;
        GameState& s = ts.state;
        QWidget form;
        form.show();
        s.settings.WindowMemory[1] = {0, 0, 4500, 6000};
        RememberWindow(s, &form, 1, 1);
        QCOMPARE(outerWidthTwips(&form), 6000);
        QCOMPARE(outerHeightTwips(&form), 4500);
        QVERIFY(!dir.exists("zel.INI"));  // a restore does not save

        setBackground(&form, QColor(1, 2, 3));
        setOuterSizeTwips(&form, 7500, 3000);
        RememberWindow(s, &form, 1, 0);
        QCOMPARE(int(s.settings.WindowMemory[1].Width), 7500);
        QCOMPARE(int(s.settings.WindowMemory[1].Height), 3000);
        QCOMPARE(int(s.settings.WindowMemory[1].BackColor), 1 + 2 * 256 + 3 * 65536);
        QVERIFY(dir.exists("zel.INI"));

        // Slot 3 is never remembered and does not block the next call.
        const auto before = s.settings.WindowMemory[3];
        RememberWindow(s, &form, 3, 0);
        QVERIFY(s.settings.WindowMemory[3] == before);
        QVERIFY(!s.WindowMemoryBusy);
        // While busy, calls return at once.
        s.WindowMemoryBusy = true;
        form.resize(twipsToPx(3000), twipsToPx(3000));
        RememberWindow(s, &form, 1, 0);
        QCOMPARE(int(s.settings.WindowMemory[1].Width), 7500);
    }

    void theRealProgramStartsFromAnotherDirectory()
    {
        const QString gameDir = qEnvironmentVariable("BELLARUNE_GAME_DIR");
        QVERIFY(QFile::exists(gameDir + "/bellarune"));
        ProgramDir dir;
        QVERIFY(QFile::copy(gameDir + "/bellarune", dir.file("bellarune")));
        QFile::setPermissions(dir.file("bellarune"), QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
        writeProgramFiles(dir);
        QTemporaryDir elsewhere;
        QProcess p;
        p.setWorkingDirectory(elsewhere.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(dir.file("bellarune"), {});
        QVERIFY(p.waitForStarted());
        // The log is emptied in the program directory, not in the current one.
        QTRY_VERIFY_WITH_TIMEOUT(dir.read("zelquiz.log").empty(), 10000);
        QVERIFY(!QFile::exists(elsewhere.filePath("zelquiz.log")));
        QCOMPARE(p.state(), QProcess::Running);
        p.kill();
        p.waitForFinished();
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
