// The choice and sorting screens: whole games through the real driver, and where each
// screen puts its panel and controls when the window is resized.
#include <QListWidget>
#include <QtTest>

#include "platform/windowplacement.h"
#include "screens/qsort.h"
#include "screens/quote.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// One question: its type, the right option of a choice screen (-1 for none), the items the
// picker draws in turn, and the player's moves on its screen, word by word: a control's name
// clicks it, with the right mouse button when followed by /R; a digit clicks that list line;
// after the word "keys", the words are keys typed on the focused control (see keys()).
struct Question {
    int type, right;
    QList<int> picks;
    QString moves;
};

}  // namespace

Q_DECLARE_METATYPE(QList<Question>)

class TestChoice : public QObject {
    Q_OBJECT
    // The screen the layout rows open and resize, kept from row to row, and its state.
    ProgramDir dir_;  // the window memory writes its settings file here
    TestState ts_;
    std::unique_ptr<QDialog> form_;

private slots:
    // Whole games, by the mouse at log level 2 (only incorrect answers logged), by keys alone at 1 (all),
    // with the values a mouse answer gives.
    void games_data()
    {
        QTest::addColumn<int>("items");                  // the last fixture item the game may draw
        QTest::addColumn<int>("level");                  // of the log
        QTest::addColumn<QList<Question>>("questions");  // one screen each
        addGameColumns();
        QTest::newRow("help; right answers, a second press too late; events sorted by push-up clicks")
            << int(FixtureCount) << 2
            << QList<Question>({{3, 2, {Grant, Lee, Sherman, Jackson, Barton}, "cmdhelp choice2 choice0"},
                                {10,
                                 -1,
                                 {Emancipation, Sumter, Assassination, Antietam, Atlanta},
                                 "0 1 1 1 3 2 4 Command1"}})
            << QStringList({"Results for Who was?", " Correct, +5 pts", "Current score: 5 of 5  (100%)",
                            "Results for Sorting Events by date", "*** All correct!",
                            "*** 10 of 10 correct, scored 20", "Current score: 25 of 25  (100%)"})
            << QStringList({"Click on the best description.\r\nClick on skip to move to the next question",
                            "You scored 25 out of 25 (100%)"})
            << Weights{{"Grant", 10},        {"Lee", 1},          {"Sherman", 5}, {"Jackson", 1},
                       {"Barton", 1},        {"Antietam", 13},    {"Atlanta", 5}, {"Sumter", 17},
                       {"Emancipation", 18}, {"Assassination", 1}}
            << QStringList({"---- Question 1", "---- Question 2"}) << QList<int>({5});
        QTest::newRow("a wrong answer by the right button; a skip scores nothing")
            << int(FixtureCount) << 2
            << QList<Question>({{5, 2, {Sumter, Emancipation, Assassination, BullRun, Antietam}, "choice4/R"},
                                {3, 0, {Grant, Lee, Sherman, Jackson, Barton}, "Command1"}})
            << QStringList({"Results for Event based on desc",
                            "Sorry, the answer was Lincoln's assassination", "Current score: 0 of 5  (0%)"})
            << QStringList({"You scored 0 out of 5 (0%)"})
            << Weights{{"Grant", 10}, {"Lee", 1},     {"Sherman", 1}, {"Jackson", 1},
                       {"Barton", 1}, {"BullRun", 1}, {"Sumter", 10}, {"Emancipation", 1}}
            << QStringList({"---- Question 1", "---- Question 2"}) << QList<int>({8});
        // Two people only: slots 2 to 4 stand for item 0, whose keys are equal and count as in order.
        QTest::newRow("help; equal sort keys count as in order")
            << int(Lee) << 2 << QList<Question>({{8, -1, {Grant, Lee}, "Command2 1 Command1"}})
            << QStringList({"Results for Sorting People by date", " ", "Robert E. Lee 1807 >  0",
                            "Robert E. Lee 1807 >  0", "Robert E. Lee 1807 >  0",
                            "Ulysses S. Grant 1822 >  0", "Ulysses S. Grant 1822 >  0",
                            "Ulysses S. Grant 1822 >  0", "*** 4 of 10 correct, scored 8",
                            "Current score: 8 of 20  (40%)"})
            << QStringList({"Sort the items listed.  Click on a line to move that item up one level.  When "
                            "all are in position, click 'Done'",
                            "You scored 8 out of 20 (40%)"})
            << Weights{{"Grant", 7}, {"Lee", 2}} << QStringList({"---- Question 1"}) << QList<int>({});
        QTest::newRow("keys: arrows move the focus, Enter answers")
            << int(FixtureCount) << 1
            << QList<Question>({{3, 2, {Grant, Lee, Sherman, Jackson, Barton}, "keys Down Down Return"}})
            << QStringList{"Results for Who was?", " Correct, +5 pts", "Current score: 5 of 5  (100%)"}
            << QStringList{"You scored 5 out of 5 (100%)"}
            << Weights{{"Grant", 10}, {"Lee", 1}, {"Sherman", 5}, {"Jackson", 1}, {"Barton", 1}}
            << QStringList{"---- Question 1", "Multiple Choice"} << QList<int>{5};
        QTest::newRow("keys: Space, Tab and arrows do not answer, keypad Enter does")
            << int(FixtureCount) << 1
            << QList<Question>({{5,
                                 2,
                                 {Sumter, Emancipation, Assassination, BullRun, Antietam},
                                 "keys Space Tab Shift+Tab Shift+Tab Tab Down Down Down Down Enter"}})
            << QStringList{"Results for Event based on desc", "Sorry, the answer was Lincoln's assassination",
                           "Current score: 0 of 5  (0%)"}
            << QStringList{"You scored 0 out of 5 (0%)"}
            << Weights{{"BullRun", 1}, {"Sumter", 10}, {"Emancipation", 1}}
            << QStringList{"---- Question 1", "Multiple Choice",
                           "Choose the event for this description Lincoln's assassination"}
            << QList<int>{8};
        QTest::newRow("keys: Down moves the current line, Enter and Space push it up, Enter on Done")
            << int(FixtureCount) << 1
            << QList<Question>(
                   {{8,
                     -1,
                     {Sherman, Lee, Davis, Jackson, Barton},
                     "keys Down Return Down Down Space Up Down Down Down Down Return Tab Tab Return"}})
            << QStringList{"Results for Sorting People by date", "*** All correct!",
                           "*** 10 of 10 correct, scored 20", "Current score: 20 of 20  (100%)"}
            << QStringList{"You scored 20 out of 20 (100%)"}
            << Weights{{"Lee", 17}, {"Sherman", 18}, {"Jackson", 1}, {"Barton", 5}, {"Davis", 13}}
            << QStringList{"---- Question 1",    "Items to sort by People by date",
                           "William T. Sherman", "Robert E. Lee",
                           "Jefferson Davis",    "Thomas J. Jackson",
                           "Clara Barton",       " *** All Correct!"}
            << QList<int>{};
    }

    void games()
    {
        QFETCH(int, items);
        QFETCH(int, level);
        QFETCH(QList<Question>, questions);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.table.ItemCount = int16_t(items);
        ts.state.settings.LogLevel = int16_t(level);
        ts.state.settings.QuestionsPerGame = int16_t(questions.size());
        std::vector<Move> moves;
        for (const Question& q : questions) {
            ts.state.rng.queue({typeOf(q.type)});
            if (q.right >= 0)
                ts.state.rng.queue({valueOf(q.right, 4)});
            for (int item : q.picks)
                ts.state.rng.queue({pickOf(item, items)});
            moves.push_back([words = q.moves](QWidget* w) {
                if (words.startsWith("keys "))
                    return keys(words.mid(5));
                for (const QString& word : words.split(' '))
                    if (auto* c = w->findChild<QWidget*>(word.section('/', 0, 0))) {
                        QTest::mouseClick(c, word.endsWith("/R") ? Qt::RightButton : Qt::LeftButton);
                    } else {
                        auto* l = w->findChild<QListWidget*>();
                        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                                          l->visualItemRect(l->item(word.toInt())).center());
                    }
            });
        }
        compareGame(ts, playGame(ts, moves));
    }

    // Frameless, so the outer size is the inner one (the frame is the window memory's concern).
    // 15 twips a pixel; the offscreen screen is 800 x 800 pixels.
    void layoutOnResize_data()
    {
        QTest::addColumn<int>("open");     // the question type whose screen opens (-1 the score window), or 0
        QTest::addColumn<QSize>("outer");  // in twips: the size it opens at, else the size it is given
        QTest::addColumn<QSize>("saved");  // the window memory of choice screens, or of sorting
        QTest::addColumn<QRect>("panel");  // in pixels
        QTest::addColumn<QRect>("content");  // the first option, the list, or the score window's text box
        QTest::newRow("multiple choice at its design size")
            << 3 << QSize(8625, 6975) << QSize(8625, 6975) << QRect(2, 1, 570, 462) << QRect(9, 48, 543, 65);
        QTest::newRow("from 3080 the whole layout, saved, then centred")
            << 0 << QSize(3090, 4500) << QSize(3090, 4500) << QRect(2, 1, 201, 297) << QRect(9, 48, 174, 65);
        QTest::newRow("description: the shared slot") << 5 << QSize(3090, 4500) << QSize(3090, 4500)
                                                      << QRect(2, 1, 201, 297) << QRect(122, 176, 60, 41);
        QTest::newRow("from 3000 all") << 0 << QSize(3000, 4500) << QSize(3000, 4500) << QRect(2, 1, 195, 297)
                                       << QRect(119, 176, 57, 41);
        QTest::newRow("sorting: own slot, panel at 0") << 8 << QSize(5835, 5805) << QSize(5835, 5805)
                                                       << QRect(0, 9, 473, 369) << QRect(8, 104, 345, 124);
        QTest::newRow("sorting: any size saved") << 0 << QSize(9000, 3000) << QSize(9000, 3000)
                                                 << QRect(63, 0, 473, 369) << QRect(8, 104, 345, 124);
        // The description screen opens at the size of the slot it shares with multiple choice; sorting has
        // its own slot, is saved at any size, its panel centred but never above or left of 0. The score
        // window: its frame 100 smaller than the window, its text box 400 narrower than the frame from 3000
        // on (under 3000 it keeps its width); never remembered.
        QTest::newRow("score window") << -1 << QSize(7455, 5175) << QSize(3000, 4500) << QRect(8, 8, 490, 338)
                                      << QRect(15, 72, 463, 177);
        QTest::newRow("score window under 3000") << 0 << QSize(2985, 4500) << QSize(3000, 4500)
                                                 << QRect(8, 8, 192, 293) << QRect(15, 72, 463, 177);
    }

    void layoutOnResize()
    {
        QFETCH(int, open);
        QFETCH(QSize, outer);
        if (open) {
            loadFixture(ts_.state);
            ts_.state.CurrentQuestionType = int16_t(open);
            form_.reset(open == -1  ? static_cast<QDialog*>(new ShowScor(ts_.state))
                        : open == 8 ? static_cast<QDialog*>(new QSort(ts_.state))
                        : open == 5 ? static_cast<ChoiceScreen*>(new Quote(ts_.state))
                                    : new MChoice(ts_.state));
            form_->setWindowFlag(Qt::FramelessWindowHint);
            form_->show();
        } else {
            setOuterSizeTwips(form_.get(), outer.width(), outer.height());
        }
        const bool sorting = form_->findChild<QListWidget*>();
        const char* content = sorting ? "List1" : form_->findChild<QWidget*>("choice0") ? "choice0" : "Text1";
        const WindowMemoryRecord& memory = ts_.state.settings.WindowMemory[sorting ? 1 : 0];
        QCOMPARE(QSize(outerWidthTwips(form_.get()), outerHeightTwips(form_.get())), outer);
        QTEST(QSize(memory.Width, memory.Height), "saved");
        QTEST(form_->findChild<QWidget*>("Frame1")->geometry(), "panel");  // in pixels
        QTEST(form_->findChild<QWidget*>(content)->geometry(), "content");
    }
};

QTEST_MAIN(TestChoice)
#include "test_choice.moc"
