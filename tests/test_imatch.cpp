// The image matching screen: pictures, drags onto them, scoring and the resize rule.
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <set>

#include "platform/controldrag.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/imatch.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// Four people with portraits of their own (type 15); written as real JPEG files.
void fourPeople(GameState& s, const ProgramDir& dir, bool sharedPicture = false)
{
    std::vector<ItemRecord> items;
    for (int i = 0; i < 4; ++i) {
        ItemRecord r = person("Person " + std::to_string(i), int16_t(1800 + i), 1870, "desc");
        r.ImageFile = sharedPicture && i >= 2 ? "shared.jpg" : "p" + std::to_string(i) + ".jpg";
        QImage img(40 + i, 50, QImage::Format_RGB32);
        img.fill(QColor(60 * i, 100, 200));
        img.save(dir.file(QString::fromStdString(r.ImageFile)), "JPG");
        items.push_back(r);
    }
    setItems(s, items);
    s.CurrentQuestionType = 15;
    for (int n = 0; n < 9; ++n)
        s.SoundFiles[static_cast<std::size_t>(n)] = "sound" + std::to_string(n) + ".wav";
}

int boxOf(const IMatch& m, int bar)
{
    for (int k = 0; k < 4; ++k)
        if (m.AnswerBar[k] == bar)
            return k;
    return -1;
}

void dragTo(IMatch& m, int bar, int box)
{
    QPushButton* b = m.Btn1[bar];
    QLabel* target = m.Image1[box];
    QTest::mousePress(b, Qt::LeftButton, {}, b->rect().center());
    const QPoint inBox(target->width() / 2, 8);  // the upper part, clear of any bar standing on it
    QTest::mouseMove(&m, target->mapTo(&m, inBox));
    QTest::mouseRelease(target, Qt::LeftButton, {}, inBox);
}

std::string pressDone(IMatch& m)
{
    std::string text;
    onNextModal([&text](QWidget* w) {
        if (auto* score = qobject_cast<ShowScor*>(w)) {
            text = score->resultText() + "|" + ss(score->Label1->text());
            score->accept();
        }
    });
    QTest::mouseClick(m.Command1, Qt::LeftButton);
    return text;
}

}  // namespace

class TestIMatch : public QObject {
    Q_OBJECT
private slots:
    void picturesAreLoadedSquareAndShuffledButTheLastOne()
    {
        ProgramDir dir;
        TestState ts(11);
        fourPeople(ts.state, dir);
        std::set<int> firstBoxes;
        for (int n = 0; n < 100; ++n) {
            ts.state.TimesUsed.assign(5, 0);
            IMatch m(ts.state);
            m.load();
            QCOMPARE(m.AnswerBar[3], int16_t(3));
            firstBoxes.insert(m.AnswerBar[0]);
            for (int k = 0; k < 4; ++k) {
                const ItemRecord& r = ts.state.item(ts.state.QuestionItems[m.AnswerBar[k]]);
                QCOMPARE(m.pictureFile(k), QString::fromStdString(r.ImageFile));
                QVERIFY(!m.Image1[k]->pixmap().isNull());
                QCOMPARE(m.Image1[k]->width(), m.Image1[k]->height());
            }
        }
        QCOMPARE(firstBoxes, (std::set<int>{0, 1, 2}));
    }

    void captionFontSizes()
    {
        QCOMPARE(IMatch::captionFontSize(11), 18.0);
        QCOMPARE(IMatch::captionFontSize(12), 14.0);
        QCOMPARE(IMatch::captionFontSize(15), 12.0);
        QCOMPARE(IMatch::captionFontSize(18), 10.0);
        QCOMPARE(IMatch::captionFontSize(21), 10.0);
        QCOMPARE(IMatch::captionFontSize(22), 8.0);
    }

    void aMissingPictureShowsItsFileName()
    {
        ProgramDir dir;
        TestState ts;
        fourPeople(ts.state, dir);
        ts.state.item(1).ImageFile = "gone.jpg";
        dir.write("p1.jpg", "not a picture");
        ts.state.item(2).ImageFile = "p1.jpg";
        IMatch m(ts.state);
        m.load();
        for (int k = 0; k < 4; ++k) {
            const QString file = m.pictureFile(k);
            if (file == "gone.jpg" || file == "p1.jpg") {
                QVERIFY(m.Image1[k]->pixmap().isNull());
                QCOMPARE(m.Image1[k]->text(), file);
            }
        }
    }

    void statesShowTheirMaps()
    {
        ProgramDir dir;
        TestState ts;
        std::vector<ItemRecord> items;
        for (int i = 0; i < 4; ++i) {
            ItemRecord r = test::event("Battle " + std::to_string(i), Battle, 1862, "d");
            r.State = int16_t(i + 1);
            items.push_back(r);
        }
        setItems(ts.state, items);
        ts.state.CurrentQuestionType = 14;
        IMatch m(ts.state);
        m.load();
        std::set<QString> maps;
        for (int k = 0; k < 4; ++k)
            maps.insert(m.pictureFile(k));
        QCOMPARE(maps, (std::set<QString>{"Al.jpg", "Va.jpg", "Ms.jpg", "SC.jpg"}));
        QCOMPARE(dir.read("zelquiz.log").substr(0, 32), std::string("Match Match battles and states\r\n"));
    }

    void scoringByPosition()
    {
        ProgramDir dir;
        {
            TestState ts;
            fourPeople(ts.state, dir);
            IMatch m(ts.state);
            m.load();
            m.show();
            QCOMPARE(pressDone(m), std::string("\r\n\r\n*** Scored 0 of 4|Results for Match portraits to names"));
            QCOMPARE(int(ts.state.player().Possible), 20);
            QCOMPARE(ts.sound.played.back(), std::string("sound8.wav"));
        }
        {
            TestState ts;
            fourPeople(ts.state, dir);
            IMatch m(ts.state);
            m.load();
            m.show();
            QVERIFY(QTest::qWaitForWindowExposed(&m));
            for (int i = 0; i < 4; ++i)
                dragTo(m, i, boxOf(m, i));
            QCOMPARE(pressDone(m), std::string("*** All correct!|Results for Match portraits to names"));
            QCOMPARE(int(ts.state.player().Score), 20);
            QCOMPARE(ts.sound.played.back(), std::string("sound5.wav"));
            QCOMPARE(std::count(ts.sound.played.begin(), ts.sound.played.end(), std::string("sound0.wav")), 4);
            QCOMPARE(std::count(ts.sound.played.begin(), ts.sound.played.end(), std::string("sound1.wav")), 4);
        }
        // Two people share one picture file: a bar on the other one's picture is still wrong.
        TestState ts;
        fourPeople(ts.state, dir, true);
        IMatch m(ts.state);
        m.load();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        int shared[2] = {-1, -1};
        for (int bar = 0; bar < 4; ++bar)
            if (ts.state.item(ts.state.QuestionItems[bar]).ImageFile == "shared.jpg")
                (shared[0] < 0 ? shared[0] : shared[1]) = bar;
        QVERIFY(shared[1] >= 0);
        dragTo(m, shared[0], boxOf(m, shared[1]));
        dragTo(m, shared[1], boxOf(m, shared[0]));
        const std::string text = pressDone(m);
        const std::string a = ts.state.item(ts.state.QuestionItems[shared[0]]).Name;
        const std::string b = ts.state.item(ts.state.QuestionItems[shared[1]]).Name;
        QVERIFY2(text.find(a + " placed on image of " + b) != std::string::npos, text.c_str());
        QVERIFY(text.find(b + " placed on image of " + a) != std::string::npos);
        QVERIFY(text.find("*** Scored 0 of 4") != std::string::npos);
        QCOMPARE(int(ts.state.player().Score), 0);
    }

    void placingMovesAndDisplacesBars()
    {
        ProgramDir dir;
        TestState ts;
        fourPeople(ts.state, dir);
        IMatch m(ts.state);
        m.load();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        const QPoint home0 = m.Btn1[0]->pos();
        dragTo(m, 0, 1);
        QCOMPARE(m.PlacedBar[1], int16_t(0));
        // Centred at the bottom of the picture.
        QVERIFY(std::abs(m.Btn1[0]->geometry().center().x() - m.Image1[1]->geometry().center().x()) <= 1);
        QVERIFY(std::abs(m.Btn1[0]->geometry().bottom() - m.Image1[1]->geometry().bottom()) <= 2);
        dragTo(m, 0, 2);
        QCOMPARE(m.PlacedBar[1], int16_t(-1));
        QCOMPARE(m.PlacedBar[2], int16_t(0));
        dragTo(m, 0, 2);
        QCOMPARE(int(std::count(m.PlacedBar.begin(), m.PlacedBar.end(), int16_t(0))), 1);
        // Bar 1 on picture 2 sends bar 0 home.
        dragTo(m, 1, 2);
        QCOMPARE(m.PlacedBar[2], int16_t(1));
        QCOMPARE(m.Btn1[0]->pos(), home0);
        // A release anywhere else changes nothing; a click alone starts no drag.
        const QPoint at = m.Btn1[3]->pos();
        QTest::mousePress(m.Btn1[3], Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(m.Command2, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(m.Btn1[3]->pos(), at);
        QVERIFY(!m.drag()->active());
        QCOMPARE(m.PlacedBar[3], int16_t(-1));
    }

    void resizeSendsBarsHomeAndKeepsThePlacements()
    {
        ProgramDir dir;
        TestState ts;
        fourPeople(ts.state, dir);
        IMatch m(ts.state);
        m.load();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        for (int i = 0; i < 4; ++i)
            dragTo(m, i, boxOf(m, i));
        const int stored = ts.state.settings.WindowMemory[8].Height;
        setOuterSizeTwips(&m, 9000, 3900);  // too low: nothing moves, nothing stored
        QCOMPARE(int(ts.state.settings.WindowMemory[8].Height), stored);
        QVERIFY(m.Btn1[0]->y() != twipsToPx(m.HomeTop[0]) || m.Btn1[0]->x() != twipsToPx(m.HomeLeft[0]));
        setOuterSizeTwips(&m, 10000, 8000);
        QCOMPARE(int(ts.state.settings.WindowMemory[8].Height), outerHeightTwips(&m));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(m.Btn1[i]->pos(), QPoint(twipsToPx(m.HomeLeft[i]), twipsToPx(m.HomeTop[i])));
        QVERIFY(m.Btn1[0]->x() < m.Btn1[3]->x());
        QCOMPARE(m.Image1[0]->width(), m.Image1[0]->height());
        QVERIFY(m.Image1[3]->y() > m.Image1[1]->y() && m.Image1[3]->x() > m.Image1[2]->x());
        QCOMPARE(pressDone(m).substr(0, 16), std::string("*** All correct!"));
    }

    void helpAndSkip()
    {
        ProgramDir dir;
        TestState ts;
        fourPeople(ts.state, dir);
        IMatch m(ts.state);
        m.load();
        m.show();
        QTest::mouseClick(m.cmdhelp, Qt::LeftButton);
        QVERIFY(QString::fromStdString(ts.notifier.messages.back()).endsWith("Resize window to change image size"));
        QTest::mouseClick(m.Command2, Qt::LeftButton);
        QVERIFY(!m.isVisible());
        QCOMPARE(int(ts.state.player().Possible), 0);
    }
};

QTEST_MAIN(TestIMatch)
#include "test_imatch.moc"
