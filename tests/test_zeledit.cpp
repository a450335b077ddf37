// The item editor: layout by item type, the change rules, navigation, pictures, the
// stored list and writing the data file.
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "data/itemtable.h"
#include "maint/numberbox.h"
#include "maint/setup.h"
#include "maint/zeledit.h"
#include "platform/twips.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

// Types over the whole text, as the player does after selecting it; an empty text
// deletes it.
void retype(QLineEdit* box, const QString& text)
{
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

void clickButton(QAbstractButton* b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

ItemRecord battle(const std::string& name, int16_t state, const std::string& campaign, const std::string& picture)
{
    ItemRecord r = event(name, Battle, 1862, "Sept 17, 1862", "Bloodiest day.");
    r.State = state;
    r.Campaign = campaign;
    r.Commanders = "McClellan, Lee";
    r.ImageFile = picture;
    r.Difficulty = 2;
    return r;
}

void writePicture(const ProgramDir& dir, const QString& name)
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    QVERIFY(img.save(dir.file(name), "PNG"));
}

// A program directory with a data file of three items, loaded into the state.
void loadThreeItems(const ProgramDir& dir, TestState& ts)
{
    ItemTable t;
    t.ItemCount = 3;
    t.Items[1] = person("Robert E. Lee", 1807, 1870, "Led an army.");
    t.Items[1].Side = 1;
    t.Items[1].Difficulty = 1;
    t.Items[2] = battle("Antietam", 8, "Maryland Campaign", "antietam.jpg");
    t.Items[3] = person("Clara Barton", 1821, 1912, "Nurse.", OtherPerson);
    t.Items[3].Difficulty = 3;
    dir.write("zel.dat", FormatItemFile(t));
    LoadItems(ts.state);
    QCOMPARE(int(ts.state.table.ItemCount), 3);
}

}  // namespace

class TestZelEdit : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheFirstItemWithTheDesignedControls()
    {
        ProgramDir dir;
        TestState ts;
        loadThreeItems(dir, ts);
        ZelEdit form(ts.state);
        QCOMPARE(form.objectName(), QString("zeledit"));
        QCOMPARE(form.windowTitle(), QString("Edit"));
        QCOMPARE(form.size(), QSize(twipsToPx(8940), twipsToPx(6375)));
        QCOMPARE(form.cmbitem->count(), 3);
        QCOMPARE(form.cmbitem->itemText(1), QString("Antietam"));
        QCOMPARE(form.cmbitem->currentText(), QString("Robert E. Lee"));
        QCOMPARE(form.cmbitem->toolTip(), QString("Choose an item to display"));
        QCOMPARE(form.cmbST->count(), 18);
        QCOMPARE(form.cmbST->itemText(16), QString("Kansas-Nebraska"));
        QCOMPARE(form.cmbST->itemText(17), QString());
        const QStringList types = {"Officer", "Battle", "Other Event", "Other person"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(form.Itemtype[static_cast<std::size_t>(i)]->text(), types[i]);
        QCOMPARE(form.Option1[1]->text(), QString("CSA"));
        QCOMPARE(form.Frame1->title(), QString("Type of data"));
        QCOMPARE(form.side->title(), QString("Side"));
        QCOMPARE(form.Frame2->title(), QString("Difficulty"));
        QCOMPARE(form.dif->parentWidget(), form.Frame2);
        QCOMPARE(form.dif->geometry(), twipsRect(240, 240, 300, 555));
        QCOMPARE(form.dif->font().pointSizeF(), 18.0);
        QCOMPARE(form.dif->toolTip(), QString("Change the difficulty"));
        QCOMPARE(form.Itemtype[3]->geometry(), twipsRect(240, 1560, 975, 375));
        QCOMPARE(form.txtCampaign->geometry(), twipsRect(3480, 840, 2895, 375));
        QCOMPARE(form.Text2->geometry(), twipsRect(3480, 840, 975, 420));
        QCOMPARE(form.Command1->text(), QString("ok"));
        QCOMPARE(form.Command1->toolTip(), QString("Save changes, & return to setup screen"));
        QCOMPARE(form.cmdPrint->text(), QString("Store list"));
        QCOMPARE(form.Date->toolTip(), QString("Text form of date"));
        QCOMPARE(form.txtCmdr->toolTip(), QString("Commanders in battle, or office or rank  held"));
        QCOMPARE(form.txtDesc->toolTip(), QString("Description of person or event"));
        QCOMPARE(form.Label2->text(), QString("Battle commanders "));
        QCOMPARE(form.Label3->text(), QString("Nickname or famous quote"));
        QCOMPARE(form.Label1->text(), QString("image file"));

        QCOMPARE(int(ts.state.CurrentItem), 1);
        QCOMPARE(form.Text1->text(), QString("1807"));
        QCOMPARE(form.Text2->text(), QString("1870"));
        QCOMPARE(form.txtDesc->toPlainText(), QString("Led an army."));
        QVERIFY(form.Itemtype[0]->isChecked());
        QVERIFY(form.Option1[1]->isChecked());
        // Filling the boxes runs their rules, so the editor counts as changed once open.
        QVERIFY(form.dataChanged());
        QVERIFY(ts.notifier.messages.empty());
    }

    void layoutSwitchesBetweenABattleAndAPerson()
    {
        ProgramDir dir;
        TestState ts;
        loadThreeItems(dir, ts);
        ZelEdit form(ts.state);
        form.show();
        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QCOMPARE(form.cmbitem->currentText(), QString("Antietam"));
        QCOMPARE(form.birth->text(), QString("Year"));
        QCOMPARE(form.ldeath->text(), QString("Campaign"));
        QVERIFY(form.txtCampaign->isVisible() && !form.Text2->isVisible());
        QVERIFY(form.Date->isVisible() && form.Text3->isVisible());
        QVERIFY(form.Label2->isVisible() && form.txtCmdr->isVisible() && form.cmbST->isVisible());
        QVERIFY(!form.side->isVisible());
        QCOMPARE(form.txtCampaign->text(), QString("Maryland Campaign"));
        QCOMPARE(form.Text3->text(), QString("Sept 17, 1862"));
        QCOMPARE(form.cmbST->currentText(), QString("Maryland"));
        QCOMPARE(form.Image1->height(), twipsToPx(3615 * 3 / 4));

        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QCOMPARE(form.cmbitem->currentText(), QString("Clara Barton"));
        QCOMPARE(form.birth->text(), QString("Birth"));
        QCOMPARE(form.ldeath->text(), QString("Death"));
        QVERIFY(form.Text2->isVisible() && !form.txtCampaign->isVisible());
        QCOMPARE(form.Text2->geometry(), twipsRect(3480, 840, 975, 420));
        QVERIFY(form.side->isVisible());
        QVERIFY(!form.Date->isVisible() && !form.Text3->isVisible());
        QVERIFY(!form.txtCmdr->isVisible() && !form.cmbST->isVisible());
        QVERIFY(form.Text1->isVisible() && form.ldeath->isVisible());
        QCOMPARE(form.Image1->height(), form.Image1->width());
        QVERIFY(form.Itemtype[3]->isChecked());

        // A new type changes the item but not the layout until it is shown again.
        clickButton(form.Itemtype[1]);
        QCOMPARE(int(ts.state.item(3).ItemType), int(Battle));
        QVERIFY(form.Text2->isVisible());
        QTest::mouseClick(form.cmdPrev, Qt::LeftButton);
        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QVERIFY(form.txtCampaign->isVisible());
        QCOMPARE(form.ldeath->text(), QString("Campaign"));
    }

    void navigationStopsAtBothEnds()
    {
        ProgramDir dir;
        TestState ts;
        loadThreeItems(dir, ts);
        ZelEdit form(ts.state);
        form.show();
        QTest::mouseClick(form.cmdPrev, Qt::LeftButton);
        QCOMPARE(int(ts.state.CurrentItem), 1);
        QCOMPARE(form.listPosition(), 1);
        QCOMPARE(form.cmbitem->currentText(), QString("Robert E. Lee"));
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QCOMPARE(int(ts.state.CurrentItem), 3);
        QCOMPARE(form.cmbitem->currentText(), QString("Clara Barton"));
        QCOMPARE(form.Text1->text(), QString("1821"));

        // Choosing in the combo box with the keyboard shows that item.
        form.cmbitem->setFocus();
        QTest::keyClick(form.cmbitem, Qt::Key_Up);
        QCOMPARE(int(ts.state.CurrentItem), 2);
        QCOMPARE(form.listPosition(), 2);
        QCOMPARE(form.Text3->text(), QString("Sept 17, 1862"));
        QTest::mouseClick(form.cmdPrev, Qt::LeftButton);
        QCOMPARE(int(ts.state.CurrentItem), 1);
    }

    void difficultyRule()
    {
        ProgramDir dir;
        TestState ts;
        loadThreeItems(dir, ts);
        ts.state.item(3).Difficulty = 5;
        ZelEdit form(ts.state);
        form.show();
        retype(form.dif, "7");
        QCOMPARE(form.dif->text(), QString("3"));
        QCOMPARE(int(ts.state.item(1).Difficulty), 3);
        retype(form.dif, "0");
        QCOMPARE(form.dif->text(), QString("1"));
        retype(form.dif, "2");
        retype(form.dif, "x");
        QCOMPARE(form.dif->text(), QString("1"));
        QCOMPARE(int(ts.state.item(1).Difficulty), 1);
        QTest::mouseClick(form.UpDown2->up, Qt::LeftButton);
        QTest::mouseClick(form.UpDown2->up, Qt::LeftButton);
        QTest::mouseClick(form.UpDown2->up, Qt::LeftButton);
        QCOMPARE(form.dif->text(), QString("3"));
        QCOMPARE(int(ts.state.item(1).Difficulty), 3);

        // A number followed by letters keeps the difficulty and shows it again on leaving.
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.dif->setFocus();
        retype(form.dif, "2");
        QTest::keyClicks(form.dif, "b");
        QCOMPARE(form.dif->text(), QString("2b"));
        QCOMPARE(int(ts.state.item(1).Difficulty), 2);
        form.Text4->setFocus();
        QCOMPARE(form.dif->text(), QString("2"));

        // A stored 5 is shown as 3 and held as 3 from then on.
        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QCOMPARE(form.dif->text(), QString("3"));
        QCOMPARE(int(ts.state.item(3).Difficulty), 3);
    }

    void changeRulesWriteIntoTheItemAtOnce()
    {
        ProgramDir dir;
        TestState ts;
        loadThreeItems(dir, ts);
        ZelEdit form(ts.state);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ItemRecord& lee = ts.state.item(1);
        retype(form.txtNickname, "Marse \"Robert\"");
        QCOMPARE(form.txtNickname->text(), QString("Marse 'Robert'"));
        QCOMPARE(lee.Nickname, std::string("Marse 'Robert'"));
        form.txtDesc->setFocus();
        form.txtDesc->selectAll();
        QTest::keyClicks(form.txtDesc, "Led the");
        QTest::keyClick(form.txtDesc, Qt::Key_Return);
        QTest::keyClicks(form.txtDesc, "army.");
        QCOMPARE(form.txtDesc->toPlainText(), QString("Led the army."));
        QCOMPARE(lee.Description, std::string("Led the army."));
        retype(form.Text4, "lee.jpg");
        QCOMPARE(lee.ImageFile, std::string("lee.jpg"));
        clickButton(form.Option1[0]);
        QCOMPARE(int(lee.Side), 0);

        // A year box holding no whole number keeps the year and shows it on leaving.
        form.Text1->setFocus();
        retype(form.Text1, "1806");
        QCOMPARE(int(lee.Year1), 1806);
        QTest::keyClick(form.Text1, Qt::Key_Backspace);
        QCOMPARE(int(lee.Year1), 180);
        QTest::keyClicks(form.Text1, "7x");
        QCOMPARE(form.Text1->text(), QString("1807x"));
        QCOMPARE(int(lee.Year1), 1807);
        retype(form.Text1, "");
        QCOMPARE(int(lee.Year1), 1807);
        form.Text2->setFocus();
        QCOMPARE(form.Text1->text(), QString("1807"));
        retype(form.Text2, "-5");
        QCOMPARE(int(lee.Year2), -5);

        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        form.cmbST->setFocus();
        QTest::keyClick(form.cmbST, Qt::Key_Down);
        QCOMPARE(int(ts.state.item(2).State), 9);
        retype(form.txtCmdr, "Burnside");
        QCOMPARE(ts.state.item(2).Commanders, std::string("Burnside"));
        retype(form.txtCampaign, "Sharpsburg");
        QCOMPARE(ts.state.item(2).Campaign, std::string("Sharpsburg"));
        // The name is not edited here: the combo box only selects.
        QVERIFY(!form.cmbitem->isEditable());
    }

    void setupsEditButtonOpensTheEditor()
    {
        ProgramDir dir;
        TestState ts;
        loadThreeItems(dir, ts);
        ts.state.settings.MaxDifficulty = 7;
        Setup setup(ts.state);
        setup.show();
        QString opened;
        int maxWhileOpen = 0;
        onNextModal([&](QWidget* w) {
            opened = w->objectName();
            maxWhileOpen = ts.state.settings.MaxDifficulty;
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QTest::mouseClick(setup.cmdEdit, Qt::LeftButton);
        QCOMPARE(opened, QString("zeledit"));
        QCOMPARE(maxWhileOpen, 3);
        QCOMPARE(int(ts.state.settings.MaxDifficulty), 7);
        QVERIFY(setup.isVisible());
    }

    void okWritesAnEditThatReadsBack()
    {
        ProgramDir dir;
        TestState ts;
        loadThreeItems(dir, ts);
        ts.state.settings.MaxDifficulty = 8;
        onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<ZelEdit*>(w);
            QVERIFY(form);
            QCOMPARE(int(ts.state.settings.MaxDifficulty), 3);
            QTest::mouseClick(form->cmdNext, Qt::LeftButton);
            retype(form->Text3, "September 17, \"1862\"");
            retype(form->Text1, "1863");
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        });
        ZelEdit::run(ts.state, nullptr);
        QCOMPARE(int(ts.state.settings.MaxDifficulty), 8);

        ItemTable back;
        RecordingNotifier quiet;
        QVERIFY(ReadItemFile(dir.file("zel.dat").toStdString(), back, quiet));
        QCOMPARE(int(back.ItemCount), 3);
        QCOMPARE(back.Items[2].DateText, std::string("September 17, '1862'"));
        QCOMPARE(int(back.Items[2].Year1), 1863);
        for (int k = 1; k <= 3; ++k)
            QVERIFY(back.Items[static_cast<std::size_t>(k)] == ts.state.item(k));
    }

    void closeBoxKeepsEditsWithoutWriting()
    {
        ProgramDir dir;
        TestState ts;
        loadThreeItems(dir, ts);
        const std::string before = dir.read("zel.dat");
        ts.state.settings.MaxDifficulty = 6;
        {
            ZelEdit form(ts.state);
            form.show();
            retype(form.txtNickname, "Granny Lee");
            form.close();
            QVERIFY(!form.isVisible());
            QCOMPARE(int(ts.state.settings.MaxDifficulty), 6);
        }
        QCOMPARE(dir.read("zel.dat"), before);
        QCOMPARE(ts.state.item(1).Nickname, std::string("Granny Lee"));

        // The next ok writes them.
        {
            ZelEdit form(ts.state);
            form.show();
            QTest::mouseClick(form.Command1, Qt::LeftButton);
        }
        ItemTable back;
        RecordingNotifier quiet;
        QVERIFY(ReadItemFile(dir.file("zel.dat").toStdString(), back, quiet));
        QCOMPARE(back.Items[1].Nickname, std::string("Granny Lee"));

        // After a failed load ok refuses to replace the file.
        dir.write("zel.dat", "\"cut\",\"short\"");
        ts.state.table.ItemCount = 0;
        LoadItems(ts.state);
        QVERIFY(ts.state.table.LoadFailed);
        const std::string damaged = dir.read("zel.dat");
        ts.state.table.ItemCount = 1;
        {
            ZelEdit form(ts.state);
            form.show();
            QTest::mouseClick(form.Command1, Qt::LeftButton);
            QVERIFY(!form.isVisible());
        }
        QCOMPARE(dir.read("zel.dat"), damaged);
        QVERIFY(ts.notifier.messages.back().find("was not replaced") != std::string::npos);
    }

    void picturesEmptyNamesAndAnEmptyDatabase()
    {
        ProgramDir dir;
        TestState ts;
        writePicture(dir, "Va.jpg");
        writePicture(dir, "own.jpg");
        dir.write("broken.jpg", "not a picture");
        ItemRecord stateless = battle("Bull Run", 0, "", "own.jpg");
        ItemRecord inVirginia = battle("Fredericksburg", 2, "", "own.jpg");
        ItemRecord general = person("Jackson", 1824, 1863);
        general.State = 2;
        general.ImageFile = "own.jpg";
        ItemRecord missing = person("", 1800, 1850);
        missing.ImageFile = "nowhere.jpg";
        ItemRecord broken = person("Hill", 1825, 1865);
        broken.ImageFile = "broken.jpg";
        ItemRecord none = person("Nobody", 1800, 1850);
        setItems(ts.state, {stateless, inVirginia, general, missing, broken, none});
        ZelEdit form(ts.state);
        form.show();
        QVERIFY(form.Image1->isVisible());
        QCOMPARE(form.Image1->pixmap().toImage().pixelColor(1, 1), QColor(Qt::darkGreen));
        QCOMPARE(int(ts.state.CurrentQuestionType), 15);
        QCOMPARE(form.cmbST->currentIndex(), 0);

        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QCOMPARE(int(ts.state.CurrentQuestionType), 14);
        QCOMPARE(form.cmbST->currentText(), QString("Virginia"));
        QVERIFY(!form.Image1->pixmap().isNull());
        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QCOMPARE(int(ts.state.CurrentQuestionType), 14);  // a person with a state shows the map too

        QVERIFY(ts.notifier.messages.empty());
        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QCOMPARE(ts.notifier.messages, (std::vector<std::string>{"Problem? no name for 4"}));
        QVERIFY(form.Image1->isVisible());
        QVERIFY(form.Image1->pixmap().isNull());
        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QVERIFY(form.Image1->isVisible());
        QVERIFY(form.Image1->pixmap().isNull());
        QTest::mouseClick(form.cmdNext, Qt::LeftButton);
        QVERIFY(!form.Image1->isVisible());

        // No items: the empty record 0 is shown, warned about, and stays empty.
        TestState empty;
        {
            ZelEdit blank(empty.state);
            blank.show();
            QCOMPARE(blank.cmbitem->count(), 0);
            QCOMPARE(empty.notifier.messages, (std::vector<std::string>{"Problem? no name for 0"}));
            retype(blank.txtNickname, "x");
            retype(blank.Text1, "1850");
            QVERIFY(empty.state.item(0) == ItemRecord{});
            QVERIFY(!blank.dataChanged());
            QTest::mouseClick(blank.Command1, Qt::LeftButton);
        }
        QVERIFY(!dir.exists("zel.dat"));
    }

    void storeListFormatAndOrder()
    {
        ProgramDir dir;
        TestState ts;
        std::vector<ItemRecord> items(12, person("Filler", 1800, 1850, "x"));
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i].Difficulty = 3;
        items[0] = person("Early", -5, 1850, "Odd years.");
        items[0].Difficulty = 2;
        items[1] = battle("Shiloh", 9, "Western", "");
        items[1].Commanders = "Grant, Johnston";
        items[1].Description = "Two days.";
        items[1].Difficulty = 1;
        items[2].ItemType = 7;  // no line for an unknown type
        items[11] = person("Sherman", 1820, 1891, "Marched.");
        items[11].Difficulty = 0;  // listed with difficulty 1, where the editor would put it
        setItems(ts.state, items);
        ZelEdit form(ts.state);
        form.show();

        ts.notifier.answerOk = false;
        QTest::mouseClick(form.cmdPrint, Qt::LeftButton);
        QCOMPARE(ts.notifier.questions,
                 (std::vector<std::string>{"Store list to file|Ready to store list by difficulty in file 'zel.txt'"}));
        QVERIFY(!dir.exists("zel.txt"));

        ts.notifier.answerOk = true;
        QTest::mouseClick(form.cmdPrint, Qt::LeftButton);
        const std::string list = dir.read("zel.txt");
        const std::string expectedStart = " 2  Shiloh   1862  Western Grant, Johnston Two days.\r\n"
                                          " 12  Sherman   1820   1891  Marched.\r\n"
                                          " 1  Early  -5   1850  Odd years.\r\n"
                                          " 4  Filler   1800   1850  x\r\n";
        QCOMPARE(list.substr(0, expectedStart.size()), expectedStart);
        QVERIFY(list.find(" 3  Filler") == std::string::npos);
        QVERIFY(list.size() >= 2 && list.substr(list.size() - 2) == "\r\n");
        int lines = 0;
        for (char c : list)
            lines += c == '\n';
        QCOMPARE(lines, 11);
        // Item 1 was shown, so its difficulty already passed the editor; nothing else changed.
        QCOMPARE(int(ts.state.item(12).Difficulty), 0);
    }
};

QTEST_MAIN(TestZelEdit)
#include "test_zeledit.moc"
