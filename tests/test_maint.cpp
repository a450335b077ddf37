// The setup screen and the item editor, driven with real key and mouse events.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "maint/numberbox.h"
#include "maint/setup.h"
#include "maint/zeledit.h"
#include "platform/twips.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;
using R = ItemRecord;

namespace {

// Acts on the control named name: "^"/"v" press a spin control's arrow, a button is
// clicked, any other control gets text typed over its whole contents.
void act(QWidget* form, const char* name, const QString& text)
{
    QWidget* w = form->findChild<QWidget*>(name);
    if (text == "^" || text == "v")
        return QTest::mouseClick(w->findChild<QWidget*>(text == "^" ? "up" : "down"), Qt::LeftButton);
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->selectAll();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        t->selectAll();
    w->setFocus();
    text.isEmpty() ? QTest::keyClick(w, Qt::Key_Backspace) : QTest::keyClicks(w, text);
}

// Steps a combo box to entry index with the arrow keys, as the owner does.
void choose(QComboBox* c, int index)
{
    c->setFocus();
    for (int i = 0; i < 20 && c->currentIndex() != index; ++i)
        QTest::keyClick(c, c->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}

QString boxes(const Setup& f)
{
    return f.nquestion->text() + " " + f.tmindif->text() + " " + f.tmaxdif->text();
}

template <typename T>
std::function<void(R&)> set(T R::*field, T value)
{
    return [=](R& r) { r.*field = value; };
}

int checkedOf(const auto& buttons)
{
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return int(i);
    return -1;
}

}  // namespace

class TestMaint : public QObject {
    Q_OBJECT
private slots:
    void setupOpensAndEveryCloseSaves()
    {
        const QStringList names = {"Dates for person", "Dates for event", "Who was?", "Describe event?",
                                   "Event based on desc", "What happened on?", "Which battle did these commanders fight?",
                                   "People by date", "Battles by date", "Events by date", "Match commanders and battles",
                                   "Match battle and campaign", "Match nicknames, sayings", "Match battles and states",
                                   "Match portraits to names", "Name me"};
        struct Row { int16_t min, max, q, log, sound; QString shown; bool ok; };  // shown: questions, min, max
        for (const Row& r : {Row{3, 5, 7, 2, -1, "7 3 5", true}, Row{1, 12, 0, 0, 0, "1 1 9", false},
                             Row{7, 4, 40, 1, 1, "10 4 4", true}, Row{0, 3, 5, 1, 0, "5 1 3", false}}) {
            ProgramDir dir;
            TestState ts;
            Settings& s = ts.state.settings;
            std::tie(s.MinDifficulty, s.MaxDifficulty, s.QuestionsPerGame, s.LogLevel, s.SoundOn) =
                std::tie(r.min, r.max, r.q, r.log, r.sound);
            s.CategoryEnabled = {4, 0, -1, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 9};
            Setup form(ts.state);
            form.show();
            QCOMPARE(form.windowTitle(), QString("Bellarune Game Setup"));
            QCOMPARE(boxes(form), r.shown);
            QCOMPARE(checkedOf(form.Option1), r.log);
            QCOMPARE(form.Check1->isChecked(), r.sound != 0);
            QCOMPARE(int(s.SoundOn), r.sound ? 1 : 0);
            QCOMPARE(form.List1->count(), 16);
            for (int i = 0; i < 16; ++i) {
                QCOMPARE(form.List1->item(i)->text(), names[i]);
                QCOMPARE(form.List1->item(i)->isSelected(), i == 1 || i == 2 || i == 15);
            }
            for (int i : {0, 2})  // a click toggles an entry
                QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                                  form.List1->visualItemRect(form.List1->item(i)).center());
            r.ok ? QTest::mouseClick(form.cmdok, Qt::LeftButton) : void(form.close());
            QVERIFY(!form.isVisible());
            QCOMPARE(QString("%1 %2 %3").arg(s.QuestionsPerGame).arg(s.MinDifficulty).arg(s.MaxDifficulty), r.shown);
            QCOMPARE(s.CategoryEnabled, (std::array<int16_t, 18>{4, -1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 9}));
            Settings back;
            QVERIFY(LoadSettings("zel.INI", back));
            back.CategoryEnabled[17] = 9;  // not kept in the file
            QVERIFY(back == s);
        }
    }

    void setupBoxesCorrectEveryChange()
    {
        ProgramDir dir;
        TestState ts;  // opens with 5 questions, difficulty 1 to 1
        Setup form(ts.state);
        form.show();
        struct Row { const char* control; QString typed, shown; };  // shown: questions, min, max
        for (const Row& r : std::vector<Row>{
                 {"nquestion", "0", "1 1 1"}, {"nquestion", "25", "10 1 1"}, {"UpDown1", "^", "10 1 1"},
                 {"nquestion", "2", "2 1 1"}, {"UpDown1", "v", "1 1 1"}, {"UpDown1", "v", "1 1 1"},
                 {"UpDown1", "^", "2 1 1"}, {"tmaxdif", "4", "2 1 4"}, {"tmindif", "7", "2 4 4"},
                 {"tmindif", "3", "2 3 4"}, {"tmaxdif", "2", "2 3 3"}, {"UpDown2", "^", "2 3 3"},
                 {"UpDown3", "v", "2 3 3"}, {"UpDown3", "^", "2 3 4"}, {"tmaxdif", "12", "2 3 9"},
                 {"UpDown3", "^", "2 3 9"}, {"UpDown2", "v", "2 2 9"}, {"tmindif", "0", "2 1 9"}}) {
            act(&form, r.control, r.typed);
            QVERIFY2(boxes(form) == r.shown, qPrintable(QString(r.control) + " " + r.typed + ": " + boxes(form)));
        }
    }

    void setupButtonsActAtOnce()
    {
        ProgramDir dir;
        TestState ts;
        ts.state.settings.LogLevel = 0;
        ts.state.settings.SoundOn = 0;
        Setup form(ts.state);
        form.show();
        struct Row { const char* control; int log, sound, checked; };
        for (const Row& r : std::vector<Row>{{"Option12", 2, 0, 2}, {"Option10", 0, 0, 0}, {"Check1", 0, 1, 0},
                                             {"cmdmakeq", 2, 1, 0}, {"Option11", 1, 1, 1}, {"Check1", 1, 0, 1}}) {
            act(&form, r.control, "");
            QCOMPARE(int(ts.state.settings.LogLevel), r.log);
            QCOMPARE(int(ts.state.settings.SoundOn), r.sound);
            QCOMPARE(checkedOf(form.Option1), r.checked);
        }
        QCOMPARE(ts.notifier.messages, std::vector<std::string>{"Will create question file for online games"});
        QTest::mouseClick(form.cmdHelp, Qt::LeftButton);
        QCOMPARE(ts.textsShown, (std::vector<std::pair<std::string, int>>{{"zelhelp.txt", 3}}));
    }

    void editorFromSetupHoldsMaxDifficultyAndWritesOnlyOnOk()
    {
        for (bool ok : {true, false}) {
            ProgramDir dir;
            TestState ts;
            loadFixture(ts.state);
            ts.state.settings.MaxDifficulty = 7;
            Setup setup(ts.state);
            setup.show();
            int held = 0;
            onNextModal([&](QWidget* w) {
                auto* ed = qobject_cast<ZelEdit*>(w);
                if (!ed)
                    return void(w->close());
                held = ts.state.settings.MaxDifficulty;
                QTest::mouseClick(ed->cmdNext, Qt::LeftButton);
                act(ed, "Text2", "1871");
                ok ? QTest::mouseClick(ed->Command1, Qt::LeftButton) : void(ed->close());
            });
            QTest::mouseClick(setup.cmdEdit, Qt::LeftButton);
            QCOMPARE(held, 3);
            QCOMPARE(int(ts.state.settings.MaxDifficulty), 7);  // setup is still open
            QCOMPARE(int(ts.state.item(Lee).Year2), 1871);
            QCOMPARE(dir.exists("zel.dat"), ok);
            if (!ok)
                continue;
            const std::vector<std::string> lines = dir.lines("zel.dat");
            QCOMPARE(lines.size(), std::size_t(5 * FixtureCount));
            QCOMPARE(lines[0], std::string(R"("Ulysses S. Grant","Unconditional Surrender","grant.jpg",0,0)"));
            QCOMPARE(std::vector<std::string>(lines.begin() + 5, lines.begin() + 10),
                     (std::vector<std::string>{R"("Robert E. Lee","Marse Robert","lee.jpg",0,1)",
                                               R"(2,1807,1871,"","General")", R"("Led the Army of Northern Virginia","")",
                                               "0,0,0", "0,0,0,1"}));
        }
    }

    void editorShowsEachItemByItsType()
    {
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        const char* pictures[] = {"grant.jpg", "Va.jpg", "Md.jpg", "barton.jpg", "Ms.jpg", "lee.jpg", "antietam.jpg"};
        for (unsigned i = 0; i < 7; ++i)
            dir.writePicture(pictures[i], 0x202020u * (i + 1));
        R& odd = ts.state.item(Assassination);  // no name, and type, side and state out of range
        std::tie(odd.Name, odd.ItemType, odd.Side, odd.State) = std::tuple("", 7, 5, 30);
        ZelEdit form(ts.state);
        form.show();
        const QString P = "Text2 side Text1 ldeath", E = "txtCampaign Date Text3 Label2 txtCmdr cmbST Text1 ldeath";
        struct Row { int go, item; QString fields, shown; int imageTwips; QString picture; };  // go: -1 Previous, 0 Next
        const QString grant = "Birth Death|1822|1885|||General-in-chief|Unconditional Surrender|grant.jpg|1|none|0|0";
        const QString emancipation = "Year Campaign|1863|1863||January 1, 1863||||2|none|2|0";
        const QString odd14 = "Year Campaign|1865|1865||April 14, 1865||||3||-1|-1";
        for (const Row& r : std::vector<Row>{
                 {99, Grant, grant, P, 3615, "grant.jpg"}, {-1, Grant, grant, P, 3615, "grant.jpg"},
                 {0, Lee, "Birth Death|1807|1870|||General|Marse Robert|lee.jpg|1|Virginia|0|1", P, 3615, "Va.jpg"},
                 {Antietam, Antietam, "Year Campaign|1862|1862|Maryland Campaign|September 17, 1862|McClellan, Lee|"
                  "Sharpsburg|antietam.jpg|1|Maryland|1|0", E, 2711, "Md.jpg"},
                 {Emancipation, Emancipation, emancipation, E, 2711, ""},
                 {Barton, Barton, "Birth Death|1821|1912|||Nurse|Angel of the Battlefield|barton.jpg|3|none|3|0", P,
                  3615, "barton.jpg"},
                 {0, Davis, "Birth Death|1808|1889|||President|Jeff|davis.jpg|3|Mississippi|3|1", P, 3615, "Ms.jpg"},
                 {Assassination, Assassination, odd14, E, 2711, ""}, {0, Assassination, odd14, E, 2711, ""},
                 {-1, Emancipation, emancipation, E, 2711, ""}}) {
            if (r.go < 1)
                QTest::mouseClick(r.go ? form.cmdPrev : form.cmdNext, Qt::LeftButton);
            else if (r.go < 99)
                choose(form.cmbitem, r.go - 1);
            QCOMPARE(int(ts.state.CurrentItem), r.item);
            QCOMPARE(form.cmbitem->currentIndex(), r.item - 1);
            QCOMPARE(QStringList({form.birth->text() + " " + form.ldeath->text(), form.Text1->text(), form.Text2->text(),
                                  form.txtCampaign->text(), form.Text3->text(), form.txtCmdr->text(),
                                  form.txtNickname->text(), form.Text4->text(), form.dif->text(),
                                  form.cmbST->currentText(), QString::number(checkedOf(form.Itemtype)),
                                  QString::number(checkedOf(form.Option1))}).join('|'), r.fields);
            QCOMPARE(form.txtDesc->toPlainText().toStdString(), fixtureItems()[std::size_t(r.item - 1)].Description);
            for (const QString& name : E.split(' ') + QStringList{"Text2", "side"})
                QVERIFY2(form.findChild<QWidget*>(name)->isVisible() == r.shown.split(' ').contains(name), qPrintable(name));
            QCOMPARE(form.Image1->height(), twipsToPx(r.imageTwips));
            QCOMPARE(form.Image1->isVisible(), !r.picture.isEmpty());
            if (!r.picture.isEmpty())
                QCOMPARE(form.Image1->pixmap().toImage().pixel(5, 5), QImage(r.picture).pixel(5, 5));
        }
        QCOMPARE(ts.notifier.messages, (std::vector<std::string>(2, "Problem? no name for 14")));
    }

    void editorChangeRulesWriteAtOnce()
    {
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        std::vector<R> want(fixtureItems());
        ts.state.item(Sherman).Difficulty = want[Sherman - 1].Difficulty = 5;  // held as 3 once shown
        ZelEdit form(ts.state);
        form.show();
        auto D = [](int16_t v) { return set(&R::Difficulty, v); };
        struct Row { int item; const char* control; QString typed; std::function<void(R&)> change; bool marks; QString shown; };
        for (const Row& r : std::vector<Row>{
                 {Grant, "dif", "7", D(3), true, "3"}, {Grant, "dif", "0", D(1), true, "1"},
                 {Grant, "dif", "2", D(2), true, "2"}, {Grant, "dif", "x", D(1), true, "1"},
                 {Grant, "dif", "3", D(3), true, "3"}, {Grant, "dif", "", D(1), true, "1"},
                 {Grant, "UpDown2", "^", D(2), true, ""}, {Grant, "UpDown2", "^", D(3), true, ""},
                 {Grant, "UpDown2", "^", D(3), true, ""},
                 {Lee, "Text1", "1806", set(&R::Year1, int16_t(1806)), true, "1806"},
                 {Lee, "Text2", "-5", set(&R::Year2, int16_t(-5)), true, "-5"},
                 {Lee, "Text2", "", [](R&) {}, false, ""},
                 {Lee, "txtDesc", "Led", set<std::string>(&R::Description, "Led"), true, ""},
                 {Lee, "txtNickname", "Bob \"Lee\"", set<std::string>(&R::Nickname, "Bob 'Lee'"), false, "Bob 'Lee'"},
                 {Lee, "Text4", "x.jpg", set<std::string>(&R::ImageFile, "x.jpg"), true, "x.jpg"},
                 {Lee, "Option10", "", set(&R::Side, int16_t(0)), false, ""},
                 {Lee, "Itemtype3", "", set(&R::ItemType, int16_t(3)), true, ""},
                 {Sherman, "Text1", "1819", [](R& r) { r.Year1 = 1819, r.Difficulty = 3; }, true, "1819"},
                 {Antietam, "Text3", "May", set<std::string>(&R::DateText, "May"), true, "May"},
                 {Antietam, "txtCmdr", "Hooker", set<std::string>(&R::Commanders, "Hooker"), true, "Hooker"},
                 {Antietam, "txtCampaign", "Sharp", set<std::string>(&R::Campaign, "Sharp"), false, "Sharp"},
                 {Antietam, "cmbST", "T", set(&R::State, int16_t(9)), false, ""}}) {
            choose(form.cmbitem, r.item - 1);
            form.DataChanged = false;
            act(&form, r.control, r.typed);
            r.change(want[std::size_t(r.item - 1)]);
            const QString what = QString(r.control) + " " + r.typed;
            for (int k = 1; k <= FixtureCount; ++k)
                QVERIFY2(ts.state.item(k) == want[std::size_t(k - 1)], qPrintable(what));
            QVERIFY2(form.DataChanged == r.marks, qPrintable(what));
            if (auto* box = form.findChild<QLineEdit*>(r.control))
                QCOMPARE(box->text(), r.shown);
        }
    }

    void storeListByDifficulty()
    {
        ProgramDir dir;
        TestState ts;
        loadFixture(ts.state);
        ts.state.item(Emancipation).Difficulty = 0;  // listed with the nearest difficulty, 1
        ts.state.item(Assassination).ItemType = 7;   // no line for an unknown type
        ZelEdit form(ts.state);
        form.show();
        act(&form, "Text1", "-5");
        ts.notifier.answerOk = false;
        QTest::mouseClick(form.cmdPrint, Qt::LeftButton);
        QCOMPARE(ts.notifier.questions,
                 std::vector<std::string>{"Store list to file|Ready to store list by difficulty in file 'zel.txt'"});
        QVERIFY(!dir.exists("zel.txt"));
        ts.notifier.answerOk = true;
        QTest::mouseClick(form.cmdPrint, Qt::LeftButton);
        QCOMPARE(dir.read("zel.txt"),
                 " 1  Ulysses S. Grant  -5   1885  Took Vicksburg and accepted Lee's surrender\r\n"
                 " 2  Robert E. Lee   1807   1870  Led the Army of Northern Virginia\r\n"
                 " 7  First Bull Run   1861  Manassas Campaign McDowell, Beauregard The first great battle ended in a Union rout\r\n"
                 " 8  Antietam   1862  Maryland Campaign McClellan, Lee The bloodiest single day of the war\r\n"
                 " 12  Fort Sumter   1861    The first shots of the war\r\n"
                 " 13  Emancipation Proclamation   1863    Freed the slaves in the rebel states\r\n"
                 " 3  William T. Sherman   1820   1891  Marched from Atlanta to the sea\r\n"
                 " 4  Thomas J. Jackson   1824   1863  Stood like a stone wall at Manassas\r\n"
                 " 9  Gettysburg   1863  Gettysburg Campaign Meade, Lee Turned back the invasion of the North\r\n"
                 " 10  Atlanta   1864  Atlanta Campaign Sherman, Hood Opened the road to the sea\r\n"
                 " 5  Clara Barton   1821   1912  Nursed the wounded and founded the Red Cross\r\n"
                 " 6  Jefferson Davis   1808   1889  President of the Confederate States\r\n"
                 " 11  Bentonville   1865  Carolinas Campaign Sherman, Johnston The last attack of Johnston's army\r\n");
    }

    void editorWithNoItems()
    {
        ProgramDir dir;
        TestState ts;
        ZelEdit form(ts.state);
        form.show();
        QCOMPARE(form.cmbitem->count(), 0);
        QCOMPARE(ts.notifier.messages, std::vector<std::string>{"Problem? no name for 0"});
        act(&form, "txtNickname", "x");
        act(&form, "Text1", "1850");
        QVERIFY(ts.state.item(0) == R{});  // the empty record stays empty
        QTest::mouseClick(form.Command1, Qt::LeftButton);
        QVERIFY(!form.isVisible() && !dir.exists("zel.dat"));
    }
};

QTEST_MAIN(TestMaint)
#include "test_maint.moc"
