// Picking items for every question type, usage weights, and the texts of each type.
#include <QtTest>
#include <set>

#include "engine/questionbuilder.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// How many draws a call makes, measured by replaying a copy of the generator.
template <typename F>
long drawsUsed(GameState& s, F&& call)
{
    RandomGenerator before = s.rng;
    call();
    RandomGenerator probe = before;
    const double next = s.rng.uniform();
    for (long n = 0; n < 400000; ++n) {
        RandomGenerator p = probe;
        if (p.uniform() == next)
            return n;
        probe.uniform();
    }
    return -1;
}

ItemRecord battle(const std::string& name, int16_t year, int16_t state, const std::string& date)
{
    ItemRecord r = event(name, Battle, year, date, "Description of " + name);
    r.State = state;
    r.Commanders = "Commanders of " + name;
    r.Campaign = "Campaign of " + name;
    r.ImageFile = name + ".jpg";
    return r;
}

}  // namespace

class TestQuestionBuilder : public QObject {
    Q_OBJECT
private slots:
    void kindsAndFieldTests()
    {
        TestState ts;
        GameState& s = ts.state;
        ItemRecord officer = person("Officer A", 1820, 1890, "desc");
        officer.Nickname = "nick";
        officer.ImageFile = "a.jpg";
        ItemRecord other = person("Civilian B", 1810, 1880, "desc", OtherPerson);
        ItemRecord noDeath = person("No death year", 1820, 0, "desc");
        ItemRecord oldYear = person("Year 1699", 1699, 1750, "desc");
        ItemRecord b = battle("Battle C", 1862, 2, "May 1, 1862");
        ItemRecord ev = test::event("Event D", OtherEvent, 1861, "April 12, 1861", "desc");
        ev.Commanders = "someone";
        ev.State = 4;
        ItemRecord sameCampaign = battle("Same", 1863, 3, "June 1, 1863");
        sameCampaign.Campaign = "Same";
        ItemRecord blankOnly = person(" ", 1800, 1850, " ");
        setItems(s, {officer, other, noDeath, oldYear, b, ev, sameCampaign, blankOnly});

        auto fits = [&](int item, int type) { return ItemFitsType(s, item, type); };
        // People: officers and other persons; events: battles and other events.
        QVERIFY(fits(1, 1) && fits(2, 1) && !fits(5, 1));
        QVERIFY(!fits(3, 1));  // no year of death
        QVERIFY(!fits(4, 1) && !fits(4, 8));
        QVERIFY(fits(3, 8));
        QVERIFY(fits(5, 2) && fits(6, 2) && !fits(1, 2));
        // An other event is never in a battle type.
        QVERIFY(fits(5, 7) && !fits(6, 7) && !fits(6, 9) && !fits(6, 11));
        QVERIFY(fits(6, 10) && fits(5, 10));
        // Campaign equal to the name never qualifies.
        QVERIFY(fits(5, 12) && !fits(7, 12));
        QVERIFY(fits(5, 14) && fits(6, 14) && !fits(1, 14));
        QVERIFY(fits(1, 15) && !fits(2, 15) && fits(1, 16));
        QVERIFY(fits(1, 13) && fits(2, 13));
        // A field of one blank is present, an empty one is not.
        QVERIFY(fits(8, 3));
        QVERIFY(!fits(5, 3));
        ItemRecord& empty = s.item(2);
        empty.Description.clear();
        QVERIFY(!fits(2, 3));
    }

    void pickingGivesOnlyQualifyingDistinctItems()
    {
        TestState ts;
        GameState& s = ts.state;
        std::vector<ItemRecord> items;
        // Pairs that share the field of each type's extra duplicate test.
        for (int i = 0; i < 20; ++i) {
            ItemRecord b = battle("Battle " + std::to_string(i), int16_t(1861 + i / 2), int16_t(1 + i / 2),
                                  "Date " + std::to_string(i / 2));
            items.push_back(b);
            ItemRecord p = person("Person " + std::to_string(i), int16_t(1800 + i / 2), 1870,
                                  "Person description " + std::to_string(i % 10));
            p.Nickname = "Nick " + std::to_string(i % 7);
            p.ImageFile = "p" + std::to_string(i) + ".jpg";
            items.push_back(p);
        }
        setItems(s, items);
        for (int type = 1; type <= 16; ++type) {
            for (int round = 0; round < 30; ++round) {
                s.TimesUsed.assign(s.TimesUsed.size(), 0);
                s.CurrentQuestionType = int16_t(type);
                std::set<std::string> answers;
                std::set<int> years, states, dates;
                for (int slot = 0; slot < 5; ++slot) {
                    const int n = PickItem(s, slot);
                    QVERIFY2(n > 0, ("type " + std::to_string(type)).c_str());
                    QCOMPARE(int(s.QuestionItems[slot]), n);
                    QVERIFY(ItemFitsType(s, n, type));
                    QVERIFY2(answers.insert(AnswerText(s, n, type)).second, "answer repeated");
                    const ItemRecord& r = s.item(n);
                    if (type >= 8 && type <= 10)
                        QVERIFY2(years.insert(r.Year1).second, "same year in a sort question");
                    if (type == 14)
                        QVERIFY2(states.insert(r.State).second, "same state in a states question");
                    if (type == 2 || type == 6)
                        QVERIFY(dates.insert(std::hash<std::string>{}(r.DateText) & 0xffff).second);
                }
            }
        }
        QVERIFY(ts.notifier.messages.empty());
    }

    void usageWeightsDelayAnItemsReturn()
    {
        TestState ts;
        GameState& s = ts.state;
        setItems(s, {person("Only", 1800, 1850, "d")});
        s.CurrentQuestionType = 3;
        QCOMPARE(drawsUsed(s, [&] { QCOMPARE(int(PickItem(s, 0)), 1); }), 1L);
        QCOMPARE(int(s.TimesUsed[1]), 10);
        // Weight 10 is below the level only after 505 failed candidates.
        QCOMPARE(drawsUsed(s, [&] { QCOMPARE(int(PickItem(s, 0)), 1); }), 506L);
        QCOMPARE(int(s.TimesUsed[1]), 20);

        // A further slot adds 1, and weight 1 waits for 101 failures.
        s.TimesUsed[1] = 0;
        s.QuestionItems[0] = 0;
        QCOMPARE(int(PickItem(s, 1)), 1);
        QCOMPARE(int(s.TimesUsed[1]), 1);
        QCOMPARE(drawsUsed(s, [&] { PickItem(s, 1); }), 102L);
    }

    void theOnlyQualifyingItemCannotFillASecondSlot()
    {
        TestState ts;
        GameState& s = ts.state;
        setItems(s, {person("Only", 1800, 1850, "d"), battle("Not a person", 1862, 1, "x")});
        s.CurrentQuestionType = 3;
        QCOMPARE(int(PickItem(s, 0)), 1);
        s.QuestionItems[1] = 77;
        long draws = drawsUsed(s, [&] { QCOMPARE(int(PickItem(s, 1)), 0); });
        QCOMPARE(draws, 252500L);
        QCOMPARE(int(s.QuestionItems[1]), 77);  // left unchanged on giving up
    }

    void emptyTableGivesUpAtOnce()
    {
        TestState ts;
        GameState& s = ts.state;
        s.CurrentQuestionType = 1;
        QCOMPARE(drawsUsed(s, [&] { QCOMPARE(int(PickItem(s, 0)), 0); }), 0L);
    }

    void everyItemIncludingTheLastCanBeDrawn()
    {
        TestState ts;
        GameState& s = ts.state;
        setItems(s, {person("A", 1800, 1850, "a"), person("B", 1801, 1851, "b"), person("C", 1802, 1852, "c"),
                     person("D", 1803, 1853, "d"), person("E", 1804, 1854, "e")});
        s.CurrentQuestionType = 3;
        std::set<int> seen;
        for (int i = 0; i < 200; ++i) {
            s.TimesUsed.assign(6, 0);
            seen.insert(PickItem(s, 0));
        }
        QCOMPARE(seen, (std::set<int>{1, 2, 3, 4, 5}));
    }

    void adjustUsageNeverGoesNegative()
    {
        TestState ts;
        GameState& s = ts.state;
        setItems(s, {person("A", 1800, 1850, "a")});
        AdjustUsage(s, 1, -1);
        QCOMPARE(int(s.TimesUsed[1]), 0);
        AdjustUsage(s, 1, 4);
        AdjustUsage(s, 1, -1);
        QCOMPARE(int(s.TimesUsed[1]), 3);
    }

    void textsOfEachType()
    {
        TestState ts;
        GameState& s = ts.state;
        ItemRecord a = person("A", 1822, 1885, "Desc A");
        a.Nickname = "Sam";
        ItemRecord b = person("B", 1807, 1870, "Desc B");
        ItemRecord g = battle("Gettysburg", 1863, 7, "July 1-3, 1863");
        setItems(s, {a, b, g});
        s.CurrentQuestionType = 1;
        QCOMPARE(AnswerText(s, 1, 1), std::string("1822 - 1885"));
        QCOMPARE(QuestionText(s, 4, 1, 1), std::string("1822 to 1885"));
        QCOMPARE(QuestionText(s, 5, 1, 1), std::string("Which dates match A?"));
        QCOMPARE(QuestionText(s, 2, 1, 1), std::string("1822 - 1885"));
        QCOMPARE(QuestionText(s, 2, 1, 0), std::string("A"));
        s.CurrentQuestionType = 8;
        QCOMPARE(QuestionText(s, 1, 0, 0), std::string("Sort People by date, earliest on top"));
        QCOMPARE(QuestionText(s, 3, 1, 2), std::string("A 1822 > B 1807"));
        QCOMPARE(QuestionText(s, 4, 1, 0), std::string(" *** need L_PARAM for 8People by date"));
        QCOMPARE(QuestionText(s, 5, 1, 0), std::string("NEED Match   **** param name 8"));
        s.CurrentQuestionType = 6;
        QCOMPARE(QuestionText(s, 4, 3, 0), std::string("Gettysburg -- Description of Gettysburg"));
        QCOMPARE(QuestionText(s, 5, 3, 0), std::string("What happened on July 1-3, 1863?"));
        s.CurrentQuestionType = 13;
        QCOMPARE(QuestionText(s, 5, 1, 0), std::string("Match nicknames "));
        QCOMPARE(AnswerText(s, 1, 13), std::string("Sam"));
        s.CurrentQuestionType = 14;
        QCOMPARE(QuestionText(s, 4, 3, 0), std::string("Pa.jpg"));
        QCOMPARE(ItemPicture(s, 3), std::string("Pa.jpg"));
        s.CurrentQuestionType = 15;
        QCOMPARE(ItemPicture(s, 3), std::string("Gettysburg.jpg"));
        QCOMPARE(QuestionText(s, 9, 1, 0), std::string());
        QCOMPARE(YearRange(s.item(2), "/"), std::string("1807/1870"));
        QVERIFY(ts.notifier.messages.empty());

        QCOMPARE(AnswerText(s, 1, 17), std::string());
        QCOMPARE(ts.notifier.messages.back(), std::string("No getpstr for 17"));
        QCOMPARE(SortValue(s, 1, 3), 0);
        QCOMPARE(ts.notifier.messages.back(), std::string("getsortval not defined3"));
        QCOMPARE(SortValue(s, 1, 9), 1822);
    }

    void clampLetsTheHighBoundWin()
    {
        QCOMPARE(int(Clamp(5, 1, 10)), 5);
        QCOMPARE(int(Clamp(0, 1, 10)), 1);
        QCOMPARE(int(Clamp(11, 1, 10)), 10);
        QCOMPARE(int(Clamp(2, 3, 1)), 1);
        QCOMPARE(int(Clamp(7, std::string("2"), std::string("4"))), 4);
        QCOMPARE(int(Clamp(0, std::string("3"), std::string("x"))), 0);
    }
};

QTEST_GUILESS_MAIN(TestQuestionBuilder)
#include "test_questionbuilder.moc"
