// The matching screens and Name Me, played as one-question games through the real driver
// with real mouse and key events.
#include <QLabel>
#include <QtTest>
#include <cmath>
#include <map>

#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

QWidget* ctl(QWidget* w, const QString& name) { return w->findChild<QWidget*>(name); }
QString txt(QWidget* w, const QString& name) { return ctl(w, name)->property("text").toString(); }
QWidget* bar(QWidget* w, int i) { return ctl(w, "Btn1" + QString::number(i)); }
// Drop target k: a description box of qmatch, a picture of imatch.
QWidget* box(QWidget* w, int k) { return ctl(w, (w->objectName() == "qmatch" ? "Label2" : "Image1") + QString::number(k)); }
void click(QWidget* w, const char* name) { QTest::mouseClick(ctl(w, name), Qt::LeftButton); }
void keys(QWidget* w, const QString& typed) { QTest::keyClicks(ctl(w, "Command1"), typed); }

// Every picture is a grey of 16 times its number: the fixture item, or the threat stage.
void writePictures(const ProgramDir& dir)
{
    const std::map<int, QString> maps = {{BullRun, "Va"}, {Antietam, "Md"}, {Gettysburg, "Pa"},
                                         {Atlanta, "Ga"}, {Bentonville, "NC"}, {Sumter, "SC"}};
    for (int i = 1; i <= FixtureCount; ++i)
        dir.writePicture(qs(fixtureItems()[std::size_t(i - 1)].ImageFile), 0x101010u * unsigned(i));
    for (const auto& [item, state] : maps)
        dir.writePicture(state + ".jpg", 0x101010u * unsigned(item));
    for (unsigned n = 1; n <= 6; ++n)
        dir.writePicture(QString("cannon%1.jpg").arg(n), 0x101010u * n);
}
int shown(QWidget* label)
{
    const QImage image = static_cast<QLabel*>(label)->pixmap().toImage();
    return image.isNull() ? 0 : (qGray(image.pixel(image.rect().center())) + 8) / 16;
}

// A held drag: press on bar i, move over the target, release there; the bar holds the mouse.
void drag(QWidget* w, int i, QWidget* target, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget* b = bar(w, i);
    const QPoint to = b->mapFromGlobal(target->mapToGlobal(QPoint(8, 8)));
    QTest::mousePress(b, button);
    QTest::mouseMove(b, to);
    QTest::mouseRelease(b, button, {}, to);
}
void clickOn(QWidget* target) { QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, 8)); }
// Space on a focused bar.
void space(QWidget* w, int i)
{
    bar(w, i)->setFocus();
    QTest::keyClick(bar(w, i), Qt::Key_Space);
}
// The threat picture after n wrong letters: 1.2^n times as wide, square, about the design centre.
QRect threat(int n)
{
    const double s = 1215 * std::pow(1.2, n);
    const int side = int(std::lround(s));
    return twipsRect(int(std::lround(6607.5 - s / 2)), int(std::lround(2047.5 - s / 2)), side, side);
}
QStringList labels(QWidget* w)
{
    return {txt(w, "Label1"), txt(w, "Label2"), ctl(w, "Label3")->isVisible() ? txt(w, "Label3") : "(hidden)"};
}
std::function<void(GameState&)> maxDifficulty(int d)
{
    return [d](GameState& s) { s.settings.MaxDifficulty = int16_t(d); };
}

struct Row {
    const char* what;
    int type, level;               // question type, log level
    std::vector<int> picks, steps;  // items drawn into slots 0.., then the shuffle's draws r
    Move move;                     // none: the screen must not open
    std::vector<ScoreShown> scores;
    std::vector<std::string> messages;  // help texts, "Press a letter, only", the final score
    std::vector<int16_t> weights;       // TimesUsed 1..14 afterwards
    std::vector<std::string> log;
    std::string sounds;
    std::function<void(GameState&)> prep = {};
};

GameRun play(TestState& ts, const Row& r)
{
    loadFixture(ts.state);
    ts.state.settings.QuestionsPerGame = 1;
    ts.state.settings.LogLevel = int16_t(r.level);
    ts.state.settings.CategoryEnabled.fill(0);
    ts.state.settings.CategoryEnabled[std::size_t(r.type)] = -1;
    if (r.prep)
        r.prep(ts.state);
    ts.state.rng.queue({typeOf(r.type)});
    for (int item : r.picks)
        ts.state.rng.queue({pickOf(item)});
    // Twenty shuffle passes: the row's draws, then 0 (no exchange).
    for (std::size_t pass = 0; pass < 20 && r.type < 16; ++pass)
        ts.state.rng.queue({valueOf(pass < r.steps.size() ? r.steps[pass] : 0, r.type < 14 ? 4 : 3)});
    // Whatever a move leaves open (a failed check among them) is closed by its close box.
    return playGame(ts, {[&r](QWidget* w) {
                        if (r.move)
                            r.move(w);
                        w->close();
                    }});
}

void check(const std::vector<Row>& rows)
{
    for (const Row& r : rows) {
        ProgramDir dir;
        writePictures(dir);
        TestState ts;
        const GameRun run = play(ts, r);
        QCOMPARE(run.screens.size(), std::size_t(r.move ? 1 : 0));
        QVERIFY2(run.scores == r.scores, r.what);
        QVERIFY2(ts.notifier.messages == r.messages, r.what);
        QVERIFY2(std::vector<int16_t>(ts.state.TimesUsed.begin() + 1, ts.state.TimesUsed.end()) == r.weights, r.what);
        QVERIFY2(dir.lines("zelquiz.log") == r.log, r.what);
        QVERIFY2(ts.sound.sounds() == r.sounds, r.what);
    }
}

const std::string kQHelp =
    "Click on one of the colored bars at the top\r\nThen drag it down to the best match in the descriptions "
    "below\r\n\r\nOr, click on a colored bar, then click on the proper definition\r\n\r\nWhen all items are "
    "matched, click on 'done'";
const std::string kIHelp = "Click on one of the colored bars\r\nThen drag it to its picture\r\n\r\nWhen all items "
                           "are matched, click on 'done'\r\n\r\nResize window to change image size";

}  // namespace

class TestMatch : public QObject {
    Q_OBJECT
private slots:
    void descriptionMatching()
    {
        const std::vector<Row> rows = {
            {"all right: held drags, right button, click and click, Space", 11, 2,
             {Gettysburg, BullRun, Bentonville, Antietam, Atlanta}, {1, 2, 3},
             [](QWidget* w) {
                 QCOMPARE(txt(w, "Label1"), "Which commanders fought ?");
                 const QStringList boxes = {"McDowell, Beauregard", "Sherman, Johnston", "McClellan, Lee",
                                            "Meade, Lee", "Sherman, Hood"};
                 for (int k = 0; k < 5; ++k)
                     QCOMPARE(box(w, k)->property("text").toString(), boxes[k]);
                 QStringList seen;
                 drag(w, 0, box(w, 3));
                 seen << txt(w, "Label4") << QString::number(bar(w, 0)->y() - box(w, 3)->y());
                 drag(w, 1, box(w, 0), Qt::RightButton);
                 seen << txt(w, "Label4");
                 QTest::mouseClick(bar(w, 2), Qt::LeftButton);
                 clickOn(box(w, 1));
                 seen << txt(w, "Label4");
                 space(w, 3);
                 clickOn(box(w, 2));
                 seen << txt(w, "Label4");
                 drag(w, 4, box(w, 4));
                 QCOMPARE(seen, QStringList({"0 mousedown", "0", "1 mousedown", "2 click", "3 click"}));
                 click(w, "Command1");
             },
             {{"Results for Matching Match commanders and battles", "*** All correct!", "Current score: 25 of 25  (100%)"}},
             {"You scored 25 out of 25 (100%)"}, {0, 0, 0, 0, 0, 0, 5, 5, 14, 5, 5, 0, 0, 0},
             {"---- Question 1", " *** All correct!"}, "2 2 1 2 1 2 2 5"},
            {"three right, two wrong", 12, 1, {BullRun, Antietam, Gettysburg, Atlanta, Bentonville}, {3},
             [](QWidget* w) {
                 for (int k : {0, 1, 3, 4, 2})
                     drag(w, k == 3 ? 2 : k == 4 ? 3 : k == 2 ? 4 : k, box(w, k));
                 click(w, "Command1");
             },
             {{"Results for Matching Match battle and campaign",
               "\r\nBentonville = Carolinas Campaign\r\nAtlanta = Atlanta Campaign\r\n*** Scored 15 of 25",
               "Current score: 15 of 25  (60%)"}},
             {"You scored 15 out of 25 (60%)"}, {0, 0, 0, 0, 0, 0, 14, 5, 5, 0, 0, 0, 0, 0},
             {"---- Question 1", "Match battle and campaign", "First Bull Run", "Antietam", "Gettysburg", "Atlanta",
              "Bentonville", "Bentonville = Carolinas Campaign", "Atlanta = Atlanta Campaign"},
             "2 2 2 2 2 8"},
            {"a bar on two boxes, two bars on one box, drops elsewhere", 13, 2, {Grant, Lee, Sherman, Jackson, Barton},
             {2, 1},
             [](QWidget* w) {
                 click(w, "cmdhelp");
                 drag(w, 0, box(w, 1));
                 drag(w, 0, box(w, 3));
                 drag(w, 1, box(w, 0));
                 drag(w, 2, box(w, 0));
                 const QPoint home = bar(w, 4)->pos();
                 drag(w, 4, ctl(w, "Label1"));
                 QCOMPARE(bar(w, 4)->pos(), home);
                 QTest::mouseClick(bar(w, 3), Qt::LeftButton);
                 clickOn(ctl(w, "Label1"));
                 click(w, "Command1");
             },
             {{"Results for Matching Match nicknames, sayings",
               "\r\nUlysses S. Grant = Unconditional Surrender\r\n*** Scored 10 of 25", "Current score: 10 of 25  (40%)"}},
             {kQHelp, "You scored 10 out of 25 (40%)"}, {13, 1, 5, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             {"---- Question 1", "Ulysses S. Grant = Unconditional Surrender"}, "2 2 2 2 1 8"},
            {"nothing placed, relayout", 11, 2, {BullRun, Antietam, Gettysburg, Atlanta, Bentonville}, {},
             [](QWidget* w) {
                 QWidget* frame = ctl(w, "Frame1");
                 const int boxWidth = box(w, 0)->width();
                 const QPoint at = frame->pos();
                 const std::string ini = readAll("zel.INI");
                 setOuterSizeTwips(w, 2940, 4950);  // narrow: the frame follows, nothing else
                 QCOMPARE(frame->size(), QSize(twipsToPx(2840), twipsToPx(4850)));
                 QCOMPARE(box(w, 0)->width(), boxWidth);
                 QCOMPARE(frame->pos(), at);
                 QCOMPARE(readAll("zel.INI"), ini);
                 setOuterSizeTwips(w, 9900, 7050);
                 QVERIFY(std::abs(box(w, 4)->width() - twipsToPx(9400)) <= 1);
                 QVERIFY(readAll("zel.INI").find("9900") != std::string::npos);
                 click(w, "Command1");
             },
             {{"Results for Matching Match commanders and battles", "\r\n*** Scored 0 of 25",
               "Current score: 0 of 25  (0%)"}},
             {"You scored 0 out of 25 (0%)"}, {0, 0, 0, 0, 0, 0, 10, 1, 1, 1, 1, 0, 0, 0}, {"---- Question 1"}, "8"},
            {"skip", 12, 2, {Atlanta, Antietam, Gettysburg, BullRun, Bentonville}, {},
             [](QWidget* w) { drag(w, 4, box(w, 4)), click(w, "Command2"); }, {}, {"You scored 0 out of 0 (0%)"},
             {0, 0, 0, 0, 0, 0, 1, 1, 1, 10, 1, 0, 0, 0}, {"---- Question 1"}, "2"},
            {"escape", 13, 2, {Davis, Barton, Lee, Grant, Sherman}, {},
             [](QWidget* w) { drag(w, 4, box(w, 4)), QTest::keyClick(bar(w, 0), Qt::Key_Escape); }, {},
             {"You scored 0 out of 0 (0%)"}, {1, 1, 1, 0, 1, 10, 0, 0, 0, 0, 0, 0, 0, 0}, {"---- Question 1"}, "2"},
        };
        check(rows);
    }
};

QTEST_MAIN(TestMatch)
#include "test_match.moc"
