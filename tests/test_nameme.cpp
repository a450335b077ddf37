// The letter-guessing screen: load, typing from any control, wins, losses, the threat
// picture, repeated and non-letter keys, and leaving the question.
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <cmath>

#include "engine/questionbuilder.h"
#include "platform/twips.h"
#include "screens/nameme.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// Writes a JPEG of a given size; the size tells afterwards which file a control shows.
void writeJpeg(const QString& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(90, 60, 30));
    QVERIFY(image.save(path, "JPG"));
}

// Threat picture n is 10n by 10n + 3 pixels.
QSize threatSize(int n)
{
    return {10 * n, 10 * n + 3};
}

// One person with a portrait, so the pick is certain; sounds named by number.
void nameMeSetup(TestState& ts, const ProgramDir& dir, const std::string& name, int maxDifficulty,
                 bool writeThreats = true)
{
    ItemRecord p = person(name, 1820, 1870, "A general");
    p.ImageFile = "portrait.jpg";
    setItems(ts.state, {p});
    ts.state.CurrentQuestionType = 16;
    ts.state.settings.MaxDifficulty = int16_t(maxDifficulty);
    for (int i = 0; i < 9; ++i)
        ts.state.SoundFiles[std::size_t(i)] = "s" + std::to_string(i) + ".wav";
    writeJpeg(dir.file("portrait.jpg"), 64, 48);
    if (writeThreats)
        for (int n = 1; n <= 6; ++n)
            writeJpeg(dir.file(QString("cannon%1.jpg").arg(n)), threatSize(n).width(), threatSize(n).height());
}

int countSound(const TestState& ts, int n)
{
    return int(std::count(ts.sound.played.begin(), ts.sound.played.end(), "s" + std::to_string(n) + ".wav"));
}

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

// Types on the control that has the focus, as a player does.
void type(NameMe& form, const QString& keys)
{
    for (QChar c : keys) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
        QTest::keyClick(target, c.toLatin1());
    }
}

void showWithQuitFocused(NameMe& form)
{
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    form.Command1->setFocus();
    QCoreApplication::processEvents();
}

QSize pixmapSize(const QLabel* l)
{
    return l->pixmap().isNull() ? QSize() : l->pixmap().size();
}

// Where the threat picture must be after n wrong letters, worked out from the design rectangle.
QRect expectedThreat(int n)
{
    const double w = 1215 * std::pow(1.2, n);
    const double cx = 6000 + 1215 / 2.0, cy = 1320 + 1455 / 2.0;
    auto r = [](double v) { return int(std::lround(v)); };
    return twipsRect(r(cx - w / 2), r(cy - w / 2), r(w), r(w));
}

}  // namespace

class TestNameMe : public QObject {
    Q_OBJECT
private slots:
    void loadShowsPictureAndBlanks()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "John B. Hood", 1);
        NameMe form(ts.state);
        QCOMPARE(form.objectName(), QString("NameMe"));
        QCOMPARE(form.windowTitle(), QString("Name Me -- Press the letter keys to enter my name... "));
        QCOMPARE(int(ts.state.CurrentItem), 1);
        QCOMPARE(int(ts.state.QuestionItems[0]), 1);
        QCOMPARE(int(ts.state.TimesUsed[1]), 10);
        QCOMPARE(form.TargetWord, std::string("JOHN B. HOOD"));
        QCOMPARE(form.RevealMask, std::string("**** *. ****"));
        QCOMPARE(form.Label2->text(), QString("_ _ _ _   _ .   _ _ _ _ "));
        // Twelve characters, spaces and full stop included, are shown in 18-point type.
        QCOMPARE(form.Label2->font().pointSizeF(), 18.0);
        QCOMPARE(form.Label1->text(), QString());
        QVERIFY(form.Label3->isHidden());
        QCOMPARE(form.Label3->text(), QString("Guess the word before the cannon can appear!"));
        QVERIFY(!form.Image1->isHidden());
        QVERIFY(form.Image1->pixmap().isNull());
        QCOMPARE(form.Image1->geometry(), twipsRect(6000, 1320, 1215, 1455));
        // The portrait is loaded and made square.
        QCOMPARE(pixmapSize(form.Image2), QSize(64, 48));
        QCOMPARE(form.Image2->geometry(), twipsRect(360, 480, 4095, 4095));
        QCOMPARE(form.Command1->text(), QString("quit"));
        QCOMPARE(form.size(), QSize(twipsToPx(8610), twipsToPx(6330)));
        QCOMPARE(form.MaxTries, int16_t(6));
    }

    void pictureKeepsItsShapeWhenNotSquare()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "John B. Hood", 9);
        ts.state.SquarePictures = 0;
        NameMe form(ts.state);
        QCOMPARE(form.Image2->geometry(), twipsRect(360, 480, 4095, 2655));
        type(form, "Q");
        const int w = int(std::lround(1215 * 1.2)), h = int(std::lround(1455 * 1.2));
        QCOMPARE(form.Image1->geometry(),
                 twipsRect(int(std::lround(6607.5 - 1215 * 1.2 / 2)), int(std::lround(2047.5 - 1455 * 1.2 / 2)), w, h));
    }

    void fontSizeFollowsLength()
    {
        const std::pair<int, double> cases[] = {{1, 24}, {11, 24}, {12, 18}, {16, 18}, {17, 14},
                                                {18, 14}, {19, 12}, {22, 12}, {23, 10}, {40, 10}};
        for (auto [length, points] : cases) {
            ProgramDir dir;
            TestState ts;
            nameMeSetup(ts, dir, std::string(std::size_t(length), 'a'), 1, false);
            NameMe form(ts.state);
            QCOMPARE(form.TargetWord.size(), std::size_t(length));
            QCOMPARE(form.Label2->font().pointSizeF(), points);
        }
    }

    void triesFollowMaximumDifficulty()
    {
        const std::pair<int, int> cases[] = {{0, 7}, {1, 6}, {2, 5}, {3, 4}, {4, 4}, {9, 4}};
        for (auto [difficulty, tries] : cases) {
            ProgramDir dir;
            TestState ts;
            nameMeSetup(ts, dir, "Lee", difficulty, false);
            NameMe form(ts.state);
            QCOMPARE(int(form.MaxTries), tries);
        }
    }

    void winAfterTwoWrongLettersWithFourTries()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "John B. Hood", 9);
        ts.state.settings.LogLevel = 0;
        NameMe form(ts.state);
        showWithQuitFocused(form);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.Command1));

        // Typing works while the quit button has the focus, in either case.
        type(form, "xZ");
        QCOMPARE(form.Label1->text(), QString(" X Z"));
        QCOMPARE(form.WrongCount, 2);
        QVERIFY(!form.Label3->isHidden());
        type(form, "jOhN");
        QCOMPARE(form.Label2->text(), QString("J O H N   _ .   H O O _ "));
        QVERIFY(form.isVisible());

        ScoreSeen seen;
        closeNextScore(seen);
        type(form, "bd");
        QVERIFY(seen.shown);
        QCOMPARE(seen.result, std::string("You got it!"));
        QCOMPARE(seen.title, std::string("Results for Name me"));
        QCOMPARE(seen.caption, std::string("Current score: 2 of 4  (50%)"));
        QCOMPARE(ts.state.player().Score, int16_t(2));
        QCOMPARE(ts.state.player().Possible, int16_t(4));
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(ts.sound.played.back(), std::string("s5.wav"));
        QCOMPARE(countSound(ts, 6), 2);
        QCOMPARE(countSound(ts, 8), 0);
        // No usage change and no log line from this screen.
        QCOMPARE(int(ts.state.TimesUsed[1]), 10);
        QVERIFY(dir.read("zelquiz.log").empty());
        QVERIFY(ts.notifier.messages.empty());
    }

    void lossRevealsTheWordAndTheNextKeyCloses()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "John B. Hood", 1);
        NameMe form(ts.state);
        showWithQuitFocused(form);
        const QString wrong = "QXZVWK";
        for (int i = 0; i < wrong.size(); ++i) {
            type(form, wrong.mid(i, 1));
            const int n = i + 1;
            // Pictures count down from the number of tries to 1, and the picture grows about its centre.
            QCOMPARE(pixmapSize(form.Image1), threatSize(6 - n + 1));
            QCOMPARE(form.Image1->geometry(), expectedThreat(n));
            QVERIFY(!form.Image1->isHidden());
            QCOMPARE(form.threatWidth(), 1215 * std::pow(1.2, n));
            if (n < 6) {
                QCOMPARE(form.GameOver, 0);
                QCOMPARE(ts.state.player().Possible, int16_t(0));
            }
        }
        QCOMPARE(form.GameOver, 1);
        QCOMPARE(form.Label2->text(), QString("JOHN B. HOOD"));
        QCOMPARE(form.Label1->text(), QString("Better luck next time!"));
        QCOMPARE(form.Label3->text(), QString("Too many tries!"));
        QCOMPARE(ts.sound.played.back(), std::string("s8.wav"));
        QCOMPARE(ts.state.player().Score, int16_t(0));
        QCOMPARE(ts.state.player().Possible, int16_t(6));
        QVERIFY(form.isVisible());

        // Any key closes now, a non-letter too, without a message or more scoring.
        type(form, "5");
        QVERIFY(!form.isVisible());
        QVERIFY(ts.notifier.messages.empty());
        QCOMPARE(ts.state.player().Possible, int16_t(6));
    }

    void missingThreatPictureShowsNothingAndPlayGoesOn()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "John B. Hood", 9);
        QVERIFY(QFile::remove(dir.file("cannon3.jpg")));
        NameMe form(ts.state);
        type(form, "Q");
        QCOMPARE(pixmapSize(form.Image1), threatSize(4));
        type(form, "X");
        QVERIFY(form.Image1->pixmap().isNull());
        QCOMPARE(form.Image1->geometry(), expectedThreat(2));
        type(form, "Z");
        QCOMPARE(pixmapSize(form.Image1), threatSize(2));
        type(form, "V");
        QCOMPARE(pixmapSize(form.Image1), threatSize(1));
        QCOMPARE(form.GameOver, 1);
        QCOMPARE(ts.state.player().Possible, int16_t(4));
    }

    void missingPortraitShowsNothing()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "Lee", 9);
        QVERIFY(QFile::remove(dir.file("portrait.jpg")));
        NameMe form(ts.state);
        QVERIFY(form.Image2->pixmap().isNull());
        ScoreSeen seen;
        closeNextScore(seen);
        type(form, "LE");
        QVERIFY(seen.shown);
        QCOMPARE(ts.state.player().Score, int16_t(4));
    }

    void repeatedLettersCostNothing()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "John B. Hood", 9);
        NameMe form(ts.state);
        type(form, "X");
        const QRect afterOne = form.Image1->geometry();
        type(form, "Xx");
        QCOMPARE(form.Label1->text(), QString(" X"));
        QCOMPARE(form.WrongCount, 1);
        QCOMPARE(countSound(ts, 6), 1);
        QCOMPARE(form.Image1->geometry(), afterOne);
        QCOMPARE(pixmapSize(form.Image1), threatSize(4));

        // A right letter again plays its sound once per place and changes nothing.
        type(form, "O");
        QCOMPARE(countSound(ts, 3), 3);
        const QString shown = form.Label2->text();
        QCOMPARE(shown, QString("_ O _ _   _ .   _ O O _ "));
        type(form, "oO");
        QCOMPARE(countSound(ts, 3), 9);
        QCOMPARE(form.Label2->text(), shown);
        QCOMPARE(form.Label1->text(), QString(" X"));
        QCOMPARE(form.WrongCount, 1);
        QCOMPARE(countSound(ts, 6), 1);
        QCOMPARE(ts.state.player().Possible, int16_t(0));
    }

    void lowerCaseCountsAsItsCapital()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "Jubal Early", 9);
        NameMe form(ts.state);
        QCOMPARE(form.Label2->font().pointSizeF(), 24.0);
        type(form, "a");
        QCOMPARE(form.Label2->text(), QString("_ _ _ A _   _ A _ _ _ "));
        type(form, "q");
        QCOMPARE(form.Label1->text(), QString(" Q"));
        type(form, "Q");
        QCOMPARE(form.WrongCount, 1);
    }

    void nonLetterKeysGetAMessageOnly()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "John B. Hood", 9);
        NameMe form(ts.state);
        showWithQuitFocused(form);
        QTest::keyClick(form.Command1, '5');
        QTest::keyClick(form.Command1, '.');
        QTest::keyClick(form.Command1, Qt::Key_Backspace);
        // Enter, Space and Escape on the focused quit button are keys for the game, not for the button.
        QTest::keyClick(form.Command1, Qt::Key_Return);
        QTest::keyClick(form.Command1, Qt::Key_Space);
        QTest::keyClick(form.Command1, Qt::Key_Escape);
        QCOMPARE(ts.notifier.messages, std::vector<std::string>(6, "Press a letter, only"));
        QVERIFY(form.isVisible());
        QCOMPARE(form.WrongCount, 0);
        QCOMPARE(form.Label1->text(), QString());
        QVERIFY(ts.sound.played.empty());
        // A key that types nothing (Shift on its own, an arrow) is not a key press of the game.
        QTest::keyClick(form.Command1, Qt::Key_Shift);
        QTest::keyClick(form.Command1, Qt::Key_Left);
        QCOMPARE(ts.notifier.messages.size(), std::size_t(6));
    }

    void namesWithOtherCharactersCanBeWon()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "D'Arcy Ames-Holt 3rd", 9);
        NameMe form(ts.state);
        QCOMPARE(form.Label2->text(), QString("_ ' _ _ _ _   _ _ _ _ - _ _ _ _   3 _ _ "));
        QCOMPARE(form.Label2->font().pointSizeF(), 12.0);
        ScoreSeen seen;
        closeNextScore(seen);
        type(form, "darcymeshlot");
        QVERIFY(!form.isVisible());
        QVERIFY(seen.shown);
        QCOMPARE(ts.state.player().Score, int16_t(4));
        QCOMPARE(ts.state.player().Possible, int16_t(4));
    }

    void quitScoresNothing()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "John B. Hood", 9);
        onNextModal([](QWidget* w) {
            auto* form = qobject_cast<NameMe*>(w);
            QVERIFY(form);
            QTest::keyClick(form->Command1, 'x');
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        });
        NameMe::ask(ts.state, nullptr);
        QCOMPARE(ts.state.player().Score, int16_t(0));
        QCOMPARE(ts.state.player().Possible, int16_t(0));
        QCOMPARE(countSound(ts, 6), 1);
    }

    void quitAfterLossScoresOnlyTheLoss()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "Lee", 9);
        NameMe form(ts.state);
        showWithQuitFocused(form);
        type(form, "QXZV");
        QCOMPARE(form.GameOver, 1);
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(ts.state.player().Possible, int16_t(4));
    }

    void nothingToAskClosesAtOnce()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "Lee", 9);
        // A person without a portrait never qualifies, so the picker gives up.
        ts.state.item(1).ImageFile.clear();
        ModalAutoCloser guard;
        NameMe::ask(ts.state, nullptr);
        QCOMPARE(guard.closed(), 0);
        QCOMPARE(ts.state.player().Possible, int16_t(0));
        NameMe form(ts.state);
        QVERIFY(form.closedAtLoad());
        QCOMPARE(int(ts.state.CurrentItem), 0);

        // A name without a letter to guess is not asked either.
        TestState other;
        nameMeSetup(other, dir, "1863", 9);
        NameMe digits(other.state);
        QVERIFY(digits.closedAtLoad());
    }

    void askedByTheQuestionDispatcher()
    {
        ProgramDir dir;
        TestState ts;
        nameMeSetup(ts, dir, "Lee", 9);
        ScoreSeen seen;
        onNextModal([&seen](QWidget* w) {
            auto* form = qobject_cast<NameMe*>(w);
            QVERIFY(form);
            closeNextScore(seen);
            QTest::keyClick(form->Command1, 'l');
            QTest::keyClick(form->Command1, 'e');
        });
        NameMe::ask(ts.state, nullptr);
        QVERIFY(seen.shown);
        QCOMPARE(seen.caption, std::string("Current score: 4 of 4  (100%)"));
    }
};

QTEST_MAIN(TestNameMe)
#include "test_nameme.moc"
