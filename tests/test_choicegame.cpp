// A whole game of the choice and sorting types, played through the real screens the
// menu opens: every question gets its own screen, is answered, scored and closed.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <set>

#include "engine/gamedriver.h"
#include "screens/mchoice.h"
#include "screens/qsort.h"
#include "screens/questionscreens.h"
#include "screens/quote.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

void sixPeopleAndSixBattles(GameState& s)
{
    std::vector<ItemRecord> items;
    for (int i = 0; i < 6; ++i)
        items.push_back(person("Person " + std::to_string(i), int16_t(1800 + i), int16_t(1860 + i),
                               "Person description " + std::to_string(i)));
    for (int i = 0; i < 6; ++i) {
        ItemRecord b = event("Battle " + std::to_string(i), Battle, int16_t(1861 + i),
                             "May " + std::to_string(i + 1) + ", " + std::to_string(1861 + i),
                             "Battle description " + std::to_string(i));
        b.Commanders = "General " + std::to_string(i) + " vs General " + std::to_string(i + 10);
        items.push_back(b);
    }
    setItems(s, items);
}

// Gives the right answer on whichever screen opens, then closes its score window.
void answerRightOnNextScreen(GameState& s, std::vector<std::string>& screens)
{
    onNextModal([&s, &screens](QWidget* w) {
        screens.push_back(w->objectName().toStdString());
        onNextModal([](QWidget* score) {
            if (auto* sc = qobject_cast<ShowScor*>(score))
                QTest::mouseClick(sc->Command1, Qt::LeftButton);
        });
        if (auto* choice = qobject_cast<ChoiceScreen*>(w)) {
            QTest::mousePress(choice->choice[std::size_t(choice->CorrectSlot)], Qt::LeftButton);
        } else if (auto* sort = qobject_cast<QSort*>(w)) {
            for (int pass = 0; pass < 10; ++pass)
                for (int i = 1; i < 5; ++i)
                    if (s.item(s.QuestionItems[std::size_t(i - 1)]).Year1 > s.item(s.QuestionItems[std::size_t(i)]).Year1) {
                        const QRect r = sort->List1->visualItemRect(sort->List1->item(i));
                        QTest::mouseClick(sort->List1->viewport(), Qt::LeftButton, {}, r.center());
                    }
            QTest::mouseClick(sort->Command1, Qt::LeftButton);
        }
    });
}

}  // namespace

class TestChoiceGame : public QObject {
    Q_OBJECT
private slots:
    void typesOneToTenArePlayedEndToEnd()
    {
        ProgramDir dir;
        TestState ts(2024);
        GameState& s = ts.state;
        sixPeopleAndSixBattles(s);
        s.settings.CategoryEnabled.fill(0);
        for (int t = 1; t <= 10; ++t)
            s.settings.CategoryEnabled[std::size_t(t)] = -1;
        // Long enough for every type to come up.
        s.settings.QuestionsPerGame = 40;
        s.settings.LogLevel = 0;

        std::vector<int> types;
        std::vector<std::string> screens;
        GameCallbacks ui;
        ui.showScreen = [&](int type) {
            types.push_back(type);
            answerRightOnNextScreen(s, screens);
            runQuestionScreen(s, nullptr);
            QVERIFY(QApplication::activeModalWidget() == nullptr);
        };
        PlayGame(s, ui);

        QCOMPARE(types.size(), std::size_t(40));
        QCOMPARE(screens.size(), std::size_t(40));
        std::set<int> seen(types.begin(), types.end());
        QCOMPARE(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        int possible = 0;
        for (std::size_t k = 0; k < types.size(); ++k) {
            const int t = types[k];
            const std::string expected = t == 5 ? "quote" : t >= 8 ? "qsort" : "mchoice";
            QCOMPARE(screens[k], expected);
            possible += t >= 8 ? 20 : 5;
        }
        QCOMPARE(ts.notifier.messages.back(), "You scored " + std::to_string(possible) + " out of " +
                                                  std::to_string(possible) + " (100%)");
    }
};

QTEST_MAIN(TestChoiceGame)
#include "test_choicegame.moc"
