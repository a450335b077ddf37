// The choice and sorting screens: whole games through the real driver, and where each
// screen puts its panel and controls when the window is resized.
#include <QListWidget>
#include <QtTest>

#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/qsort.h"
#include "screens/quote.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

QStringList seen;  // what the screens showed where a move looked ("?"), taken after each game

QString join(const std::vector<std::string>& parts, const char* sep = "|")
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? sep : "") + parts[i];
    return QString::fromStdString(out);
}

// The labels (the prompt, or the task and the hint), the description box, the list lines
// and the list's point size.
void see(QWidget* w)
{
    QStringList texts;
    for (QWidget* c : w->findChildren<QWidget*>(QRegularExpression("^(Label.|Text1)$")))
        texts << c->property(c->inherits("QLabel") ? "text" : "plainText").toString();
    if (auto* l = w->findChild<QListWidget*>())
        for (int r = 0; r <= l->count(); ++r)
            texts << (r < l->count() ? l->item(r)->text() : QString::number(l->font().pointSizeF()) + "pt");
    seen << texts.join('|');
}

// One question: lays down its draws (its type, the right slot of a choice screen or -1 for
// none, the picks) and gives the player's moves on its screen, word by word: a control's
// name clicks it, with the right mouse button when followed by /R; s3 clicks list line 3;
// ? looks at the screen; x is the close box; other words are keys typed on the focused control.
std::function<Move(GameState&)> ask(int type, int right, std::vector<int> picks, const char* words)
{
    return [=](GameState& s) -> Move {
        s.rng.queue({typeOf(type)});
        if (right >= 0)
            s.rng.queue({valueOf(right, 4)});
        for (int item : picks)
            s.rng.queue({pickOf(item, s.table.ItemCount)});
        return [words](QWidget* w) {
            for (const QString& word : QString(words).split(' ', Qt::SkipEmptyParts))
                if (word == "?")
                    see(w);
                else if (word == "x")
                    w->close();
                else if (auto* c = w->findChild<QWidget*>(word.section('/', 0, 0)))
                    QTest::mouseClick(c, word.endsWith("/R") ? Qt::RightButton : Qt::LeftButton);
                else if (auto* l = word[0] == 's' ? w->findChild<QListWidget*>() : nullptr)
                    QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                                      l->visualItemRect(l->item(word[1].digitValue())).center());
                else
                    QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, QKeySequence(word)[0].key());
        };
    };
}

// The outer size and the sizes remembered for the choice and sorting screens, in twips; in
// pixels the panel, the description box, the first option, the list and Label1 (a label: no
// height, as it follows its text; one that sizes itself: no width either).
QString geometry(QWidget* form, const GameState& s)
{
    const auto& m = s.settings.WindowMemory;
    QString out = QString("%1x%2 %3x%4 %5x%6 |")
                      .arg(outerWidthTwips(form))
                      .arg(outerHeightTwips(form))
                      .arg(m[0].Width)
                      .arg(m[0].Height)
                      .arg(m[1].Width)
                      .arg(m[1].Height);
    for (const char* name : {"Frame1", "Text1", "choice0", "List1", "Label1"})
        if (auto* c = form->findChild<QWidget*>(name)) {
            const QRect g = c->geometry();
            const bool label = c->inherits("QLabel"), wraps = c->property("wordWrap").toBool();
            out += QString(" %1,%2").arg(g.x()).arg(g.y()) +
                   (label && !wraps ? "" : QString(",%1").arg(g.width())) +
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
        // Each game: its questions; what is expected, one line a section (what the screens showed; each
        // score window's title, result and score line; the messages; the weights of items 1-14; the log;
        // the sounds played); the last fixture item the game may draw (the items after it are left out).
        const std::vector<std::tuple<std::vector<std::function<Move(GameState&)>>, std::string, int>> games =
            {
                // Help, a right answer (a second press is too late); events brought into order by push-up
                // clicks (the top
                // line does nothing).
                {{ask(3, 2, {Grant, Lee, Sherman, Jackson, Barton}, "cmdhelp ? choice2 choice0"),
                  ask(10, -1, {Emancipation, Sumter, Assassination, Antietam, Atlanta},
                      "Command2 s0 s1 s1 s1 s3 s2 s4 Command1 ?")},
                 "Who was William T. Sherman?|Sort Events by date, earliest on top|Click to push an item up "
                 "one slot|Fort "
                 "Sumter|Antietam|Emancipation Proclamation|Atlanta|Lincoln's assassination|10pt\nResults "
                 "for Who was?| "
                 "Correct, +5 pts|Current score: 5 of 5  (100%)|Results for Sorting Events by date|*** All "
                 "correct!\r\n*** "
                 "10 of 10 correct, scored 20|Current score: 25 of 25  (100%)\nClick on the best "
                 "description.\r\nClick on "
                 "skip to move to the next question|Sort the items listed.  Click on a line to move that "
                 "item up one "
                 "level.  When all are in position, click 'Done'|You scored 25 out of 25 (100%)\n10 1 5 1 1 "
                 "0 0 13 0 5 0 "
                 "17 18 1\n---- Question 1|Multiple Choice|---- Question 2|Items to sort by Events by "
                 "date|Emancipation "
                 "Proclamation|Fort Sumter|Lincoln's assassination|Antietam|Atlanta| *** All Correct!\n5",
                 FixtureCount},
                // A wrong answer with the right button; a reversed list; keys that do not answer, then the
                // close box.
                {{ask(1, 0, {Davis, Barton, Jackson, Sherman, Lee}, "choice4/R"),
                  ask(9, -1, {Bentonville, Atlanta, Gettysburg, Antietam, BullRun}, "Command1"),
                  ask(6, 2, {Sumter, Emancipation, Assassination, Atlanta, Gettysburg}, "Down Space ? x")},
                 "What happened on April 14, 1865?\nResults for Dates for person|Sorry, the answer was 1808 "
                 "to 1889|"
                 "Current score: 0 of 5  (0%)|Results for Sorting Battles by date| \r\nBentonville 1865 > "
                 "Atlanta "
                 "1864\r\nBentonville 1865 > Gettysburg 1863\r\nBentonville 1865 > Antietam "
                 "1862\r\nBentonville 1865 > "
                 "First Bull Run 1861\r\nAtlanta 1864 > Gettysburg 1863\r\nAtlanta 1864 > Antietam "
                 "1862\r\nAtlanta 1864 > "
                 "First Bull Run 1861\r\nGettysburg 1863 > Antietam 1862\r\nGettysburg 1863 > First Bull Run "
                 "1861\r\nAntietam 1862 > First Bull Run 1861\r\n*** 0 of 10 correct, scored 0|Current "
                 "score: 0 of 25  "
                 "(0%)\nYou scored 0 out of 25 (0%)\n0 0 1 1 1 9 0 0 1 1 6 10 1 1\n---- Question 1|Multiple "
                 "Choice|Which "
                 "dates match Jefferson Davis? 1808 to 1889|---- Question 2|Items to sort by Battles by "
                 "date|Bentonville|"
                 "Atlanta|Gettysburg|Antietam|First Bull Run|Bentonville 1865 > Atlanta 1864|Bentonville "
                 "1865 > Gettysburg "
                 "1863|Bentonville 1865 > Antietam 1862|Bentonville 1865 > First Bull Run 1861|Atlanta 1864 "
                 "> Gettysburg "
                 "1863|Atlanta 1864 > Antietam 1862|Atlanta 1864 > First Bull Run 1861|Gettysburg 1863 > "
                 "Antietam 1862|"
                 "Gettysburg 1863 > First Bull Run 1861|Antietam 1862 > First Bull Run 1861|---- Question "
                 "3|Multiple "
                 "Choice\n8",
                 FixtureCount},
                // The description screen; a list scored as picked, three pairs out of order; Escape on it.
                {{ask(5, 2, {Sumter, Emancipation, Assassination, BullRun, Antietam}, "? choice4"),
                  ask(8, -1, {Sherman, Lee, Davis, Jackson, Barton}, "Command1"),
                  ask(5, 0, {Gettysburg, Atlanta, Bentonville, Assassination, Antietam}, "Esc")},
                 "Choose the event for this description|The President was shot at Ford's Theatre\nResults "
                 "for Event based "
                 "on desc|Sorry, the answer was Lincoln's assassination|Current score: 0 of 5  (0%)|Results "
                 "for Sorting "
                 "People by date| \r\nWilliam T. Sherman 1820 > Robert E. Lee 1807\r\nWilliam T. Sherman "
                 "1820 > Jefferson "
                 "Davis 1808\r\nThomas J. Jackson 1824 > Clara Barton 1821\r\n*** 7 of 10 correct, scored "
                 "14|Current "
                 "score: 14 of 25  (56%)\nYou scored 14 out of 25 (56%)\n0 12 16 0 0 8 1 1 10 1 1 10 1 "
                 "1\n---- Question 1|"
                 "Multiple Choice|Choose the event for this description Lincoln's assassination|---- "
                 "Question 2|Items to "
                 "sort by People by date|William T. Sherman|Robert E. Lee|Jefferson Davis|Thomas J. "
                 "Jackson|Clara Barton|"
                 "William T. Sherman 1820 > Robert E. Lee 1807|William T. Sherman 1820 > Jefferson Davis "
                 "1808|Thomas J. "
                 "Jackson 1824 > Clara Barton 1821|---- Question 3|Multiple Choice\n8",
                 FixtureCount},
                // A wrong date; a right description with the right button; Escape on the sorting screen.
                {{ask(2, 1, {BullRun, Sumter, Emancipation, Antietam, Assassination}, "choice3"),
                  ask(4, 3, {Gettysburg, Atlanta, Bentonville, Sumter, Antietam}, "? choice3/R"),
                  ask(8, -1, {Grant, Lee, Sherman, Jackson, Barton}, "Esc")},
                 "Describe Fort Sumter?\nResults for Dates for event|Sorry, the answer was April 12, "
                 "1861|Current score: 0 "
                 "of 5  (0%)|Results for Describe event?| Correct, +5 pts|Current score: 5 of 10  (50%)\nYou "
                 "scored 5 out "
                 "of 10 (50%)\n10 1 1 1 1 0 10 1 10 1 1 5 1 1\n---- Question 1|Multiple Choice|Which date(s) "
                 "match Fort "
                 "Sumter? April 12, 1861|---- Question 2|Multiple Choice|---- Question 3|Items to sort by "
                 "People by date|"
                 "Ulysses S. Grant|Robert E. Lee|William T. Sherman|Thomas J. Jackson|Clara Barton\n8 5",
                 FixtureCount},
                // Skip; then one battle only, so the picker fills no slot but the first: the others stand for
                // the empty
                // item 0, not for what the skipped question left there (Lee keeps his weight).
                {{ask(3, 0, {Grant, Lee, Sherman, Jackson, Barton}, "Command1"),
                  ask(7, 0, {BullRun}, "choice1")},
                 "\nResults for Which battle did these commanders fight?|Sorry, the answer was McDowell, "
                 "Beauregard|"
                 "Current score: 0 of 5  (0%)\nYou scored 0 out of 5 (0%)\n10 1 1 1 1 0 9 0 0 0 0 0 0 "
                 "0\n---- Question 1|"
                 "Multiple Choice|---- Question 2|Multiple Choice|Which commanders fought First Bull Run? "
                 "McDowell, "
                 "Beauregard\n8",
                 BullRun},
            };
        for (const auto& [questions, expected, items] : games) {
            ProgramDir dir;
            TestState ts;
            loadFixture(ts.state);
            ts.state.table.ItemCount = int16_t(items);
            ts.state.settings.QuestionsPerGame = int16_t(questions.size());
            std::vector<Move> moves;
            for (const auto& question : questions)
                moves.push_back(question(ts.state));
            const GameRun run = playGame(ts, moves);
            std::vector<std::string> scores, weights;
            for (const ScoreShown& s : run.scores)
                scores.insert(scores.end(), {s.title, s.result, s.score});
            for (std::size_t k = 1; k < ts.state.TimesUsed.size(); ++k)
                weights.push_back(std::to_string(ts.state.TimesUsed[k]));
            QCOMPARE((QStringList{std::exchange(seen, {}).join('|'), join(scores), join(ts.notifier.messages),
                                  join(weights, " "), join(dir.lines("zelquiz.log")), qs(ts.sound.sounds())}),
                     QString::fromStdString(expected).split(QRegularExpression("(?<!\r)\n")));
        }
    }

    // Frameless, so the outer size is the inner one (the frame is the window memory's concern).
    // 15 twips a pixel; the offscreen screen is 800 x 800 pixels.
    void layoutOnResize()
    {
        ProgramDir dir;  // the window memory writes its settings file here
        TestState ts;
        loadFixture(ts.state);
        // Open a screen of a question type, or resize to an outer size in twips; what shows.
        const std::vector<std::tuple<int, int, int, const char*>> steps = {
            // Multiple choice: a panel under 3000 only follows the window (its top 100 below the
            // window's top on the screen); from 3080 the whole layout, saved, then centred.
            {3, 0, 0, "8625x6975 8625x6975 0x0 | 2,1,570,462 9,48,543,65 9,8"},
            {0, 3000, 4500, "3000x4500 8625x6975 0x0 | 2,174,195,297 9,48,543,65 9,8"},
            {0, 3090, 4500, "3090x4500 3090x4500 0x0 | 2,1,201,297 9,48,174,65 9,8"},
            // The description screen opens at that size (the slot is shared); under 3000 nothing
            // moves, from 3000 all.
            {5, 0, 0, "3090x4500 3090x4500 0x0 | 2,1,201,297 15,24,174,137 122,176,60,41 9,184,47"},
            {0, 2985, 4500, "2985x4500 3090x4500 0x0 | 2,1,201,297 15,24,174,137 122,176,60,41 9,184,47"},
            {0, 3000, 4500, "3000x4500 3000x4500 0x0 | 2,1,195,297 15,24,168,137 119,176,57,41 9,184,44"},
            // Sorting: its own slot, saved at every size; the panel centred, never above or left of 0.
            {8, 0, 0, "5835x5805 3000x4500 5835x5805 | 0,9,473,369 8,104,345,124 8,16,449"},
            {0, 9000, 3000, "9000x3000 3000x4500 9000x3000 | 63,0,473,369 8,104,345,124 8,16,449"},
            {8, 0, 0, "9000x3000 3000x4500 9000x3000 | 63,0,473,369 8,104,345,124 8,16,449"},
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
            QCOMPARE(geometry(form.get(), ts.state), QString(shown));
        }
    }
};

QTEST_MAIN(TestChoice)
#include "test_choice.moc"
