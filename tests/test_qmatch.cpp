// The description matching screen and the control drag it uses, driven with QTest mouse events.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <set>

#include "engine/questionbuilder.h"
#include "platform/controldrag.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/qmatch.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// Five battles with commanders, so type 11 has exactly its five items.
void fiveBattles(GameState& s)
{
    std::vector<ItemRecord> items;
    for (int i = 0; i < 5; ++i) {
        ItemRecord r = test::event("Battle " + std::to_string(i), Battle, int16_t(1861 + i), "d", "desc");
        r.Commanders = "Commanders of battle " + std::to_string(i);
        items.push_back(r);
    }
    setItems(s, items);
    s.CurrentQuestionType = 11;
    for (int n = 0; n < 9; ++n)
        s.SoundFiles[static_cast<std::size_t>(n)] = "sound" + std::to_string(n) + ".wav";
}

// The box that shows bar i's description.
int boxOf(const QMatch& m, int bar)
{
    for (int k = 0; k < 5; ++k)
        if (m.AnswerBar[k] == bar)
            return k;
    return -1;
}

// Press on a bar, move over a box and release there.
void dragTo(QPushButton* bar, QWidget* box)
{
    QTest::mousePress(bar, Qt::LeftButton, {}, bar->rect().center());
    const QPoint inBox = box->rect().topLeft() + QPoint(8, box->height() / 2);
    QWidget* top = box->window();
    QTest::mouseMove(top, top->mapFromGlobal(box->mapToGlobal(inBox)));
    QTest::mouseRelease(box, Qt::LeftButton, {}, inBox);
}

// A click on a bar, then a click on a box.
void clickClick(QPushButton* bar, QWidget* box)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->rect().center());
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().topLeft() + QPoint(8, box->height() / 2));
}

struct Done {
    std::string text, title;
};

Done pressDone(QMatch& m)
{
    Done d;
    onNextModal([&d](QWidget* w) {
        auto* score = qobject_cast<ShowScor*>(w);
        if (!score)
            return;
        d.text = score->resultText();
        d.title = ss(score->Label1->text());
        score->accept();
    });
    QTest::mouseClick(m.Command1, Qt::LeftButton);
    return d;
}

}  // namespace

class TestQMatch : public QObject {
    Q_OBJECT
private slots:
    void loadBuildsTheQuestion()
    {
        ProgramDir dir;
        TestState ts;
        fiveBattles(ts.state);
        QMatch m(ts.state);
        m.load();
        QCOMPARE(m.windowTitle(), QString("Match 'em"));
        QCOMPARE(m.Label1->text(), QString("Which commanders fought ?"));
        std::set<QString> names;
        for (int i = 0; i < 5; ++i) {
            names.insert(m.Btn1[i]->text());
            QCOMPARE(m.PlacedBar[i], int16_t(-1));
            const int item = ts.state.QuestionItems[i];
            QCOMPARE(m.Btn1[i]->text(), QString::fromStdString(ts.state.item(item).Name));
            QCOMPARE(m.Label2[boxOf(m, i)]->text(), QString::fromStdString(ts.state.item(item).Commanders));
        }
        QCOMPARE(names.size(), std::size_t(5));
        QCOMPARE(m.AnswerBar[4], int16_t(4));
        QCOMPARE(m.Btn1[3]->geometry(), twipsRect(3600, 360, 3975, 435));
        QCOMPARE(dir.read("zelquiz.log").substr(0, 30), std::string("Match commanders and battles\r\n"));
    }

    void theBottomBoxIsNeverShuffled()
    {
        ProgramDir dir;
        TestState ts(3);
        fiveBattles(ts.state);
        ts.state.settings.LogLevel = 0;
        std::set<int> firstBoxes;
        for (int n = 0; n < 200; ++n) {
            ts.state.TimesUsed.assign(6, 0);
            QMatch m(ts.state);
            m.load();
            QCOMPARE(m.AnswerBar[4], int16_t(4));
            std::set<int> perm(m.AnswerBar.begin(), m.AnswerBar.begin() + 5);
            QCOMPARE(perm.size(), std::size_t(5));
            firstBoxes.insert(m.AnswerBar[0]);
        }
        QCOMPARE(firstBoxes, (std::set<int>{0, 1, 2, 3}));
    }

    void captionFontSizesByLength()
    {
        QCOMPARE(QMatch::captionFontSize(18), 13.5);
        QCOMPARE(QMatch::captionFontSize(19), 14.0);
        QCOMPARE(QMatch::captionFontSize(23), 14.0);
        QCOMPARE(QMatch::captionFontSize(24), 12.0);
        QCOMPARE(QMatch::captionFontSize(25), 12.0);
        QCOMPARE(QMatch::captionFontSize(26), 10.0);
        QCOMPARE(QMatch::captionFontSize(32), 10.0);
        QCOMPARE(QMatch::captionFontSize(33), 8.0);
    }

    void allRightByDragAndByClickAndClick()
    {
        ProgramDir dir;
        TestState ts;
        fiveBattles(ts.state);
        ts.state.settings.LogLevel = 1;
        QMatch m(ts.state);
        m.load();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        for (int i = 0; i < 3; ++i)
            dragTo(m.Btn1[i], m.Label2[boxOf(m, i)]);
        QCOMPARE(m.Label4->text(), QString("2 mousedown"));
        for (int i = 3; i < 5; ++i)
            clickClick(m.Btn1[i], m.Label2[boxOf(m, i)]);
        QCOMPARE(m.Label4->text(), QString("4 click"));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(m.PlacedBar[boxOf(m, i)], int16_t(i));
        // The placed bar sits in its description's row.
        QCOMPARE(m.Btn1[0]->y(), m.Label2[boxOf(m, 0)]->y());
        const Done d = pressDone(m);
        QCOMPARE(d.text, std::string("*** All correct!"));
        QCOMPARE(d.title, std::string("Results for Matching Match commanders and battles"));
        QCOMPARE(int(ts.state.player().Score), 25);
        QCOMPARE(int(ts.state.player().Possible), 25);
        QCOMPARE(ts.sound.played.back(), std::string("sound5.wav"));
        // Bars 3 and 4 were clicked (sound 1) before each drop (sound 2).
        QCOMPARE(std::count(ts.sound.played.begin(), ts.sound.played.end(), std::string("sound1.wav")), 2);
        QCOMPARE(std::count(ts.sound.played.begin(), ts.sound.played.end(), std::string("sound2.wav")), 5);
        // Picked: +10 for slot 0, +1 for the others; then +4 for each right pair.
        for (int slot = 0; slot < 5; ++slot)
            QCOMPARE(int(ts.state.TimesUsed[ts.state.QuestionItems[slot]]), slot == 0 ? 14 : 5);
        const std::string log = dir.read("zelquiz.log");
        QVERIFY(log.size() > 17 && log.substr(log.size() - 19) == " *** All correct!\r\n");
    }

    void nothingPlacedAndThreeRight()
    {
        ProgramDir dir;
        {
            TestState ts;
            fiveBattles(ts.state);
            QMatch m(ts.state);
            m.load();
            m.show();
            const Done d = pressDone(m);
            QCOMPARE(d.text, std::string("\r\n*** Scored 0 of 25"));
            QCOMPARE(int(ts.state.player().Possible), 25);
            QCOMPARE(int(ts.state.player().Score), 0);
        }
        TestState ts;
        fiveBattles(ts.state);

        ts.state.settings.LogLevel = 2;
        QMatch m(ts.state);
        m.load();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        for (int i = 0; i < 3; ++i)
            dragTo(m.Btn1[i], m.Label2[boxOf(m, i)]);
        // Bars 3 and 4 on each other's boxes.
        dragTo(m.Btn1[3], m.Label2[boxOf(m, 4)]);
        dragTo(m.Btn1[4], m.Label2[boxOf(m, 3)]);
        const Done d = pressDone(m);
        auto line = [&](int bar) {
            const ItemRecord& r = ts.state.item(ts.state.QuestionItems[bar]);
            return r.Name + " = " + r.Commanders;
        };
        const std::string a = line(3), b = line(4);
        const bool order34 = boxOf(m, 4) < boxOf(m, 3);
        QCOMPARE(d.text, "\r\n" + (order34 ? a : b) + "\r\n" + (order34 ? b : a) + "\r\n*** Scored 15 of 25");
        QCOMPARE(int(ts.state.player().Score), 15);
        QCOMPARE(ts.sound.played.back(), std::string("sound8.wav"));
        QCOMPARE(int(ts.state.TimesUsed[ts.state.QuestionItems[3]]), 0);  // picked +1, then -1
        QCOMPARE(int(ts.state.TimesUsed[ts.state.QuestionItems[0]]), 14);
        const std::string log = dir.read("zelquiz.log");
        QVERIFY(log.find(a + "\r\n") != std::string::npos && log.find(b + "\r\n") != std::string::npos);
    }

    void aBarOnTwoBoxesAndTwoBarsOnOneBox()
    {
        ProgramDir dir;
        TestState ts;
        fiveBattles(ts.state);
        QMatch m(ts.state);
        m.load();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        const int box0 = boxOf(m, 0), box1 = boxOf(m, 1);
        dragTo(m.Btn1[0], m.Label2[box1]);
        dragTo(m.Btn1[0], m.Label2[box0]);
        QCOMPARE(m.PlacedBar[box1], int16_t(0));
        QCOMPARE(m.PlacedBar[box0], int16_t(0));
        // A later bar on the same box replaces the record there only.
        dragTo(m.Btn1[2], m.Label2[box0]);
        QCOMPARE(m.PlacedBar[box0], int16_t(2));
        QCOMPARE(m.PlacedBar[box1], int16_t(0));
        const Done d = pressDone(m);
        QCOMPARE(int(ts.state.player().Score), 0);
        QCOMPARE(std::count(d.text.begin(), d.text.end(), '='), std::ptrdiff_t(2));
    }

    void aDropElsewhereChangesNothing()
    {
        ProgramDir dir;
        TestState ts;
        fiveBattles(ts.state);
        QMatch m(ts.state);
        m.load();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        const QPoint home = m.Btn1[1]->pos();
        QTest::mousePress(m.Btn1[1], Qt::LeftButton, {}, m.Btn1[1]->rect().center());
        QVERIFY(m.drag()->active());
        QVERIFY(m.drag()->outline()->isVisible());
        QTest::mouseMove(&m, m.Label1->mapTo(&m, QPoint(5, 5)));
        QTest::mouseRelease(m.Label1, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!m.drag()->active());
        QCOMPARE(m.Btn1[1]->pos(), home);
        for (int k = 0; k < 5; ++k)
            QCOMPARE(m.PlacedBar[k], int16_t(-1));
        // A click on a bar and then on the prompt: nothing either.
        QTest::mouseClick(m.Btn1[1], Qt::LeftButton, {}, m.Btn1[1]->rect().center());
        QVERIFY(m.drag()->active() && !m.drag()->buttonHeld());
        QTest::mouseClick(m.Label1, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!m.drag()->active());
        QCOMPARE(m.Btn1[1]->pos(), home);
    }

    void skipAndHelp()
    {
        ProgramDir dir;
        TestState ts;
        fiveBattles(ts.state);
        QMatch m(ts.state);
        m.load();
        m.show();
        QTest::mouseClick(m.cmdhelp, Qt::LeftButton);
        QVERIFY(QString::fromStdString(ts.notifier.messages.back()).startsWith("Click on one of the colored bars at the top\r\n"));
        QTest::mouseClick(m.Command2, Qt::LeftButton);
        QVERIFY(!m.isVisible());
        QCOMPARE(int(ts.state.player().Possible), 0);
    }

    void resizeRuleUsesSlotTwo()
    {
        ProgramDir dir;
        TestState ts;
        fiveBattles(ts.state);
        ts.state.settings.WindowMemory[2] = {0, 0, 7000, 9600};
        QMatch m(ts.state);
        m.load();
        m.show();
        // Restored before the window has a frame: the frame may add a few pixels.
        QVERIFY(std::abs(outerWidthTwips(&m) - 9600) <= 90);
        QCOMPARE(m.Frame1->width(), twipsToPx(outerWidthTwips(&m) - 100));
        const int stored = ts.state.settings.WindowMemory[2].Width;
        setOuterSizeTwips(&m, 2900, 5000);
        QCOMPARE(int(ts.state.settings.WindowMemory[2].Width), stored);  // too narrow: not stored
        const int boxWidth = m.Label2[0]->width();
        setOuterSizeTwips(&m, 10000, 7000);
        QCOMPARE(int(ts.state.settings.WindowMemory[2].Width), outerWidthTwips(&m));
        QVERIFY(std::abs(outerWidthTwips(&m) - 10000) < 30);
        QVERIFY(m.Label2[0]->width() > boxWidth);
        QVERIFY(dir.exists("zel.INI"));
    }
};

QTEST_MAIN(TestQMatch)
#include "test_qmatch.moc"
