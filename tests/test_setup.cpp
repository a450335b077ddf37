// The setup screen: layout, the clamping rules of the number boxes, opening and closing.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "data/settings.h"
#include "engine/gamedriver.h"
#include "maint/setup.h"
#include "maint/updown.h"
#include "platform/twips.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// Replaces a box's text by typing, as the player does.
void retype(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Option and check buttons take clicks on their mark and caption, not on the blank beside.
void clickButton(QAbstractButton* b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

void clickEntry(QListWidget* list, int row)
{
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

Settings savedSettings(const ProgramDir& dir)
{
    Settings s;
    s.QuestionsPerGame = -99;  // shows whether the file was read at all
    if (!LoadSettings(dir.file("zel.INI").toStdString(), s))
        s.QuestionsPerGame = -98;
    return s;
}

}  // namespace

class TestSetup : public QObject {
    Q_OBJECT
private slots:
    void layoutCaptionsAndOpening()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.LogLevel = 2;
        ts.state.settings.SoundOn = -1;
        ts.state.settings.CategoryEnabled.fill(0);
        ts.state.settings.CategoryEnabled[3] = -1;
        ts.state.settings.CategoryEnabled[16] = 1;
        Setup form(ts.state);
        QCOMPARE(form.objectName(), QString("setup"));
        QCOMPARE(form.windowTitle(), QString("Bellarune Game Setup"));
        QCOMPARE(form.size(), QSize(twipsToPx(6585), twipsToPx(5895)));

        QCOMPARE(form.frameDiff->title(), QString("Difficulty"));
        QCOMPARE(form.Frame1->title(), QString("Log File Status"));
        QCOMPARE(form.tmindif->parentWidget(), form.frameDiff);
        QCOMPARE(form.UpDown3->parentWidget(), form.frameDiff);
        QCOMPARE(form.Option1[2]->parentWidget(), form.Frame1);
        QCOMPARE(form.tmindif->geometry(), twipsRect(1320, 360, 375, 390));
        QCOMPARE(form.UpDown2->geometry(), twipsRect(1800, 360, 240, 375));
        QCOMPARE(form.tmaxdif->geometry(), twipsRect(1320, 840, 375, 345));
        QCOMPARE(form.nquestion->geometry(), twipsRect(1560, 1680, 495, 495));
        QCOMPARE(form.Option1[1]->geometry(), twipsRect(120, 720, 1695, 375));
        QCOMPARE(form.List1->geometry(), twipsRect(2640, 240, 3855, 4740));
        QCOMPARE(form.cmdok->geometry(), twipsRect(3240, 5160, 615, 615));
        QCOMPARE(form.cmdmakeq->geometry(), twipsRect(4080, 5520, 2295, 375));

        QCOMPARE(form.Label4->text(), QString("Number of questions per game"));
        QCOMPARE(form.Label5->text(), QString("Minimum"));
        QCOMPARE(form.Label6->text(), QString("Maximum"));
        QCOMPARE(form.Check1->text(), QString("Sound effects"));
        QCOMPARE(form.cmdEdit->text(), QString("Edit"));
        QCOMPARE(form.cmdEdit->toolTip(), QString("Change item data"));
        QCOMPARE(form.cmdHelp->text(), QString("Help"));
        QCOMPARE(form.cmdok->text(), QString("OK"));
        QCOMPARE(form.cmdok->toolTip(), QString("Click here to continue"));
        QCOMPARE(form.cmdmakeq->text(), QString("Make online questions"));
        QCOMPARE(form.Option1[0]->text(), QString("Off"));
        QCOMPARE(form.Option1[0]->toolTip(), QString("No logging takes place"));
        QCOMPARE(form.Option1[1]->toolTip(), QString("All questions and incorrect answers are sent to log file"));
        QCOMPARE(form.Option1[2]->text(), QString("Only incorrect"));
        QCOMPARE(form.Option1[2]->toolTip(), QString("Only wrong answers are sent to log file"));
        QCOMPARE(form.List1->toolTip(), QString("Colored items are selected"));
        QCOMPARE(form.nquestion->accessibleName(), QString("Number of questions per game"));

        QCOMPARE(form.tmindif->font().pointSizeF(), 12.0);
        QVERIFY(form.tmindif->font().bold());
        QCOMPARE(form.nquestion->font().pointSizeF(), 13.5);
        QCOMPARE(form.Label5->font().pointSizeF(), 9.75);
        QCOMPARE(form.Frame1->font().pointSizeF(), 12.0);
        // The option buttons name no font: they keep the default, not their frame's.
        QCOMPARE(form.Option1[0]->font().pointSizeF(), 8.25);
        QCOMPARE(form.List1->font().family(), QString("Liberation Sans"));

        // Opening: the stored log level and sound, the categories in type order.
        QVERIFY(form.Option1[2]->isChecked());
        QVERIFY(form.Check1->isChecked());
        QCOMPARE(int(ts.state.settings.SoundOn), 1);
        QCOMPARE(form.List1->count(), 16);
        QCOMPARE(form.List1->selectionMode(), QAbstractItemView::MultiSelection);
        QCOMPARE(form.List1->item(0)->text(), QString("Dates for person"));
        QCOMPARE(form.List1->item(15)->text(), QString("Name me"));
        QVERIFY(form.List1->item(2)->isSelected());
        QVERIFY(form.List1->item(15)->isSelected());
        QCOMPARE(form.List1->selectedItems().size(), 2);
    }

    void clampFunction()
    {
        QCOMPARE(int(Clamp(5, 1, 10)), 5);
        QCOMPARE(int(Clamp(0, 1, 10)), 1);
        QCOMPARE(int(Clamp(25, 1, 10)), 10);
        // Crossed bounds: the high bound wins.
        QCOMPARE(int(Clamp(5, 8, 3)), 3);
        QCOMPARE(int(Clamp(1, 8, 3)), 3);
        // A text of digits counts as its number.
        QCOMPARE(int(Clamp(12, std::string("1"), std::string("9"))), 9);
        QCOMPARE(int(Clamp(2, std::string("3"), std::string("9"))), 3);
    }

    void numberBoxesClampOnEveryChange()
    {
        ProgramDir dir;
        TestState ts;
        Setup form(ts.state);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        retype(form.nquestion, "0");
        QCOMPARE(form.nquestion->text(), QString("1"));
        retype(form.nquestion, "25");  // "2", then "25" becomes 10
        QCOMPARE(form.nquestion->text(), QString("10"));
        QTest::mouseClick(form.UpDown1->up, Qt::LeftButton);
        QCOMPARE(form.nquestion->text(), QString("10"));
        for (int i = 0; i < 12; ++i)
            QTest::mouseClick(form.UpDown1->down, Qt::LeftButton);
        QCOMPARE(form.nquestion->text(), QString("1"));
        QTest::mouseClick(form.UpDown1->up, Qt::LeftButton);
        QCOMPARE(form.nquestion->text(), QString("2"));

        // Maximum 4, then 7 typed into the minimum shows 4.
        retype(form.tmaxdif, "4");
        retype(form.tmindif, "7");
        QCOMPARE(form.tmindif->text(), QString("4"));
        // Minimum 3, then maximum 2 shows 3; 12 shows 9.
        retype(form.tmindif, "3");
        retype(form.tmaxdif, "2");
        QCOMPARE(form.tmaxdif->text(), QString("3"));
        retype(form.tmaxdif, "12");
        QCOMPARE(form.tmaxdif->text(), QString("9"));
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(form.UpDown3->up, Qt::LeftButton);
        QCOMPARE(form.tmaxdif->text(), QString("9"));
        for (int i = 0; i < 9; ++i)
            QTest::mouseClick(form.UpDown3->down, Qt::LeftButton);
        QCOMPARE(form.tmaxdif->text(), QString("3"));  // not below the minimum
        QTest::mouseClick(form.UpDown2->up, Qt::LeftButton);
        QCOMPARE(form.tmindif->text(), QString("3"));  // not above the maximum
        QTest::mouseClick(form.UpDown2->down, Qt::LeftButton);
        QCOMPARE(form.tmindif->text(), QString("2"));

        // A text that is no whole number keeps the last number and shows it on leaving.
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.nquestion->setFocus();
        retype(form.nquestion, "");
        QCOMPARE(form.nquestion->text(), QString());
        QTest::keyClicks(form.nquestion, "7x");
        QCOMPARE(form.nquestion->text(), QString("7x"));
        form.tmindif->setFocus();
        QCOMPARE(form.nquestion->text(), QString("7"));
        retype(form.tmindif, "-");
        form.tmaxdif->setFocus();
        QCOMPARE(form.tmindif->text(), QString("2"));
        retype(form.tmaxdif, "5a");
        QTest::mouseClick(form.cmdok, Qt::LeftButton);
        QCOMPARE(int(ts.state.settings.QuestionsPerGame), 7);
        QCOMPARE(int(ts.state.settings.MinDifficulty), 2);
        QCOMPARE(int(ts.state.settings.MaxDifficulty), 5);
    }

    void storedValuesOpenClampedAndCloseThatWay()
    {
        struct Case {
            int questions, minimum, maximum;
            int shownQuestions, shownMinimum, shownMaximum;
        };
        const Case cases[] = {
            {0, 3, 5, 1, 3, 5}, {40, 1, 1, 10, 1, 1}, {7, 7, 5, 7, 5, 5}, {3, 0, 12, 3, 1, 9}, {5, 2, -4, 5, 1, 1}};
        for (const Case& c : cases) {
            ProgramDir dir;
            TestState ts;
            ts.state.settings.QuestionsPerGame = static_cast<int16_t>(c.questions);
            ts.state.settings.MinDifficulty = static_cast<int16_t>(c.minimum);
            ts.state.settings.MaxDifficulty = static_cast<int16_t>(c.maximum);
            Setup form(ts.state);
            QCOMPARE(form.nquestion->text().toInt(), c.shownQuestions);
            QCOMPARE(form.tmindif->text().toInt(), c.shownMinimum);
            QCOMPARE(form.tmaxdif->text().toInt(), c.shownMaximum);
            form.show();
            form.close();  // the close box
            const Settings saved = savedSettings(dir);
            QCOMPARE(int(saved.QuestionsPerGame), c.shownQuestions);
            QCOMPARE(int(saved.MinDifficulty), c.shownMinimum);
            QCOMPARE(int(saved.MaxDifficulty), c.shownMaximum);
        }
    }

    void closeBoxSavesExactlyAsOk()
    {
        std::string viaOk, viaCloseBox;
        for (int way = 0; way < 2; ++way) {
            ProgramDir dir;
            TestState ts;
            ts.state.settings.SoundOn = 0;
            Setup form(ts.state);
            form.show();
            retype(form.nquestion, "8");
            retype(form.tmaxdif, "6");
            retype(form.tmindif, "2");
            clickEntry(form.List1, 4);
            clickButton(form.Option1[0]);
            clickButton(form.Check1);
            if (way == 0)
                QTest::mouseClick(form.cmdok, Qt::LeftButton);
            else
                form.close();
            QVERIFY(!form.isVisible());
            const Settings saved = savedSettings(dir);
            QCOMPARE(int(saved.QuestionsPerGame), 8);
            QCOMPARE(int(saved.MinDifficulty), 2);
            QCOMPARE(int(saved.MaxDifficulty), 6);
            QCOMPARE(int(saved.LogLevel), 0);
            QCOMPARE(int(saved.SoundOn), 1);
            QCOMPARE(int(saved.CategoryEnabled[5]), 0);  // default on, clicked off
            QCOMPARE(int(saved.CategoryEnabled[6]), -1);
            (way == 0 ? viaOk : viaCloseBox) = dir.read("zel.INI");
        }
        QCOMPARE(viaCloseBox, viaOk);

        // Escape closes too, and saves.
        ProgramDir dir;
        TestState ts;
        Setup form(ts.state);
        form.show();
        retype(form.nquestion, "4");
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(int(savedSettings(dir).QuestionsPerGame), 4);
    }

    void everyCategoryDeselected()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.CategoryEnabled.fill(-1);
        ts.state.settings.CategoryEnabled[0] = 7;
        ts.state.settings.CategoryEnabled[17] = 9;
        Setup form(ts.state);
        form.show();
        for (int row = 0; row < 16; ++row)
            clickEntry(form.List1, row);
        QVERIFY(form.List1->selectedItems().isEmpty());
        // Categories take effect only when the screen closes.
        QCOMPARE(int(ts.state.settings.CategoryEnabled[1]), -1);
        QTest::mouseClick(form.cmdok, Qt::LeftButton);
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(int(ts.state.settings.CategoryEnabled[static_cast<std::size_t>(i)]), 0);
        QCOMPARE(int(ts.state.settings.CategoryEnabled[0]), 7);
        QCOMPARE(int(ts.state.settings.CategoryEnabled[17]), 9);
        const Settings saved = savedSettings(dir);
        QCOMPARE(int(saved.CategoryEnabled[1]), 0);
        QCOMPARE(int(saved.CategoryEnabled[16]), 0);
        QCOMPARE(int(saved.CategoryEnabled[0]), 7);
    }

    void logLevelSoundHelpAndEditActAtOnce()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.LogLevel = 1;
        ts.state.settings.SoundOn = 1;
        ts.state.settings.MaxDifficulty = 7;
        setItems(ts.state, {person("Robert E. Lee", 1807, 1870)});
        Setup form(ts.state);
        form.show();
        clickButton(form.Option1[2]);
        QCOMPARE(int(ts.state.settings.LogLevel), 2);
        clickButton(form.Option1[0]);
        QCOMPARE(int(ts.state.settings.LogLevel), 0);
        clickButton(form.Check1);
        QCOMPARE(int(ts.state.settings.SoundOn), 0);
        clickButton(form.Check1);
        QCOMPARE(int(ts.state.settings.SoundOn), 1);

        // "Make online questions", then a click on "All" (the button chosen on screen).
        clickButton(form.Option1[1]);
        QTest::mouseClick(form.cmdmakeq, Qt::LeftButton);
        QCOMPARE(int(ts.state.settings.LogLevel), 2);
        QCOMPARE(ts.notifier.messages.back(), std::string("Will create question file for online games"));
        QVERIFY(form.Option1[1]->isChecked());
        clickButton(form.Option1[1]);
        QCOMPARE(int(ts.state.settings.LogLevel), 1);

        QTest::mouseClick(form.cmdHelp, Qt::LeftButton);
        QCOMPARE(ts.textsShown, (std::vector<std::pair<std::string, int>>{{"zelhelp.txt", 3}}));

        QString opened;
        int maxWhileOpen = 0;
        onNextModal([&](QWidget* w) {
            opened = w->objectName();
            maxWhileOpen = ts.state.settings.MaxDifficulty;
            w->close();
        });
        QTest::mouseClick(form.cmdEdit, Qt::LeftButton);
        QCOMPARE(opened, QString("zeledit"));
        QCOMPARE(maxWhileOpen, 3);
        QCOMPARE(int(ts.state.settings.MaxDifficulty), 7);
        QVERIFY(!dir.exists("zel.dat"));
        QVERIFY(form.isVisible());
    }

    void runShowsTheScreenModally()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.QuestionsPerGame = 6;
        bool wasModal = false;
        onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<Setup*>(w);
            wasModal = form && form->isModal();
            if (form)
                QTest::mouseClick(form->cmdok, Qt::LeftButton);
        });
        Setup::run(ts.state, nullptr);
        QVERIFY(wasModal);
        QCOMPARE(int(savedSettings(dir).QuestionsPerGame), 6);
    }

    void gameWithNoTypeEnabledSendsThePlayerHere()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.CategoryEnabled.fill(0);
        ts.state.settings.QuestionsPerGame = 2;
        std::vector<int> asked;
        GameCallbacks ui;
        ui.showScreen = [&](int type) { asked.push_back(type); };
        ui.showSetup = [&] { Setup::run(ts.state, nullptr); };
        int shown = 0;
        onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<Setup*>(w);
            QVERIFY(form);
            ++shown;
            clickEntry(form->List1, 2);  // "Who was?"
            QTest::mouseClick(form->cmdok, Qt::LeftButton);
        });
        PlayGame(ts.state, ui);
        QCOMPARE(shown, 1);
        QCOMPARE(asked, (std::vector<int>{3, 3}));
        QCOMPARE(int(savedSettings(dir).CategoryEnabled[3]), -1);
    }
};

QTEST_MAIN(TestSetup)
#include "test_setup.moc"
