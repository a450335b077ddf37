// The setup screen driven with real key and mouse events.
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "engine/gamedriver.h"
#include "maint/numberbox.h"
#include "maint/setup.h"
#include "platform/twips.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {
void typeInto(NumberBox* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}
}  // namespace

class TestSetup : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheStoredValues()
    {
        ProgramDir dir;
        TestState ts;
        Settings& s = ts.state.settings;
        s.MinDifficulty = 3;
        s.MaxDifficulty = 5;
        s.QuestionsPerGame = 7;
        s.LogLevel = 2;
        s.SoundOn = -1;
        s.CategoryEnabled.fill(0);
        s.CategoryEnabled[2] = -1;
        s.CategoryEnabled[16] = 5;
        Setup form(ts.state);
        QCOMPARE(form.windowTitle(), QString("Bellarune Game Setup"));
        QCOMPARE(form.tmindif->text(), QString("3"));
        QCOMPARE(form.tmaxdif->text(), QString("5"));
        QCOMPARE(form.nquestion->text(), QString("7"));
        QVERIFY(form.Option1[2]->isChecked());
        QVERIFY(form.Check1->isChecked());
        QCOMPARE(int(s.SoundOn), 1);
        QCOMPARE(form.List1->count(), 16);
        QCOMPARE(form.List1->item(0)->text(), QString("Dates for person"));
        QCOMPARE(form.List1->item(15)->text(), QString("Name me"));
        QVERIFY(form.List1->item(1)->isSelected() && form.List1->item(15)->isSelected());
        QVERIFY(!form.List1->item(0)->isSelected());
        QCOMPARE(form.List1->selectionMode(), QAbstractItemView::MultiSelection);
        QCOMPARE(form.size(), QSize(twipsToPx(6585), twipsToPx(5895)));
        QCOMPARE(form.List1->geometry(), twipsRect(2640, 240, 3855, 4740));
        QCOMPARE(form.tmindif->parentWidget(), form.frameDiff);
        QCOMPARE(form.Option1[1]->toolTip(), QString("All questions and incorrect answers are sent to log file"));
        QCOMPARE(form.cmdok->toolTip(), QString("Click here to continue"));
        QCOMPARE(form.List1->font().pointSizeF(), 13.5);

        form.show();
        QTest::mouseClick(form.cmdok, Qt::LeftButton);
        QCOMPARE(int(s.MinDifficulty), 3);
        QCOMPARE(int(s.MaxDifficulty), 5);
        QCOMPARE(int(s.QuestionsPerGame), 7);
        Settings written;
        QVERIFY(LoadSettings("zel.INI", written));
        QCOMPARE(int(written.CategoryEnabled[16]), -1);
        QCOMPARE(int(written.CategoryEnabled[1]), 0);
    }

    void outOfRangeValuesAreCorrectedAtOnce()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.QuestionsPerGame = 40;
        ts.state.settings.MaxDifficulty = 12;
        Setup form(ts.state);
        form.show();
        QCOMPARE(form.nquestion->text(), QString("10"));
        QCOMPARE(form.tmaxdif->text(), QString("9"));
        typeInto(form.nquestion, "0");
        QCOMPARE(form.nquestion->text(), QString("1"));
        typeInto(form.nquestion, "25");
        QCOMPARE(form.nquestion->text(), QString("10"));
        // The spin control stays within the bounds too.
        QTest::mouseClick(form.UpDown1->up, Qt::LeftButton);
        QCOMPARE(form.nquestion->text(), QString("10"));
        for (int i = 0; i < 12; ++i)
            QTest::mouseClick(form.UpDown1->down, Qt::LeftButton);
        QCOMPARE(form.nquestion->text(), QString("1"));
        QTest::mouseClick(form.UpDown1->up, Qt::LeftButton);
        QCOMPARE(form.nquestion->text(), QString("2"));

        // The bounds follow the other box.
        typeInto(form.tmaxdif, "4");
        typeInto(form.tmindif, "7");
        QCOMPARE(form.tmindif->text(), QString("4"));
        typeInto(form.tmindif, "3");
        typeInto(form.tmaxdif, "2");
        QCOMPARE(form.tmaxdif->text(), QString("3"));
        QTest::mouseClick(form.UpDown2->up, Qt::LeftButton);
        QCOMPARE(form.tmindif->text(), QString("3"));  // minimum cannot pass the maximum

        form.close();
        QCOMPARE(int(ts.state.settings.QuestionsPerGame), 2);
        QCOMPARE(int(ts.state.settings.MinDifficulty), 3);
        QCOMPARE(int(ts.state.settings.MaxDifficulty), 3);
    }

    void textThatIsNoNumberKeepsTheLastValidNumber()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.QuestionsPerGame = 6;
        Setup form(ts.state);
        form.show();
        QApplication::setActiveWindow(&form);
        typeInto(form.nquestion, "");
        QCOMPARE(form.nquestion->text(), QString());
        QTest::keyClicks(form.nquestion, "7x");
        QCOMPARE(form.nquestion->text(), QString("7x"));
        QCOMPARE(form.nquestion->value(), 7);
        form.List1->setFocus();
        QTRY_COMPARE(form.nquestion->text(), QString("7"));
        form.close();
        QCOMPARE(int(ts.state.settings.QuestionsPerGame), 7);
    }

    void theCloseBoxSavesLikeOk()
    {
        ProgramDir dir;
        TestState ts;
        Setup form(ts.state);
        form.show();
        // Deselect every category by clicking each entry.
        for (int i = 0; i < 16; ++i) {
            QListWidgetItem* it = form.List1->item(i);
            form.List1->scrollToItem(it);
            QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {}, form.List1->visualItemRect(it).center());
        }
        QCOMPARE(form.List1->selectedItems().size(), 0);
        ts.state.settings.CategoryEnabled[0] = 4;
        ts.state.settings.CategoryEnabled[17] = 9;
        QVERIFY(form.close());
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(int(ts.state.settings.CategoryEnabled[i]), 0);
        QCOMPARE(int(ts.state.settings.CategoryEnabled[0]), 4);
        QCOMPARE(int(ts.state.settings.CategoryEnabled[17]), 9);
        QVERIFY(dir.exists("zel.INI"));
    }

    void theGameSendsThePlayerHereWhenNothingIsEnabled()
    {
        ProgramDir dir;
        TestState ts;
        GameState& s = ts.state;
        s.settings.CategoryEnabled.fill(0);
        s.settings.QuestionsPerGame = 2;
        std::vector<int> asked;
        GameCallbacks ui;
        ui.showScreen = [&](int type) { asked.push_back(type); };
        ui.showSetup = [&] { Setup::run(s, nullptr); };
        // The player picks "Who was?" and closes the screen.
        ModalAutoCloser closer([](QWidget* w) {
            if (auto* form = qobject_cast<Setup*>(w))
                form->List1->item(2)->setSelected(true);
        });
        PlayGame(s, ui);
        QCOMPARE(closer.closed(), 1);
        QCOMPARE(asked, (std::vector<int>{3, 3}));
        QCOMPARE(ts.notifier.messages.front(),
                 std::string("0No questions possible with current selections.  Change difficulty levels or question types"));
        QCOMPARE(int(s.settings.CategoryEnabled[3]), -1);
    }

    void logLevelSoundAndButtons()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.SoundOn = 0;
        ts.state.settings.LogLevel = 0;
        Setup form(ts.state);
        form.show();
        QVERIFY(!form.Check1->isChecked());
        QTest::mouseClick(form.Check1, Qt::LeftButton);
        QCOMPARE(int(ts.state.settings.SoundOn), 1);
        QTest::mouseClick(form.Check1, Qt::LeftButton);
        QCOMPARE(int(ts.state.settings.SoundOn), 0);

        QTest::mouseClick(form.cmdmakeq, Qt::LeftButton);
        QCOMPARE(int(ts.state.settings.LogLevel), 2);
        QCOMPARE(ts.notifier.messages.back(), std::string("Will create question file for online games"));
        QVERIFY(form.Option1[0]->isChecked());  // the buttons are not changed on screen
        QTest::mouseClick(form.Option1[1], Qt::LeftButton, {}, QPoint(8, form.Option1[1]->height() / 2));
        QCOMPARE(int(ts.state.settings.LogLevel), 1);

        QTest::mouseClick(form.cmdHelp, Qt::LeftButton);
        QCOMPARE(ts.textsShown.back(), (std::pair<std::string, int>("zelhelp.txt", 3)));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        Settings written;
        QVERIFY(LoadSettings("zel.INI", written));
        QCOMPARE(int(written.LogLevel), 1);
    }

    void enterInABoxPressesNoButton()
    {
        ProgramDir dir;
        TestState ts;
        Setup form(ts.state);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        int modals = 0;
        onNextModal([&](QWidget* w) {
            ++modals;
            w->close();
        }, 300);
        form.nquestion->setFocus();
        typeInto(form.nquestion, "4");
        QTest::keyClick(form.nquestion, Qt::Key_Return);
        QTest::qWait(400);
        QCOMPARE(modals, 0);
        QVERIFY(form.isVisible());
        QVERIFY(ts.textsShown.empty());
        // The option buttons name no font of their own: they keep the default.
        QCOMPARE(form.Option1[0]->font().pointSizeF(), 8.25);
    }
};

QTEST_MAIN(TestSetup)
#include "test_setup.moc"
