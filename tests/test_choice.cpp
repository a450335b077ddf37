// The choice and sorting screens: whole games through the real driver, and where each
// screen puts its panel and controls when the window is resized.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <sstream>

#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/qsort.h"
#include "screens/quote.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

QStringList seen;  // what the screens showed where a move looked ("?")

QString join(const std::vector<std::string>& parts, const char* sep = "|")
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? sep : "") + parts[i];
    return QString::fromStdString(out);
}

// The labels, the description box, the list lines and the list's point size.
void see(QWidget* w)
{
    QStringList texts;
    for (QLabel* l : w->findChildren<QLabel*>())
        texts << l->text();
    for (QPlainTextEdit* t : w->findChildren<QPlainTextEdit*>())
        texts << t->toPlainText();
    if (auto* l = w->findChild<QListWidget*>())
        for (int r = 0; r <= l->count(); ++r)
            texts << (r < l->count() ? l->item(r)->text() : QString::number(l->font().pointSizeF()) + "pt");
    seen << texts.join('|');
}

// The pair lines of a list in exactly reverse order, where every pair is out of order.
std::string reversedPairs(const std::vector<std::string>& keys, const std::string& sep)
{
    std::string out;
    for (std::size_t i = 0; i < keys.size(); ++i)
        for (std::size_t j = i + 1; j < keys.size(); ++j)
            out += sep + keys[i] + " > " + keys[j];
    return out;
}

// One question: lays down its draws (its type, the right slot of a choice screen or -1 for
// none, the picks) and gives the player's moves on its screen, word by word: a button's name
// clicks it; L2, R2, M2 press option 2 with the left, right or middle mouse button; s3 clicks
// list line 3; ? looks at the screen; x is the close box; other words are keys on the focus.
std::function<Move(RandomGenerator&)> ask(int type, int right, std::vector<int> picks, std::string words)
{
    return [=](RandomGenerator& rng) -> Move {
        rng.queue({typeOf(type)});
        if (right >= 0)
            rng.queue({valueOf(right, 4)});
        for (int item : picks)
            rng.queue({pickOf(item)});
        return [words](QWidget* w) {
            std::istringstream in(words);
            for (std::string t; in >> t;) {
                const QString word = QString::fromStdString(t);
                auto* l = w->findChild<QListWidget*>();
                if (t == "?")
                    see(w);
                else if (t == "x")
                    w->close();
                else if (auto* b = w->findChild<QPushButton*>(word))
                    QTest::mouseClick(b, Qt::LeftButton);
                else if (t[0] == 's')
                    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(t[1] - '0')).center());
                else if (t.size() == 2)
                    QTest::mousePress(w->findChild<QWidget*>("choice" + word.mid(1)),
                                      t[0] == 'L' ? Qt::LeftButton : t[0] == 'R' ? Qt::RightButton : Qt::MiddleButton);
                else
                    QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, QKeySequence(word)[0].key());
            }
        };
    };
}

// The outer size and the sizes remembered for the choice and sorting screens, in twips; in
// pixels the panel, the description box, the first option, the list and Label1 (a label: no
// height, as it follows its text; one that sizes itself: no width either).
QString geometry(QWidget* form, const GameState& s)
{
    const auto& m = s.settings.WindowMemory;
    QString out = QString("%1x%2 %3x%4 %5x%6 |").arg(outerWidthTwips(form)).arg(outerHeightTwips(form))
                      .arg(m[0].Width).arg(m[0].Height).arg(m[1].Width).arg(m[1].Height);
    for (const char* name : {"Frame1", "Text1", "choice0", "List1", "Label1"})
        if (auto* c = form->findChild<QWidget*>(name)) {
            const QRect g = c->geometry();
            const bool label = qobject_cast<QLabel*>(c), wraps = c->property("wordWrap").toBool();
            out += QString(" %1,%2").arg(g.x()).arg(g.y()) + (label && !wraps ? "" : QString(",%1").arg(g.width())) +
                   (label ? "" : QString(",%1").arg(g.height()));
        }
    return out;
}

}  // namespace

class TestChoice : public QObject {
    Q_OBJECT
private slots:
    void games()
    {
        // Expected, one section a line: what the screens showed; each score window's title, result
        // and score line; the messages; the weights of items 1-14; the log; the sounds played.
        struct Game {
            std::vector<std::function<Move(RandomGenerator&)>> questions;
            std::string expected;
        };
        const std::vector<std::string> events = {"Lincoln's assassination 1865", "Atlanta 1864",
                                                 "Emancipation Proclamation 1863", "Antietam 1862", "Fort Sumter 1861"};
        const std::vector<Game> games = {
            // Help, a right answer; battles brought into order by push-up clicks (the top line does nothing).
            {{ask(3, 2, {Grant, Lee, Sherman, Jackson, Barton}, "cmdhelp ? L2"),
              ask(9, -1, {Gettysburg, BullRun, Bentonville, Antietam, Atlanta}, "Command2 s0 s1 s1 s1 s3 s2 s4 Command1 ?")},
             "Who was William T. Sherman?|Sort Battles by date, earliest on top|Click to push an item up one slot|"
             "First Bull Run|Antietam|Gettysburg|Atlanta|Bentonville|10pt\nResults for Who was?| Correct, +5 pts|"
             "Current score: 5 of 5  (100%)|Results for Sorting Battles by date|*** All correct!\r\n*** 10 of 10 "
             "correct, scored 20|Current score: 25 of 25  (100%)\nClick on the best description.\r\nClick on skip to "
             "move to the next question|Sort the items listed.  Click on a line to move that item up one level.  When "
             "all are in position, click 'Done'|You scored 25 out of 25 (100%)\n10 1 5 1 1 0 17 13 18 5 1 0 0 0\n"
             "---- Question 1|Multiple Choice|---- Question 2|Items to sort by Battles by date|Gettysburg|First Bull "
             "Run|Bentonville|Antietam|Atlanta| *** All Correct!\n5"},
            // A wrong answer with the right button; a reversed list; the close box of a choice screen.
            {{ask(1, 0, {Davis, Barton, Jackson, Sherman, Lee}, "R4"),
              ask(10, -1, {Assassination, Atlanta, Emancipation, Antietam, Sumter}, "? Command1"),
              ask(7, 1, {BullRun, Antietam, Gettysburg, Atlanta, Bentonville}, "? x")},
             "Sort Events by date, earliest on top|Click to push an item up one slot|Lincoln's assassination|Atlanta|"
             "Emancipation Proclamation|Antietam|Fort Sumter|13.5pt|Which commanders fought Antietam?\nResults for "
             "Dates for person|Sorry, the answer was 1808 to 1889|Current score: 0 of 5  (0%)|Results for Sorting "
             "Events by date| " + reversedPairs(events, "\r\n") + "\r\n*** 0 of 10 correct, scored 0|Current score: "
             "0 of 25  (0%)\nYou scored 0 out of 25 (0%)\n0 0 1 1 1 9 10 1 1 1 1 0 0 6\n---- Question 1|Multiple "
             "Choice|Which dates match Jefferson Davis? 1808 to 1889|---- Question 2|Items to sort by Events by date|"
             "Lincoln's assassination|Atlanta|Emancipation Proclamation|Antietam|Fort Sumter" +
                 reversedPairs(events, "|") + "|---- Question 3|Multiple Choice\n8"},
            // The description screen; a list scored as picked, three pairs out of order.
            {{ask(5, 2, {Sumter, Emancipation, Assassination, BullRun, Antietam}, "? L4"),
              ask(8, -1, {Sherman, Lee, Davis, Jackson, Barton}, "Command1")},
             "Choose the event for this description|The President was shot at Ford's Theatre\nResults for Event based "
             "on desc|Sorry, the answer was Lincoln's assassination|Current score: 0 of 5  (0%)|Results for Sorting "
             "People by date| \r\nWilliam T. Sherman 1820 > Robert E. Lee 1807\r\nWilliam T. Sherman 1820 > Jefferson "
             "Davis 1808\r\nThomas J. Jackson 1824 > Clara Barton 1821\r\n*** 7 of 10 correct, scored 14|Current "
             "score: 14 of 25  (56%)\nYou scored 14 out of 25 (56%)\n0 12 16 0 0 8 1 0 0 0 0 10 1 0\n---- Question 1|"
             "Multiple Choice|Choose the event for this description Lincoln's assassination|---- Question 2|Items to "
             "sort by People by date|William T. Sherman|Robert E. Lee|Jefferson Davis|Thomas J. Jackson|Clara Barton|"
             "William T. Sherman 1820 > Robert E. Lee 1807|William T. Sherman 1820 > Jefferson Davis 1808|Thomas J. "
             "Jackson 1824 > Clara Barton 1821\n8"},
            // A wrong date; a right description with the right button; Escape on the sorting screen.
            {{ask(2, 1, {BullRun, Sumter, Emancipation, Antietam, Assassination}, "L3"),
              ask(4, 3, {Gettysburg, Atlanta, Bentonville, Sumter, Antietam}, "? R3"),
              ask(8, -1, {Grant, Lee, Sherman, Jackson, Barton}, "Esc")},
             "Describe Fort Sumter?\nResults for Dates for event|Sorry, the answer was April 12, 1861|Current score: "
             "0 of 5  (0%)|Results for Describe event?| Correct, +5 pts|Current score: 5 of 10  (50%)\nYou scored 5 "
             "out of 10 (50%)\n10 1 1 1 1 0 10 1 10 1 1 5 1 1\n---- Question 1|Multiple Choice|Which date(s) match "
             "Fort Sumter? April 12, 1861|---- Question 2|Multiple Choice|---- Question 3|Items to sort by People by "
             "date|Ulysses S. Grant|Robert E. Lee|William T. Sherman|Thomas J. Jackson|Clara Barton\n8 5"},
            // Keys move the selection without answering, Escape closes the screen; skip. Nothing is scored.
            {{ask(6, 1, {BullRun, Antietam, Gettysburg, Atlanta, Bentonville}, "Down Space ? Esc"),
              ask(3, 0, {Grant, Lee, Sherman, Jackson, Barton}, "Command1")},
             "What happened on September 17, 1862?\n\nYou scored 0 out of 0 (0%)\n10 1 1 1 1 0 10 1 1 1 1 0 0 0\n"
             "---- Question 1|Multiple Choice|---- Question 2|Multiple Choice\n"},
            // Escape on the description screen, the close box of the sorting screen.
            {{ask(5, 0, {Sumter, Emancipation, Assassination, BullRun, Antietam}, "Esc"),
              ask(8, -1, {Grant, Lee, Sherman, Jackson, Barton}, "x")},
             "\n\nYou scored 0 out of 0 (0%)\n10 1 1 1 1 0 1 1 0 0 0 10 1 1\n---- Question 1|Multiple Choice|---- "
             "Question 2|Items to sort by People by date|Ulysses S. Grant|Robert E. Lee|William T. Sherman|Thomas J. "
             "Jackson|Clara Barton\n"},
        };
        for (const Game& g : games) {
            ProgramDir dir;
            TestState ts;
            loadFixture(ts.state);
            ts.state.settings.QuestionsPerGame = int16_t(g.questions.size());
            ts.state.settings.CategoryEnabled.fill(-1);
            std::vector<Move> moves;
            for (const auto& question : g.questions)
                moves.push_back(question(ts.state.rng));
            seen.clear();
            const GameRun run = playGame(ts, moves);
            std::vector<std::string> scores, weights;
            for (const ScoreShown& s : run.scores)
                scores.insert(scores.end(), {s.title, s.result, s.score});
            for (std::size_t k = 1; k < ts.state.TimesUsed.size(); ++k)
                weights.push_back(std::to_string(ts.state.TimesUsed[k]));
            QCOMPARE((QStringList{seen.join('|'), join(scores), join(ts.notifier.messages), join(weights, " "),
                                  join(dir.lines("zelquiz.log")), QString::fromStdString(ts.sound.sounds())}),
                     QString::fromStdString(g.expected).split(QRegularExpression("(?<!\r)\n")));
            QCOMPARE(ts.state.rng.queued(), std::size_t(0));
        }
    }

    // Frameless, so the outer size is the inner one (the frame is the window memory's concern).
    // 15 twips a pixel; the offscreen screen is 800 x 800 pixels.
    void layoutOnResize()
    {
        QCOMPARE(twipsToPx(1440), 96);
        ProgramDir dir;  // the settings file is written at every save
        TestState ts;
        loadFixture(ts.state);
        // Open a screen of a question type, or resize to an outer size in twips; what shows.
        const std::vector<std::tuple<int, int, int, const char*>> steps = {
            // Multiple choice: a panel under 3000 only follows the window (its top 100 below the
            // window's top on the screen); from 3080 the whole layout, saved, then centred.
            {3, 0, 0, "8625x6975 8625x6975 5835x5805 | 2,1,570,462 9,48,543,65 9,8"},
            {0, 3000, 4500, "3000x4500 8625x6975 5835x5805 | 2,174,195,297 9,48,543,65 9,8"},
            {0, 3075, 4500, "3075x4500 8625x6975 5835x5805 | 2,174,200,297 9,48,543,65 9,8"},
            {0, 3090, 4500, "3090x4500 3090x4500 5835x5805 | 2,1,201,297 9,48,174,65 9,8"},
            // The description screen opens at that size; under 3000 nothing moves, from 3000 all.
            {5, 0, 0, "3090x4500 3090x4500 5835x5805 | 2,1,201,297 15,24,174,137 122,176,60,41 9,184,47"},
            {0, 2985, 4500, "2985x4500 3090x4500 5835x5805 | 2,1,201,297 15,24,174,137 122,176,60,41 9,184,47"},
            {0, 3000, 4500, "3000x4500 3000x4500 5835x5805 | 2,1,195,297 15,24,168,137 119,176,57,41 9,184,44"},
            {3, 0, 0, "3000x4500 3000x4500 5835x5805 | 8,257,195,297 16,48,529,65 16,8"},
            // Sorting: its own slot, saved at every size; the panel centred, never above or left of 0.
            {8, 0, 0, "5835x5805 3000x4500 5835x5805 | 0,9,473,369 8,104,345,124 8,16,449"},
            {0, 9000, 7200, "9000x7200 3000x4500 9000x7200 | 63,55,473,369 8,104,345,124 8,16,449"},
            {0, 3000, 3000, "3000x3000 3000x4500 3000x3000 | 0,0,473,369 8,104,345,124 8,16,449"},
            {8, 0, 0, "3000x3000 3000x4500 3000x3000 | 0,0,473,369 8,104,345,124 8,16,449"},
        };
        std::unique_ptr<QDialog> form;
        for (const auto& [open, width, height, shown] : steps) {
            if (open) {
                ts.state.CurrentQuestionType = int16_t(open);
                form.reset(open == 8   ? static_cast<QDialog*>(new QSort(ts.state))
                           : open == 5 ? static_cast<ChoiceScreen*>(new Quote(ts.state))
                                       : new MChoice(ts.state));
                form->setWindowFlag(Qt::FramelessWindowHint);
                form->show();
            } else {
                setOuterSizeTwips(form.get(), width, height);
            }
            QCoreApplication::processEvents();
            QCOMPARE(geometry(form.get(), ts.state), QString(shown));
        }
    }
};

QTEST_MAIN(TestChoice)
#include "test_choice.moc"
