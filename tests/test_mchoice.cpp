// The multiple choice screen: load, answers by mouse press, help, skip, close and layout.
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "data/settings.h"
#include "engine/questionbuilder.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/mchoice.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

struct ScoreSeen {
    bool shown = false;
    std::string result, title, caption;
};

// Answers the score window the screen is about to open, remembering what it showed.
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

// Eight people with distinct descriptions, asked as "Who was?".
void whoWasSetup(TestState& ts)
{
    std::vector<ItemRecord> items;
    for (int i = 0; i < 8; ++i)
        items.push_back(person("Person " + std::to_string(i), int16_t(1800 + i), int16_t(1860 + i),
                               "Description number " + std::to_string(i) + " & more"));
    setItems(ts.state, items);
    ts.state.CurrentQuestionType = 3;
    ts.state.settings.LogLevel = 1;
    ts.state.SoundFiles[5] = "right.wav";
    ts.state.SoundFiles[8] = "wrong.wav";
}

std::vector<int16_t> weights(const GameState& s)
{
    return {s.TimesUsed.begin(), s.TimesUsed.end()};
}

// Pixel widths just below and at or above a width in twips, so a test can stand on
// either side of a threshold whatever the screen's resolution.
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
// Sets the outer width of a shown window in pixels.
void setOuterWidthPx(QWidget& form, int px, int heightTwips)
{
    const int extra = form.frameGeometry().width() - form.width();
    form.resize(px - std::max(0, extra), twipsToPx(heightTwips));
    QCoreApplication::processEvents();
}

}  // namespace

class TestMChoice : public QObject {
    Q_OBJECT
private slots:
    void loadBuildsTheQuestion()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        GameState& s = ts.state;
        MChoice form(s);
        QCOMPARE(form.objectName(), QString("mchoice"));
        QCOMPARE(form.windowTitle(), QString("Multiple Choice"));
        QVERIFY(form.CorrectSlot >= 0 && form.CorrectSlot <= 3);
        QCOMPARE(form.MainItem, s.QuestionItems[std::size_t(form.CorrectSlot)]);
        for (int i = 0; i < 5; ++i) {
            const int16_t item = s.QuestionItems[std::size_t(i)];
            QVERIFY(item >= 1 && item <= 8);
            QCOMPARE(form.choice[std::size_t(i)]->objectName(), QString("choice%1").arg(i));
            QCOMPARE(form.choiceCaption(i), s.item(item).Description);
            // The caption is the accessible name, with its '&' kept as a character.
            QCOMPARE(form.choice[std::size_t(i)]->accessibleName(), qs(s.item(item).Description));
            QVERIFY(!form.choice[std::size_t(i)]->isChecked());
            // The picker's weights: +10 for slot 0, +1 for the others.
            QCOMPARE(int(s.TimesUsed[std::size_t(item)]), i == 0 ? 10 : 1);
        }
        QCOMPARE(form.prompt(), "Who was " + s.item(form.MainItem).Name + "?");
        QCOMPARE(dir.read("zelquiz.log"), std::string("Multiple Choice\r\n"));

        // Design look: fonts, colours and the option geometry.
        QCOMPARE(form.choice[0]->font().pointSizeF(), 12.0);
        QVERIFY(form.choice[0]->font().bold());
        QCOMPARE(form.choice[2]->palette().color(QPalette::Window), QColor(128, 255, 128));
        QCOMPARE(form.cmdhelp->palette().color(QPalette::Button), QColor(255, 255, 0));
        QCOMPARE(form.palette().color(QPalette::Window), QColor(192, 255, 192));
        QCOMPARE(form.cmdhelp->text(), QString("help"));
        QCOMPARE(form.Command1->text(), QString("skip"));
        QCOMPARE(form.choice[4]->y(), twipsToPx(5160));
        QCOMPARE(form.choice[4]->height(), twipsToPx(975));
    }

    void rightAnswerScoresAndCloses()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        GameState& s = ts.state;
        MChoice form(s);
        form.show();
        const int slot = form.CorrectSlot;
        const int16_t item = s.QuestionItems[std::size_t(slot)];
        const auto before = weights(s);

        ScoreSeen seen;
        closeNextScore(seen);
        QTest::mousePress(form.choice[std::size_t(slot)], Qt::LeftButton);
        QVERIFY(seen.shown);
        QCOMPARE(seen.result, std::string(" Correct, +5 pts"));
        QCOMPARE(seen.title, std::string("Results for Who was?"));
        QCOMPARE(seen.caption, std::string("Current score: 5 of 5  (100%)"));
        QCOMPARE(int(s.Players[0].Score), 5);
        QCOMPARE(int(s.Players[0].Possible), 5);
        auto expected = before;
        expected[std::size_t(item)] += 4;
        QCOMPARE(weights(s), expected);
        QCOMPARE(ts.sound.played, std::vector<std::string>{"right.wav"});
        QCOMPARE(dir.read("zelquiz.log"), std::string("Multiple Choice\r\n"));
        QVERIFY(form.choice[std::size_t(slot)]->isChecked());
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));

        // The screen is closing: a second press scores nothing more.
        QTest::mousePress(form.choice[0], Qt::LeftButton);
        QCOMPARE(int(s.Players[0].Possible), 5);
    }

    void wrongAnswerWithTheRightButton()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        GameState& s = ts.state;
        s.Players[0] = {25, 25, 100};
        MChoice form(s);
        form.show();
        const int right = form.CorrectSlot;
        const int wrong = 4;  // the bottom option is never the right one
        const int16_t rightItem = s.QuestionItems[std::size_t(right)];
        const int16_t wrongItem = s.QuestionItems[std::size_t(wrong)];
        const auto before = weights(s);
        const std::string rightCaption = form.choiceCaption(right);
        const std::string prompt = form.prompt();

        ScoreSeen seen;
        closeNextScore(seen);
        QTest::mousePress(form.choice[std::size_t(wrong)], Qt::RightButton);
        QVERIFY(seen.shown);
        QCOMPARE(seen.result, "Sorry, the answer was " + rightCaption);
        QCOMPARE(seen.caption, std::string("Current score: 25 of 30  (83%)"));
        QCOMPARE(int(s.Players[0].Score), 25);
        QCOMPARE(int(s.Players[0].Possible), 30);
        auto expected = before;
        expected[std::size_t(rightItem)] -= 1;
        expected[std::size_t(wrongItem)] -= 1;
        QCOMPARE(weights(s), expected);
        QCOMPARE(ts.sound.played, std::vector<std::string>{"wrong.wav"});
        QCOMPARE(dir.read("zelquiz.log"), "Multiple Choice\r\n" + prompt + " " + rightCaption + "\r\n");
        QVERIFY(!form.isVisible());
    }

    void middleButtonAnswersAndLogLevelTwoHidesTheWrongAnswer()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        ts.state.settings.LogLevel = 2;
        MChoice form(ts.state);
        form.show();
        ScoreSeen seen;
        closeNextScore(seen);
        QTest::mousePress(form.choice[4], Qt::MiddleButton);
        QVERIFY(seen.shown);
        QCOMPARE(int(ts.state.Players[0].Possible), 5);
        QCOMPARE(dir.read("zelquiz.log"), std::string());
    }

    void theKeyboardDoesNotAnswer()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        MChoice form(ts.state);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.choice[0]->setFocus();
        QTest::keyClick(form.choice[0], Qt::Key_Space);
        QTest::keyClick(form.choice[0], Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(int(ts.state.Players[0].Possible), 0);
        QVERIFY(form.isVisible());
        QVERIFY(ts.sound.played.empty());
    }

    void helpSkipAndCloseScoreNothing()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        GameState& s = ts.state;
        {
            MChoice form(s);
            form.show();
            const auto before = weights(s);
            QTest::mouseClick(form.cmdhelp, Qt::LeftButton);
            QCOMPARE(ts.notifier.messages,
                     std::vector<std::string>{"Click on the best description.\r\nClick on skip to move to the next question"});
            QVERIFY(form.isVisible());
            QTest::mouseClick(form.Command1, Qt::LeftButton);
            QVERIFY(!form.isVisible());
            QCOMPARE(form.result(), int(QDialog::Rejected));
            QCOMPARE(weights(s), before);
        }
        {
            MChoice form(s);
            form.show();
            const auto before = weights(s);
            form.close();  // the title bar's close box
            QVERIFY(!form.isVisible());
            QCOMPARE(weights(s), before);
        }
        QCOMPARE(int(s.Players[0].Score), 0);
        QCOMPARE(int(s.Players[0].Possible), 0);
        QVERIFY(ts.sound.played.empty());
        QCOMPARE(dir.read("zelquiz.log"), std::string("Multiple Choice\r\nMultiple Choice\r\n"));
    }

    void theRightOptionIsNeverTheBottomOne()
    {
        ProgramDir dir;
        TestState ts(777);
        whoWasSetup(ts);
        GameState& s = ts.state;
        std::array<int, 5> counts{};
        const int loads = 400;
        for (int n = 0; n < loads; ++n) {
            std::fill(s.TimesUsed.begin(), s.TimesUsed.end(), int16_t(0));
            MChoice form(s);
            QVERIFY(form.CorrectSlot >= 0 && form.CorrectSlot <= 4);
            ++counts[std::size_t(form.CorrectSlot)];
            QCOMPARE(form.prompt(), "Who was " + s.item(s.QuestionItems[std::size_t(form.CorrectSlot)]).Name + "?");
        }
        QCOMPARE(counts[4], 0);
        for (int k = 0; k < 4; ++k)
            QVERIFY2(counts[std::size_t(k)] > loads / 4 - 40 && counts[std::size_t(k)] < loads / 4 + 40,
                     qPrintable(QString("slot %1 right %2 times").arg(k).arg(counts[std::size_t(k)])));
    }

    void otherTypesUseTheirClues()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        ts.state.CurrentQuestionType = 1;
        MChoice form(ts.state);
        const ItemRecord& asked = ts.state.item(form.MainItem);
        QCOMPARE(form.prompt(), "Which dates match " + asked.Name + "?");
        QCOMPARE(form.choiceCaption(form.CorrectSlot),
                 std::to_string(asked.Year1) + " to " + std::to_string(asked.Year2));
    }

    void tooFewItemsLeaveEmptyOptions()
    {
        ProgramDir dir;
        TestState ts;
        setItems(ts.state, {person("Only One", 1800, 1850, "The only description")});
        ts.state.CurrentQuestionType = 3;
        ts.state.QuestionItems = {1, 1, 1, 1, 1, 1};  // left over from an earlier question
        MChoice form(ts.state);
        QCOMPARE(int(ts.state.QuestionItems[0]), 1);
        for (int i = 1; i < 5; ++i) {
            QCOMPARE(int(ts.state.QuestionItems[std::size_t(i)]), 0);
            QCOMPARE(form.choiceCaption(i), std::string());
        }
    }

    void layoutThresholds()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        GameState& s = ts.state;
        MChoice form(s);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QFile::remove(dir.file("zel.INI"));  // written by the layout when the window first showed
        const QRect optionBefore = form.choice[1]->geometry();
        s.settings.WindowMemory[0] = {0, 0, 1111, 2222};

        // A window exactly 3000 wide, and the widest just below 3080: only the panel follows.
        for (int px : {pxAtLeast(3000), pxBelow(3080)}) {
            setOuterWidthPx(form, px, 5000);
            const int w = outerWidthTwips(&form);
            QVERIFY(w < 3080);
            QCOMPARE(form.Frame1->width(), twipsToPx(w - 80));
            QCOMPARE(form.Frame1->height(), twipsToPx(outerHeightTwips(&form) - 50));
            QCOMPARE(form.Frame1->y(), twipsToPx(pxToTwips(form.frameGeometry().top()) + 100));
            QCOMPARE(form.choice[1]->geometry(), optionBefore);
            QCOMPARE(int(s.settings.WindowMemory[0].Width), 2222);
        }
        QVERIFY(!dir.exists("zel.INI"));

        // 3080 and more: the whole layout, and the size is saved to the settings file.
        setOuterWidthPx(form, pxAtLeast(3080), 5000);
        const int w = outerWidthTwips(&form);
        QVERIFY(w >= 3080);
        QCOMPARE(form.choice[1]->width(), twipsToPx(w - 80 - 400));
        QCOMPARE(form.choice[1]->y(), optionBefore.y());
        QCOMPARE(form.choice[1]->height(), optionBefore.height());
        QCOMPARE(int(s.settings.WindowMemory[0].Width), w);
        QCOMPARE(int(s.settings.WindowMemory[0].Height), outerHeightTwips(&form));
        QVERIFY(std::abs(form.Frame1->x() - (form.width() - form.Frame1->width()) / 2) <= 1);
        QVERIFY(std::abs(form.Frame1->y() - (form.height() - form.Frame1->height()) / 2) <= 1);
        Settings onDisk;
        QVERIFY(LoadSettings("zel.INI", onDisk));
        QCOMPARE(int(onDisk.WindowMemory[0].Width), w);

        // The options sit 100 to the right of where the panel stood before the centring.
        const int panelLeft = pxToTwips(form.Frame1->x());
        setOuterWidthPx(form, twipsToPx(9000), 7000);
        QCOMPARE(form.choice[3]->x(), twipsToPx(panelLeft + 100));
        QCOMPARE(form.Label1->x(), twipsToPx(panelLeft + 100));
        QCOMPARE(form.choice[3]->width(), twipsToPx(outerWidthTwips(&form) - 480));
    }

    void theSizeIsRestoredAtLoad()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        ts.state.settings.WindowMemory[0] = {0, 0, 6000, 9900};
        MChoice form(ts.state);
        QCOMPARE(outerWidthTwips(&form), 9900);
        QCOMPARE(outerHeightTwips(&form), 6000);
        QCOMPARE(form.choice[0]->width(), twipsToPx(9900 - 80 - 400));
    }

    void askRunsTheScreenModally()
    {
        ProgramDir dir;
        TestState ts;
        whoWasSetup(ts);
        GameState& s = ts.state;
        ScoreSeen seen;
        QString screenName;
        onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<MChoice*>(w);
            if (!form)
                return;
            screenName = form->objectName();
            closeNextScore(seen);
            QTest::mousePress(form->choice[std::size_t(form->CorrectSlot)], Qt::LeftButton);
        });
        MChoice::ask(s, nullptr);
        QCOMPARE(screenName, QString("mchoice"));
        QVERIFY(seen.shown);
        QCOMPARE(int(s.Players[0].Score), 5);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(TestMChoice)
#include "test_mchoice.moc"
