// The description choice screen: a description, five event names, the shared answer
// rule, its own layout rule and the window size it shares with the multiple choice screen.
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/mchoice.h"
#include "screens/quote.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

struct ScoreSeen {
    bool shown = false;
    std::string result, title, caption;
};

void closeNextScore(ScoreSeen& seen)
{
    onNextModal([&seen](QWidget* w) {
        auto* score = qobject_cast<ShowScor*>(w);
        if (!score)
            return;
        seen.shown = true;
        seen.result = score->resultText();
        seen.title = ss(score->Label1->text());
        seen.caption = ss(score->Label2->text());
        QTest::mouseClick(score->Command1, Qt::LeftButton);
    });
}

void eventSetup(TestState& ts)
{
    std::vector<ItemRecord> items;
    for (int i = 0; i < 7; ++i)
        items.push_back(event("Battle " + std::to_string(i), Battle, int16_t(1861 + i % 4),
                              "July " + std::to_string(i + 1) + ", 1863",
                              "A long description of battle " + std::to_string(i) +
                                  " that runs over more than one line of the text box"));
    setItems(ts.state, items);
    ts.state.CurrentQuestionType = 5;
    ts.state.settings.LogLevel = 1;
    ts.state.SoundFiles[5] = "right.wav";
    ts.state.SoundFiles[8] = "wrong.wav";
}

std::vector<int16_t> weights(const GameState& s)
{
    return {s.TimesUsed.begin(), s.TimesUsed.end()};
}

int pxBelow(int twips)
{
    int px = twipsToPx(twips) + 2;
    while (pxToTwips(px) >= twips)
        --px;
    return px;
}
int pxAtLeast(int twips)
{
    int px = std::max(1, twipsToPx(twips) - 2);
    while (pxToTwips(px) < twips)
        ++px;
    return px;
}
// Outer width in pixels, outer height in twips.
void setOuterWidthPx(QWidget& form, int px, int heightTwips)
{
    const int extraW = form.frameGeometry().width() - form.width();
    const int extraH = form.frameGeometry().height() - form.height();
    form.resize(px - std::max(0, extraW), twipsToPx(heightTwips) - std::max(0, extraH));
    QCoreApplication::processEvents();
}

}  // namespace

class TestQuote : public QObject {
    Q_OBJECT
private slots:
    void loadShowsTheDescriptionAndNames()
    {
        ProgramDir dir;
        TestState ts;
        eventSetup(ts);
        GameState& s = ts.state;
        Quote form(s);
        QCOMPARE(form.objectName(), QString("quote"));
        QCOMPARE(form.windowTitle(), QString("Multiple Choice"));
        QVERIFY(form.CorrectSlot >= 0 && form.CorrectSlot <= 3);
        QCOMPARE(form.MainItem, s.QuestionItems[std::size_t(form.CorrectSlot)]);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(form.choiceCaption(i), s.item(s.QuestionItems[std::size_t(i)]).Name);
        QCOMPARE(ss(form.Text1->toPlainText()), s.item(form.MainItem).Description);
        QCOMPARE(form.prompt(), std::string("Choose the event for this description"));
        QCOMPARE(dir.read("zelquiz.log"), std::string("Multiple Choice\r\n"));
        QVERIFY(form.Text1->font().italic());
        QCOMPARE(form.Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(form.choice[4]->y(), twipsToPx(5520));
        QCOMPARE(form.choice[4]->height(), twipsToPx(615));
        // The wrapped prompt grows to show all its words.
        QVERIFY(form.Label1->height() >= form.Label1->heightForWidth(form.Label1->width()));
    }

    void rightAndWrongAnswers()
    {
        ProgramDir dir;
        TestState ts;
        eventSetup(ts);
        GameState& s = ts.state;
        {
            Quote form(s);
            form.show();
            const int16_t item = s.QuestionItems[std::size_t(form.CorrectSlot)];
            auto expected = weights(s);
            expected[std::size_t(item)] += 4;
            ScoreSeen seen;
            closeNextScore(seen);
            QTest::mousePress(form.choice[std::size_t(form.CorrectSlot)], Qt::RightButton);
            QVERIFY(seen.shown);
            QCOMPARE(seen.result, std::string(" Correct, +5 pts"));
            QCOMPARE(seen.title, std::string("Results for Event based on desc"));
            QCOMPARE(seen.caption, std::string("Current score: 5 of 5  (100%)"));
            QCOMPARE(weights(s), expected);
            QVERIFY(!form.isVisible());
        }
        std::fill(s.TimesUsed.begin(), s.TimesUsed.end(), int16_t(0));
        {
            Quote form(s);
            form.show();
            const int wrong = (form.CorrectSlot + 1) % 5;
            const int16_t rightItem = s.QuestionItems[std::size_t(form.CorrectSlot)];
            auto expected = weights(s);
            expected[std::size_t(rightItem)] -= 1;
            expected[std::size_t(s.QuestionItems[std::size_t(wrong)])] -= 1;
            ScoreSeen seen;
            closeNextScore(seen);
            QTest::mousePress(form.choice[std::size_t(wrong)], Qt::LeftButton);
            QVERIFY(seen.shown);
            QCOMPARE(seen.result, "Sorry, the answer was " + s.item(rightItem).Name);
            QCOMPARE(seen.caption, std::string("Current score: 5 of 10  (50%)"));
            QCOMPARE(weights(s), expected);
            QCOMPARE(dir.read("zelquiz.log"), "Multiple Choice\r\nMultiple Choice\r\n"
                                              "Choose the event for this description " +
                                                  s.item(rightItem).Name + "\r\n");
        }
        QCOMPARE(ts.sound.played, (std::vector<std::string>{"right.wav", "wrong.wav"}));
    }

    void helpAndSkip()
    {
        ProgramDir dir;
        TestState ts;
        eventSetup(ts);
        Quote form(ts.state);
        form.show();
        QTest::mouseClick(form.cmdhelp, Qt::LeftButton);
        QCOMPARE(ts.notifier.messages.size(), std::size_t(1));
        QCOMPARE(ts.notifier.messages[0],
                 std::string("Click on the best description.\r\nClick on skip to move to the next question"));
        QVERIFY(form.isVisible());
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(int(ts.state.Players[0].Possible), 0);
    }

    void layoutThresholds()
    {
        ProgramDir dir;
        TestState ts;
        eventSetup(ts);
        GameState& s = ts.state;
        Quote form(s);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QFile::remove(dir.file("zel.INI"));
        const QRect panel = form.Frame1->geometry();
        const QRect option = form.choice[2]->geometry();
        const QRect text = form.Text1->geometry();
        s.settings.WindowMemory[0] = {0, 0, 1111, 2222};

        // Just below 3000: nothing moves and nothing is saved.
        setOuterWidthPx(form, pxBelow(3000), 5000);
        QVERIFY(outerWidthTwips(&form) < 3000);
        QCOMPARE(form.Frame1->geometry(), panel);
        QCOMPARE(form.choice[2]->geometry(), option);
        QCOMPARE(form.Text1->geometry(), text);
        QCOMPARE(int(s.settings.WindowMemory[0].Width), 2222);
        QVERIFY(!dir.exists("zel.INI"));

        // 3000 and more: laid out and saved; options in the right half, prompt in the left.
        setOuterWidthPx(form, pxAtLeast(3000), 5000);
        const int w = outerWidthTwips(&form);
        QVERIFY(w >= 3000);
        const int pw = w - 80;
        QCOMPARE(form.Frame1->width(), twipsToPx(pw));
        QCOMPARE(form.Frame1->height(), twipsToPx(outerHeightTwips(&form) - 50));
        QCOMPARE(form.Text1->width(), twipsToPx(pw - 400));
        QCOMPARE(form.choice[2]->width(), twipsToPx(pw / 2 - 600));
        QCOMPARE(form.choice[2]->y(), option.y());
        QCOMPARE(form.Label1->width(), twipsToPx(pw / 2 - 800));
        QCOMPARE(int(s.settings.WindowMemory[0].Width), w);
        QVERIFY(dir.exists("zel.INI"));

        const int panelLeft = pxToTwips(form.Frame1->x());
        setOuterWidthPx(form, twipsToPx(10000), 7000);
        QCOMPARE(form.Text1->x(), twipsToPx(panelLeft + 200));
        QCOMPARE(form.Label1->x(), twipsToPx(panelLeft + 100));
        QCOMPARE(form.choice[0]->x(), twipsToPx((10000 - 80) / 2 + panelLeft + 300));
        QVERIFY(form.choice[0]->x() > form.Label1->x() + form.Label1->width());
    }

    void bothScreensShareTheirWindowSize()
    {
        ProgramDir dir;
        TestState ts;
        eventSetup(ts);
        GameState& s = ts.state;
        const int sortWidth = s.settings.WindowMemory[1].Width;
        const int sortHeight = s.settings.WindowMemory[1].Height;
        {
            MChoice form(s);
            form.show();
            setOuterWidthPx(form, twipsToPx(9600), 6600);
            QCOMPARE(int(s.settings.WindowMemory[0].Width), 9600);
            form.close();
        }
        {
            Quote form(s);
            QCOMPARE(outerWidthTwips(&form), 9600);
            QCOMPARE(outerHeightTwips(&form), 6600);
            form.show();
            setOuterWidthPx(form, twipsToPx(7200), 7500);
            QCOMPARE(int(s.settings.WindowMemory[0].Width), 7200);
            form.close();
        }
        MChoice again(s);
        QCOMPARE(outerWidthTwips(&again), 7200);
        QCOMPARE(outerHeightTwips(&again), 7500);
        // the sorting screen's slot is untouched
        QCOMPARE(int(s.settings.WindowMemory[1].Width), sortWidth);
        QCOMPARE(int(s.settings.WindowMemory[1].Height), sortHeight);
    }

    void askRunsTheScreenModally()
    {
        ProgramDir dir;
        TestState ts;
        eventSetup(ts);
        bool seenQuote = false;
        onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<Quote*>(w);
            seenQuote = form != nullptr;
            if (form)
                QTest::mouseClick(form->Command1, Qt::LeftButton);
        });
        Quote::ask(ts.state, nullptr);
        QVERIFY(seenQuote);
        QCOMPARE(int(ts.state.Players[0].Possible), 0);
    }
};

QTEST_MAIN(TestQuote)
#include "test_quote.moc"
