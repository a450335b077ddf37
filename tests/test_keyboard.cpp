// Every question screen played with the keyboard alone, through the real driver: the answer given
// by keys scores, weighs, logs and sounds as the same answer given by the mouse does (the values
// below are the mouse's). Every control named, and screen readers following a held bar.
#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "platform/controldrag.h"
#include "platform/twips.h"
#include "screens/imatch.h"
#include "screens/qmatch.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// Keys as QKeySequence spells them ("Down", "Return", "Shift+Tab", "Esc"), typed on the focused
// control; "Enter" is the keypad's.
void keys(const QString& words)
{
    for (const QString& k : words.split(' ', Qt::SkipEmptyParts)) {
        const QKeyCombination c = QKeySequence(k)[0];
        QTest::keyClick(QApplication::focusWidget(), c.key(),
                        c.keyboardModifiers() | (k == "Enter" ? Qt::KeypadModifier : Qt::NoModifier));
    }
}

struct Fixture {
    ProgramDir dir;
    TestState ts;
};

// A matching screen of the type, loaded, shown and active, on the fixture.
template <class Form>
struct Shown : Fixture, Form {
    explicit Shown(int type) : Form(ts.state)
    {
        loadFixture(ts.state);
        ts.state.CurrentQuestionType = int16_t(type);
        Form::load();
        Form::show();
        QApplication::setActiveWindow(this);
    }
};

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void sameAnswerByKeysAsByMouse_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("draws");
        QTest::addColumn<QString>("moves");
        addGameColumns();
        QTest::newRow("multiple choice: arrows move the focus, Enter answers")
            << 3 << QList<int>{2, Grant, Lee, Sherman, Jackson, Barton} << "Down Down Return"
            << QStringList{"Results for Who was?", " Correct, +5 pts", "Current score: 5 of 5  (100%)"}
            << QStringList{"You scored 5 out of 5 (100%)"}
            << Weights{{"Grant", 10}, {"Lee", 1}, {"Sherman", 5}, {"Jackson", 1}, {"Barton", 1}}
            << QStringList{"---- Question 1", "Multiple Choice"} << QList<int>{5};
        QTest::newRow("description choice: Space, Tab and arrows do not answer, keypad Enter does")
            << 5 << QList<int>{2, Sumter, Emancipation, Assassination, BullRun, Antietam}
            << "Space Tab Shift+Tab Shift+Tab Tab Down Down Down Down Enter"
            << QStringList{"Results for Event based on desc", "Sorry, the answer was Lincoln's assassination",
                           "Current score: 0 of 5  (0%)"}
            << QStringList{"You scored 0 out of 5 (0%)"}
            << Weights{{"BullRun", 1}, {"Sumter", 10}, {"Emancipation", 1}}
            << QStringList{"---- Question 1", "Multiple Choice",
                           "Choose the event for this description Lincoln's assassination"}
            << QList<int>{8};
        QTest::newRow("sorting: Down moves the current line, Enter and Space push it up, Enter on Done")
            << 8 << QList<int>{Sherman, Lee, Davis, Jackson, Barton}
            << "Down Return Down Down Space Up Down Down Down Down Return Tab Tab Return"
            << QStringList{"Results for Sorting People by date", "*** All correct!",
                           "*** 10 of 10 correct, scored 20", "Current score: 20 of 20  (100%)"}
            << QStringList{"You scored 20 out of 20 (100%)"}
            << Weights{{"Lee", 17}, {"Sherman", 18}, {"Jackson", 1}, {"Barton", 5}, {"Davis", 13}}
            << QStringList{"---- Question 1",    "Items to sort by People by date",
                           "William T. Sherman", "Robert E. Lee",
                           "Jefferson Davis",    "Thomas J. Jackson",
                           "Clara Barton",       " *** All Correct!"}
            << QList<int>{};
        // Boxes 0-4 show the descriptions of bars 1, 2, 3, 0, 4.
        QTest::newRow("description matching: Enter picks up and drops, the marker wraps, Escape puts back")
            << 11 << QList<int>{Gettysburg, BullRun, Bentonville, Antietam, Atlanta, 1, 2, 3}
            << "Return Up Return Tab Return Down Down Return Tab Return Escape "
               "Tab Return Down Return Tab Tab Tab Return"
            << QStringList{"Results for Matching Match commanders and battles", "",
                           "First Bull Run = McDowell, Beauregard", "*** Scored 10 of 25",
                           "Current score: 10 of 25  (40%)"}
            << QStringList{"You scored 10 out of 25 (40%)"}
            << Weights{{"Antietam", 5}, {"Gettysburg", 10}, {"Atlanta", 5}, {"Bentonville", 1}}
            << QStringList{"---- Question 1", "Match commanders and battles",
                           "Gettysburg",      "First Bull Run",
                           "Bentonville",     "Antietam",
                           "Atlanta",         "First Bull Run = McDowell, Beauregard"}
            << QList<int>{2, 2, 2, 8};
        // Pictures 0-3 show bars 2, 0, 1, 3; a bar dropped on a held picture sends the other home.
        QTest::newRow("image matching: arrows in reading order, Escape puts back, a bar sent home")
            << 15 << QList<int>{Grant, Lee, Sherman, Jackson, 2, 1}
            << "Return Right Return Tab Return Down Return Tab Return Right Left Escape Tab Return Up Return "
               "Tab Tab Return"
            << QStringList{"Results for Match portraits to names",
                           "",
                           "Thomas J. Jackson placed on image of Robert E. Lee",
                           "",
                           "*** Scored 1 of 4",
                           "Current score: 5 of 20  (25%)"}
            << QStringList{"You scored 5 out of 20 (25%)"}
            << Weights{{"Grant", 14}, {"Lee", 1}, {"Sherman", 1}}
            << QStringList{"---- Question 1",
                           "Match Match portraits to names",
                           "Ulysses S. Grant",
                           "Robert E. Lee",
                           "William T. Sherman",
                           "Thomas J. Jackson",
                           "Thomas J. Jackson placed on image of Robert E. Lee"}
            << QList<int>{0, 1, 0, 1, 0, 0, 1, 8};
    }

    // One question of the type, its draws laid down, played with keys alone; every control the
    // focus can reach has a name a screen reader reads.
    void sameAnswerByKeysAsByMouse()
    {
        QFETCH(int, type);
        QFETCH(QList<int>, draws);
        QFETCH(QString, moves);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        writeItemPictures(dir, ts.state);
        ts.state.settings.QuestionsPerGame = 1;
        ts.state.rng.queue({typeOf(type)});
        // The right slot of a choice screen (the first draw), the picks, the shuffle's steps.
        const bool choice = type <= 7, matching = type >= 11;
        const int picks = type >= 14 ? 4 : 5;
        for (int i = 0; i < draws.size(); ++i)
            ts.state.rng.queue({choice && i == 0     ? valueOf(draws[i], 4)
                                : i < picks + choice ? pickOf(draws[i])
                                                     : valueOf(draws[i], type >= 14 ? 3 : 4)});
        for (int pass = int(draws.size()) - picks; matching && pass < 20; ++pass)
            ts.state.rng.queue({valueOf(0, 4)});
        QStringList unnamed;
        const GameRun run =
            playGame(ts, {[&](QWidget* w) {
                         for (QWidget* c : w->findChildren<QWidget*>())
                             if (c->focusPolicy() & Qt::TabFocus &&
                                 QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
                                 unnamed << c->objectName();
                         keys(moves);
                     }});
        compareGame(ts, run);
        QCOMPARE(unnamed, QStringList());
    }

    // The focus, and with it a screen reader, goes with the marker over the pictures, named for
    // the bar held, and back to the bar at the end.
    void screenReaderFollowsTheMarker()
    {
        Shown<IMatch> form(15);
        const QString bar = form.Btn1[0]->accessibleName(), drop = " | Drop " + bar + " here";
        QStringList heard;
        for (const char* k : {"Return", "Right", "Down", "Left", "Escape"}) {
            keys(k);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
            heard << a->text(QAccessible::Name) + " | " + a->text(QAccessible::Description);
            const QRect picture(form.Image1[3]->mapTo(&form, QPoint()), form.Image1[3]->size());
            if (QString(k) == "Down")
                QCOMPARE(form.findChild<QWidget*>("dropMarker")->geometry(), picture.adjusted(-4, -4, 4, 4));
        }
        QCOMPARE(heard,
                 QStringList({"Picture 1" + drop, "Picture 2" + drop, "Picture 4" + drop, "Picture 3" + drop,
                              bar + " | Click and drag this item to its description, below"}));
        QVERIFY(!form.findChild<QWidget*>("dropMarker")->isVisible());
    }

    // A bar held by click and click stays held through a press in another window, or on its own
    // screen while a message box is above it; the next click on a description drops it there.
    void pressesElsewhereDropNothing_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::newRow("a press in another window") << false;
        QTest::newRow("a press on the screen under a message box") << true;
    }
    void pressesElsewhereDropNothing()
    {
        QFETCH(bool, modal);
        Shown<QMatch> form(11);
        keys("Space");
        QMessageBox box(QMessageBox::NoIcon, "Bellarune Game", "Sound", QMessageBox::Ok);
        box.setModal(modal);
        box.show();
        QTest::mouseClick(modal ? static_cast<QWidget*>(form.Label2[1]) : box.findChild<QPushButton*>(),
                          Qt::LeftButton);
        QCOMPARE(form.drag()->active(), true);
        box.hide();
        QTest::mouseClick(form.Label2[2], Qt::LeftButton);
        QCOMPARE(QList<int16_t>(form.PlacedBar.begin(), form.PlacedBar.end()),
                 QList<int16_t>({-1, -1, 4, -1, -1, -1}));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
