// The question types and their texts, the picker, the game driver, the quiz log and the score.
#include <QtTest>

#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "platform/twips.h"
#include "screens/mchoice.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
using Q = QuestionScreen;
// Each type's name, screen, and texts for a fixture item: its answer, its clue (empty: the answer),
// its prompt (empty: not used).
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
    {2, "Dates for event", Q::MChoice, Antietam, "September 17, 1862", "", "Which date(s) match Antietam?"},
    {3, "Who was?", Q::MChoice, Lee, "Led the Army of Northern Virginia", "", "Who was Robert E. Lee?"},
    {4, "Describe event?", Q::MChoice, Antietam, "The bloodiest single day of the war", "",
     "Describe Antietam?"},
    {5, "Event based on desc", Q::Quote, Antietam, "Antietam", "The bloodiest single day of the war",
     "Choose the event for this description"},
    {6, "What happened on?", Q::MChoice, Antietam, "The bloodiest single day of the war",
     "Antietam -- The bloodiest single day of the war", "What happened on September 17, 1862?"},
    {7, "Which battle did these commanders fight?", Q::MChoice, Antietam, "McClellan, Lee", "",
     "Which commanders fought Antietam?"},
    {8, "People by date", Q::QSort, Lee, "Robert E. Lee", " *** need L_PARAM for 8People by date", ""},
    {9, "Battles by date", Q::QSort, Antietam, "Antietam", " *** need L_PARAM for 9Battles by date", ""},
    {10, "Events by date", Q::QSort, Sumter, "Fort Sumter", " *** need L_PARAM for 10Events by date", ""},
    {11, "Match commanders and battles", Q::QMatch, Antietam, "McClellan, Lee", "",
     "Which commanders fought Antietam?"},
    {12, "Match battle and campaign", Q::QMatch, Antietam, "Maryland Campaign", "",
     "Match battle to campaign"},
    {13, "Match nicknames, sayings", Q::QMatch, Lee, "Marse Robert", "", "Match nicknames "},
    {14, "Match battles and states", Q::IMatch, Antietam, "Antietam", "Md.jpg", "Match battle and state"},
    {15, "Match portraits to names", Q::IMatch, Lee, "Robert E. Lee",
     " *** need L_PARAM for 15Match portraits to names", "Match name and portrait"},
    {16, "Name me", Q::NameMe, Lee, "Robert E. Lee", " *** need L_PARAM for 16Name me",
     "NEED Match   **** param name 16"},
};
// Items 15 to 19 beside the fixture. ItemType 5 is neither person nor event, so by the exclusion
// tests both.
const std::vector<ItemRecord> kExtra = {
    {"Odd", "n15", "o.jpg", 5, 0, 2, 1800, 1850, "July 21, 1861", "c", "d", "Odd"},
    {"Blank", " ", "", Officer, 0, 0, 1820, 0, "", "", " ", "Valley"},
    {"Early", "", " ", OtherEvent, 0, 0, 1699, 0, "", "c17", "desc17", ""},
    {"Skirmish", "", "", Battle, 0, 0, 1862, 0, "", "", "\x01", ""},
    {"Ghost", "n19", " ", OtherPerson, 0, 3, 1700, 1699, "", "", "", ""}};

// Whether a pick for the slot takes the candidate drawn first, adding 10 to its weight in slot 0
// and 1 in the others.
bool takes(GameState& s, int type, int slot, int candidate)
{
    s.CurrentQuestionType = int16_t(type);
    s.TimesUsed.assign(20, 0);
    s.rng.queue({pickOf(candidate, 19)});
    return PickItem(s, slot) == candidate && s.QuestionItems[slot] == candidate &&
           s.TimesUsed[candidate] == (slot ? 1 : 10);
}
void withExtras(GameState& s)
{
    std::vector<ItemRecord> items = fixtureItems();
    items.insert(items.end(), kExtra.begin(), kExtra.end());
    setItems(s, items);
}
}  // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void questionTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("clue");
        QTest::addColumn<QString>("prompt");
        for (const TypeRow& r : kTypes)
            QTest::newRow(r.name) << r.type << r.name << int(r.screen) << r.item << r.answer
                                  << (*r.clue ? r.clue : r.answer) << r.prompt;
    }

    void questionTypes()
    {
        QFETCH(int, type);
        QFETCH(int, item);
        QFETCH(QString, answer);
        QFETCH(QString, prompt);
        TestState ts;
        GameState& s = ts.state;
        loadFixture(s);
        s.CurrentQuestionType = int16_t(type);
        QTEST(qs(s.names.QuestionTypeNames[type]), "name");
        QTEST(int(ScreenForType(type)), "screen");
        QCOMPARE(qs(AnswerText(s, item, type)), answer);
        QCOMPARE(qs(QuestionText(s, 2, item, 1)), answer);
        QCOMPARE(qs(QuestionText(s, 2, item, 0)), qs(s.item(item).Name));
        QTEST(qs(QuestionText(s, 4, item, 0)), "clue");
        if (!prompt.isEmpty())
            QCOMPARE(qs(QuestionText(s, 5, item, 0)), prompt);
        QCOMPARE(ItemPicture(s, item), type == 14 ? "Md.jpg" : s.item(item).ImageFile);
    }

    void otherTextsAndErrors()
    {
        TestState ts;
        GameState& s = ts.state;
        loadFixture(s);
        s.CurrentQuestionType = 8;
        QCOMPARE(QuestionText(s, 1, 0, 0), "Sort People by date, earliest on top");
        QCOMPARE(QuestionText(s, 3, Grant, Lee), "Ulysses S. Grant 1822 > Robert E. Lee 1807");
        QCOMPARE(QuestionText(s, 6, Lee, 0), "");
        QCOMPARE(QuestionText(s, 0, Lee, 0), "");
        QCOMPARE(YearRange(s.item(Lee), "/"), "1807/1870");
        QCOMPARE(s.names.QuestionTypeNames[17], "");
        QCOMPARE(SortValue(s, Grant, 9), 1822);
        QCOMPARE(SortValue(s, Lee, 10), 1807);
        QCOMPARE(SortValue(s, Grant, 3), 0);
        QCOMPARE(AnswerText(s, Grant, 17), "");
        QCOMPARE(strings(ts.notifier.messages),
                 QStringList({"getsortval not defined3", "No getpstr for 17"}));
    }

    // The items of 1 to 19 each type takes: its kind, its field test, an answer text above a blank.
    void itemsEachTypeTakes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("items");
        const QList<int> people = {1, 2, 3, 4, 5, 6, 15}, events = {7, 8, 9, 10, 11, 12, 13, 14, 15};
        QTest::newRow("1 Dates for person: no year below 1700") << 1 << people;
        QTest::newRow("2 Dates for event") << 2 << events;
        QTest::newRow("3 Who was?: a blank is no description") << 3 << people;
        QTest::newRow("4 Describe event?") << 4 << events + QList<int>({17});
        QTest::newRow("5 Event based on desc") << 5 << events + QList<int>({17});
        QTest::newRow("6 What happened on?") << 6 << events;
        QTest::newRow("7 Which battle...: battles only") << 7 << QList<int>({7, 8, 9, 10, 11});
        QTest::newRow("8 People by date: Year1 from 1700") << 8 << people + QList<int>({16, 19});
        QTest::newRow("9 Battles by date") << 9 << QList<int>({7, 8, 9, 10, 11, 18});
        QTest::newRow("10 Events by date") << 10 << events + QList<int>({18});
        QTest::newRow("11 Match commanders and battles") << 11 << QList<int>({7, 8, 9, 10, 11});
        QTest::newRow("12 Match battle and campaign: not named as its battle")
            << 12 << QList<int>({7, 8, 9, 10, 11, 16});
        QTest::newRow("13 Match nicknames, sayings") << 13 << people + QList<int>({19});
        QTest::newRow("14 Match battles and states: a state") << 14 << QList<int>({7, 8, 9, 10, 11, 12, 15});
        QTest::newRow("15 Match portraits to names") << 15 << people + QList<int>({19});
        QTest::newRow("16 Name me") << 16 << people + QList<int>({19});
    }

    void itemsEachTypeTakes()
    {
        QFETCH(int, type);
        ProgramDir dir;
        TestState ts;
        withExtras(ts.state);
        writeItemPictures(dir, ts.state);
        QList<int> got;
        for (int i = 1; i <= 19; ++i)
            if (takes(ts.state, type, 0, i))
                got << i;
        QTEST(got, "items");
    }

    // Slot 1 refuses slot 0's answer text and the type's duplicate field.
    void laterSlotsRefuseDuplicates_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("first");  // in slot 0
        QTest::addColumn<int>("candidate");
        QTest::addColumn<bool>("taken");
        QTest::newRow("6: the same date") << 6 << int(BullRun) << 15 << false;
        QTest::newRow("5: a date is no duplicate here") << 5 << int(BullRun) << 15 << true;
        QTest::newRow("14: the same state") << 14 << int(BullRun) << 15 << false;
        QTest::newRow("8: the same year") << 8 << int(Sherman) << 16 << false;
        QTest::newRow("10: the same year") << 10 << int(BullRun) << int(Sumter) << false;
    }

    void laterSlotsRefuseDuplicates()
    {
        QFETCH(int, type);
        QFETCH(int, first);
        QFETCH(int, candidate);
        TestState ts;
        withExtras(ts.state);
        ts.state.QuestionItems[0] = int16_t(first);
        QTEST(takes(ts.state, type, 1, candidate), "taken");
    }

    // With Grant and Lee, who never qualifies for type 3 beside him.
    void pickerLevels_data()
    {
        QTest::addColumn<int>("weight");  // Grant's
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("first");  // in slot 0
        QTest::addColumn<int>("lees");   // how many of the candidates drawn are Lee
        QTest::addColumn<int>("draws");  // candidates drawn
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("after");  // Grant's weight
        QTest::newRow("weight 10 in slot 0: taken on the 506th candidate")
            << 10 << 0 << 0 << 0 << 506 << 1 << 20;
        QTest::newRow("weight 1 in slot 1: taken on the 102nd") << 1 << 1 << 0 << 0 << 102 << 1 << 2;
        QTest::newRow("giving up after 252,500, the slot left alone")
            << 0 << 1 << int(Grant) << 0 << 252500 << 0 << 0;
        QTest::newRow("found on the very last pass: kept") << 4998 << 0 << 0 << 252499 << 252500 << 1 << 5008;
    }

    void pickerLevels()
    {
        QFETCH(int, weight);
        QFETCH(int, slot);
        QFETCH(int, first);
        QFETCH(int, lees);
        QFETCH(int, draws);
        QFETCH(int, result);
        TestState ts;
        GameState& s = ts.state;
        setItems(s, {fixtureItems()[0], fixtureItems()[1]});
        s.CurrentQuestionType = 3;
        s.TimesUsed = {0, int16_t(weight), 32767};
        s.QuestionItems = {int16_t(first), 77, 77};
        for (int k = 0; k <= draws; ++k)  // one draw more than the pick takes
            s.rng.queue({pickOf(k < lees ? 2 : 1, 2)});
        QCOMPARE(int(PickItem(s, slot)), result);
        QCOMPARE(int(s.rng.queued()), 1);
        QTEST(int(s.TimesUsed[1]), "after");
        QCOMPARE(int(s.QuestionItems[slot]), result ? 1 : 77);
        for (int delta : {-5009, -1, 4})
            AdjustUsage(s, 1, delta);  // never below 0
        QCOMPARE(int(s.TimesUsed[1]), 4);
    }

    void games_data()
    {
        QTest::addColumn<int>("enabled");  // the types enabled: bit t for type t
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<bool>("answer");  // press the option in slot 2, else close every screen
        QTest::addColumn<int>("lastType");
        QTest::addColumn<int>("screens");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("messages");
        const int all = 0x1fffe;
        const QString none = "You scored 0 out of 0 (0%)";
        QTest::newRow("Off: nothing logged; draw 0 is type 1")
            << all << 1 << 0 << QList<double>({typeOf(0)}) << false << 1 << 1 << QStringList()
            << QStringList({none});
        QTest::newRow("draws of types not enabled are repeated; only incorrect keeps the headers")
            << (1 << 3) << 2 << 2 << QList<double>({typeOf(5), typeOf(0), typeOf(16), typeOf(3)}) << false
            << 3 << 2 << QStringList({"---- Question 1", "---- Question 2"}) << QStringList({none});
        QTest::newRow("none enabled: the message, then setup, where type 3 is enabled")
            << 0 << 1 << 1 << QList<double>() << false << 3 << 1
            << QStringList({"---- Question 1", "Multiple Choice"})
            << QStringList(
                   {"0No questions possible with current selections.  Change difficulty levels or question "
                    "types",
                    none});
        QTest::newRow("a new game starts at 0 of 0; only incorrect: a right answer logs nothing")
            << (1 << 3) << 1 << 2
            << QList<double>({typeOf(3), valueOf(2, 4), pickOf(Grant), pickOf(Lee), pickOf(Sherman),
                              pickOf(Jackson), pickOf(Barton)})
            << true << 3 << 1 << QStringList({"---- Question 1"})
            << QStringList({"You scored 5 out of 5 (100%)"});
        QTest::newRow("no questions")
            << all << 0 << 1 << QList<double>() << false << 0 << 0 << QStringList() << QStringList({none});
    }

    void games()
    {
        QFETCH(int, enabled);
        QFETCH(int, questions);
        QFETCH(int, level);
        QFETCH(QList<double>, draws);
        QFETCH(bool, answer);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        Settings& set = ts.state.settings;
        set.QuestionsPerGame = int16_t(questions), set.LogLevel = int16_t(level);
        for (int t = 0; t < 18; ++t)
            set.CategoryEnabled[t] = int16_t(-(enabled >> t & 1));
        ts.state.Players[0] = {25, 30, 83}, ts.state.CurrentPlayer = 3;  // what an earlier game left
        for (double u : draws)
            ts.state.rng.queue({u});
        const auto press = [](QWidget* w) {
            QTest::mousePress(static_cast<ChoiceScreen*>(w)->choice[2], Qt::LeftButton);
        };
        const GameRun run =
            playGame(ts, {answer ? Move(press) : Move()}, [&] { set.CategoryEnabled[3] = -1; });
        QTEST(int(ts.state.CurrentQuestionType), "lastType");
        QTEST(int(run.screens.size()), "screens");
        QTEST(strings(dir.lines("zelquiz.log")), "log");
        QTEST(strings(ts.notifier.messages), "messages");
    }

    void scoreAndLog()
    {
        ProgramDir dir;
        TestState ts;
        dir.write("zelquiz.log", "an earlier run\r\n");
        ResetLog(ts.state);
        for (int k = 0; k < 5; ++k)
            AddScore(ts.state, 5, 5, 0);
        AddScore(ts.state, 0, 5, 1);
        AddScore(ts.state, 305, 370, 1);  // 330 * 100 overflows 16 bits, but the percentage is 82
        ts.state.Players[0] = {};
        AddScore(ts.state, 0, 0, 1);
        AddScore(ts.state, 2, 3, 1);
        ts.state.settings.LogLevel = 2;
        LogWrite(ts.state, "neither written nor shown at level 2", LogLevel::Detail, 1);
        const QStringList scores = {"Score: 25 out of 30  83%", "Score: 330 out of 400  82%",
                                    "Score: 0 out of 0  0%", "Score: 2 out of 3  66%"};
        QCOMPARE(strings(dir.lines("zelquiz.log")), scores);
        QCOMPARE(strings(ts.notifier.messages), scores);
    }

    // The low bound first, then the high bound, which wins when they cross; a bound may be a text.
    void clamp()
    {
        QCOMPARE(Clamp(0, 1, 10), 1);
        QCOMPARE(Clamp(11, "1", "10"), 10);
        QCOMPARE(Clamp(2, 3, 1), 1);
        QCOMPARE(Clamp(0, "3", "1"), 1);
        QCOMPARE(Clamp(-4, "-9", "-5"), -5);
    }
};

QTEST_MAIN(TestEngine)
#include "test_engine.moc"
