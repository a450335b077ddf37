// The real program in a real X server: Xvfb started by the test, input from xdotool, the
// results read from the files the program leaves in its directory. Screenshots of every
// screen visited go to build/e2e-artifacts.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <thread>

#include "data/itemtable.h"
#include "data/settings.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// A title as an exact POSIX regular expression (xdotool's); blanks and quotes stay as they are.
QString posixEscape(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (QStringLiteral(".[]()*+?^$|{}\\").contains(c))
            out += '\\';
        out += c;
    }
    return out;
}

// Twips of the design to pixels of the X server (Qt's logical 96 DPI under Xvfb).
int px(int twips) { return (twips * 96 + 720) / 1440; }

class XServer {
public:
    XServer()
    {
        for (int n = 71; n < 99; ++n) {
            if (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)) || QFile::exists(QString("/tmp/.X%1-lock").arg(n)))
                continue;
            display_ = QString(":%1").arg(n);
            proc_.start("Xvfb", {display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
            if (!proc_.waitForStarted(5000))
                return;
            for (int i = 0; i < 100 && !QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)); ++i)
                QThread::msleep(50);
            if (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)))
                return;
            proc_.kill();
            proc_.waitForFinished();
        }
        display_.clear();
    }
    ~XServer()
    {
        proc_.terminate();
        if (!proc_.waitForFinished(3000))
            proc_.kill();
    }
    QString display() const { return display_; }

private:
    QProcess proc_;
    QString display_;
};

// One run of the game from a copy of the program directory.
class Game {
public:
    Game(const XServer& x, const QString& artifacts, const QString& name)
        : display_(x.display()), artifacts_(artifacts), name_(name)
    {
        const QString src = qEnvironmentVariable("BELLARUNE_GAME_DIR");
        for (const QFileInfo& f : QDir(src).entryInfoList(QDir::Files))
            QFile::copy(f.absoluteFilePath(), dir_.filePath(f.fileName()));
    }
    ~Game()
    {
        if (proc_.state() != QProcess::NotRunning) {
            shot("failure");
            proc_.kill();
            proc_.waitForFinished();
        }
    }
    QString file(const QString& n) const { return dir_.filePath(n); }
    void write(const QString& n, const std::string& text) const
    {
        QFile f(file(n));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text.data(), qint64(text.size()));
    }
    std::string read(const QString& n) const { return readAll(file(n)); }

    bool start()
    {
        QTemporaryDir elsewhere;
        proc_.setWorkingDirectory(QDir::rootPath());  // started from another directory
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("XDG_CURRENT_DESKTOP");
        proc_.setProcessEnvironment(env);
        proc_.start(file("bellarune"), {});
        return proc_.waitForStarted(5000) && waitWindow("Bellarune Game") != 0;
    }
    bool finished(int ms = 10000) { return proc_.waitForFinished(ms) && proc_.exitStatus() == QProcess::NormalExit; }

    QString xdo(const QStringList& args, int timeoutMs = 10000) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        p.setProcessEnvironment(env);
        p.start("xdotool", args);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return QString::fromLatin1(p.readAllStandardOutput()).trimmed();
    }
    // The newest visible window with exactly this title, 0 when none comes within the timeout.
    qulonglong waitWindow(const QString& title, int timeoutMs = 10000, qulonglong other = 0) const
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            const QStringList ids =
                xdo({"search", "--onlyvisible", "--name", "^" + posixEscape(title) + "$"}, 3000)
                    .split('\n', Qt::SkipEmptyParts);
            for (auto it = ids.rbegin(); it != ids.rend(); ++it)
                if (it->toULongLong() != other)
                    return it->toULongLong();
            QThread::msleep(50);
        }
        return 0;
    }
    void click(qulonglong win, int x, int y, int button = 1) const
    {
        xdo({"mousemove", "--window", QString::number(win), QString::number(x), QString::number(y)});
        QThread::msleep(60);
        xdo({"click", QString::number(button)});
        QThread::msleep(120);
    }
    // A click on the middle of a control given by its design rectangle in twips.
    void clickTwips(qulonglong win, int left, int top, int width, int height, int button = 1) const
    {
        click(win, px(left + width / 2), px(top + height / 2), button);
    }
    // A real drag: press, move in steps with the button held, release.
    void drag(qulonglong win, QPoint from, QPoint to) const
    {
        xdo({"mousemove", "--window", QString::number(win), QString::number(from.x()), QString::number(from.y())});
        QThread::msleep(80);
        xdo({"mousedown", "1"});
        QThread::msleep(80);
        for (int step = 1; step <= 5; ++step) {
            const QPoint p = from + (to - from) * step / 5;
            xdo({"mousemove", "--window", QString::number(win), QString::number(p.x()), QString::number(p.y())});
            QThread::msleep(40);
        }
        xdo({"mouseup", "1"});
        QThread::msleep(150);
    }
    void key(const QString& k) const
    {
        xdo({"key", "--clearmodifiers", k});
        QThread::msleep(100);
    }
    void type(const QString& text) const
    {
        xdo({"type", "--delay", "40", text});
        QThread::msleep(100);
    }
    void shot(const QString& what) const
    {
        QDir().mkpath(artifacts_);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        p.setProcessEnvironment(env);
        p.start(qEnvironmentVariable("BELLARUNE_GAME_DIR") + "/../tools/shot/bellarune-shot",
                {artifacts_ + "/" + name_ + "-" + what + ".png"});
        p.waitForFinished(10000);
    }

private:
    QTemporaryDir dir_;
    QProcess proc_;
    QString display_, artifacts_, name_;
};

std::string record(const std::string& name, int type, int side, int state, int y1, int y2, const std::string& date,
                   const std::string& cmd, const std::string& desc, const std::string& campaign,
                   const std::string& nick, const std::string& pic)
{
    ItemTable t;
    t.ItemCount = 1;
    ItemRecord& r = t.Items[1];
    r.Name = name;
    r.ItemType = int16_t(type);
    r.Side = int16_t(side);
    r.State = int16_t(state);
    r.Year1 = int16_t(y1);
    r.Year2 = int16_t(y2);
    r.DateText = date;
    r.Commanders = cmd;
    r.Description = desc;
    r.Campaign = campaign;
    r.Nickname = nick;
    r.ImageFile = pic;
    r.Difficulty = 1;
    return FormatItemFile(t);
}

// Twelve people and twelve battles, enough for every question type.
std::string craftedDatabase()
{
    std::string out;
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        out += record("Person " + n, i % 2 ? 3 : 0, i % 2, 1 + i, 1800 + i, 1870 + i, "", "General",
                      "Description of person " + n, "", "Nickname " + n, "Al.jpg");
        out += record("Battle " + n, 1, i % 2, 1 + i, 1850 + i, 1850 + i, "Date " + n, "Commanders " + n,
                      "Description of battle " + n, "Campaign " + n, "Other name " + n, "");
    }
    return out;
}

std::string settingsOnly(int type, int questions)
{
    Settings s;
    s.CategoryEnabled.fill(0);
    if (type > 0)
        s.CategoryEnabled[type] = -1;
    s.QuestionsPerGame = int16_t(questions);
    s.SoundOn = 0;
    return FormatSettings(s);
}

QStringList logLines(const Game& g)
{
    return QString::fromLatin1(g.read("zelquiz.log").c_str()).split("\r\n", Qt::SkipEmptyParts);
}

}  // namespace

class TestE2eWindow : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<XServer> x_;
    QString artifacts_;

    // Presses OK on the closing "You scored" message and quits from the menu.
    void endGame(Game& g, qulonglong menu)
    {
        const qulonglong msg = g.waitWindow("Bellarune Game", 10000, menu);
        QVERIFY(msg != 0);
        g.shot("final-message");
        g.key("Return");
        g.clickTwips(menu, 4560, 3360, 735, 375);  // Quit
        QVERIFY(g.finished());
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("Xvfb and xdotool are needed");
        x_ = std::make_unique<XServer>();
        QVERIFY2(!x_->display().isEmpty(), "Xvfb did not start");
        artifacts_ = qEnvironmentVariable("BELLARUNE_GAME_DIR") + "/../e2e-artifacts";
        QDir(artifacts_).removeRecursively();
    }

    // Closes the score window with its ok button (in its frame at 120, 3960).
    void closeScore(Game& g, const QString& name)
    {
        const qulonglong score = g.waitWindow("Score");
        QVERIFY2(score != 0, "no score window");
        g.shot(name + "-score");
        g.clickTwips(score, 120 + 120, 120 + 3960, 1215, 615);
        QVERIFY(g.waitWindow("Score", 1500) == 0);
    }

    void letterGuessingWonAfterTwoWrongLetters()
    {
        Game g(*x_, artifacts_, "type16");
        g.write("zel.dat", record("Abe Lincoln", 3, 0, 15, 1809, 1865, "", "President", "A president.", "",
                                  "Honest Abe", "Al.jpg") +
                               record("Fort Sumter", 1, 1, 4, 1861, 1861, "April 12-13, 1861", "Anderson vs. Beauregard",
                                      "The first shots.", "Sumter", "", ""));
        Settings s;
        s.CategoryEnabled.fill(0);
        s.CategoryEnabled[16] = -1;
        s.QuestionsPerGame = 1;
        s.SoundOn = 0;
        s.MaxDifficulty = 3;  // four tries
        g.write("zel.INI", FormatSettings(s));
        QVERIFY(g.start());
        const qulonglong menu = g.waitWindow("Bellarune Game");
        g.clickTwips(menu, 600, 3360, 735, 375);  // Play
        const qulonglong screen = g.waitWindow("Name Me -- Press the letter keys to enter my name... ");
        QVERIFY(screen != 0);
        g.shot("type16-open");
        for (const char* k : {"z", "q", "z", "a", "B", "e", "l", "i", "n", "c"})
            g.key(k);
        g.shot("type16-before-last");
        g.key("o");
        closeScore(g, "type16");
        endGame(g, menu);
        QCOMPARE(logLines(g), QStringList({"---- Question 1"}));
        Settings after;
        QVERIFY(LoadSettings(g.file("zel.INI").toStdString(), after));
        QCOMPARE(int(after.MaxDifficulty), 3);
    }

    // Starts a one-question game of one type and returns the menu's window; the screen with
    // the given title is open when it returns.
    qulonglong playOne(Game& g, int type, const QString& title, qulonglong* screen)
    {
        g.write("zel.dat", craftedDatabase());
        g.write("zel.INI", settingsOnly(type, 1));
        if (!g.start())
            return 0;
        const qulonglong menu = g.waitWindow("Bellarune Game");
        g.clickTwips(menu, 600, 3360, 735, 375);  // Play
        *screen = g.waitWindow(title);
        g.shot("open");
        return menu;
    }

    void choiceQuestionsAnsweredWithAClick_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("wrongLine");
        // What a wrong answer logs: the prompt and the right clue, both of one item.
        QTest::newRow("1") << 1 << "^Which dates match Person (\\d+)\\? 18\\d\\d to 18\\d\\d$";
        QTest::newRow("2") << 2 << "^Which date\\(s\\) match Battle (\\d+)\\? Date (\\d+)$";
        QTest::newRow("3") << 3 << "^Who was Person (\\d+)\\? Description of person (\\d+)$";
        QTest::newRow("4") << 4 << "^Describe Battle (\\d+)\\? Description of battle (\\d+)$";
        QTest::newRow("5") << 5 << "^Choose the event for this description Battle (\\d+)$";
        QTest::newRow("6") << 6 << "^What happened on Date (\\d+)\\? Battle (\\d+) -- Description of battle \\d+$";
        QTest::newRow("7") << 7 << "^Which commanders fought Battle (\\d+)\\? Commanders (\\d+)$";
    }

    void choiceQuestionsAnsweredWithAClick()
    {
        QFETCH(int, type);
        QFETCH(QString, wrongLine);
        Game g(*x_, artifacts_, "type" + QString::number(type));
        qulonglong screen = 0;
        const qulonglong menu = playOne(g, type, "Multiple Choice", &screen);
        QVERIFY(menu && screen);
        if (type == 5)
            g.click(screen, px(40 + 4572 + 1800), px(25 + 3360 + 307));  // the second name, right half
        else
            g.click(screen, px(40 + 220 + 2000), px(25 + 1800 + 487));  // the second option
        closeScore(g, "type" + QString::number(type));
        endGame(g, menu);
        const QStringList log = logLines(g);
        QVERIFY2(log.size() == 2 || log.size() == 3, qPrintable(log.join('|')));
        QCOMPARE(log[0], QString("---- Question 1"));
        QCOMPARE(log[1], QString("Multiple Choice"));
        if (log.size() == 3) {
            const auto m = QRegularExpression(wrongLine).match(log[2]);
            QVERIFY2(m.hasMatch(), qPrintable(log[2]));
            if (m.lastCapturedIndex() >= 2)
                QCOMPARE(m.captured(1), m.captured(2));
        }
    }

    void sortingPlayedWithPushUpClicks_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("8") << 8 << "People by date" << "Person ";
        QTest::newRow("9") << 9 << "Battles by date" << "Battle ";
        QTest::newRow("10") << 10 << "Events by date" << "Battle ";
    }

    void sortingPlayedWithPushUpClicks()
    {
        QFETCH(int, type);
        QFETCH(QString, kind);
        QFETCH(QString, prefix);
        const QString name = "type" + QString::number(type);
        Game g(*x_, artifacts_, name);
        qulonglong screen = 0;
        const qulonglong menu = playOne(g, type, " Sort ", &screen);
        QVERIFY(menu && screen);
        // Push the second and third lines up, then Done.
        g.click(screen, px(120 + 1500), px(135 + 1560) + 26);
        g.click(screen, px(120 + 1500), px(135 + 1560) + 43);
        g.shot("pushed");
        g.clickTwips(screen, 3000, 135 + 4680, 1215, 615);
        closeScore(g, name);
        endGame(g, menu);
        const QStringList log = logLines(g);
        QVERIFY2(log.size() >= 7, qPrintable(log.join('|')));
        QCOMPARE(log[0], QString("---- Question 1"));
        QCOMPARE(log[1], "Items to sort by " + kind);
        for (int i = 2; i < 7; ++i)
            QVERIFY2(log[i].startsWith(prefix), qPrintable(log[i]));
        // After the five names: either all correct or one line per pair out of order.
        if (log.size() == 8 && log[7] == " *** All Correct!")
            return;
        const QRegularExpression pair("^" + prefix + "\\d+ (\\d+) > " + prefix + "\\d+ (\\d+)$");
        for (int i = 7; i < log.size(); ++i) {
            const auto m = pair.match(log[i]);
            QVERIFY2(m.hasMatch(), qPrintable(log[i]));
            QVERIFY(m.captured(1).toInt() > m.captured(2).toInt());
        }
    }

    void itemChangedInTheEditorAndWritten()
    {
        Game g(*x_, artifacts_, "editor");
        g.write("zel.dat", craftedDatabase());
        g.write("zel.INI", settingsOnly(3, 1));
        QVERIFY(g.start());
        const qulonglong menu = g.waitWindow("Bellarune Game");
        g.clickTwips(menu, 1590, 3360, 735, 375);  // Setup
        const qulonglong setup = g.waitWindow("Bellarune Game Setup");
        QVERIFY(setup != 0);
        g.clickTwips(setup, 120, 5160, 1335, 615);  // Edit
        const qulonglong edit = g.waitWindow("Edit");
        QVERIFY(edit != 0);
        g.shot("open");
        g.clickTwips(edit, 7680, 4440, 1095, 495);  // Next: the second item, a battle
        g.clickTwips(edit, 120, 1920, 5175, 645);   // the description
        g.key("ctrl+a");
        g.type("Changed by the owner");
        g.shot("changed");
        g.clickTwips(edit, 7680, 3720, 1095, 495);  // Store list
        const qulonglong ask = g.waitWindow("Store list to file");
        QVERIFY(ask != 0);
        g.key("Return");
        QVERIFY(g.waitWindow("Store list to file", 1500) == 0);
        g.clickTwips(edit, 7680, 5760, 1095, 495);  // ok
        QVERIFY(g.waitWindow("Edit", 1500) == 0);
        g.clickTwips(setup, 3240, 5160, 615, 615);  // OK
        g.clickTwips(menu, 4560, 3360, 735, 375);   // Quit
        QVERIFY(g.finished());

        ItemTable t;
        RecordingNotifier quiet;
        QVERIFY(ReadItemFile(g.file("zel.dat").toStdString(), t, quiet));
        QCOMPARE(int(t.ItemCount), 24);
        QCOMPARE(t.Items[2].Name, std::string("Battle 0"));
        QCOMPARE(t.Items[2].Description, std::string("Changed by the owner"));
        QCOMPARE(t.Items[1].Description, std::string("Description of person 0"));
        const QString list = QString::fromLatin1(g.read("zel.txt").c_str());
        QVERIFY2(list.contains("Battle 0  ") && list.contains("Changed by the owner"), qPrintable(list.left(400)));
        QCOMPARE(list.count("\r\n"), 24);
        Settings s;
        QVERIFY(LoadSettings(g.file("zel.INI").toStdString(), s));
        QCOMPARE(int(s.MaxDifficulty), 1);  // held at 3 only while the editor was open
    }

    void matchingDescriptionsByDragAndByClickAndClick_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("clickClick");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("line");
        // The bottom description always belongs to bar 4, so a bar 0 put there is wrong for sure.
        QTest::newRow("11 drag") << 11 << false << "Match commanders and battles" << "^(Battle (\\d+)) = Commanders \\2$";
        QTest::newRow("12 click") << 12 << true << "Match battle and campaign" << "^(Battle (\\d+)) = Campaign \\2$";
        QTest::newRow("13 drag") << 13 << false << "Match nicknames, sayings" << "^(Person (\\d+)) = Nickname \\2$";
    }

    void matchingDescriptionsByDragAndByClickAndClick()
    {
        QFETCH(int, type);
        QFETCH(bool, clickClick);
        QFETCH(QString, header);
        QFETCH(QString, line);
        const QString name = "type" + QString::number(type);
        Game g(*x_, artifacts_, name);
        qulonglong screen = 0;
        const qulonglong menu = playOne(g, type, "Match 'em", &screen);
        QVERIFY(menu && screen);
        // The frame is centred 50 twips in; bar 0 at 4800, 1440; the bottom box at 5400.
        const QPoint bar0(px(50 + 4800 + 1900), px(50 + 1440 + 217));
        const QPoint box4(px(50 + 150 + 600), px(50 + 5400 + 307));
        if (clickClick) {
            g.click(screen, bar0.x(), bar0.y());
            g.xdo({"mousemove", "--window", QString::number(screen), QString::number(box4.x() + 40),
                   QString::number(box4.y())});
            g.shot("following");
            g.click(screen, box4.x(), box4.y());
        } else {
            g.drag(screen, bar0, box4);
        }
        g.shot("placed");
        g.clickTwips(screen, 50 + 2880, 50 + 6120, 1455, 375);  // Done
        closeScore(g, name);
        endGame(g, menu);
        const QStringList log = logLines(g);
        QVERIFY2(log.size() == 8, qPrintable(log.join('|')));
        QCOMPARE(log[0], QString("---- Question 1"));
        QCOMPARE(log[1], header);
        const auto m = QRegularExpression(line).match(log[7]);
        QVERIFY2(m.hasMatch(), qPrintable(log[7]));
        QCOMPARE(m.captured(1), log[2]);  // the line names bar 0's item
    }

    void matchingPicturesByDrag_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("header");
        QTest::newRow("14") << 14 << "Match Match battles and states";
        QTest::newRow("15") << 15 << "Match Match portraits to names";
    }

    void matchingPicturesByDrag()
    {
        QFETCH(int, type);
        QFETCH(QString, header);
        const QString name = "type" + QString::number(type);
        Game g(*x_, artifacts_, name);
        qulonglong screen = 0;
        const qulonglong menu = playOne(g, type, "Match 'em", &screen);
        QVERIFY(menu && screen);
        // Bar 0 onto the lower right picture, which always belongs to bar 3.
        const QPoint bar0(px(50 + 350 + 1250), px(50 + 5235 + 225));
        const QPoint box3(px(50 + 4390 + 1133), px(50 + 2707 + 400));
        g.drag(screen, bar0, box3);
        g.shot("placed");
        g.clickTwips(screen, 50 + 7530 / 3 + 500, 50 + 6635 - 850, 1500, 375);  // Done
        closeScore(g, name);
        endGame(g, menu);
        const QStringList log = logLines(g);
        QVERIFY2(log.size() == 7, qPrintable(log.join('|')));
        QCOMPARE(log[1], header);
        QCOMPARE(log[6], log[2] + " placed on image of " + log[5]);
    }

    void menuAboutAndQuit()
    {
        Game g(*x_, artifacts_, "menu");
        g.write("zel.dat", craftedDatabase());
        g.write("zel.INI", settingsOnly(3, 4));
        g.write("zelquiz.log", "from an earlier run\r\n");
        const std::string ini = g.read("zel.INI");
        QVERIFY(g.start());
        const qulonglong menu = g.waitWindow("Bellarune Game");
        g.shot("main");
        g.clickTwips(menu, 3570, 3360, 735, 375);  // About
        g.shot("about");
        g.clickTwips(menu, 4560, 3360, 735, 375);  // Quit
        QVERIFY(g.finished());
        QCOMPARE(g.read("zelquiz.log"), std::string());
        QCOMPARE(g.read("zel.INI"), ini);
    }

    void setupChangedThroughItsBoxesAndList()
    {
        Game g(*x_, artifacts_, "setup");
        g.write("zel.dat", craftedDatabase());
        g.write("zel.INI", settingsOnly(3, 4));
        QVERIFY(g.start());
        const qulonglong menu = g.waitWindow("Bellarune Game");
        g.clickTwips(menu, 1590, 3360, 735, 375);  // Setup
        const qulonglong setup = g.waitWindow("Bellarune Game Setup");
        QVERIFY(setup != 0);
        g.shot("setup");
        // Number of questions: type 25, which shows 10; then one step down.
        g.clickTwips(setup, 1560, 1680, 495, 495);
        g.key("ctrl+a");
        g.type("25");
        g.clickTwips(setup, 2160, 1680 + 370, 240, 100);  // lower arrow of the spin control
        // Categories: the first entry on, the third off.
        const int rowHeight = 24;
        g.click(setup, px(2640) + 40, px(240) + rowHeight / 2 + 2);
        g.click(setup, px(2640) + 40, px(240) + 2 * rowHeight + rowHeight / 2 + 2);
        // Log level "Only incorrect".
        g.click(setup, px(120 + 120) + 8, px(2640 + 1080) + px(375) / 2);
        g.shot("setup-changed");
        g.clickTwips(setup, 3240, 5160, 615, 615);  // OK
        QVERIFY(g.waitWindow("Bellarune Game Setup", 1500) == 0);
        g.clickTwips(menu, 4560, 3360, 735, 375);
        QVERIFY(g.finished());
        Settings s;
        QVERIFY(LoadSettings(g.file("zel.INI").toStdString(), s));
        QCOMPARE(int(s.QuestionsPerGame), 9);
        QCOMPARE(int(s.LogLevel), 2);
        QCOMPARE(int(s.CategoryEnabled[1]), -1);
        QCOMPARE(int(s.CategoryEnabled[3]), 0);
    }
};

QTEST_GUILESS_MAIN(TestE2eWindow)
#include "test_e2e_window.moc"
