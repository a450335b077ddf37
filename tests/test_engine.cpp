// The question types and their texts, the picker, the game driver, the quiz log and the score.
#include <QtTest>

#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "platform/twips.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
// Each type's name and texts for a fixture item: its answer, its clue (empty: the answer),
// its prompt.
struct TypeRow {
    int type;
    const char* name;
    int item;
    const char *answer, *clue, *prompt;
};
const TypeRow kTypes[] = {
    {1, "Dates for person", Lee, "1807 - 1870", "1807 to 1870", "Which dates match Robert E. Lee?"},
    {2, "Dates for event", Antietam, "September 17, 1862", "", "Which date(s) match Antietam?"},
    {4, "Describe event?", Antietam, "The bloodiest single day of the war", "", "Describe Antietam?"},
    {5, "Event based on desc", Antietam, "Antietam", "The bloodiest single day of the war",
     "Choose the event for this description"},
    {6, "What happened on?", Antietam, "The bloodiest single day of the war",
     "Antietam -- The bloodiest single day of the war", "What happened on September 17, 1862?"},
    {7, "Which battle did these commanders fight?", Antietam, "McClellan, Lee", "",
     "Which commanders fought Antietam?"},
    {12, "Match battle and campaign", Antietam, "Maryland Campaign", "", "Match battle to campaign"},
    {13, "Match nicknames, sayings", Lee, "Marse Robert", "", "Match nicknames "},
    {14, "Match battles and states", Antietam, "Antietam", "Md.jpg", "Match battle and state"},
};
// Items 15 to 19 beside the fixture. ItemType 5 is neither person nor event, so by the exclusion
// tests both.
const std::vector<ItemRecord> kExtra = {
    {"Odd", "n15", "o.jpg", 5, 0, 2, 1800, 1850, "July 21, 1861", "c", "d", "Odd"},
    {"Blank", " ", "", Officer, 0, 0, 1820, 0, "", "", " ", "Valley"},
    {"Early", "", " ", OtherEvent, 0, 0, 1699, 0, "", "c17", "desc17", ""},
    {"Skirmish", "", "", Battle, 0, 0, 1862, 0, "", "", "\x01", ""},
    {"Ghost", "n19", " ", OtherPerson, 0, 3, 1700, 1699, "", "", "", ""}};
}  // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void questionTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("clue");
        QTest::addColumn<QString>("prompt");
        for (const TypeRow& r : kTypes)
            QTest::newRow(r.name) << r.type << r.name << r.item << r.answer << (*r.clue ? r.clue : r.answer)
                                  << r.prompt;
    }

    void questionTypes()
    {
        QFETCH(int, type);
        QFETCH(int, item);
        QFETCH(QString, answer);
        TestState ts;
        GameState& s = ts.state;
        loadFixture(s);
        s.CurrentQuestionType = int16_t(type);
        QTEST(qs(s.names.QuestionTypeNames[type]), "name");
        QCOMPARE(qs(AnswerText(s, item, type)), answer);
        QTEST(qs(QuestionText(s, 4, item, 0)), "clue");
        QTEST(qs(QuestionText(s, 5, item, 0)), "prompt");
        QCOMPARE(ItemPicture(s, item), type == 14 ? "Md.jpg" : s.item(item).ImageFile);
    }

    // The items of 1 to 19 a pick takes for each type: its kind, its field test, an answer text above
    // a blank; in slot 1, not slot 0's answer text nor the type's duplicate field.
    void itemsEachTypeTakes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("first");  // in slot 0, the pick for slot 1; 0: the pick for slot 0
        QTest::addColumn<QList<int>>("items");
        const QList<int> people = {1, 2, 3, 4, 5, 6, 15}, events = {7, 8, 9, 10, 11, 12, 13, 14, 15};
        QTest::newRow("1 Dates for person: both years from 1700") << 1 << 0 << people;
        QTest::newRow("2 Dates for event") << 2 << 0 << events;
        QTest::newRow("3 Who was?: a blank is no description") << 3 << 0 << people;
        QTest::newRow("4 Describe event?") << 4 << 0 << events + QList<int>({17});
        QTest::newRow("5 after Bull Run: a date is no duplicate here")
            << 5 << int(BullRun) << QList<int>({8, 9, 10, 11, 12, 13, 14, 15, 17});
        QTest::newRow("6 after Bull Run: not the same date")
            << 6 << int(BullRun) << QList<int>({8, 9, 10, 11, 12, 13, 14});
        QTest::newRow("7 Which battle...: battles only") << 7 << 0 << QList<int>({7, 8, 9, 10, 11});
        QTest::newRow("8 after Sherman: Year1 from 1700, not the same year")
            << 8 << int(Sherman) << QList<int>({1, 2, 4, 5, 6, 15, 19});
        QTest::newRow("9 Battles by date") << 9 << 0 << QList<int>({7, 8, 9, 10, 11, 18});
        QTest::newRow("10 Events by date") << 10 << 0 << events + QList<int>({18});
        QTest::newRow("12 Match battle and campaign: not named as its battle")
            << 12 << 0 << QList<int>({7, 8, 9, 10, 11, 16});
        QTest::newRow("13 Match nicknames, sayings") << 13 << 0 << people + QList<int>({19});
        QTest::newRow("14 after Bull Run: a state, not the same one")
            << 14 << int(BullRun) << QList<int>({8, 9, 10, 11, 12});
    }

    void itemsEachTypeTakes()
    {
        QFETCH(int, type);
        QFETCH(int, first);
        TestState ts;
        GameState& s = ts.state;
        std::vector<ItemRecord> items = fixtureItems();
        items.insert(items.end(), kExtra.begin(), kExtra.end());
        setItems(s, items);
        s.CurrentQuestionType = int16_t(type);
        s.QuestionItems[0] = int16_t(first);
        const int slot = first ? 1 : 0;
        QList<int> got;
        for (int i = 1; i <= 19; ++i) {
            s.TimesUsed.assign(20, 0);
            s.rng.queue({pickOf(i, 19)});
            // Taken: in the slot, with 10 added to its weight in slot 0 and 1 in the others.
            if (PickItem(s, slot) == i && s.QuestionItems[slot] == i && s.TimesUsed[i] == (slot ? 1 : 10))
                got << i;
        }
        QTEST(got, "items");
    }

    // With Grant and Lee, whose weight keeps him out.
    void pickerLevels_data()
    {
        QTest::addColumn<int>("weight");  // Grant's
        QTest::addColumn<int>("lees");    // how many of the candidates drawn are Lee
        QTest::addColumn<int>("draws");   // candidates drawn
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("after");  // Grant's weight
        QTest::newRow("weight 1: taken on the 102nd, at level 3") << 1 << 0 << 102 << 1 << 11;
        QTest::newRow("giving up after 252,500, the slot left alone") << 32767 << 0 << 252500 << 0 << 32767;
        QTest::newRow("found on the very last pass: kept") << 4998 << 252499 << 252500 << 1 << 5008;
    }

    void pickerLevels()
    {
        QFETCH(int, weight);
        QFETCH(int, lees);
        QFETCH(int, draws);
        QFETCH(int, result);
        TestState ts;
        GameState& s = ts.state;
        setItems(s, {fixtureItems()[0], fixtureItems()[1]});
        s.CurrentQuestionType = 3;
        s.TimesUsed = {0, int16_t(weight), 32767};
        s.QuestionItems = {77, 77, 77};
        for (int k = 0; k <= draws; ++k)  // one draw more than the pick takes
            s.rng.queue({pickOf(k < lees ? 2 : 1, 2)});
        QCOMPARE(int(PickItem(s, 0)), result);
        QCOMPARE(int(s.rng.queued()), 1);
        QTEST(int(s.TimesUsed[1]), "after");
        QCOMPARE(int(s.QuestionItems[0]), result ? 1 : 77);
        for (int delta : {-32767, -1, 4})
            AdjustUsage(s, 1, delta);  // never below 0
        QCOMPARE(int(s.TimesUsed[1]), 4);
    }

    // Nothing enabled: the message, then setup, where type 3 is enabled; a draw of a type not enabled
    // is drawn again. The game starts at 0 of 0; at log level 2 only the question headers are logged.
    void game()
    {
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        Settings& set = ts.state.settings;
        set.QuestionsPerGame = 1;
        set.LogLevel = 2;
        set.CategoryEnabled.fill(0);
        ts.state.Players[0] = {25, 30, 83};  // what an earlier game left
        ts.state.rng.queue({typeOf(3), typeOf(5), typeOf(3)});
        playGame(ts, {Move()}, [&] { set.CategoryEnabled[3] = -1; });
        QCOMPARE(int(ts.state.CurrentQuestionType), 3);
        QCOMPARE(strings(dir.lines("zelquiz.log")), QStringList({"---- Question 1"}));
        QCOMPARE(strings(ts.notifier.messages),
                 QStringList({"0No questions possible with current selections.  Change difficulty levels or "
                              "question types",
                              "You scored 0 out of 0 (0%)"}));
    }

    void scoreAndLog()
    {
        ProgramDir dir;
        TestState ts;
        dir.write("zelquiz.log", "an earlier run\r\n");
        ResetLog(ts.state);
        AddScore(ts.state, 0, 0, 1);
        AddScore(ts.state, 25, 25, 0);
        AddScore(ts.state, 0, 5, 1);
        AddScore(ts.state, 305, 370, 1);            // 330 * 100 overflows 16 bits; 82.5% is cut to 82
        ts.state.LogFileName = "gone/zelquiz.log";  // a log that cannot be written loses its lines quietly
        LogWrite(ts.state, "lost", LogLevel::Result, 0);
        ts.state.LogFileName = "zelquiz.log";
        ts.state.settings.LogLevel = 0;
        LogWrite(ts.state, "neither written nor shown when the log is off", LogLevel::Result, 1);
        const QStringList scores = {"Score: 0 out of 0  0%", "Score: 25 out of 30  83%",
                                    "Score: 330 out of 400  82%"};
        QCOMPARE(strings(dir.lines("zelquiz.log")), scores);
        QCOMPARE(strings(ts.notifier.messages), scores);
    }
};

QTEST_MAIN(TestEngine)
#include "test_engine.moc"
