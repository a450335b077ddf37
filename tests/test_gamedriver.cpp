// Whole games through the driver with the screens replaced by a callback; the quiz log and the score.
#include <QtTest>
#include <map>

#include "engine/gamedriver.h"
#include "engine/quizlog.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
const std::string kNoQuestions =
    "0No questions possible with current selections.  Change difficulty levels or question types";
}

class TestGameDriver : public QObject {
    Q_OBJECT
private slots:
    void aWholeGameAsksEveryQuestionAndStatesTheScore()
    {
        ProgramDir dir;
        TestState ts;
        GameState& s = ts.state;
        s.settings.QuestionsPerGame = 5;
        std::vector<int> asked;
        GameCallbacks ui;
        ui.showScreen = [&](int type) {
            QCOMPARE(int(s.CurrentQuestionType), type);
            asked.push_back(type);
            // A screen scores right answers for odd questions and wrong ones for even.
            AddScore(s, asked.size() % 2 ? 5 : 0, 5, 0);
        };
        PlayGame(s, ui);
        QCOMPARE(asked.size(), std::size_t(5));
        for (int t : asked)
            QVERIFY(t >= 1 && t <= 16);
        QCOMPARE(ts.notifier.messages.back(), std::string("You scored 15 out of 25 (60%)"));
        QCOMPARE(dir.read("zelquiz.log"),
                 std::string("---- Question 1\r\n---- Question 2\r\n---- Question 3\r\n---- Question 4\r\n"
                             "---- Question 5\r\n"));

        // A second game starts from nothing.
        s.settings.QuestionsPerGame = 1;
        PlayGame(s, ui);
        QCOMPARE(ts.notifier.messages.back(), std::string("You scored 0 out of 5 (0%)"));
    }

    void onlyEnabledTypesAreAsked()
    {
        for (int only : {1, 16, 7}) {
            TestState ts(only);
            GameState& s = ts.state;
            s.settings.CategoryEnabled.fill(0);
            s.settings.CategoryEnabled[only] = -1;
            s.settings.QuestionsPerGame = 5;
            s.settings.LogLevel = 0;
            int count = 0;
            GameCallbacks ui;
            ui.showScreen = [&](int type) {
                QCOMPARE(type, only);
                ++count;
            };
            PlayGame(s, ui);
            QCOMPARE(count, 5);
        }
    }

    void noQuestionsPerGameGivesZeroOfZero()
    {
        TestState ts;
        ts.state.settings.QuestionsPerGame = 0;
        int count = 0;
        GameCallbacks ui;
        ui.showScreen = [&](int) { ++count; };
        PlayGame(ts.state, ui);
        QCOMPARE(count, 0);
        QCOMPARE(ts.notifier.messages.back(), std::string("You scored 0 out of 0 (0%)"));
    }

    void nothingEnabledSendsThePlayerToSetup()
    {
        TestState ts;
        GameState& s = ts.state;
        s.settings.CategoryEnabled.fill(0);
        s.settings.QuestionsPerGame = 2;
        s.settings.LogLevel = 0;
        int setups = 0;
        std::vector<int> asked;
        GameCallbacks ui;
        ui.showScreen = [&](int type) { asked.push_back(type); };
        ui.showSetup = [&] {
            ++setups;
            if (setups == 2)
                s.settings.CategoryEnabled[9] = -1;
        };
        PlayGame(s, ui);
        QCOMPARE(setups, 2);
        QCOMPARE(asked, (std::vector<int>{9, 9}));
        QCOMPARE(ts.notifier.messages.size(), std::size_t(3));
        QCOMPARE(ts.notifier.messages[0], kNoQuestions);
        QCOMPARE(ts.notifier.messages[1], kNoQuestions);
    }

    void typeOneComesUpTwiceAsOften()
    {
        TestState ts(99);
        GameState& s = ts.state;
        s.settings.LogLevel = 0;
        const int n = 34000;
        s.settings.QuestionsPerGame = int16_t(30000);
        std::map<int, int> counts;
        GameCallbacks ui;
        ui.showScreen = [&](int type) { ++counts[type]; };
        int total = 0;
        while (total < n) {
            AskQuestions(s, ui);
            total += s.settings.QuestionsPerGame;
            s.settings.QuestionsPerGame = int16_t(n - total < 30000 ? n - total : 30000);
            if (s.settings.QuestionsPerGame <= 0)
                break;
        }
        QCOMPARE(counts.size(), std::size_t(16));
        // Expected 4000 for type 1 and 2000 for the others; allow about five standard deviations.
        QVERIFY2(std::abs(counts[1] - 4000) < 300, std::to_string(counts[1]).c_str());
        for (int t = 2; t <= 16; ++t)
            QVERIFY2(std::abs(counts[t] - 2000) < 220, (std::to_string(t) + ": " + std::to_string(counts[t])).c_str());
    }

    void logLevelsFilterTheLog()
    {
        ProgramDir dir;
        TestState ts;
        GameState& s = ts.state;
        s.settings.LogLevel = 2;
        LogWrite(s, "---- Question 1", 2, 0);
        LogWrite(s, "Multiple Choice", 1, 0);
        QCOMPARE(dir.read("zelquiz.log"), std::string("---- Question 1\r\n"));
        s.settings.LogLevel = 1;
        LogWrite(s, "Multiple Choice", 1, 0);
        LogWrite(s, "Who was A? desc", 1, 0);
        QCOMPARE(dir.read("zelquiz.log"), std::string("---- Question 1\r\nMultiple Choice\r\nWho was A? desc\r\n"));
        // Off means off.
        s.settings.LogLevel = 0;
        LogWrite(s, "anything", 2, 1);
        QCOMPARE(dir.read("zelquiz.log").find("anything"), std::string::npos);
        QVERIFY(ts.notifier.messages.empty());
        ResetLog(s);
        QVERIFY(dir.exists("zelquiz.log"));
        QCOMPARE(dir.read("zelquiz.log"), std::string());
        // An unwritable log drops the line but still echoes it.
        s.settings.LogLevel = 1;
        s.LogFileName = "no/such/dir/zelquiz.log";
        LogWrite(s, "echoed", 1, 1);
        QCOMPARE(ts.notifier.messages.back(), std::string("echoed"));
    }

    void scoreKeepsItsPercentageInFloatingPoint()
    {
        ProgramDir dir;
        TestState ts;
        GameState& s = ts.state;
        for (int i = 0; i < 5; ++i)
            AddScore(s, 5, 5, 0);
        QCOMPARE(int(s.player().Percent), 100);
        AddScore(s, 0, 5, 0);
        QCOMPARE(int(s.player().Score), 25);
        QCOMPARE(int(s.player().Possible), 30);
        QCOMPARE(int(s.player().Percent), 83);
        s.Players[0] = PlayerRecord{};
        AddScore(s, 330, 400, 1);
        QCOMPARE(int(s.player().Percent), 82);
        QCOMPARE(ts.notifier.messages.back(), std::string("Score: 330 out of 400  82%"));
        QCOMPARE(dir.read("zelquiz.log"), std::string("Score: 330 out of 400  82%\r\n"));
        s.Players[0] = PlayerRecord{};
        AddScore(s, 0, 0, 0);
        QCOMPARE(int(s.player().Percent), 0);
    }
};

QTEST_GUILESS_MAIN(TestGameDriver)
#include "test_gamedriver.moc"
