// The matching screens and Name Me, played as one-question games through the real driver
// with real mouse and key events; the matching screens also by keys alone, with the values a mouse
// answer gives. A screen reader following a held bar, and presses elsewhere while a bar is held.
#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <cmath>

#include "platform/controldrag.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/imatch.h"
#include "screens/qmatch.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// A question screen as the moves see it: its controls by name, the bars and their drop targets.
struct Screen {
    Screen(QWidget* w) : w(w) {}
    QWidget* ctl(const QString& name) const { return w->findChild<QWidget*>(name); }
    QString txt(QWidget* c) const { return c->property("text").toString(); }
    QWidget* bar(int i) const { return ctl(QString("Btn1%1").arg(i)); }
    // Drop target k: a description box of qmatch (five bars), a picture of imatch (four).
    QWidget* box(int k) const { return ctl(QString(bar(4) ? "Label2%1" : "Image1%1").arg(k)); }
    void click(QWidget* c) const { QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, 8)); }
    void type(const QString& typed) const { QTest::keyClicks(ctl("Command1"), typed); }
    // A held drag: press on bar i, move over the target, release there; the bar holds the mouse.
    void drag(int i, QWidget* target, Qt::MouseButton button = Qt::LeftButton) const
    {
        QWidget* b = bar(i);
        const QPoint to = b->mapFromGlobal(target->mapToGlobal(QPoint(8, 8)));
        QTest::mousePress(b, button);
        QTest::mouseMove(b, to);
        QTest::mouseRelease(b, button, {}, to);
    }
    // Drop target k, or a control by its name.
    QWidget* target(const QString& name) const { return name[0].isDigit() ? box(name.toInt()) : ctl(name); }
    // Plays a move script, word by word: "2" clicks bar 2 and ">1" drop target 1 (">Label1" that
    // control); "2>1" drags bar 2 onto target 1, "2R>1" with the right button; any other word clicks
    // the control of that name.
    void run(const QString& script) const
    {
        for (const QString& word : script.split(' ')) {
            const QString before = word.section('>', 0, 0);
            QWidget* b = before.isEmpty()      ? nullptr
                         : before[0].isDigit() ? bar(before.left(1).toInt())
                                               : ctl(before);
            if (b && word.contains('>'))
                drag(before.left(1).toInt(), target(word.section('>', 1)),
                     before.endsWith('R') ? Qt::RightButton : Qt::LeftButton);
            else
                click(b ? b : target(word.section('>', -1)));
        }
    }
    QWidget* w;
};

// The number of the picture a control shows, 0 for none.
int shown(QWidget* label)
{
    const QImage i = label->property("pixmap").value<QPixmap>().toImage();
    return i.isNull() ? 0 : (qGray(i.pixel(i.rect().center())) + 8) / 16;
}
// Name Me's labels: the wrong letters, the word, the hint ("-" while hidden).
QStringList labels(Screen s)
{
    const QString hint = s.ctl("Label3")->isVisible() ? s.txt(s.ctl("Label3")) : "-";
    return {s.txt(s.ctl("Label1")), s.txt(s.ctl("Label2")), hint};
}

const QString kHead = "---- Question 1";

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

class TestMatch : public QObject {
    Q_OBJECT
private slots:
    void games_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("picks");
        QTest::addColumn<QList<int>>("shuffle");
        QTest::addColumn<Move>("move");
        addGameColumns();

        QTest::newRow(
            "description matching: relayout; all right by held drags, right button, click and click")
            << 11 << 1 << QList<int>({Gettysburg, BullRun, Bentonville, Antietam, Atlanta})
            << QList<int>({1, 2, 3}) << Move([](Screen s) {
                   const std::string saved = readAll("zel.INI");
                   setOuterSizeTwips(s.w, 2940, 4950);  // narrow: the frame follows, nothing is stored
                   QCOMPARE(s.ctl("Frame1")->size(), QSize(twipsToPx(2840), twipsToPx(4850)));
                   QCOMPARE(readAll("zel.INI"), saved);
                   setOuterSizeTwips(s.w, 9900, 7050);
                   QVERIFY(std::abs(s.box(4)->width() - twipsToPx(9400)) < 2);
                   QVERIFY(readAll("zel.INI").find("9900") != std::string::npos);
                   s.run("0>3 1R>0");
                   QCOMPARE(s.txt(s.ctl("Label4")), "1 mousedown");
                   s.run("2 >1 3 >2 4>4 Command1");
               })
            << QStringList({"Results for Matching Match commanders and battles", "*** All correct!",
                            "Current score: 25 of 25  (100%)"})
            << QStringList({"You scored 25 out of 25 (100%)"})
            << Weights(
                   {{"BullRun", 5}, {"Antietam", 5}, {"Gettysburg", 14}, {"Atlanta", 5}, {"Bentonville", 5}})
            << QStringList({kHead, "Match commanders and battles", "Gettysburg", "First Bull Run",
                            "Bentonville", "Antietam", "Atlanta", " *** All correct!"})
            << QList<int>({2, 2, 1, 2, 1, 2, 2, 5});
        QTest::newRow("description matching, only incorrect: a bar on two boxes, two on one, drops elsewhere")
            << 13 << 2 << QList<int>({Grant, Lee, Sherman, Jackson, Barton}) << QList<int>({2, 1})
            << Move([](Screen s) { s.run("cmdhelp 0>1 0>3 1>0 2>0 4>Label1 3 >Label1 Command1"); })
            << QStringList({"Results for Matching Match nicknames, sayings", "",
                            "Ulysses S. Grant = Unconditional Surrender", "*** Scored 10 of 25",
                            "Current score: 10 of 25  (40%)"})
            << QStringList(
                   {"Click on one of the colored bars at the top\r\nThen drag it down to the best match in "
                    "the descriptions below\r\n\r\nOr, click on a colored bar, then click on the proper "
                    "definition\r\n\r\nWhen all items are matched, click on 'done'",
                    "You scored 10 out of 25 (40%)"})
            << Weights{{"Grant", 13}, {"Lee", 1}, {"Sherman", 5}, {"Jackson", 1}, {"Barton", 1}}
            << QStringList({kHead, "Ulysses S. Grant = Unconditional Surrender"})
            << QList<int>({2, 2, 2, 2, 1, 8});
        QTest::newRow("image matching: state maps, all right by left and right button drags, relayout")
            << 14 << 1 << QList<int>({BullRun, Antietam, Gettysburg, Sumter}) << QList<int>({1, 1, 2})
            << Move([](Screen s) {
                   QCOMPARE(QList<int>({shown(s.box(0)), shown(s.box(1)), shown(s.box(2)), shown(s.box(3))}),
                            QList<int>({BullRun, Gettysburg, Antietam, Sumter}));
                   s.run("0>0 1R>2 2>1 3>3");
                   const std::string saved = readAll("zel.INI");
                   setOuterSizeTwips(s.w, 9000, 3900);  // too low: nothing is stored
                   QCOMPARE(readAll("zel.INI"), saved);
                   setOuterSizeTwips(s.w, 9900, 8100);  // the bars home in the bottom row; square pictures
                   QCOMPARE(s.bar(3)->y(), twipsToPx(6600));
                   QCOMPARE(s.box(3)->size(), QSize(twipsToPx(2950), twipsToPx(2950)));
                   QVERIFY(readAll("zel.INI") != saved);
                   s.click(s.ctl("Command1"));
               })
            << QStringList({"Results for Match battles and states", "*** All correct!",
                            "Current score: 20 of 20  (100%)"})
            << QStringList({"You scored 20 out of 20 (100%)"})
            << Weights{{"BullRun", 14}, {"Antietam", 5}, {"Gettysburg", 5}, {"Sumter", 5}}
            << QStringList({kHead, "Match Match battles and states", "First Bull Run", "Antietam",
                            "Gettysburg", "Fort Sumter", " *** All correct!"})
            << QList<int>({0, 1, 0, 1, 0, 1, 0, 1, 5});
        // Boxes 0-4 show the descriptions of bars 1, 2, 3, 0, 4.
        QTest::newRow("keys, descriptions: Enter picks up and drops, the marker wraps, Escape puts back")
            << 11 << 1 << QList<int>({Gettysburg, BullRun, Bentonville, Antietam, Atlanta})
            << QList<int>({1, 2, 3}) << Move([](Screen) {
                   keys(
                       "Return Up Return Tab Return Down Down Return Tab Return Escape Tab Return Down "
                       "Return Tab "
                       "Tab Tab Return");
               })
            << QStringList{"Results for Matching Match commanders and battles", "",
                           "First Bull Run = McDowell, Beauregard", "*** Scored 10 of 25",
                           "Current score: 10 of 25  (40%)"}
            << QStringList{"You scored 10 out of 25 (40%)"}
            << Weights{{"Antietam", 5}, {"Gettysburg", 10}, {"Atlanta", 5}, {"Bentonville", 1}}
            << QStringList{kHead,         "Match commanders and battles",
                           "Gettysburg",  "First Bull Run",
                           "Bentonville", "Antietam",
                           "Atlanta",     "First Bull Run = McDowell, Beauregard"}
            << QList<int>{2, 2, 2, 8};
        // Pictures 0-3 show bars 2, 0, 1, 3; a bar dropped on a held picture sends the other home.
        QTest::newRow("keys, pictures: arrows in reading order, Escape puts back, a bar sent home")
            << 15 << 1 << QList<int>({Grant, Lee, Sherman, Jackson}) << QList<int>({2, 1})
            << Move([](Screen) {
                   keys(
                       "Return Right Return Tab Return Down Return Tab Return Right Left Escape Tab Return "
                       "Up "
                       "Return Tab Tab Return");
               })
            << QStringList{"Results for Match portraits to names",
                           "",
                           "Thomas J. Jackson placed on image of Robert E. Lee",
                           "",
                           "*** Scored 1 of 4",
                           "Current score: 5 of 20  (25%)"}
            << QStringList{"You scored 5 out of 20 (25%)"}
            << Weights{{"Grant", 14}, {"Lee", 1}, {"Sherman", 1}}
            << QStringList{kHead,
                           "Match Match portraits to names",
                           "Ulysses S. Grant",
                           "Robert E. Lee",
                           "William T. Sherman",
                           "Thomas J. Jackson",
                           "Thomas J. Jackson placed on image of Robert E. Lee"}
            << QList<int>{0, 1, 0, 1, 0, 0, 1, 8};
        QTest::newRow("Name Me: lost with 6 tries")
            << 16 << 1 << QList<int>({Lee}) << QList<int>() << Move([](Screen s) {
                   QCOMPARE(labels(s), QStringList({"", "_ _ _ _ _ _   _ .   _ _ _ ", "-"}));
                   for (int n = 1; n <= 6; ++n) {
                       // Picture MaxTries - n + 1, 1.2^n times as wide, square, about the design centre.
                       s.type(QString("qXZVWK")[n - 1] + QString(n == 1 ? "5QeE" : ""));
                       const double side = 1215 * std::pow(1.2, n);
                       QCOMPARE(shown(s.ctl("Image1")), 7 - n);
                       QCOMPARE(s.ctl("Image1")->geometry(),
                                twipsRect(std::lround(6607.5 - side / 2), std::lround(2047.5 - side / 2),
                                          std::lround(side), std::lround(side)));
                   }
                   QCOMPARE(labels(s),
                            QStringList({"Better luck next time!", "ROBERT E. LEE", "Too many tries!"}));
                   s.type("5");
               })
            << QStringList() << QStringList({"Press a letter, only", "You scored 0 out of 6 (0%)"})
            << Weights{{"Lee", 10}} << QStringList({kHead})
            << QList<int>({6, 3, 3, 3, 3, 3, 3, 3, 3, 6, 6, 6, 6, 6, 8});
        QTest::newRow("Name Me: won with 2 of 6 tries used; a 12-letter name in 18 points")
            << 16 << 1 << QList<int>({Barton}) << QList<int>() << Move([](Screen s) {
                   QCOMPARE(s.ctl("Label2")->font().pointSizeF(), 18.0);
                   s.type("zqclarbton");
               })
            << QStringList({"Results for Name me", "You got it!", "Current score: 4 of 6  (66%)"})
            << QStringList({"You scored 4 out of 6 (66%)"}) << Weights{{"Barton", 10}} << QStringList({kHead})
            << QList<int>({6, 6, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 5});
    }

    // A one-question game of the type with the items drawn and the shuffle's draws (then 0s: no
    // exchange); a screen the move left open is closed.
    void games()
    {
        QFETCH(int, type);
        QFETCH(int, level);
        QFETCH(QList<int>, picks);
        QFETCH(QList<int>, shuffle);
        QFETCH(Move, move);
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        // Every picture a grey of 16 times its number: the item's, a battle's state map, a threat stage.
        writeItemPictures(dir, ts.state);
        for (auto [i, map] :
             {std::pair<int, QString>{BullRun, "Va"}, {Antietam, "Md"}, {Gettysburg, "Pa"}, {Sumter, "SC"}})
            dir.writePicture(map + ".jpg", 0x101010u * unsigned(i));
        for (unsigned n = 1; n <= 6; ++n)
            dir.writePicture(QString("cannon%1.jpg").arg(n), 0x101010u * n);
        Settings& s = ts.state.settings;
        s.QuestionsPerGame = 1;
        s.LogLevel = int16_t(level);
        s.MaxDifficulty = 1;
        s.CategoryEnabled = {};
        s.CategoryEnabled[type] = -1;
        ts.state.rng.queue({typeOf(type)});
        for (int item : picks)
            ts.state.rng.queue({pickOf(item)});
        for (int pass = 0; pass < 20 && type < 16; ++pass)
            ts.state.rng.queue({valueOf(pass < shuffle.size() ? shuffle[pass] : 0, type < 14 ? 4 : 3)});
        compareGame(ts, playGame(ts, {[move](QWidget* w) {
                                     move(w);
                                     w->close();
                                 }}));
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

QTEST_MAIN(TestMatch)
#include "test_match.moc"
