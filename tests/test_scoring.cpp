// The rule of every answer, applied to a state without a screen: the score, the usage
// weights, the log lines, the score window's texts and the sound.
#include <QtTest>

#include "engine/questionbuilder.h"
#include "engine/scoring.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
using NamedWeights = QList<QPair<QString, int>>;
constexpr int kWeight = 5;  // every item's usage weight before the answer
constexpr int kNoSound = -1;

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// One question: the fixture items with weight 5, the player at an earlier 10 of 15 and a
// log that takes every line.
struct Question {
    ProgramDir dir;
    TestState ts;
    Question(int type, const QList<int>& items)
    {
        loadFixture(ts.state);
        ts.state.TimesUsed.assign(ts.state.TimesUsed.size(), kWeight);
        ts.state.CurrentQuestionType = int16_t(type);
        for (qsizetype slot = 0; slot < items.size(); ++slot)
            ts.state.QuestionItems.at(std::size_t(slot)) = int16_t(items[slot]);
        ts.state.Players[0] = PlayerRecord{10, 15, 66};
    }
};

void addOutcomeColumns()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("possible");
    QTest::addColumn<NamedWeights>("weights");  // every weight no longer 5, in item order
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QStringList>("window");  // title, then the result text's lines; empty: no window
    QTest::addColumn<int>("sound");
}

void checkOutcome(Question& q, const AnswerResult& result)
{
    QFETCH(int, score);
    QFETCH(int, possible);
    QFETCH(NamedWeights, weights);
    QFETCH(QStringList, log);
    QFETCH(QStringList, window);
    QFETCH(int, sound);
    NamedWeights changed;
    for (int k = 1; k <= FixtureCount; ++k)
        if (q.ts.state.TimesUsed.at(std::size_t(k)) != kWeight)
            changed.append({qs(q.ts.state.item(k).Name), q.ts.state.TimesUsed.at(std::size_t(k))});
    QStringList lines;
    for (const std::string& line : q.dir.lines("zelquiz.log"))
        lines << qs(line);
    const QStringList shown =
        result.showScore ? QStringList{qs(result.title)} + qs(result.text).split("\r\n") : QStringList{};
    QCOMPARE(int(q.ts.state.Players[0].Score), score);
    QCOMPARE(int(q.ts.state.Players[0].Possible), possible);
    QCOMPARE(changed, weights);
    QCOMPARE(lines, log);
    QCOMPARE(shown, window);
    QCOMPARE(result.sound ? int(*result.sound) : kNoSound, sound);
}

const QString kLee = "Led the Army of Northern Virginia";
}  // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("items");
        QTest::addColumn<int>("picked");
        QTest::addColumn<int>("correct");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("caption");  // of the right option
        addOutcomeColumns();
        const QList<int> people{Grant, Lee, Sherman, Jackson, Barton};
        QTest::newRow("right: 5 of 5, the item +4, no log line, sound 5")
            << 3 << people << 1 << 1 << "Who was Robert E. Lee?" << kLee << 15 << 20
            << NamedWeights{{"Robert E. Lee", 9}} << QStringList{}
            << QStringList{"Results for Who was?", " Correct, +5 pts"} << 5;
        QTest::newRow("wrong: 0 of 5, pressed and right item -1, prompt and answer logged, sound 8")
            << 3 << people << 4 << 1 << "Who was Robert E. Lee?" << kLee << 10 << 20
            << NamedWeights{{"Robert E. Lee", 4}, {"Clara Barton", 4}}
            << QStringList{"Who was Robert E. Lee? " + kLee}
            << QStringList{"Results for Who was?", "Sorry, the answer was " + kLee} << 8;
        QTest::newRow("description choice, wrong: the prompt and the right name logged")
            << 5 << QList<int>{BullRun, Antietam, Gettysburg, Atlanta, Sumter} << 0 << 3
            << "Choose the event for this description"
            << "Atlanta" << 10 << 20 << NamedWeights{{"First Bull Run", 4}, {"Atlanta", 4}}
            << QStringList{"Choose the event for this description Atlanta"}
            << QStringList{"Results for Event based on desc", "Sorry, the answer was Atlanta"} << 8;
    }
    void choice()
    {
        QFETCH(int, type);
        QFETCH(QList<int>, items);
        QFETCH(int, picked);
        QFETCH(int, correct);
        QFETCH(QString, prompt);
        QFETCH(QString, caption);
        Question q(type, items);
        checkOutcome(q,
                     ScoreChoice(q.ts.state, picked, correct, prompt.toStdString(), caption.toStdString()));
    }

    void sorting_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("order");
        addOutcomeColumns();
        QTest::newRow("in order: 20 of 20, upper items +16 +12 +8 +4, no sound")
            << 8 << QList<int>{Lee, Davis, Sherman, Barton, Grant} << 30 << 35
            << NamedWeights{{"Robert E. Lee", 21},
                            {"William T. Sherman", 13},
                            {"Clara Barton", 9},
                            {"Jefferson Davis", 17}}
            << QStringList{" *** All Correct!"}
            << QStringList{"Results for Sorting People by date", "*** All correct!",
                           "*** 10 of 10 correct, scored 20"}
            << kNoSound;
        const QString grant = "Ulysses S. Grant 1822 > ";
        const QStringList out{grant + "Robert E. Lee 1807", grant + "William T. Sherman 1820",
                              grant + "Clara Barton 1821"};
        QTest::newRow("three pairs out: a blank line, the pairs as met, 7 of 10 scores 14")
            << 8 << QList<int>{Grant, Lee, Sherman, Barton, Jackson} << 24 << 35
            << NamedWeights{{"Ulysses S. Grant", 6},
                            {"Robert E. Lee", 16},
                            {"William T. Sherman", 12},
                            {"Clara Barton", 8}}
            << out
            << QStringList{"Results for Sorting People by date", " "} + out +
                   QStringList{"*** 7 of 10 correct, scored 14"}
            << kNoSound;
        QTest::newRow("equal years count as in order")
            << 10 << QList<int>{Sumter, BullRun, Antietam, Gettysburg, Atlanta} << 30 << 35
            << NamedWeights{{"First Bull Run", 17}, {"Antietam", 13}, {"Gettysburg", 9}, {"Fort Sumter", 21}}
            << QStringList{" *** All Correct!"}
            << QStringList{"Results for Sorting Events by date", "*** All correct!",
                           "*** 10 of 10 correct, scored 20"}
            << kNoSound;
    }
    void sorting()
    {
        QFETCH(int, type);
        QFETCH(QList<int>, order);
        Question q(type, order);
        checkOutcome(q, ScoreSorting(q.ts.state, 4));
    }

    void matching_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("items");
        QTest::addColumn<QList<int>>("placed");  // the bar on each box, -1 none
        QTest::addColumn<QList<int>>("answer");  // the bar whose item each box shows
        addOutcomeColumns();
        const QList<int> battles{BullRun, Antietam, Gettysburg, Atlanta, Bentonville};
        const QString match = "Results for Matching Match commanders and battles";
        QTest::newRow("descriptions, none placed: 0 of 25, the score line alone, sound 8")
            << 11 << battles << QList<int>{-1, -1, -1, -1, -1} << QList<int>{0, 1, 2, 3, 4} << 10 << 40
            << NamedWeights{} << QStringList{} << QStringList{match, "", "*** Scored 0 of 25"} << 8;
        QTest::newRow("descriptions, all five right: 25, the text replaced, sound 5")
            << 11 << battles << QList<int>{2, 0, 1, 3, 4} << QList<int>{2, 0, 1, 3, 4} << 35 << 40
            << NamedWeights{{"First Bull Run", 9},
                            {"Antietam", 9},
                            {"Gettysburg", 9},
                            {"Atlanta", 9},
                            {"Bentonville", 9}}
            << QStringList{" *** All correct!"} << QStringList{match, "*** All correct!"} << 5;
        const QStringList wrong{"First Bull Run = McDowell, Beauregard", "Antietam = McClellan, Lee"};
        QTest::newRow("descriptions, three right: each misplaced bar with its own description")
            << 11 << battles << QList<int>{0, 1, 2, 3, 4} << QList<int>{1, 0, 2, 3, 4} << 25 << 40
            << NamedWeights{{"First Bull Run", 4},
                            {"Antietam", 4},
                            {"Gettysburg", 9},
                            {"Atlanta", 9},
                            {"Bentonville", 9}}
            << wrong << QStringList{match, ""} + wrong + QStringList{"*** Scored 15 of 25"} << 8;
        const QList<int> people{Grant, Lee, Sherman, Jackson};
        const QString portraits = "Results for Match portraits to names";
        const QStringList onImage{"Ulysses S. Grant placed on image of Robert E. Lee",
                                  "Robert E. Lee placed on image of Ulysses S. Grant"};
        QTest::newRow("pictures, two right: 10 of 20 points, the line counts 2 of 4")
            << 15 << people << QList<int>{0, 1, 2, 3} << QList<int>{1, 0, 2, 3} << 20 << 35
            << NamedWeights{{"Ulysses S. Grant", 4},
                            {"Robert E. Lee", 4},
                            {"William T. Sherman", 9},
                            {"Thomas J. Jackson", 9}}
            << onImage << QStringList{portraits, ""} + onImage + QStringList{"", "*** Scored 2 of 4"} << 8;
        QTest::newRow("pictures, three right and one bare: no line for it, two breaks, 3 of 4, sound 8")
            << 15 << people << QList<int>{0, 1, 2, -1} << QList<int>{0, 1, 2, 3} << 25 << 35
            << NamedWeights{{"Ulysses S. Grant", 9}, {"Robert E. Lee", 9}, {"William T. Sherman", 9}}
            << QStringList{} << QStringList{portraits, "", "", "*** Scored 3 of 4"} << 8;
        QTest::newRow("pictures, all four right: 20, sound 5")
            << 15 << people << QList<int>{2, 0, 1, 3} << QList<int>{2, 0, 1, 3} << 30 << 35
            << NamedWeights{{"Ulysses S. Grant", 9},
                            {"Robert E. Lee", 9},
                            {"William T. Sherman", 9},
                            {"Thomas J. Jackson", 9}}
            << QStringList{" *** All correct!"} << QStringList{portraits, "*** All correct!"} << 5;
    }
    void matching()
    {
        QFETCH(int, type);
        QFETCH(QList<int>, items);
        QFETCH(QList<int>, placed);
        QFETCH(QList<int>, answer);
        Question q(type, items);
        std::array<int16_t, 6> placedBar{-1, -1, -1, -1, -1, -1}, answerBar{0, 1, 2, 3, 4, 5};
        for (qsizetype k = 0; k < placed.size(); ++k) {
            placedBar.at(std::size_t(k)) = int16_t(placed[k]);
            answerBar.at(std::size_t(k)) = int16_t(answer[k]);
        }
        const MatchingRule& rule = items.size() == 5 ? kDescriptionMatching : kImageMatching;
        checkOutcome(q, ScoreMatching(q.ts.state, rule, placedBar, answerBar));
    }

    void nameMe_data()
    {
        QTest::addColumn<int>("maxDifficulty");
        QTest::addColumn<bool>("won");
        QTest::addColumn<int>("wrongLetters");
        QTest::addColumn<int>("tries");
        addOutcomeColumns();
        const QStringList gotIt{"Results for Name me", "You got it!"};
        QTest::newRow("difficulty 1: 6 tries; won after 2 wrong letters, 4 of 6")
            << 1 << true << 2 << 6 << 14 << 21 << NamedWeights{} << QStringList{} << gotIt << 5;
        QTest::newRow("difficulty 9: 4 tries; won after 2 wrong letters, 2 of 4")
            << 9 << true << 2 << 4 << 12 << 19 << NamedWeights{} << QStringList{} << gotIt << 5;
        QTest::newRow("difficulty 2: 5 tries; lost, 0 of 5, no score window, sound 8")
            << 2 << false << 5 << 5 << 10 << 20 << NamedWeights{} << QStringList{} << QStringList{} << 8;
        QTest::newRow("difficulty -19: 26 tries, one for every letter")
            << -19 << true << 0 << 26 << 36 << 41 << NamedWeights{} << QStringList{} << gotIt << 5;
        QTest::newRow("difficulty -32762 (hand-edited): still 26 tries, a loss 0 of 26")
            << -32762 << false << 26 << 26 << 10 << 41 << NamedWeights{} << QStringList{} << QStringList{}
            << 8;
    }
    void nameMe()
    {
        QFETCH(int, maxDifficulty);
        QFETCH(bool, won);
        QFETCH(int, wrongLetters);
        QFETCH(int, tries);
        Question q(TypeNameMe, {Grant});
        q.ts.state.settings.MaxDifficulty = int16_t(maxDifficulty);
        const int maxTries = NameMeTries(q.ts.state);
        QCOMPARE(maxTries, tries);
        checkOutcome(q, ScoreNameMe(q.ts.state, won, maxTries, wrongLetters));
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "test_scoring.moc"
