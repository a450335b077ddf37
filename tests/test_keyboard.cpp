// Every screen played with the keyboard alone, through the real driver: the same answer given by
// keys and by the mouse scores, weighs, logs and sounds alike. The forms' tab order, default
// buttons and accessible names, and screen readers following a held bar.
#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "app/mainmenu.h"
#include "maint/setup.h"
#include "maint/zeledit.h"
#include "platform/controldrag.h"
#include "platform/focusring.h"
#include "platform/twips.h"
#include "screens/imatch.h"
#include "screens/qmatch.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

using NamedWeights = QList<QPair<QString, int>>;
Q_DECLARE_METATYPE(NamedWeights)

namespace {

QWidget* focused()
{
    QWidget* w = QApplication::focusWidget();
    return w ? w : QApplication::activeModalWidget()->focusWidget();
}

// Keys as QKeySequence spells them ("Down", "Return", "Shift+Tab", "Esc"), typed on the focused
// control; "Enter" is the keypad's.
void keys(const QString& words)
{
    for (const QString& k : words.split(' ', Qt::SkipEmptyParts)) {
        const QKeyCombination c = QKeySequence(k)[0];
        QTest::keyClick(focused(), c.key(),
                        c.keyboardModifiers() | (k == "Enter" ? Qt::KeypadModifier : Qt::NoModifier));
    }
}

// The mouse: a control's name clicks it, a>b drags a onto b with the button held, sN clicks line N.
void mouse(QWidget* w, const QString& words)
{
    for (const QString& word : words.split(' ', Qt::SkipEmptyParts)) {
        auto* a = w->findChild<QWidget*>(word.section('>', 0, 0));
        if (word.contains('>')) {
            const QPoint to =
                a->mapFromGlobal(w->findChild<QWidget*>(word.section('>', 1))->mapToGlobal(QPoint(8, 8)));
            QTest::mousePress(a, Qt::LeftButton), QTest::mouseMove(a, to),
                QTest::mouseRelease(a, Qt::LeftButton, {}, to);
        } else if (auto* l = a ? nullptr : w->findChild<QListWidget*>()) {
            const QRect line = l->visualItemRect(l->item(word.mid(1).toInt()));
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, line.center());
        } else {
            QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(8, 8));
        }
    }
}

struct MouseCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        presses += e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease;
        return false;
    }
};

struct Played {
    QStringList score, log;
    NamedWeights weights;
    QString sounds;
    int mousePresses = 0;
};

// One question of the type, its draws laid down, played with keys or with the mouse.
Played play(int type, const QList<int>& draws, bool byKeys, const QString& moves)
{
    ProgramDir dir;
    for (const ItemRecord& r : fixtureItems())
        if (!r.ImageFile.empty())
            dir.writePicture(qs(r.ImageFile));
    TestState ts;
    loadFixture(ts.state);
    Settings& s = ts.state.settings;
    s.QuestionsPerGame = 1, s.CategoryEnabled = {}, s.CategoryEnabled[type] = -1;
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
    MouseCounter counter;
    qApp->installEventFilter(&counter);
    const GameRun run = playGame(ts, {[&](QWidget* w) { byKeys ? keys(moves) : mouse(w, moves); }});
    qApp->removeEventFilter(&counter);
    Played p;
    for (const ScoreShown& sc : run.scores)
        p.score << qs(sc.title) << qs(sc.result) << qs(sc.score);
    for (const std::string& line : dir.lines("zelquiz.log"))
        p.log << qs(line);
    for (int i = 1; i <= FixtureCount; ++i)
        if (ts.state.TimesUsed[std::size_t(i)])
            p.weights << qMakePair(qs(ts.state.item(i).Name), int(ts.state.TimesUsed[std::size_t(i)]));
    p.sounds = qs(ts.sound.sounds());
    p.mousePresses = counter.presses;
    return p;
}

const QString kHead = "---- Question 1";

// A matching screen of the type, loaded, shown and active, on the fixture.
template <class Form>
struct Shown {
    explicit Shown(int type)
    {
        loadFixture(ts.state);
        ts.state.CurrentQuestionType = int16_t(type);
        form.load();
        form.show();
        QApplication::setActiveWindow(&form);
    }
    ProgramDir dir;
    TestState ts;
    Form form{ts.state};
};

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void sameAnswerByKeysAndMouse_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("draws");
        QTest::addColumn<QString>("byKeys");
        QTest::addColumn<QString>("byMouse");
        QTest::addColumn<QStringList>("score");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<NamedWeights>("weights");
        QTest::addColumn<QString>("sounds");
        QTest::newRow("multiple choice: arrows move the focus, Enter answers")
            << 3 << QList<int>{2, Grant, Lee, Sherman, Jackson, Barton} << "Down Down Return"
            << "choice2"
            << QStringList{"Results for Who was?", " Correct, +5 pts", "Current score: 5 of 5  (100%)"}
            << QStringList{kHead, "Multiple Choice"}
            << NamedWeights{{"Ulysses S. Grant", 10},
                            {"Robert E. Lee", 1},
                            {"William T. Sherman", 5},
                            {"Thomas J. Jackson", 1},
                            {"Clara Barton", 1}}
            << "5";
        QTest::newRow("description choice: Space, Tab and arrows do not answer, keypad Enter does")
            << 5 << QList<int>{2, Sumter, Emancipation, Assassination, BullRun, Antietam}
            << "Space Tab Shift+Tab Shift+Tab Tab Down Down Down Down Enter"
            << "choice4"
            << QStringList{"Results for Event based on desc", "Sorry, the answer was Lincoln's assassination",
                           "Current score: 0 of 5  (0%)"}
            << QStringList{kHead, "Multiple Choice",
                           "Choose the event for this description Lincoln's assassination"}
            << NamedWeights{{"First Bull Run", 1}, {"Fort Sumter", 10}, {"Emancipation Proclamation", 1}}
            << "8";
        QTest::newRow("sorting: Down moves the current line, Enter and Space push it up, Enter on Done")
            << 8 << QList<int>{Sherman, Lee, Davis, Jackson, Barton}
            << "Down Return Down Down Space Up Down Down Down Down Return Tab Tab Return"
            << "s1 s2 s4 Command1"
            << QStringList{"Results for Sorting People by date",
                           "*** All correct!\r\n*** 10 of 10 correct, scored 20",
                           "Current score: 20 of 20  (100%)"}
            << QStringList{kHead,
                           "Items to sort by People by date",
                           "William T. Sherman",
                           "Robert E. Lee",
                           "Jefferson Davis",
                           "Thomas J. Jackson",
                           "Clara Barton",
                           " *** All Correct!"}
            << NamedWeights{{"Robert E. Lee", 17},
                            {"William T. Sherman", 18},
                            {"Thomas J. Jackson", 1},
                            {"Clara Barton", 5},
                            {"Jefferson Davis", 13}}
            << "";
        // Boxes 0-4 show the descriptions of bars 1, 2, 3, 0, 4.
        QTest::newRow("description matching: Enter picks up and drops, the marker wraps, Escape puts back")
            << 11 << QList<int>{Gettysburg, BullRun, Bentonville, Antietam, Atlanta, 1, 2, 3}
            << "Return Up Return Tab Return Down Down Return Tab Return Escape Tab Return Down Return Tab "
               "Tab "
               "Tab Return"
            << "Btn14>Label24 Btn13>Label22 Btn11>Label21 Command1"
            << QStringList{"Results for Matching Match commanders and battles",
                           "\r\nFirst Bull Run = McDowell, Beauregard\r\n*** Scored 10 of 25",
                           "Current score: 10 of 25  (40%)"}
            << QStringList{kHead,         "Match commanders and battles",
                           "Gettysburg",  "First Bull Run",
                           "Bentonville", "Antietam",
                           "Atlanta",     "First Bull Run = McDowell, Beauregard"}
            << NamedWeights{{"Antietam", 5}, {"Gettysburg", 10}, {"Atlanta", 5}, {"Bentonville", 1}}
            << "2 2 2 8";
        // Pictures 0-3 show bars 2, 0, 1, 3; a bar dropped on a held picture sends the other home.
        QTest::newRow("image matching: arrows in reading order, Escape puts back, a bar sent home")
            << 15 << QList<int>{Grant, Lee, Sherman, Jackson, 2, 1}
            << "Return Right Return Tab Return Down Return Tab Return Right Left Escape Tab Return Up Return "
               "Tab Tab Return"
            << "Btn10>Image11 Btn11>Image12 Btn12>Command2 Btn13>Image12 Command1"
            << QStringList{"Results for Match portraits to names",
                           "\r\nThomas J. Jackson placed on image of Robert E. Lee\r\n\r\n*** Scored 1 of 4",
                           "Current score: 5 of 20  (25%)"}
            << QStringList{kHead,
                           "Match Match portraits to names",
                           "Ulysses S. Grant",
                           "Robert E. Lee",
                           "William T. Sherman",
                           "Thomas J. Jackson",
                           "Thomas J. Jackson placed on image of Robert E. Lee"}
            << NamedWeights{{"Ulysses S. Grant", 14}, {"Robert E. Lee", 1}, {"William T. Sherman", 1}}
            << "0 1 0 1 0 0 1 8";
    }

    void sameAnswerByKeysAndMouse()
    {
        QFETCH(int, type);
        QFETCH(QList<int>, draws);
        QFETCH(QString, byKeys);
        QFETCH(QString, byMouse);
        for (bool k : {true, false}) {
            const Played p = play(type, draws, k, k ? byKeys : byMouse);
            QFETCH(QStringList, score);
            QCOMPARE(p.score, score);
            QFETCH(QStringList, log);
            QCOMPARE(p.log, log);
            QFETCH(NamedWeights, weights);
            QCOMPARE(p.weights, weights);
            QFETCH(QString, sounds);
            QCOMPARE(p.sounds, sounds);
            if (k)
                QCOMPARE(p.mousePresses, 0);
        }
    }

    // Tab walks every control in visual order, each named and framed by the focus ring as it
    // goes; Enter presses the focused button, or the default one from any other control.
    void tabOrderAndEnter_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QString>("enterOn");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("main menu: the focus starts on Play")
            << "main" << QStringList{"Command1", "cmdsetup", "cmdCatalog", "Command3", "cmdquit"}
            << "Command3"
            << "Command3";
        QTest::newRow("setup: from a number box Enter presses OK")
            << "setup" << QStringList{"tmindif",   "up",      "down",  "tmaxdif",  "up",     "down",
                                      "nquestion", "up",      "down",  "Option10", "Check1", "List1",
                                      "cmdEdit",   "cmdHelp", "cmdok", "cmdmakeq"}
            << "nquestion"
            << "cmdok";
        QTest::newRow("item editor: from a year Enter presses ok")
            << "zeledit" << QStringList{"cmbitem",     "Text1",    "Text2",   "txtDesc", "Text4",
                                        "txtNickname", "dif",      "up",      "down",    "Itemtype0",
                                        "Option10",    "cmdPrint", "cmdNext", "cmdPrev", "Command1"}
            << "Text1"
            << "Command1";
        QTest::newRow("score window: the result first, Enter presses ok")
            << "showscor" << QStringList{"Text1", "Command1"} << "Text1"
            << "Command1";
    }

    void tabOrderAndEnter()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, order);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        FocusRing ring;
        const auto make = [&] {
            std::unique_ptr<QWidget> w(form == "main"
                                           ? static_cast<QWidget*>(new MainMenu(ts.state, dir.path()))
                                       : form == "setup"   ? static_cast<QWidget*>(new Setup(ts.state))
                                       : form == "zeledit" ? static_cast<QWidget*>(new ZelEdit(ts.state))
                                                           : new ShowScor(ts.state));
            w->show();
            QApplication::setActiveWindow(w.get());
            return w;
        };
        std::unique_ptr<QWidget> w = make();

        QStringList seen, framed, unnamed;
        for (int i = 0; i < order.size(); ++i) {
            QWidget* f = focused();
            seen << f->objectName();
            if (QAccessible::queryAccessibleInterface(f)->text(QAccessible::Name).isEmpty())
                unnamed << f->objectName();
            for (auto* d : f->parentWidget()->findChildren<DashedFrame*>())
                if (d->isVisible() && d->geometry() == f->geometry().adjusted(-2, -2, 2, 2))
                    framed << f->objectName();
            keys("Tab");
        }
        QCOMPARE(seen, order);
        QCOMPARE(framed, order);
        QCOMPARE(unnamed, QStringList());
        QFETCH(QString, enterOn);
        QFETCH(QString, pressed);
        w = make();     // afresh, as the walk made each button the default in turn
        QTimer closer;  // a wrong button might open a window
        connect(&closer, &QTimer::timeout, [] {
            if (QWidget* m = QApplication::activeModalWidget())
                m->close();
        });
        closer.start(10);
        w->findChild<QWidget*>(enterOn)->setFocus();
        QString clicked;
        for (auto* b : w->findChildren<QPushButton*>())
            connect(b, &QPushButton::clicked, [&clicked, b] { clicked = b->objectName(); });
        keys("Return");
        QCOMPARE(clicked, pressed);
    }

    void accessibleNames_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("description choice")
            << 5 << QStringList{"Text1", "cmdhelp"} << QStringList{"Description", "help"};
        QTest::newRow("sorting") << 8 << QStringList{"List1", "Command1"}
                                 << QStringList{"Items to sort", "Done"};
        // Never the person's name, nor the state's: the name would give the answer away.
        QTest::newRow("portraits") << 15 << QStringList{"Image10", "Image11", "Image12", "Image13"}
                                   << QStringList{"Picture 1", "Picture 2", "Picture 3", "Picture 4"};
        QTest::newRow("state maps") << 14 << QStringList{"Image10", "Image13"}
                                    << QStringList{"Picture 1", "Picture 4"};
    }

    // The controls' names as a screen reader reads them; every control the focus reaches has one.
    void accessibleNames()
    {
        QFETCH(int, type);
        QFETCH(QStringList, controls);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        writeItemPictures(dir, ts.state);
        ts.state.settings.QuestionsPerGame = 1;
        ts.state.rng.queue({typeOf(type)});
        QStringList seen, unnamed;
        playGame(ts, {[&](QWidget* w) {
                     for (const QString& c : controls)
                         seen << QAccessible::queryAccessibleInterface(w->findChild<QWidget*>(c))
                                     ->text(QAccessible::Name);
                     for (QWidget* c : w->findChildren<QWidget*>())
                         if (c->focusPolicy() & Qt::TabFocus &&
                             QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
                             unnamed << c->objectName();
                     w->close();
                 }});
        QFETCH(QStringList, names);
        QCOMPARE(seen, names);
        QCOMPARE(unnamed, QStringList());
    }

    // The focus, and with it a screen reader, goes with the marker over the pictures, named for
    // the bar held, and back to the bar at the end.
    void screenReaderFollowsTheMarker()
    {
        Shown<IMatch> s(15);
        IMatch& form = s.form;
        const QString bar = form.Btn1[0]->accessibleName(), drop = " | Drop " + bar + " here";
        QStringList heard;
        for (const char* k : {"Return", "Right", "Down", "Left", "Escape"}) {
            keys(k);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
            heard << a->text(QAccessible::Name) + " | " + a->text(QAccessible::Description);
            if (QString(k) == "Down") {
                const QRect picture(form.Image1[3]->mapTo(&form, QPoint()), form.Image1[3]->size());
                QCOMPARE(form.findChild<QWidget*>("dropMarker")->geometry(), picture.adjusted(-4, -4, 4, 4));
            }
        }
        QCOMPARE(heard,
                 QStringList({"Picture 1" + drop, "Picture 2" + drop, "Picture 4" + drop, "Picture 3" + drop,
                              bar + " | Click and drag this item to its description, below"}));
        QVERIFY(!form.findChild<QWidget*>("dropMarker")->isVisible());
    }

    // A bar held by click and click stays held through a press in another window or on a message
    // box above its screen; the next click on a description drops it there.
    void pressesElsewhereDropNothing_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::newRow("another window") << false;
        QTest::newRow("a message box above the screen") << true;
    }

    void pressesElsewhereDropNothing()
    {
        QFETCH(bool, modal);
        Shown<QMatch> s(11);
        QMatch& form = s.form;
        keys("Space");
        QMessageBox box(QMessageBox::NoIcon, "Bellarune Game", "Sound", QMessageBox::Ok,
                        modal ? &form : nullptr);
        box.move(form.Label2[0]->mapToGlobal(QPoint()));
        if (modal) {
            onNextModal([](QWidget* m) {
                QTest::mouseClick(m->findChild<QPushButton*>(), Qt::LeftButton);
                static_cast<QDialog*>(m)->done(0);  // had the drag swallowed the press
            });
            box.exec();
        } else {
            box.show();
            QTest::mouseClick(box.findChild<QPushButton*>(), Qt::LeftButton);
        }
        QCOMPARE(form.drag()->active(), true);
        QTest::mouseClick(form.Label2[2], Qt::LeftButton);
        QCOMPARE(QList<int16_t>(form.PlacedBar.begin(), form.PlacedBar.end()),
                 QList<int16_t>({-1, -1, 4, -1, -1, -1}));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
