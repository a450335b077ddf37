// The rule of every answer, applied to a state without a screen: the score, the usage
// weights, the log lines, the score window's texts and the sound. The answers a screen's game
// already plays (all right on each screen, a won Name Me at difficulty 1, equal sort keys) are
// test_choice's and test_match's.
#include <QtTest>

#include "engine/scoring.h"
#include "platform/latin1text.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
using Bars = std::array<int16_t, 6>;  // per box; boxes past the rule's pairs are not read
constexpr int kWeight = 5;            // every item's usage weight before the answer

// One question: the fixture items with weight 5, the player at an earlier 10 of 15 and a
// log that takes every line (the matching ones: see below).
struct Question {
    ProgramDir dir;
    TestState ts;
    Question(int type, const QList<int>& items)
    {
        loadFixture(ts.state);
        ts.state.TimesUsed.assign(ts.state.TimesUsed.size(), kWeight);
        ts.state.CurrentQuestionType = int16_t(type);
        // The matching rows at "Only incorrect" (2): their lines are results, written there too.
        ts.state.settings.LogLevel = type >= 11 ? 2 : 1;
        std::copy(items.begin(), items.end(), ts.state.QuestionItems.begin());
        ts.state.Players[0] = PlayerRecord{10, 15, 66};
    }
};

void addOutcomeColumns()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("possible");
    QTest::addColumn<Weights>("weights");  // every weight no longer 5
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("window");  // title, then the result text's lines; empty: no window
    QTest::addColumn<int>("sound");           // -1: none
}

void checkOutcome(Question& q, const AnswerResult& result)
{
    QFETCH(int, score);
    QFETCH(int, possible);
    QFETCH(Weights, weights);
    QFETCH(QStringList, log);
    QFETCH(QStringList, window);
    QFETCH(int, sound);
    const QStringList shown =
        result.showScore ? QStringList{qs(result.title)} + qs(result.text).split("\r\n") : QStringList{};
    QCOMPARE(int(q.ts.state.Players[0].Score), score);
    QCOMPARE(int(q.ts.state.Players[0].Possible), possible);
    QCOMPARE(weightsOf(q.ts.state, kWeight), weights);
    QCOMPARE(strings(q.dir.lines("zelquiz.log")), log);
    QCOMPARE(shown, window);
    QCOMPARE(result.sound ? int(*result.sound) : -1, sound);
}

const QString kLee = "Led the Army of Northern Virginia";
}  // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    // Choice (type 3, "Who was Robert E. Lee?"), sorting (8) and matching (11 and 15).
    void answer_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("items");
        QTest::addColumn<Bars>("placed");  // the bar on each box, -1 none; choice: the slot pressed
        QTest::addColumn<Bars>("answer");  // the bar whose item each box shows; choice: the right slot
        addOutcomeColumns();
        const QList<int> people{Grant, Lee, Sherman, Jackson, Barton};
        QTest::newRow("choice wrong: 0 of 5, pressed and right item -1, prompt and answer logged, sound 8")
            << 3 << people << Bars{4} << Bars{1} << 10 << 20 << Weights{{"Lee", 4}, {"Barton", 4}}
            << QStringList{"Who was Robert E. Lee? " + kLee}
            << QStringList{"Results for Who was?", "Sorry, the answer was " + kLee} << 8;

        const QStringList out{"Ulysses S. Grant 1822 > Robert E. Lee 1807",
                              "Ulysses S. Grant 1822 > William T. Sherman 1820",
                              "Ulysses S. Grant 1822 > Clara Barton 1821"};
        const Weights outWeights{{"Grant", 6}, {"Lee", 16}, {"Sherman", 12}, {"Barton", 8}};
        QTest::newRow("sorting, three pairs out: a blank line, the pairs as met, 7 of 10 scores 14")
            << 8 << QList<int>{Grant, Lee, Sherman, Barton, Jackson} << Bars{} << Bars{} << 24 << 35
            << outWeights << out
            << QStringList{"Results for Sorting People by date", " "} + out +
                   QStringList{"*** 7 of 10 correct, scored 14"}
            << -1;

        const QList<int> battles{BullRun, Antietam, Gettysburg, Atlanta, Bentonville};
        const QString match = "Results for Matching Match commanders and battles";
        const Weights allFive{
            {"BullRun", 9}, {"Antietam", 9}, {"Gettysburg", 9}, {"Atlanta", 9}, {"Bentonville", 9}};
        QTest::newRow("descriptions, all five right: 25, the text replaced, sound 5")
            << 11 << battles << Bars{2, 0, 1, 3, 4} << Bars{2, 0, 1, 3, 4} << 35 << 40 << allFive
            << QStringList{" *** All correct!"} << QStringList{match, "*** All correct!"} << 5;
        const QStringList wrong{"First Bull Run = McDowell, Beauregard", "Antietam = McClellan, Lee"};
        const Weights threeOfFive{
            {"BullRun", 4}, {"Antietam", 4}, {"Gettysburg", 9}, {"Atlanta", 9}, {"Bentonville", 9}};
        QTest::newRow("descriptions, three right: each misplaced bar with its own description")
            << 11 << battles << Bars{0, 1, 2, 3, 4} << Bars{1, 0, 2, 3, 4} << 25 << 40 << threeOfFive << wrong
            << QStringList{match, ""} + wrong + QStringList{"*** Scored 15 of 25"} << 8;

        const QList<int> four{Grant, Lee, Sherman, Barton};
        const QString portraits = "Results for Match portraits to names";
        const QStringList onImage{"Ulysses S. Grant placed on image of Robert E. Lee",
                                  "Robert E. Lee placed on image of Ulysses S. Grant"};
        const Weights twoOfFour{{"Grant", 4}, {"Lee", 4}, {"Sherman", 9}, {"Barton", 9}};
        QTest::newRow("pictures, two right: 10 of 20 points, the line counts 2 of 4")
            << 15 << four << Bars{0, 1, 2, 3} << Bars{1, 0, 2, 3} << 20 << 35 << twoOfFour << onImage
            << QStringList{portraits, ""} + onImage + QStringList{"", "*** Scored 2 of 4"} << 8;
        QTest::newRow("pictures, three right and one bare: no line for it, two breaks, 3 of 4, sound 8")
            << 15 << four << Bars{0, 1, 2, -1} << Bars{0, 1, 2, 3} << 25 << 35
            << Weights{{"Grant", 9}, {"Lee", 9}, {"Sherman", 9}} << QStringList{}
            << QStringList{portraits, "", "", "*** Scored 3 of 4"} << 8;
    }
    void answer()
    {
        QFETCH(int, type);
        QFETCH(QList<int>, items);
        QFETCH(Bars, placed);
        QFETCH(Bars, answer);
        Question q(type, items);
        GameState& s = q.ts.state;
        const AnswerResult result =
            type == 3 ? ScoreChoice(s, placed[0], answer[0], "Who was Robert E. Lee?", kLee.toStdString())
            : type <= 10
                ? ScoreSorting(s, 4)
                : ScoreMatching(s, type == 11 ? kDescriptionMatching : kImageMatching, placed, answer);
        checkOutcome(q, result);
    }

    void nameMe_data()
    {
        QTest::addColumn<int>("maxDifficulty");
        QTest::addColumn<bool>("won");
        QTest::addColumn<int>("wrongLetters");
        QTest::addColumn<int>("tries");
        addOutcomeColumns();
        const QStringList gotIt{"Results for Name me", "You got it!"};
        QTest::newRow("difficulty 9: 4 tries; won after 2 wrong letters, 2 of 4")
            << 9 << true << 2 << 4 << 12 << 19 << Weights{} << QStringList{} << gotIt << 5;
        QTest::newRow("difficulty -32762 (hand-edited): still 26 tries, a loss 0 of 26")
            << -32762 << false << 26 << 26 << 10 << 41 << Weights{} << QStringList{} << QStringList{} << 8;
    }
    void nameMe()
    {
        QFETCH(int, maxDifficulty);
        QFETCH(bool, won);
        QFETCH(int, wrongLetters);
        QFETCH(int, tries);
        Question q(16, {Grant});
        q.ts.state.settings.MaxDifficulty = int16_t(maxDifficulty);
        QCOMPARE(int(NameMeTries(q.ts.state)), tries);
        checkOutcome(q, ScoreNameMe(q.ts.state, won, tries, wrongLetters));
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "test_scoring.moc"
