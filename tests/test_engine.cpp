// The question types and their texts, the picker, the game driver, the quiz log and the score.
#include <QtTest>

#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "screens/mchoice.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
using Q = QuestionScreen;
// Each type's name, screen, and texts for a fixture item. clue nullptr: the answer; prompt nullptr: not used.
struct TypeRow {
    int type;
    const char* name;
    Q screen;
    int item;
    const char *answer, *clue, *prompt;
};
const TypeRow kTypes[] = {
    {0, "Name", Q::None, Lee, "Robert E. Lee", " *** need L_PARAM for 0Name",
     "NEED Match   **** param name 0"},
    {1, "Dates for person", Q::MChoice, Lee, "1807 - 1870", "1807 to 1870",
     "Which dates match Robert E. Lee?"},
    {2, "Dates for event", Q::MChoice, Antietam, "September 17, 1862", nullptr,
     "Which date(s) match Antietam?"},
    {3, "Who was?", Q::MChoice, Lee, "Led the Army of Northern Virginia", nullptr, "Who was Robert E. Lee?"},
    {4, "Describe event?", Q::MChoice, Antietam, "The bloodiest single day of the war", nullptr,
     "Describe Antietam?"},
    {5, "Event based on desc", Q::Quote, Antietam, "Antietam", "The bloodiest single day of the war",
     "Choose the event for this description"},
    {6, "What happened on?", Q::MChoice, Antietam, "The bloodiest single day of the war",
     "Antietam -- The bloodiest single day of the war", "What happened on September 17, 1862?"},
    {7, "Which battle did these commanders fight?", Q::MChoice, Antietam, "McClellan, Lee", nullptr,
     "Which commanders fought Antietam?"},
    {8, "People by date", Q::QSort, Lee, "Robert E. Lee", " *** need L_PARAM for 8People by date", nullptr},
    {9, "Battles by date", Q::QSort, Antietam, "Antietam", " *** need L_PARAM for 9Battles by date", nullptr},
    {10, "Events by date", Q::QSort, Sumter, "Fort Sumter", " *** need L_PARAM for 10Events by date",
     nullptr},
    {11, "Match commanders and battles", Q::QMatch, Antietam, "McClellan, Lee", nullptr,
     "Which commanders fought Antietam?"},
    {12, "Match battle and campaign", Q::QMatch, Antietam, "Maryland Campaign", nullptr,
     "Match battle to campaign"},
    {13, "Match nicknames, sayings", Q::QMatch, Lee, "Marse Robert", nullptr, "Match nicknames "},
    {14, "Match battles and states", Q::IMatch, Antietam, "Antietam", "Md.jpg", "Match battle and state"},
    {15, "Match portraits to names", Q::IMatch, Lee, "Robert E. Lee",
     " *** need L_PARAM for 15Match portraits to names", "Match name and portrait"},
    {16, "Name me", Q::NameMe, Lee, "Robert E. Lee", " *** need L_PARAM for 16Name me",
     "NEED Match   **** param name 16"},
};
// Items 15..19 beside the fixture. Name, Nickname, ImageFile, ItemType, Side, State, Year1, Year2, DateText,
// Commanders, Description, Campaign. ItemType 5 is neither person nor event, so by the exclusion tests both.
const std::vector<ItemRecord> kExtra = {
    {"Odd", "n15", "o.jpg", 5, 0, 2, 1800, 1850, "July 21, 1861", "c", "d", "Odd"},
    {"Blank", " ", "", Officer, 0, 0, 1820, 0, "", "", " ", "Valley"},
    {"Early", "", " ", OtherEvent, 0, 0, 1699, 0, "", "c17", "desc17", ""},
    {"Skirmish", "", "", Battle, 0, 0, 1862, 0, "", "", "\x01", ""},
    {"Ghost", "n19", " ", OtherPerson, 0, 3, 1700, 1699, "", "", "", ""}};
// The items of 1..19 each type 1..16 takes: kind, field test, answer text above a blank.
const std::vector<int> kFits[] = {{},
                                  {1, 2, 3, 4, 5, 6, 15},
                                  {7, 8, 9, 10, 11, 12, 13, 14, 15},
                                  {1, 2, 3, 4, 5, 6, 15},
                                  {7, 8, 9, 10, 11, 12, 13, 14, 15, 17},
                                  {7, 8, 9, 10, 11, 12, 13, 14, 15, 17},
                                  {7, 8, 9, 10, 11, 12, 13, 14, 15},
                                  {7, 8, 9, 10, 11},
                                  {1, 2, 3, 4, 5, 6, 15, 16, 19},
                                  {7, 8, 9, 10, 11, 18},
                                  {7, 8, 9, 10, 11, 12, 13, 14, 15, 18},
                                  {7, 8, 9, 10, 11},
                                  {7, 8, 9, 10, 11, 16},
                                  {1, 2, 3, 4, 5, 6, 15, 19},
                                  {7, 8, 9, 10, 11, 12, 15},
                                  {1, 2, 3, 4, 5, 6, 15, 19},
                                  {1, 2, 3, 4, 5, 6, 15, 19}};
void pressSlot2(QWidget* w)
{
    QTest::mousePress(static_cast<ChoiceScreen*>(w)->choice[2], Qt::LeftButton);
}
}  // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void questionTypesTextsAndPicker()
    {
        ProgramDir dir;
        TestState ts;
        GameState& s = ts.state;
        loadFixture(s);
        for (const TypeRow& r : kTypes) {
            s.CurrentQuestionType = int16_t(r.type);
            QVERIFY2(s.names.QuestionTypeNames[r.type] == r.name && ScreenForType(r.type) == r.screen,
                     r.name);
            QCOMPARE(AnswerText(s, r.item, r.type) + "|" + QuestionText(s, 2, r.item, 1),
                     r.answer + ("|" + std::string(r.answer)));
            QCOMPARE(QuestionText(s, 2, r.item, 0), s.item(r.item).Name);
            QCOMPARE(QuestionText(s, 4, r.item, 0), std::string(r.clue ? r.clue : r.answer));
            QCOMPARE(r.prompt ? QuestionText(s, 5, r.item, 0) : "", std::string(r.prompt ? r.prompt : ""));
            QCOMPARE(ItemPicture(s, r.item), r.type == 14 ? "Md.jpg" : s.item(r.item).ImageFile);
        }
        // Modes 1 and 3 of the sorting screen, other modes empty, the sort key, a year range, the errors.
        s.CurrentQuestionType = 8;
        QCOMPARE(
            QuestionText(s, 1, 0, 0) + QuestionText(s, 6, Lee, 0) + QuestionText(s, 0, Lee, 0) + "|" +
                QuestionText(s, 3, Grant, Lee) + "|" + YearRange(s.item(Lee), "/") +
                s.names.QuestionTypeNames[17],
            std::string("Sort People by date, earliest on top|Ulysses S. Grant 1822 > Robert E. Lee 1807|"
                        "1807/1870"));
        QCOMPARE(QList<int>({SortValue(s, Grant, 9), SortValue(s, Lee, 10), SortValue(s, Grant, 3),
                             int(AnswerText(s, Grant, 17).size())}),
                 QList<int>({1822, 1807, 0, 0}));
        QCOMPARE(ts.notifier.messages,
                 (std::vector<std::string>{"getsortval not defined3", "No getpstr for 17"}));

        std::vector<ItemRecord> items = fixtureItems();
        items.insert(items.end(), kExtra.begin(), kExtra.end());
        setItems(s, items);
        writeItemPictures(dir, s);
        // Whether a pick for the slot takes the candidate drawn first (and adds 10 in slot 0, 1 in the
        // others).
        auto takes = [&](int type, int slot, int candidate) {
            s.CurrentQuestionType = int16_t(type);
            s.TimesUsed.assign(20, 0);
            s.rng.queue({pickOf(candidate, 19)});
            return PickItem(s, slot) == candidate && s.QuestionItems[slot] == candidate &&
                   s.TimesUsed[candidate] == (slot ? 1 : 10);
        };
        for (int type = 1; type <= 16; ++type) {
            std::vector<int> got;
            for (int i = 1; i <= 19; ++i)
                if (takes(type, 0, i))
                    got.push_back(i);
            QCOMPARE(got, kFits[type]);
        }
        // Slot 1 refuses slot 0's answer text and the type's duplicate field.
        for (auto [type, first, candidate, taken] :
             std::vector<std::array<int, 4>>{{6, BullRun, 15, 0},
                                             {5, BullRun, 15, 1},
                                             {14, BullRun, 15, 0},
                                             {8, Sherman, 16, 0},
                                             {8, Sherman, Grant, 1},
                                             {9, Antietam, 18, 0},
                                             {10, BullRun, Sumter, 0},
                                             {10, BullRun, Antietam, 1},
                                             {3, Grant, Grant, 0},
                                             {13, Grant, Lee, 1}}) {
            s.QuestionItems[0] = int16_t(first);
            QVERIFY2(takes(type, 1, candidate) == bool(taken), qPrintable(QString::number(type)));
        }
        // Levels, with Grant and Lee (who never qualifies): Grant's weight, slot, item in slot 0, how many of
        // the candidates are Lee, candidates drawn, result, Grant's weight after. The last row finds Grant on
        // the very last pass (the 252,500th) and keeps him.
        setItems(s, {fixtureItems()[0], fixtureItems()[1]});
        for (auto [weight, slot, slot0, lee, draws, result, after] :
             std::vector<std::array<int, 7>>{{10, 0, 0, 0, 506, 1, 20},
                                             {1, 1, 0, 0, 102, 1, 2},
                                             {0, 1, Grant, 0, 252500, 0, 0},
                                             {4998, 0, 0, 252499, 252500, 1, 5008}}) {
            s.CurrentQuestionType = 3;
            s.TimesUsed = {0, int16_t(weight), 32767};
            s.QuestionItems = {int16_t(slot0), 77, 77};
            for (int k = 0; k <= draws; ++k)
                s.rng.queue({pickOf(k < lee ? 2 : 1, 2)});
            // One draw left over; a slot is left alone on giving up.
            QCOMPARE(
                QList<int>({PickItem(s, slot), int(s.rng.queued()), s.TimesUsed[1], s.QuestionItems[slot]}),
                QList<int>({result, 1, after, result ? 1 : 77}));
            s.rng.uniform();
        }
        for (int delta : {-5009, -1, 4})
            AdjustUsage(s, 1, delta);  // never below 0
        QCOMPARE(int(s.TimesUsed[1]), 4);
    }

    void gamesScoreLogAndClamp()
    {
        const int all = 0x1fffe;  // the types enabled: bit t for type t
        const std::string none = "You scored 0 out of 0 (0%)";
        // answer: press the option in slot 2, else close every screen; the last type shown, the screens'
        // count
        struct Row {
            int enabled, questions, logLevel;
            std::vector<double> draws;
            bool answer;
            int type, screens;
            std::vector<std::string> log, messages;
        };
        for (const Row& r : std::vector<Row>{{all, 1, 0, {typeOf(0)}, false, 1, 1, {}, {none}},
                                             {1 << 3,
                                              2,
                                              2,
                                              {typeOf(5), typeOf(0), typeOf(16), typeOf(3)},
                                              false,
                                              3,
                                              2,
                                              {"---- Question 1", "---- Question 2"},
                                              {none}},
                                             {0,
                                              1,
                                              1,
                                              {},
                                              false,
                                              3,
                                              1,
                                              {"---- Question 1", "Multiple Choice"},
                                              {"0No questions possible with current selections.  Change "
                                               "difficulty levels or question types",
                                               none}},
                                             {1 << 3,
                                              1,
                                              2,
                                              {typeOf(3), valueOf(2, 4), pickOf(Grant), pickOf(Lee),
                                               pickOf(Sherman), pickOf(Jackson), pickOf(Barton)},
                                              true,
                                              3,
                                              1,
                                              {"---- Question 1"},
                                              {"You scored 5 out of 5 (100%)"}},
                                             {all, 0, 1, {}, false, 0, 0, {}, {none}}}) {
            ProgramDir dir;
            TestState ts;
            loadFixture(ts.state);
            Settings& set = ts.state.settings;
            set.QuestionsPerGame = int16_t(r.questions), set.LogLevel = int16_t(r.logLevel);
            for (int t = 0; t < 18; ++t)
                set.CategoryEnabled[t] = int16_t(-(r.enabled >> t & 1));
            ts.state.Players[0] = {25, 30, 83}, ts.state.CurrentPlayer = 3;  // what an earlier game left
            for (double u : r.draws)
                ts.state.rng.queue({u});
            auto run =
                playGame(ts, {Move(r.answer ? pressSlot2 : nullptr)}, [&] { set.CategoryEnabled[3] = -1; });
            QCOMPARE(QList<int>({ts.state.CurrentQuestionType, int(run.screens.size())}),
                     QList<int>({r.type, r.screens}));
            QCOMPARE(dir.lines("zelquiz.log"), r.log);
            QCOMPARE(ts.notifier.messages, r.messages);
        }
        // The score, logged and shown at level 1: 330 * 100 overflows 16 bits, but the percentage is 82.
        ProgramDir dir;
        TestState ts;
        dir.write("zelquiz.log", "an earlier run\r\n");
        ResetLog(ts.state);
        for (int k = 0; k < 5; ++k)
            AddScore(ts.state, 5, 5, 0);
        for (auto [points, possible] : {std::pair{0, 5}, std::pair{305, 370}})
            AddScore(ts.state, points, possible, 1);
        ts.state.Players[0] = {};
        for (auto [points, possible] : {std::pair{0, 0}, std::pair{2, 3}})
            AddScore(ts.state, points, possible, 1);
        ts.state.settings.LogLevel = 2;
        LogWrite(ts.state, "neither written nor shown at level 2", LogLevel::Detail, 1);
        const std::vector<std::string> scores = {"Score: 25 out of 30  83%", "Score: 330 out of 400  82%",
                                                 "Score: 0 out of 0  0%", "Score: 2 out of 3  66%"};
        QVERIFY(dir.lines("zelquiz.log") == scores && ts.notifier.messages == scores);
        // Clamp: the low bound first, then the high bound, which wins when they cross; a bound may be a text.
        for (auto [value, low, high, result] : std::vector<std::array<int, 4>>{
                 {5, 1, 10, 5}, {0, 1, 10, 1}, {11, 1, 10, 10}, {2, 3, 1, 1}, {0, 3, 1, 1}, {-4, -9, -5, -5}})
            QCOMPARE(QList<int>(
                         {Clamp(value, low, high), Clamp(value, std::to_string(low), std::to_string(high))}),
                     QList<int>({result, result}));
    }
};

QTEST_MAIN(TestEngine)
#include "test_engine.moc"
