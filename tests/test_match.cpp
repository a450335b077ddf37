// The matching screens and Name Me, played as one-question games through the real driver
// with real mouse and key events.
#include <QtTest>
#include <cmath>

#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

QWidget* ctl(QWidget* w, const QString& name)
{
    return w->findChild<QWidget*>(name);
}
QString txt(QWidget* c)
{
    return c->property("text").toString();
}
QWidget* bar(QWidget* w, int i)
{
    return ctl(w, QString("Btn1%1").arg(i));
}
// Drop target k: a description box of qmatch (five bars), a picture of imatch (four).
QWidget* box(QWidget* w, int k)
{
    return ctl(w, QString(bar(w, 4) ? "Label2%1" : "Image1%1").arg(k));
}
void click(QWidget* c)
{
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, 8));
}
void keys(QWidget* w, const QString& typed)
{
    QTest::keyClicks(ctl(w, "Command1"), typed);
}
void key(QWidget* c, Qt::Key k)
{
    c->setFocus(), QTest::keyClick(c, k);
}
std::string ini()
{
    return readAll("zel.INI");
}
// A held drag: press on bar i, move over the target, release there; the bar holds the mouse.
void drag(QWidget* w, int i, QWidget* target, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget* b = bar(w, i);
    const QPoint to = b->mapFromGlobal(target->mapToGlobal(QPoint(8, 8)));
    QTest::mousePress(b, button), QTest::mouseMove(b, to), QTest::mouseRelease(b, button, {}, to);
}

// Every picture is a grey of 16 times its number: the fixture item, or the threat stage.
void writePictures(const ProgramDir& dir)
{
    for (int i = 1; i <= FixtureCount; ++i)
        dir.writePicture(qs(fixtureItems()[std::size_t(i - 1)].ImageFile), 0x101010u * unsigned(i));
    for (auto [i, map] :
         {std::pair<int, QString>{BullRun, "Va"}, {Antietam, "Md"}, {Gettysburg, "Pa"}, {Sumter, "SC"}})
        dir.writePicture(map + ".jpg", 0x101010u * unsigned(i));
    for (unsigned n = 1; n <= 6; ++n)
        dir.writePicture(QString("cannon%1.jpg").arg(n), 0x101010u * n);
}
// The number of the picture a control shows, 0 for none.
int shown(QWidget* label)
{
    const QImage i = label->property("pixmap").value<QPixmap>().toImage();
    return i.isNull() ? 0 : (qGray(i.pixel(i.rect().center())) + 8) / 16;
}
QList<int> pictures(QWidget* w)
{
    return {shown(box(w, 0)), shown(box(w, 1)), shown(box(w, 2)), shown(box(w, 3))};
}
}  // namespace

namespace bellarune::test {
// The point sizes of the bar captions, or of Name Me's word.
QList<double> fonts(QWidget* w)
{
    QList<double> sizes;
    for (int i = 0; bar(w, i) || (i == 0 && w->objectName() == "NameMe"); ++i)
        sizes << (bar(w, i) ? bar(w, i) : ctl(w, "Label2"))->font().pointSizeF();
    return sizes;
}
}  // namespace bellarune::test

namespace {
// Name Me's labels: the wrong letters, the word, the hint ("-" while hidden).
QStringList labels(QWidget* w)
{
    return {txt(ctl(w, "Label1")), txt(ctl(w, "Label2")),
            ctl(w, "Label3")->isVisible() ? txt(ctl(w, "Label3")) : "-"};
}

// Plays a one-question game of the type with the items drawn, the shuffle's draws (then 0s: no
// exchange), the people from Grant on renamed to names of the given lengths, and the move; a screen
// the move left open is closed. Keeps the caption fonts the screen showed in fonts.
GameRun play(TestState& ts, int type, int level, QList<int> picks, QList<int> shuffle, QList<int> lengths,
             int maxDifficulty, Move move, QList<double>& fonts)
{
    Settings& s = ts.state.settings;
    s.QuestionsPerGame = 1, s.LogLevel = int16_t(level), s.MaxDifficulty = int16_t(maxDifficulty);
    s.CategoryEnabled = {}, s.CategoryEnabled[type] = -1;
    for (int k = 0; k < lengths.size(); ++k)
        ts.state.item(Grant + k).Name = std::string(std::size_t(lengths[k]), char('A' + k));
    ts.state.rng.queue({typeOf(type)});
    for (int item : picks)
        ts.state.rng.queue({pickOf(item)});
    for (int pass = 0; pass < 20 && type < 16; ++pass)
        ts.state.rng.queue({valueOf(pass < shuffle.size() ? shuffle[pass] : 0, type < 14 ? 4 : 3)});
    return playGame(ts, {[&](QWidget* w) { move(w), fonts = test::fonts(w), w->close(); }});
}

const QString kNone = "You scored 0 out of 0 (0%)", kHead = "---- Question 1";

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
        QTest::addColumn<QList<int>>("lengths");
        QTest::addColumn<Move>("move");
        QTest::addColumn<QList<double>>("fonts");  // the caption sizes, when the row looks at them
        addGameColumns();

        QTest::newRow(
            "description matching: relayout; all right by held drags, right button, click and click")
            << 11 << 1 << QList<int>({Gettysburg, BullRun, Bentonville, Antietam, Atlanta})
            << QList<int>({1, 2, 3}) << QList<int>() << Move([](QWidget* w) {
                   const QSize box0 = box(w, 0)->size();
                   const QPoint frame = ctl(w, "Frame1")->pos();
                   const std::string saved = ini();
                   setOuterSizeTwips(w, 2940, 4950);  // narrow: the frame follows, nothing else
                   QCOMPARE(ctl(w, "Frame1")->size(), QSize(twipsToPx(2840), twipsToPx(4850)));
                   QCOMPARE(box(w, 0)->size(), box0);
                   QCOMPARE(ctl(w, "Frame1")->pos(), frame);
                   QCOMPARE(ini(), saved);
                   setOuterSizeTwips(w, 9900, 7050);
                   QVERIFY(std::abs(box(w, 4)->width() - twipsToPx(9400)) < 2);
                   QVERIFY(ini().find("9900") != std::string::npos);
                   QCOMPARE(
                       QStringList({txt(ctl(w, "Label1")), txt(box(w, 0)), txt(box(w, 1)), txt(box(w, 2)),
                                    txt(box(w, 3)), txt(box(w, 4))}),
                       QStringList({"Which commanders fought ?", "McDowell, Beauregard", "Sherman, Johnston",
                                    "McClellan, Lee", "Meade, Lee", "Sherman, Hood"}));
                   drag(w, 0, box(w, 3)), drag(w, 1, box(w, 0), Qt::RightButton);
                   QCOMPARE(txt(ctl(w, "Label4")), "1 mousedown");
                   QCOMPARE(bar(w, 0)->y(), box(w, 3)->y());  // in box 3's row
                   click(bar(w, 2)), click(box(w, 1)), key(bar(w, 3), Qt::Key_Space);
                   QCOMPARE(txt(ctl(w, "Label4")), "3 click");
                   click(box(w, 2)), drag(w, 4, box(w, 4)), click(ctl(w, "Command1"));
               })
            << QList<double>()
            << QStringList({"Results for Matching Match commanders and battles", "*** All correct!",
                            "Current score: 25 of 25  (100%)"})
            << QStringList({"You scored 25 out of 25 (100%)"})
            << Weights{{"BullRun", 5},
                       {"Antietam", 5},
                       {"Gettysburg", 14},
                       {"Atlanta", 5},
                       {"Bentonville", 5}}
            << QStringList({kHead, "Match commanders and battles", "Gettysburg", "First Bull Run",
                            "Bentonville", "Antietam", "Atlanta", " *** All correct!"})
            << QList<int>({2, 2, 1, 2, 1, 2, 2, 5});
        QTest::newRow("description matching, only incorrect: a bar on two boxes, two on one, drops elsewhere")
            << 13 << 2 << QList<int>({Grant, Lee, Sherman, Jackson, Barton}) << QList<int>({2, 1})
            << QList<int>() << Move([](QWidget* w) {
                   click(ctl(w, "cmdhelp")), drag(w, 0, box(w, 1)), drag(w, 0, box(w, 3)),
                       drag(w, 1, box(w, 0));
                   drag(w, 2, box(w, 0)), drag(w, 4, ctl(w, "Label1"));  // released elsewhere: nothing
                   click(bar(w, 3)), click(ctl(w, "Label1")), click(ctl(w, "Command1"));
               })
            << QList<double>()
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
        QTest::newRow("description matching: skip; caption fonts")
            << 13 << 2 << QList<int>({Grant, Lee, Sherman, Jackson, Barton}) << QList<int>()
            << QList<int>({18, 19, 23, 24, 25})
            << Move([](QWidget* w) { drag(w, 4, box(w, 4)), click(ctl(w, "Command2")); })
            << QList<double>({13.5, 14, 14, 12, 12}) << QStringList() << QStringList({kNone})
            << Weights{{"Grant", 10}, {"Lee", 1}, {"Sherman", 1}, {"Jackson", 1}, {"Barton", 1}}
            << QStringList({kHead}) << QList<int>({2});
        QTest::newRow("description matching: Escape; caption fonts")
            << 13 << 2 << QList<int>({Grant, Lee, Sherman, Jackson, Barton}) << QList<int>()
            << QList<int>({26, 32, 33, 1, 40})
            << Move([](QWidget* w) { drag(w, 4, box(w, 4)), key(bar(w, 0), Qt::Key_Escape); })
            << QList<double>({10, 10, 8, 13.5, 8}) << QStringList() << QStringList({kNone})
            << Weights{{"Grant", 10}, {"Lee", 1}, {"Sherman", 1}, {"Jackson", 1}, {"Barton", 1}}
            << QStringList({kHead}) << QList<int>({2});

        QTest::newRow("image matching, only incorrect: two right of four; drop rules")
            << 15 << 2 << QList<int>({Grant, Lee, Sherman, Jackson}) << QList<int>({2, 1}) << QList<int>()
            << Move([](QWidget* w) {
                   QCOMPARE(pictures(w), QList<int>({Sherman, Grant, Lee, Jackson}));
                   const QPoint home = bar(w, 0)->pos();
                   click(ctl(w, "cmdhelp")), drag(w, 2, ctl(w, "Command2"));  // released elsewhere: nothing
                   drag(w, 0, box(w, 3)), drag(w, 3, box(w, 3));              // bar 3 sends bar 0 home
                   QCOMPARE(bar(w, 0)->pos(), home);
                   drag(w, 0, box(w, 1)), drag(w, 0, box(w, 1));  // stays, centred 10 twips above the foot
                   const QRect b = bar(w, 0)->geometry(), p = box(w, 1)->geometry();
                   QVERIFY(std::abs(b.center().x() - p.center().x()) < 2);
                   QVERIFY(std::abs(b.bottom() + twipsToPx(10) - p.bottom()) < 2);
                   drag(w, 1, box(w, 2)), drag(w, 1, box(w, 0), Qt::RightButton), click(ctl(w, "Command1"));
               })
            << QList<double>()
            << QStringList({"Results for Match portraits to names", "",
                            "Robert E. Lee placed on image of William T. Sherman", "", "*** Scored 2 of 4",
                            "Current score: 10 of 20  (50%)"})
            << QStringList(
                   {"Click on one of the colored bars\r\nThen drag it to its picture\r\n\r\nWhen all items "
                    "are matched, click on 'done'\r\n\r\nResize window to change image size",
                    "You scored 10 out of 20 (50%)"})
            << Weights{{"Grant", 14}, {"Sherman", 1}, {"Jackson", 5}}
            << QStringList({kHead, "Robert E. Lee placed on image of William T. Sherman"})
            << QList<int>({0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 8});
        QTest::newRow("image matching: state maps, all right, Space, relayout")
            << 14 << 1 << QList<int>({BullRun, Antietam, Gettysburg, Sumter}) << QList<int>({1, 1, 2})
            << QList<int>() << Move([](QWidget* w) {
                   QCOMPARE(pictures(w), QList<int>({BullRun, Gettysburg, Antietam, Sumter}));
                   key(bar(w, 0), Qt::Key_Space), click(box(w, 0));  // Space: no drag
                   drag(w, 0, box(w, 0)), drag(w, 1, box(w, 2)), drag(w, 2, box(w, 1)), drag(w, 3, box(w, 3));
                   const QPoint before = bar(w, 3)->pos();
                   const std::string saved = ini();
                   setOuterSizeTwips(w, 9000, 3900);  // too low: nothing moves, nothing is stored
                   QCOMPARE(bar(w, 3)->pos(), before);
                   QCOMPARE(ini(), saved);
                   setOuterSizeTwips(w, 9900, 8100);  // every bar home in the bottom row; square pictures
                   for (int i = 0; i < 4; ++i)
                       QCOMPARE(bar(w, i)->y(), twipsToPx(6600));
                   QVERIFY(bar(w, 0)->x() < bar(w, 1)->x() && bar(w, 1)->x() < bar(w, 2)->x() &&
                           bar(w, 2)->x() < bar(w, 3)->x());
                   QCOMPARE(box(w, 3)->size(), QSize(twipsToPx(2950), twipsToPx(2950)));
                   QVERIFY(ini() != saved);
                   click(ctl(w, "Command1"));
               })
            << QList<double>()
            << QStringList({"Results for Match battles and states", "*** All correct!",
                            "Current score: 20 of 20  (100%)"})
            << QStringList({"You scored 20 out of 20 (100%)"})
            << Weights{{"BullRun", 14}, {"Antietam", 5}, {"Gettysburg", 5}, {"Sumter", 5}}
            << QStringList({kHead, "Match Match battles and states", "First Bull Run", "Antietam",
                            "Gettysburg", "Fort Sumter", " *** All correct!"})
            << QList<int>({0, 1, 0, 1, 0, 1, 0, 1, 5});
        QTest::newRow("image matching: skip; caption fonts")
            << 15 << 2 << QList<int>({Grant, Lee, Sherman, Jackson}) << QList<int>()
            << QList<int>({11, 12, 14, 15})
            << Move([](QWidget* w) { drag(w, 0, box(w, 0)), click(ctl(w, "Command2")); })
            << QList<double>({18, 14, 14, 12}) << QStringList() << QStringList({kNone})
            << Weights{{"Grant", 10}, {"Lee", 1}, {"Sherman", 1}, {"Jackson", 1}} << QStringList({kHead})
            << QList<int>({0, 1});
        QTest::newRow("image matching: Escape; caption fonts")
            << 15 << 2 << QList<int>({Grant, Lee, Sherman, Jackson}) << QList<int>()
            << QList<int>({17, 18, 21, 22})
            << Move([](QWidget* w) { drag(w, 0, box(w, 0)), key(bar(w, 0), Qt::Key_Escape); })
            << QList<double>({12, 10, 10, 8}) << QStringList() << QStringList({kNone})
            << Weights{{"Grant", 10}, {"Lee", 1}, {"Sherman", 1}, {"Jackson", 1}} << QStringList({kHead})
            << QList<int>({0, 1});

        QTest::newRow("Name Me: lost with 6 tries")
            << 16 << 1 << QList<int>({Lee}) << QList<int>() << QList<int>() << Move([](QWidget* w) {
                   QCOMPARE(labels(w), QStringList({"", "_ _ _ _ _ _   _ .   _ _ _ ", "-"}));
                   QCOMPARE(shown(ctl(w, "Image2")), int(Lee));
                   QCOMPARE(ctl(w, "Image2")->height(), ctl(w, "Image2")->width());
                   for (int n = 1; n <= 6; ++n) {
                       // Picture MaxTries - n + 1, 1.2^n times as wide, square, about the design centre.
                       keys(w, QString("qXZVWK")[n - 1] + QString(n == 1 ? "5QeE" : ""));
                       const double s = 1215 * std::pow(1.2, n), left = 6607.5 - s / 2, top = 2047.5 - s / 2;
                       QCOMPARE(shown(ctl(w, "Image1")), 7 - n);
                       QCOMPARE(ctl(w, "Image1")->geometry(), twipsRect(std::lround(left), std::lround(top),
                                                                        std::lround(s), std::lround(s)));
                       if (n == 1)
                           QCOMPARE(labels(w), QStringList({" Q", "_ _ _ E _ _   E .   _ E E ",
                                                            "Guess the word before the cannon can appear!"}));
                   }
                   QCOMPARE(labels(w),
                            QStringList({"Better luck next time!", "ROBERT E. LEE", "Too many tries!"}));
                   keys(w, "5");
               })
            << QList<double>() << QStringList()
            << QStringList({"Press a letter, only", "You scored 0 out of 6 (0%)"}) << Weights{{"Lee", 10}}
            << QStringList({kHead}) << QList<int>({6, 3, 3, 3, 3, 3, 3, 3, 3, 6, 6, 6, 6, 6, 8});
        QTest::newRow("Name Me: won with 2 of 6 tries used")
            << 16 << 1 << QList<int>({Grant}) << QList<int>() << QList<int>()
            << Move([](QWidget* w) { keys(w, "zbulysegrant"); }) << QList<double>()
            << QStringList({"Results for Name me", "You got it!", "Current score: 4 of 6  (66%)"})
            << QStringList({"You scored 4 out of 6 (66%)"}) << Weights{{"Grant", 10}} << QStringList({kHead})
            << QList<int>({6, 6, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 5});
    }

    void games()
    {
        QFETCH(int, type);
        QFETCH(int, level);
        QFETCH(QList<int>, picks);
        QFETCH(QList<int>, shuffle);
        QFETCH(QList<int>, lengths);
        QFETCH(Move, move);
        QFETCH(QList<double>, fonts);
        ProgramDir dir;
        writePictures(dir);
        TestState ts;
        loadFixture(ts.state);
        QList<double> seen;
        const GameRun run = play(ts, type, level, picks, shuffle, lengths, 1, move, seen);
        if (!fonts.isEmpty())
            QCOMPARE(seen, fonts);
        compareGame(ts, run);
    }

    // The first wrong letter shows picture MaxTries; then quit or Escape: nothing scored.
    void nameMeTriesAndFont_data()
    {
        QTest::addColumn<int>("length");  // of the name
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("maxDifficulty");
        QTest::addColumn<int>("tries");
        QTest::newRow("11 letters, difficulty 3") << 11 << 24.0 << 3 << 4;
        QTest::newRow("12 letters, difficulty 9") << 12 << 18.0 << 9 << 4;
        QTest::newRow("16 letters, difficulty 1") << 16 << 18.0 << 1 << 6;
        QTest::newRow("17 letters, difficulty 2") << 17 << 14.0 << 2 << 5;
        QTest::newRow("18 letters, difficulty 3") << 18 << 14.0 << 3 << 4;
        QTest::newRow("19 letters, difficulty 9") << 19 << 12.0 << 9 << 4;
        QTest::newRow("22 letters, difficulty 1") << 22 << 12.0 << 1 << 6;
        QTest::newRow("23 letters, difficulty 2") << 23 << 10.0 << 2 << 5;
    }

    void nameMeTriesAndFont()
    {
        QFETCH(int, length);
        QFETCH(double, points);
        QFETCH(int, maxDifficulty);
        QFETCH(int, tries);
        ProgramDir dir;
        writePictures(dir);
        TestState ts;
        loadFixture(ts.state);
        int threat = 0;
        QList<double> seen;
        const auto move = [&](QWidget* w) {
            keys(w, "z");
            threat = shown(ctl(w, "Image1"));
            length % 2 ? click(ctl(w, "Command1")) : key(ctl(w, "Command1"), Qt::Key_Escape);
        };
        QVERIFY(play(ts, 16, 2, {Grant}, {}, {length}, maxDifficulty, move, seen).scores.empty());
        QCOMPARE(seen, QList<double>({points}));
        QCOMPARE(threat, tries);
        QCOMPARE(ts.notifier.messages, std::vector<std::string>({kNone.toStdString()}));
        QCOMPARE(ts.sound.numbers(), QList<int>({6}));
    }
};

QTEST_MAIN(TestMatch)
#include "test_match.moc"
