// The choice and sorting screens, played as one-question games through the real driver.
#include <QtTest>

#include "screens/mchoice.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// A press on option k, with the given mouse button.
Move press(int k, Qt::MouseButton button = Qt::LeftButton)
{
    return [k, button](QWidget* w) {
        QTest::mousePress(static_cast<ChoiceScreen*>(w)->choice[std::size_t(k)], button);
    };
}

}  // namespace

class TestChoice : public QObject {
    Q_OBJECT
private slots:
    void multipleChoiceGames()
    {
        struct Row {
            const char* what;
            int type, right;          // question type, drawn right slot
            std::vector<int> picks;   // items drawn into slots 0..4
            Move move;
            std::vector<ScoreShown> scores;
            std::string final;
            std::vector<int16_t> weights;  // TimesUsed 1..14 afterwards
            std::vector<std::string> log;
            std::string sounds;
        };
        const std::vector<Row> rows = {
            {"right answer", 3, 2, {Grant, Lee, Sherman, Jackson, Barton}, press(2),
             {{"Results for Who was?", " Correct, +5 pts", "Current score: 5 of 5  (100%)"}},
             "You scored 5 out of 5 (100%)",
             {10, 1, 5, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             {"---- Question 1", "Multiple Choice"}, "5"},
            {"wrong answer, right mouse button", 1, 0, {Davis, Barton, Jackson, Sherman, Lee}, press(4, Qt::RightButton),
             {{"Results for Dates for person", "Sorry, the answer was 1808 to 1889", "Current score: 0 of 5  (0%)"}},
             "You scored 0 out of 5 (0%)",
             {0, 0, 1, 1, 1, 9, 0, 0, 0, 0, 0, 0, 0, 0},
             {"---- Question 1", "Multiple Choice", "Which dates match Jefferson Davis? 1808 to 1889"}, "8"},
        };
        for (const Row& r : rows) {
            ProgramDir dir;
            TestState ts;
            loadFixture(ts.state);
            ts.state.settings.QuestionsPerGame = 1;
            ts.state.settings.CategoryEnabled.fill(0);
            ts.state.settings.CategoryEnabled[std::size_t(r.type)] = -1;
            ts.state.rng.queue({typeOf(r.type), valueOf(r.right, 4)});
            for (int item : r.picks)
                ts.state.rng.queue({pickOf(item)});
            const GameRun run = playGame(ts, {r.move});
            QVERIFY2(run.scores == r.scores, r.what);
            QCOMPARE(ts.notifier.messages.back(), r.final);
            QCOMPARE(std::vector<int16_t>(ts.state.TimesUsed.begin() + 1, ts.state.TimesUsed.end()), r.weights);
            QCOMPARE(dir.lines("zelquiz.log"), r.log);
            QCOMPARE(ts.sound.sounds(), r.sounds);
        }
    }
};

QTEST_MAIN(TestChoice)
#include "test_choice.moc"
