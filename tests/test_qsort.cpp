// The sorting screen: the list, push-up clicks, scoring every pair on Done, help, the
// close box and the window size kept in its own slot.
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <map>

#include "data/settings.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/qsort.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

struct ScoreSeen {
    bool shown = false;
    std::string result, title, caption;
};

// Answers the score window the screen is about to open, remembering what it showed.
void closeNextScore(ScoreSeen& seen)
{
    onNextModal([&seen](QWidget* w) {
        auto* score = qobject_cast<ShowScor*>(w);
        if (!score)
            return;
        seen.shown = true;
        seen.result = score->resultText();
        seen.title = ss(score->Label1->text());
        seen.caption = ss(score->Label2->text());
        QTest::mouseClick(score->Command1, Qt::LeftButton);
    });
}

// The years of the battles, by name, so expected texts are written out here and not
// built with the program's own text functions.
const std::map<std::string, int> kYears = {
    {"Fort Sumter", 1861}, {"Shiloh", 1862}, {"Gettysburg", 1863}, {"Atlanta", 1864}, {"Five Forks", 1865},
    {"Vicksburg", 1863}};

// Five battles of five different years, asked as "Battles by date".
void battleSetup(TestState& ts, bool withVicksburg = false)
{
    std::vector<ItemRecord> items;
    for (const char* name : {"Gettysburg", "Five Forks", "Fort Sumter", "Atlanta", "Shiloh"})
        items.push_back(event(name, Battle, int16_t(kYears.at(name)), "some day"));
    if (withVicksburg)
        items.push_back(event("Vicksburg", Battle, 1863, "July 4, 1863"));
    setItems(ts.state, items);
    ts.state.CurrentQuestionType = 9;
    ts.state.settings.LogLevel = 1;
}

int yearAt(const GameState& s, int slot)
{
    return s.item(s.QuestionItems[std::size_t(slot)]).Year1;
}
std::string nameAt(const GameState& s, int slot)
{
    return s.item(s.QuestionItems[std::size_t(slot)]).Name;
}

std::vector<std::string> listLines(const QSort& form)
{
    std::vector<std::string> lines;
    for (int r = 0; r < form.List1->count(); ++r)
        lines.push_back(ss(form.List1->item(r)->text()));
    return lines;
}
std::vector<std::string> slotNames(const GameState& s)
{
    std::vector<std::string> names;
    for (int k = 0; k < 5; ++k)
        names.push_back(nameAt(s, k));
    return names;
}

void clickLine(QSort& form, int row)
{
    const QRect r = form.List1->visualItemRect(form.List1->item(row));
    QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {}, r.center());
}

// Brings the list into order (or into reverse order) with push-up clicks only.
void sortByClicks(QSort& form, const GameState& s, bool descending = false)
{
    for (int pass = 0; pass < 10; ++pass)
        for (int i = 1; i < 5; ++i) {
            const bool outOfPlace = descending ? yearAt(s, i - 1) < yearAt(s, i) : yearAt(s, i - 1) > yearAt(s, i);
            if (outOfPlace)
                clickLine(form, i);
        }
}

std::vector<int16_t> weights(const GameState& s)
{
    return {s.TimesUsed.begin(), s.TimesUsed.end()};
}

std::string pairLine(const std::string& upper, const std::string& lower)
{
    return upper + " " + std::to_string(kYears.at(upper)) + " > " + lower + " " + std::to_string(kYears.at(lower));
}

}  // namespace

class TestQSort : public QObject {
    Q_OBJECT
private slots:
    void loadListsTheItemsAndLogsThem()
    {
        ProgramDir dir;
        TestState ts;
        battleSetup(ts);
        GameState& s = ts.state;
        QSort form(s);
        QCOMPARE(form.objectName(), QString("qsort"));
        QCOMPARE(form.windowTitle(), QString(" Sort "));
        QCOMPARE(ss(form.Label1->text()), std::string("Sort Battles by date, earliest on top"));
        QCOMPARE(ss(form.Label2->text()), std::string("Click to push an item up one slot"));
        QCOMPARE(ss(form.Command1->text()), std::string("Done"));
        QCOMPARE(ss(form.Command2->text()), std::string("Help"));
        QCOMPARE(int(form.LastSlot), 4);

        // Five different battles, listed in slot order, nothing selected.
        std::vector<std::string> names = slotNames(s);
        QCOMPARE(listLines(form), names);
        std::vector<std::string> sorted = names;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, (std::vector<std::string>{"Atlanta", "Five Forks", "Fort Sumter", "Gettysburg", "Shiloh"}));
        QVERIFY(form.List1->selectedItems().isEmpty());

        std::string log = "Items to sort by Battles by date\r\n";
        for (const auto& n : names)
            log += n + "\r\n";
        QCOMPARE(dir.read("zelquiz.log"), log);

        QCOMPARE(form.List1->geometry(), QRect(twipsToPx(120), twipsToPx(1560), twipsToPx(5175), twipsToPx(1860)));
        QCOMPARE(form.Command1->geometry(), QRect(twipsToPx(3000), twipsToPx(4680), twipsToPx(1215), twipsToPx(615)));
        QCOMPARE(form.List1->palette().color(QPalette::Base), QColor(192, 192, 192));
        QCOMPARE(form.palette().color(QPalette::Window), QColor(128, 255, 255));
    }

    void clicksPushTheClickedItemUp()
    {
        ProgramDir dir;
        TestState ts;
        battleSetup(ts);
        GameState& s = ts.state;
        QSort form(s);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const std::vector<std::string> first = slotNames(s);

        clickLine(form, 1);
        std::vector<std::string> expected = first;
        std::swap(expected[0], expected[1]);
        QCOMPARE(slotNames(s), expected);
        QCOMPARE(listLines(form), expected);
        QVERIFY(form.List1->selectedItems().isEmpty());

        // The same line again acts on the item that now stands there.
        clickLine(form, 1);
        QCOMPARE(slotNames(s), first);

        clickLine(form, 0);
        QCOMPARE(slotNames(s), first);
        QCOMPARE(listLines(form), first);

        clickLine(form, 4);
        expected = first;
        std::swap(expected[3], expected[4]);
        QCOMPARE(slotNames(s), expected);
        QCOMPARE(listLines(form), expected);
        QVERIFY(form.isVisible());
    }

    void aSortedListScoresTwentyOfTwenty()
    {
        ProgramDir dir;
        TestState ts;
        battleSetup(ts);
        GameState& s = ts.state;
        s.SoundFiles[5] = "right.wav";
        QSort form(s);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        sortByClicks(form, s);
        QCOMPARE(listLines(form),
                 (std::vector<std::string>{"Fort Sumter", "Shiloh", "Gettysburg", "Atlanta", "Five Forks"}));
        const std::string logBefore = dir.read("zelquiz.log");
        std::vector<int16_t> expected = weights(s);
        const int bonus[5] = {16, 12, 8, 4, 0};
        for (int k = 0; k < 5; ++k)
            expected[std::size_t(s.QuestionItems[std::size_t(k)])] += int16_t(bonus[k]);

        ScoreSeen seen;
        closeNextScore(seen);
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QVERIFY(seen.shown);
        QCOMPARE(seen.result, std::string("*** All correct!\r\n*** 10 of 10 correct, scored 20"));
        QCOMPARE(seen.title, std::string("Results for Sorting Battles by date"));
        QCOMPARE(seen.caption, std::string("Current score: 20 of 20  (100%)"));
        QCOMPARE(weights(s), expected);
        // The score line goes to the result only.
        QCOMPARE(dir.read("zelquiz.log"), logBefore + " *** All Correct!\r\n");
        QCOMPARE(form.List1->font().pointSizeF(), 10.0);
        QVERIFY(!form.isVisible());
        QVERIFY(ts.sound.played.empty());
    }

    void aReversedListScoresNothing()
    {
        ProgramDir dir;
        TestState ts;
        battleSetup(ts);
        GameState& s = ts.state;
        QSort form(s);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        sortByClicks(form, s, true);
        const std::vector<std::string> order{"Five Forks", "Atlanta", "Gettysburg", "Shiloh", "Fort Sumter"};
        QCOMPARE(slotNames(s), order);
        // Room above zero, so every lowering shows.
        std::fill(s.TimesUsed.begin(), s.TimesUsed.end(), int16_t(50));
        const std::string logBefore = dir.read("zelquiz.log");

        ScoreSeen seen;
        closeNextScore(seen);
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QVERIFY(seen.shown);
        std::string result = " ";
        std::string log = logBefore;
        for (int i = 0; i < 4; ++i)
            for (int j = i + 1; j < 5; ++j) {
                result += "\r\n" + pairLine(order[std::size_t(i)], order[std::size_t(j)]);
                log += pairLine(order[std::size_t(i)], order[std::size_t(j)]) + "\r\n";
            }
        result += "\r\n*** 0 of 10 correct, scored 0";
        QCOMPARE(seen.result, result);
        QVERIFY(seen.result.find("Five Forks 1865 > Fort Sumter 1861") != std::string::npos);
        QCOMPARE(dir.read("zelquiz.log"), log);
        QCOMPARE(seen.caption, std::string("Current score: 0 of 20  (0%)"));
        for (int k = 1; k <= 5; ++k)
            QCOMPARE(int(s.TimesUsed[std::size_t(k)]), 46);
        QCOMPARE(int(s.Players[0].Score), 0);
        QCOMPARE(int(s.Players[0].Possible), 20);
    }

    void equalKeysAndAPartlySortedList()
    {
        ProgramDir dir;
        TestState ts;
        battleSetup(ts, true);
        GameState& s = ts.state;
        auto index = [&](const std::string& name) {
            for (int k = 1; k <= s.table.ItemCount; ++k)
                if (s.item(k).Name == name)
                    return int16_t(k);
            return int16_t(0);
        };
        // Gettysburg and Vicksburg share 1863: in order whichever stands first.
        for (const auto& middle : {std::pair{"Gettysburg", "Vicksburg"}, std::pair{"Vicksburg", "Gettysburg"}}) {
            QSort form(s);
            s.QuestionItems = {index("Fort Sumter"), index(middle.first), index(middle.second), index("Atlanta"),
                               index("Five Forks"), 0};
            form.updatelist();
            QCOMPARE(ss(form.List1->item(1)->text()), std::string(middle.first));
            ScoreSeen seen;
            closeNextScore(seen);
            QTest::mouseClick(form.Command1, Qt::LeftButton);
            QCOMPARE(seen.result, std::string("*** All correct!\r\n*** 10 of 10 correct, scored 20"));
        }
        QCOMPARE(int(s.Players[0].Score), 40);

        // Three pairs out of order: a blank line, the three pairs as met, the count.
        QSort form(s);
        s.QuestionItems = {index("Fort Sumter"), index("Atlanta"), index("Gettysburg"), index("Shiloh"),
                           index("Five Forks"), 0};
        form.updatelist();
        ScoreSeen seen;
        closeNextScore(seen);
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QCOMPARE(seen.result, " \r\n" + pairLine("Atlanta", "Gettysburg") + "\r\n" + pairLine("Atlanta", "Shiloh") +
                                  "\r\n" + pairLine("Gettysburg", "Shiloh") + "\r\n*** 7 of 10 correct, scored 14");
        QCOMPARE(seen.caption, std::string("Current score: 54 of 60  (90%)"));
    }

    void helpAndTheCloseBoxScoreNothing()
    {
        ProgramDir dir;
        TestState ts;
        battleSetup(ts);
        GameState& s = ts.state;
        QSort form(s);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const std::string logAfterLoad = dir.read("zelquiz.log");
        const std::vector<int16_t> weightsAfterLoad = weights(s);
        QTest::mouseClick(form.Command2, Qt::LeftButton);
        QCOMPARE(ts.notifier.messages,
                 std::vector<std::string>{"Sort the items listed.  Click on a line to move that item up one level.  "
                                          "When all are in position, click 'Done'"});
        QVERIFY(form.isVisible());
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        QCOMPARE(int(s.Players[0].Possible), 0);
        QCOMPARE(dir.read("zelquiz.log"), logAfterLoad);
        QCOMPARE(weights(s), weightsAfterLoad);
    }

    void theWindowSizeLivesInSlotOne()
    {
        ProgramDir dir;
        TestState ts;
        battleSetup(ts);
        GameState& s = ts.state;
        s.settings.WindowMemory[SlotSort].Width = 9000;
        s.settings.WindowMemory[SlotSort].Height = 7200;
        const auto choiceSlot = s.settings.WindowMemory[SlotChoice];
        {
            QSort form(s);
            QCOMPARE(outerWidthTwips(&form), 9000);
            QCOMPARE(outerHeightTwips(&form), 7200);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            const int extraW = form.frameGeometry().width() - form.width();
            const int extraH = form.frameGeometry().height() - form.height();
            form.resize(twipsToPx(10500) - extraW, twipsToPx(8100) - extraH);
            QCoreApplication::processEvents();
            QCOMPARE(int(s.settings.WindowMemory[SlotSort].Width), 10500);
            QCOMPARE(int(s.settings.WindowMemory[SlotSort].Height), 8100);
            Settings onDisk;
            QVERIFY(LoadSettings("zel.INI", onDisk));
            QCOMPARE(int(onDisk.WindowMemory[SlotSort].Width), 10500);
            // Only the panel moves: centred, the controls in it keep their places.
            QVERIFY(std::abs(form.Frame1->x() - (form.width() - form.Frame1->width()) / 2) <= 1);
            QVERIFY(std::abs(form.Frame1->y() - (form.height() - form.Frame1->height()) / 2) <= 1);
            QCOMPARE(form.List1->geometry(),
                     QRect(twipsToPx(120), twipsToPx(1560), twipsToPx(5175), twipsToPx(1860)));
            form.close();
        }
        QCOMPARE(int(s.settings.WindowMemory[SlotChoice].Width), int(choiceSlot.Width));
        QCOMPARE(int(s.settings.WindowMemory[SlotChoice].Height), int(choiceSlot.Height));
        QSort again(s);
        QCOMPARE(outerWidthTwips(&again), 10500);
        QCOMPARE(outerHeightTwips(&again), 8100);
    }

    void theFirstSizeKeepsTheListInSight()
    {
        ProgramDir dir;
        TestState ts;
        battleSetup(ts);
        QSort form(ts.state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The panel is wider than the window: it is not pushed past the window's left edge.
        QVERIFY(form.Frame1->x() >= 0);
        QVERIFY(form.Frame1->y() >= 0);
        QVERIFY(form.List1->mapTo(&form, QPoint(0, 0)).x() >= 0);
    }

    void askPlaysAPeopleQuestion()
    {
        ProgramDir dir;
        TestState ts;
        setItems(ts.state, {person("Lee", 1807, 1870), person("Grant", 1822, 1885), person("Jackson", 1824, 1863),
                            person("Sherman", 1820, 1891), person("Meade", 1815, 1872)});
        ts.state.CurrentQuestionType = 8;
        ts.state.settings.LogLevel = 1;
        QString task;
        ScoreSeen seen;
        onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<QSort*>(w);
            if (!form)
                return;
            task = form->Label1->text();
            closeNextScore(seen);
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        });
        QSort::ask(ts.state, nullptr);
        QCOMPARE(task, QString("Sort People by date, earliest on top"));
        QVERIFY(seen.shown);
        QCOMPARE(seen.title, std::string("Results for Sorting People by date"));
        QCOMPARE(int(ts.state.Players[0].Possible), 20);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(TestQSort)
#include "test_qsort.moc"
