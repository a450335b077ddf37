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
int shown(QWidget* label)
{
    const QImage i = label->property("pixmap").value<QPixmap>().toImage();
    return i.isNull() ? 0 : (qGray(i.pixel(i.rect().center())) + 8) / 16;
}
std::vector<int> boxes(QWidget* w)
{
    return {shown(box(w, 0)), shown(box(w, 1)), shown(box(w, 2)), shown(box(w, 3))};
}
// The point sizes of the bar captions, or of Name Me's word.
std::vector<double> fonts(QWidget* w)
{
    std::vector<double> sizes;
    for (int i = 0; bar(w, i) || (i == 0 && w->objectName() == "NameMe"); ++i)
        sizes.push_back((bar(w, i) ? bar(w, i) : ctl(w, "Label2"))->font().pointSizeF());
    return sizes;
}
// Name Me's labels, Label3 as "-" while hidden.
QStringList labels(QWidget* w)
{
    return {txt(ctl(w, "Label1")), txt(ctl(w, "Label2")),
            ctl(w, "Label3")->isVisible() ? txt(ctl(w, "Label3")) : "-"};
}

// A held drag: press on bar i, move over the target, release there; the bar holds the mouse.
void drag(QWidget* w, int i, QWidget* target, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget* b = bar(w, i);
    const QPoint to = b->mapFromGlobal(target->mapToGlobal(QPoint(8, 8)));
    QTest::mousePress(b, button), QTest::mouseMove(b, to), QTest::mouseRelease(b, button, {}, to);
}
// The people from Grant on get names of the given lengths; Name Me its tries from maxDifficulty.
std::function<void(GameState&)> names(std::vector<int> lengths, int maxDifficulty = 1)
{
    return [=](GameState& s) {
        s.settings.MaxDifficulty = int16_t(maxDifficulty);
        for (std::size_t k = 0; k < lengths.size(); ++k)
            s.item(Grant + int(k)).Name = std::string(std::size_t(lengths[k]), char('A' + k));
    };
}

struct Row {
    const char* what;
    int type, level;                // question type, log level
    std::vector<int> picks, steps;  // items drawn into slots 0.., then the shuffle's draws r
    Move move;                      // ends by leaving the screen
    std::vector<ScoreShown> scores;
    std::vector<std::string> messages, log;  // message boxes (help, the final score); the quiz log
    std::vector<int16_t> weights;            // TimesUsed 1..14 afterwards
    std::string sounds;
    std::function<void(GameState&)> prep = names({});
    std::vector<double> fonts = {};  // point sizes of the captions (none: not looked at)
};

void check(const std::vector<Row>& rows)
{
    for (const Row& r : rows) {
        ProgramDir dir;
        writePictures(dir);
        TestState ts;
        loadFixture(ts.state);
        Settings& s = ts.state.settings;
        s.QuestionsPerGame = 1, s.LogLevel = int16_t(r.level), s.CategoryEnabled = {},
        s.CategoryEnabled[r.type] = -1;
        r.prep(ts.state);
        ts.state.rng.queue({typeOf(r.type)});
        for (int item : r.picks)
            ts.state.rng.queue({pickOf(item)});
        // Twenty shuffle passes: the row's draws, then 0 (no exchange).
        for (std::size_t pass = 0; pass < 20 && r.type < 16; ++pass)
            ts.state.rng.queue({valueOf(pass < r.steps.size() ? r.steps[pass] : 0, r.type < 14 ? 4 : 3)});
        // A screen a move left open (a failed check among them) is closed by its close box.
        bool open = false;
        std::vector<double> seen;
        auto run = playGame(
            ts, {[&](QWidget* w) { r.move(w), open = w->isVisible(), seen = fonts(w), w->close(); }});
        QVERIFY2(!open && run.scores == r.scores, r.what);
        QVERIFY2(ts.notifier.messages == r.messages && dir.lines("zelquiz.log") == r.log, r.what);
        QVERIFY2(ts.sound.sounds() == r.sounds && (r.fonts.empty() || seen == r.fonts), r.what);
        QVERIFY2(std::vector<int16_t>(ts.state.TimesUsed.begin() + 1, ts.state.TimesUsed.end()) == r.weights,
                 r.what);
    }
}

const std::string kNone = "You scored 0 out of 0 (0%)", kHead = "---- Question 1";

}  // namespace

class TestMatch : public QObject {
    Q_OBJECT
private slots:
    void descriptionMatching()
    {
        check({
            {"relayout; all right by held drags, right button, click and click, Space",
             11,
             2,
             {Gettysburg, BullRun, Bentonville, Antietam, Atlanta},
             {1, 2, 3},
             [](QWidget* w) {
                 const auto kept = [w] {
                     return std::tuple(box(w, 0)->width(), ctl(w, "Frame1")->pos(), ini());
                 };
                 const auto before = kept();
                 setOuterSizeTwips(w, 2940, 4950);  // narrow: the frame follows, nothing else
                 QVERIFY(ctl(w, "Frame1")->size() == QSize(twipsToPx(2840), twipsToPx(4850)) &&
                         kept() == before);
                 setOuterSizeTwips(w, 9900, 7050);
                 QVERIFY(std::abs(box(w, 4)->width() - twipsToPx(9400)) < 2 &&
                         ini().find("9900") != ini().npos);
                 QStringList seen = {txt(ctl(w, "Label1")), txt(box(w, 0)), txt(box(w, 1)),
                                     txt(box(w, 2)),        txt(box(w, 3)), txt(box(w, 4))};
                 drag(w, 0, box(w, 3)), drag(w, 1, box(w, 0), Qt::RightButton);
                 seen << txt(ctl(w, "Label4")) +
                             QString(" %1").arg(bar(w, 0)->y() - box(w, 3)->y());  // in box 3's row
                 click(bar(w, 2)), click(box(w, 1)), key(bar(w, 3), Qt::Key_Space),
                     seen << txt(ctl(w, "Label4"));
                 QCOMPARE(seen, QStringList({"Which commanders fought ?", "McDowell, Beauregard",
                                             "Sherman, Johnston", "McClellan, Lee", "Meade, Lee",
                                             "Sherman, Hood", "1 mousedown 0", "3 click"}));
                 click(box(w, 2)), drag(w, 4, box(w, 4)), click(ctl(w, "Command1"));
             },
             {{"Results for Matching Match commanders and battles", "*** All correct!",
               "Current score: 25 of 25  (100%)"}},
             {"You scored 25 out of 25 (100%)"},
             {kHead, " *** All correct!"},
             {0, 0, 0, 0, 0, 0, 5, 5, 14, 5, 5, 0, 0, 0},
             "2 2 1 2 1 2 2 5"},
            {"a bar on two boxes, two bars on one box, drops elsewhere",
             13,
             1,
             {Grant, Lee, Sherman, Jackson, Barton},
             {2, 1},
             [](QWidget* w) {
                 click(ctl(w, "cmdhelp")), drag(w, 0, box(w, 1)), drag(w, 0, box(w, 3)),
                     drag(w, 1, box(w, 0));
                 drag(w, 2, box(w, 0)), drag(w, 4, ctl(w, "Label1"));  // released elsewhere: nothing
                 click(bar(w, 3)), click(ctl(w, "Label1")), click(ctl(w, "Command1"));
             },
             {{"Results for Matching Match nicknames, sayings",
               "\r\nUlysses S. Grant = Unconditional Surrender\r\n*** Scored 10 of 25",
               "Current score: 10 of 25  (40%)"}},
             {"Click on one of the colored bars at the top\r\nThen drag it down to the best match in the "
              "descriptions "
              "below\r\n\r\nOr, click on a colored bar, then click on the proper definition\r\n\r\nWhen all "
              "items "
              "are matched, click on 'done'",
              "You scored 10 out of 25 (40%)"},
             {kHead, "Match nicknames, sayings", "Ulysses S. Grant", "Robert E. Lee", "William T. Sherman",
              "Thomas J. Jackson", "Clara Barton", "Ulysses S. Grant = Unconditional Surrender"},
             {13, 1, 5, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "2 2 2 2 1 8"},
            {"skip; caption fonts",
             13,
             2,
             {Grant, Lee, Sherman, Jackson, Barton},
             {},
             [](QWidget* w) { drag(w, 4, box(w, 4)), click(ctl(w, "Command2")); },
             {},
             {kNone},
             {kHead},
             {10, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "2",
             names({18, 19, 23, 24, 25}),
             {13.5, 14, 14, 12, 12}},
            {"escape; caption fonts",
             13,
             2,
             {Grant, Lee, Sherman, Jackson, Barton},
             {},
             [](QWidget* w) { drag(w, 4, box(w, 4)), key(bar(w, 0), Qt::Key_Escape); },
             {},
             {kNone},
             {kHead},
             {10, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "2",
             names({26, 32, 33, 1, 40}),
             {10, 10, 8, 13.5, 8}},
        });
    }

    void imageMatching()
    {
        check({
            {"two right of four; drop rules",
             15,
             1,
             {Grant, Lee, Sherman, Jackson},
             {2, 1},
             [](QWidget* w) {
                 QCOMPARE(boxes(w), std::vector<int>({Sherman, Grant, Lee, Jackson}));
                 const QPoint home = bar(w, 0)->pos();
                 click(ctl(w, "cmdhelp")), drag(w, 2, ctl(w, "Command2"));  // released elsewhere: nothing
                 drag(w, 0, box(w, 3)), drag(w, 3, box(w, 3));              // bar 3 sends bar 0 home
                 QCOMPARE(bar(w, 0)->pos(), home);
                 drag(w, 0, box(w, 1)), drag(w, 0, box(w, 1));  // stays, centred 10 twips above the foot
                 const QRect b = bar(w, 0)->geometry(), p = box(w, 1)->geometry();
                 QVERIFY(qAbs(b.center().x() - p.center().x()) +
                             qAbs(b.bottom() + twipsToPx(10) - p.bottom()) <
                         2);
                 drag(w, 1, box(w, 2)), drag(w, 1, box(w, 0), Qt::RightButton), click(ctl(w, "Command1"));
             },
             {{"Results for Match portraits to names",
               "\r\nRobert E. Lee placed on image of William T. Sherman\r\n\r\n*** Scored 2 of 4",
               "Current score: 10 of 20  (50%)"}},
             {"Click on one of the colored bars\r\nThen drag it to its picture\r\n\r\nWhen all items are "
              "matched, "
              "click on 'done'\r\n\r\nResize window to change image size",
              "You scored 10 out of 20 (50%)"},
             {kHead, "Match Match portraits to names", "Ulysses S. Grant", "Robert E. Lee",
              "William T. Sherman", "Thomas J. Jackson",
              "Robert E. Lee placed on image of William T. Sherman"},
             {14, 0, 1, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "0 0 1 0 1 0 1 0 1 0 1 0 1 8"},
            {"state maps, all right, Space, relayout",
             14,
             2,
             {BullRun, Antietam, Gettysburg, Sumter},
             {1, 1, 2},
             [](QWidget* w) {
                 QCOMPARE(boxes(w), std::vector<int>({BullRun, Gettysburg, Antietam, Sumter}));
                 key(bar(w, 0), Qt::Key_Space), click(box(w, 0));  // Space: no drag
                 drag(w, 0, box(w, 0)), drag(w, 1, box(w, 2)), drag(w, 2, box(w, 1)), drag(w, 3, box(w, 3));
                 const std::pair<QPoint, std::string> before = {bar(w, 3)->pos(), ini()};
                 setOuterSizeTwips(w, 9000, 3900);  // too low: nothing moves, nothing is stored
                 QVERIFY(bar(w, 3)->pos() == before.first && ini() == before.second);
                 setOuterSizeTwips(w, 9900, 8100);  // every bar home in the bottom row; square pictures
                 for (int i = 0; i < 4; ++i)
                     QVERIFY(bar(w, i)->y() == twipsToPx(6600) &&
                             (i == 0 || bar(w, i)->x() > bar(w, i - 1)->x()));
                 QVERIFY(box(w, 3)->size() == QSize(twipsToPx(2950), twipsToPx(2950)) &&
                         ini() != before.second);
                 click(ctl(w, "Command1"));
             },
             {{"Results for Match battles and states", "*** All correct!",
               "Current score: 20 of 20  (100%)"}},
             {"You scored 20 out of 20 (100%)"},
             {kHead, " *** All correct!"},
             {0, 0, 0, 0, 0, 0, 14, 5, 5, 0, 0, 5, 0, 0},
             "0 1 0 1 0 1 0 1 5"},
            {"skip; caption fonts",
             15,
             2,
             {Grant, Lee, Sherman, Jackson},
             {},
             [](QWidget* w) { drag(w, 0, box(w, 0)), click(ctl(w, "Command2")); },
             {},
             {kNone},
             {kHead},
             {10, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "0 1",
             names({11, 12, 14, 15}),
             {18, 14, 14, 12}},
            {"escape; caption fonts",
             15,
             2,
             {Grant, Lee, Sherman, Jackson},
             {},
             [](QWidget* w) { drag(w, 0, box(w, 0)), key(bar(w, 0), Qt::Key_Escape); },
             {},
             {kNone},
             {kHead},
             {10, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "0 1",
             names({17, 18, 21, 22}),
             {12, 10, 10, 8}},
        });
    }

    void nameMe()
    {
        std::vector<Row> rows = {
            {"lost with 6 tries",
             16,
             1,
             {Lee},
             {},
             [](QWidget* w) {
                 QCOMPARE(labels(w), QStringList({"", "_ _ _ _ _ _   _ .   _ _ _ ", "-"}));
                 QVERIFY(shown(ctl(w, "Image2")) == Lee &&
                         ctl(w, "Image2")->height() == ctl(w, "Image2")->width());
                 for (int n = 1; n <= 6; ++n) {
                     // Picture MaxTries - n + 1, 1.2^n times as wide, square, about the design centre.
                     keys(w, QString("qXZVWK")[n - 1] + QString(n == 1 ? "5QeE" : ""));
                     const double s = 1215 * std::pow(1.2, n), left = 6607.5 - s / 2, top = 2047.5 - s / 2;
                     QVERIFY(shown(ctl(w, "Image1")) == 7 - n &&
                             ctl(w, "Image1")->geometry() == twipsRect(std::lround(left), std::lround(top),
                                                                       std::lround(s), std::lround(s)));
                     if (n == 1)
                         QCOMPARE(labels(w), QStringList({" Q", "_ _ _ E _ _   E .   _ E E ",
                                                          "Guess the word before the cannon can appear!"}));
                 }
                 QCOMPARE(labels(w),
                          QStringList({"Better luck next time!", "ROBERT E. LEE", "Too many tries!"}));
                 keys(w, "5");
             },
             {},
             {"Press a letter, only", "You scored 0 out of 6 (0%)"},
             {kHead},
             {0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "6 3 3 3 3 3 3 3 3 6 6 6 6 6 8"},
            {"won with 2 of 6 tries used",
             16,
             1,
             {Grant},
             {},
             [](QWidget* w) { keys(w, "zbulysegrant"); },
             {{"Results for Name me", "You got it!", "Current score: 4 of 6  (66%)"}},
             {"You scored 4 out of 6 (66%)"},
             {kHead},
             {10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "6 6 3 3 3 3 3 3 3 3 3 3 3 3 3 5"},
            {"no letter: not asked",
             16,
             2,
             {Barton},
             {},
             [](QWidget*) { QFAIL("asked"); },
             {},
             {kNone},
             {kHead},
             {0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0},
             "",
             [](GameState& s) { s.item(Barton).Name = "1812"; }},
        };
        // {length of the name, its point size, MaxDifficulty, MaxTries}: the first wrong letter shows
        // picture MaxTries; then quit or Escape, nothing scored.
        for (const auto& c : std::vector<std::array<int, 4>>{{11, 24, 3, 4},
                                                             {12, 18, 9, 4},
                                                             {16, 18, 1, 6},
                                                             {17, 14, 2, 5},
                                                             {18, 14, 3, 4},
                                                             {19, 12, 9, 4},
                                                             {22, 12, 1, 6},
                                                             {23, 10, 2, 5}})
            rows.push_back({"font, tries, leaving",
                            16,
                            2,
                            {Grant},
                            {},
                            [c](QWidget* w) {
                                keys(w, "z");
                                QCOMPARE(shown(ctl(w, "Image1")), c[3]);
                                c[0] % 2 ? click(ctl(w, "Command1"))
                                         : key(ctl(w, "Command1"), Qt::Key_Escape);
                            },
                            {},
                            {kNone},
                            {kHead},
                            {10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                            "6",
                            names({c[0]}, c[2]),
                            {double(c[1])}});
        check(rows);
    }
};

QTEST_MAIN(TestMatch)
#include "test_match.moc"
