// The setup screen and the item editor, driven with real key and mouse events.
#include <QtTest>
#include <QtWidgets>

#include "maint/numberbox.h"
#include "maint/setup.h"
#include "maint/zeledit.h"
#include "platform/twips.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;
using Strings = std::vector<std::string>;
#define SET(field, value) [](ItemRecord& r) { r.field = value; }

// Acts on the control called name: "^" and "v" press a spin control's arrows, a button
// is clicked, a list steps to entry number text, any other control gets text typed over
// its whole contents.
static void act(QWidget* form, const char* name, const QString& text)
{
    QWidget* w = form->findChild<QWidget*>(name);
    if (text == "^" || text == "v")
        return QTest::mouseClick(w->findChild<QWidget*>(text == "^" ? "up" : "down"), Qt::LeftButton);
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    if (w->metaObject()->indexOfSlot("selectAll()") >= 0)
        QMetaObject::invokeMethod(w, "selectAll");
    auto* list = qobject_cast<QComboBox*>(w);  // a list is stepped to entry text with the arrow keys
    for (int i = 0; list && i < 20 && list->currentIndex() != text.toInt(); ++i)
        QTest::keyClick(list, list->currentIndex() < text.toInt() ? Qt::Key_Down : Qt::Key_Up);
    text.isEmpty() ? QTest::keyClick(w, Qt::Key_Backspace)
                   : QTest::keyClicks(w, text);  // a list matches no digits
}

// The index of the checked button of an array; the array's size when none is.
static int checkedOf(const auto& buttons)
{
    return int(std::ranges::find_if(buttons, &QAbstractButton::isChecked) - buttons.begin());
}

// What setup shows: questions, minimum, maximum, the log option, the sound box.
static QString shown(const Setup& f)
{
    return QString("%1 %2 %3 %4 %5")
        .arg(f.nquestion->text(), f.tmindif->text(), f.tmaxdif->text())
        .arg(checkedOf(f.Option1))
        .arg(f.Check1->isChecked());
}

class TestMaint : public QObject {
    Q_OBJECT
private slots:
    void setupOpensActsAndEveryCloseSaves()
    {
        // The question types in order; "*" marks an entry selected from CategoryEnabled.
        const QStringList names = {"Dates for person",
                                   "*Dates for event",
                                   "*Who was?",
                                   "Describe event?",
                                   "Event based on desc",
                                   "What happened on?",
                                   "Which battle did these commanders fight?",
                                   "People by date",
                                   "Battles by date",
                                   "Events by date",
                                   "Match commanders and battles",
                                   "Match battle and campaign",
                                   "Match nicknames, sayings",
                                   "Match battles and states",
                                   "Match portraits to names",
                                   "*Name me"};
        // Stored min, max, questions, LogLevel, SoundOn; shown on opening; the first line of zel.INI written
        // on closing (min, max, questions, LogLevel) by OK or by the close box.
        struct Row {
            std::tuple<int16_t, int16_t, int16_t, int16_t, int16_t> stored;
            QString opened, saved;
            bool ok;
        };
        const Row rows[] = {{{3, 5, 7, 2, -1}, "7 3 5 2 1 1", "3 5 7 2", true},
                            {{1, 12, 0, 0, 0}, "1 1 9 0 0 0", "1 9 1 0", false},
                            {{7, 4, 40, 1, 1}, "10 4 4 1 1 1", "4 4 10 1", true},
                            {{0, 6, 5, 1, 0}, "5 1 6 1 0 0", "3 9 9 1", false}};
        for (const Row& r : rows) {
            ProgramDir dir;
            TestState ts;
            Settings& s = ts.state.settings;
            std::tie(s.MinDifficulty, s.MaxDifficulty, s.QuestionsPerGame, s.LogLevel, s.SoundOn) = r.stored;
            s.CategoryEnabled = {4, 0, -1, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 9};
            Setup form(ts.state);
            form.show();
            QCOMPARE(form.windowTitle() + " " + shown(form) + " " + QString::number(s.SoundOn),
                     "Bellarune Game Setup " + r.opened);
            QCOMPARE(form.List1->count(), 16);
            for (int i = 0; i < 16; ++i)
                QCOMPARE((form.List1->item(i)->isSelected() ? "*" : "") + form.List1->item(i)->text(),
                         names[i]);
            // A click toggles an entry: "Who was?" is cleared.
            QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                              form.List1->visualItemRect(form.List1->item(2)).center());
            if (&r == &rows[3]) {
                // Each step, then what setup shows, LogLevel and SoundOn.
                for (const auto& [control, typed, now] :
                     std::vector<std::tuple<const char*, QString, QString>>{
                         {"nquestion", "0", "1 1 6 1 0 1 0"},
                         {"UpDown1", "v", "1 1 6 1 0 1 0"},
                         {"nquestion", "25", "10 1 6 1 0 1 0"},
                         {"UpDown1", "^", "10 1 6 1 0 1 0"},
                         {"UpDown1", "v", "9 1 6 1 0 1 0"},
                         {"tmaxdif", "4", "9 1 4 1 0 1 0"},
                         {"tmindif", "7", "9 4 4 1 0 1 0"},
                         {"tmindif", "3", "9 3 4 1 0 1 0"},
                         {"tmaxdif", "2", "9 3 3 1 0 1 0"},
                         {"UpDown2", "^", "9 3 3 1 0 1 0"},
                         {"UpDown3", "v", "9 3 3 1 0 1 0"},
                         {"tmaxdif", "12", "9 3 9 1 0 1 0"},
                         {"UpDown3", "^", "9 3 9 1 0 1 0"},
                         {"Option12", "", "9 3 9 2 0 2 0"},
                         {"Option10", "", "9 3 9 0 0 0 0"},
                         {"Check1", "", "9 3 9 0 1 0 1"},
                         {"cmdmakeq", "", "9 3 9 0 1 2 1"},
                         {"Option11", "", "9 3 9 1 1 1 1"},
                         {"Check1", "", "9 3 9 1 0 1 0"}}) {
                    act(&form, control, typed);
                    QCOMPARE(shown(form) + QString(" %1 %2").arg(s.LogLevel).arg(s.SoundOn), now);
                }
                act(&form, "cmdHelp", "");
                QCOMPARE(ts.textsShown, (std::vector<std::pair<std::string, int>>{{"zelhelp.txt", 3}}));
                // Edit, three times: no items, an edit and ok; an edit and the close box; ok alone.
                loadFixture(ts.state);
                for (int pass : {0, 1, 2}) {
                    ts.state.table.ItemCount = pass ? FixtureCount : 0;
                    int held = 0;
                    onNextModal([&](QWidget* w) {
                        held = qobject_cast<ZelEdit*>(w) ? s.MaxDifficulty : -1;
                        pass < 2                    ? act(w, pass ? "cmdNext" : "Text1", "1871"),
                            act(w, "Text2", "1871") : void();
                        pass == 1 ? void(w->close()) : act(w, "Command1", "");
                    });
                    act(&form, "cmdEdit", "");
                    // MaxDifficulty is held at 3 while the editor is open (setup is still open here).
                    QCOMPARE(QString("%1 %2 %3 %4")
                                 .arg(held)
                                 .arg(s.MaxDifficulty)
                                 .arg(ts.state.item(Lee).Year2)
                                 .arg(dir.exists("zel.dat")),
                             QStringList({"3 6 1870 0", "3 6 1871 0", "3 6 1871 1"})[pass]);
                }
                QVERIFY(ts.state.item(0) == ItemRecord{});  // the empty record stays empty
                QCOMPARE(ts.notifier.messages,
                         (Strings{"Will create question file for online games", "Problem? no name for 0"}));
                QCOMPARE(dir.lines("zel.dat")[6],
                         std::string("2,1807,1871,\"\",\"General\""));  // Lee's second line
            }
            r.ok ? act(&form, "cmdok", "") : void(form.close());
            QCOMPARE(QString("%1 %2 %3 %4")
                         .arg(s.MinDifficulty)
                         .arg(s.MaxDifficulty)
                         .arg(s.QuestionsPerGame)
                         .arg(s.LogLevel),
                     r.saved);
            QCOMPARE(s.CategoryEnabled,
                     (std::array<int16_t, 18>{4, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 9}));
            // The file's values in order: its first line, ..., then CategoryEnabled 0 to 16 from the 50th on.
            const QString file = QString::fromStdString(dir.read("zel.INI")).simplified();
            QCOMPARE(file.section(' ', 0, 3) + " | " + file.section(' ', 49),
                     r.saved + " | 4 0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 -1");
        }
    }

    void editorLayoutChangeRulesAndList()
    {
        ProgramDir dir;
        TestState ts;
        std::vector<ItemRecord> want(fixtureItems());
        std::tie(want[13].Name, want[13].ItemType, want[13].Side, want[13].State, want[13].Difficulty,
                 want[13].ImageFile) = std::tuple("", 7, 5, -3, 5, " ");
        setItems(ts.state, want);
        for (const char* file :
             {"grant.jpg", "Va.jpg", "Md.jpg", "barton.jpg", "Ms.jpg", "lee.jpg", "antietam.jpg"})
            dir.writePicture(file,
                             unsigned(std::hash<std::string>{}(file)) & 0xffffff);  // a colour of its own
        ZelEdit form(ts.state);
        form.show();
        // go: -1 Previous, 0 Next, else the item chosen in the list. Item 14's type is none of
        // the four, so the layout stays as it was; its buttons show none (4, 2), its state nothing
        // and its picture name " " no picture.
        for (const auto& [go, person, fields, picture] : std::vector<std::tuple<int, bool, QString, QString>>{
                 {Grant, true, "1|1822|1885|||General-in-chief|Unconditional Surrender|grant.jpg|1|none|0|0",
                  "grant.jpg"},
                 {0, true, "2|1807|1870|||General|Marse Robert|lee.jpg|1|Virginia|0|1", "Va.jpg"},
                 {-1, true, "1|1822|1885|||General-in-chief|Unconditional Surrender|grant.jpg|1|none|0|0",
                  "grant.jpg"},
                 {-1, true, "1|1822|1885|||General-in-chief|Unconditional Surrender|grant.jpg|1|none|0|0",
                  "grant.jpg"},
                 {Antietam, false,
                  "8|1862|1862|Maryland Campaign|September 17, 1862|McClellan, Lee|Sharpsburg|antietam.jpg|1|"
                  "Maryland|1|0",
                  "Md.jpg"},
                 {Emancipation, false, "13|1863|1863||January 1, 1863||||2|none|2|0", ""},
                 {Barton, true, "5|1821|1912|||Nurse|Angel of the Battlefield|barton.jpg|3|none|3|0",
                  "barton.jpg"},
                 {0, true, "6|1808|1889|||President|Jeff|davis.jpg|3|Mississippi|3|1", "Ms.jpg"},
                 {Assassination, false, "14|1865|1865||April 14, 1865||| |3||4|2", ""},
                 {0, false, "14|1865|1865||April 14, 1865||| |3||4|2", ""}}) {
            act(&form, go == -1 ? "cmdPrev" : go == 0 ? "cmdNext" : "cmbitem", QString::number(go - 1));
            QCOMPARE(QStringList({QString::number(form.cmbitem->currentIndex() + 1), form.Text1->text(),
                                  form.Text2->text(), form.txtCampaign->text(), form.Text3->text(),
                                  form.txtCmdr->text(), form.txtNickname->text(), form.Text4->text(),
                                  form.dif->text(), form.cmbST->currentText(),
                                  QString::number(checkedOf(form.Itemtype)),
                                  QString::number(checkedOf(form.Option1))})
                         .join('|'),
                     fields);
            QCOMPARE(form.txtDesc->toPlainText().toStdString(),
                     want[std::size_t(ts.state.CurrentItem - 1)].Description);
            QString layout =
                form.birth->text() + " " + form.ldeath->text() + " ";  // then which of these are shown:
            for (const char* name : {"Text2", "side", "txtCampaign", "Date", "Text3", "Label2", "txtCmdr",
                                     "cmbST", "Text1", "ldeath"})
                layout += form.findChild<QWidget*>(name)->isVisible() ? "1" : "0";
            QCOMPARE(layout, person ? "Birth Death 1100000011" : "Year Campaign 0011111111");
            QCOMPARE(form.Image1->height(), twipsToPx(person ? 3615 : 2711));
            QCOMPARE(form.Image1->isVisible() ? form.Image1->pixmap().toImage().pixel(5, 5) : 0,
                     picture.isEmpty() ? 0 : QImage(picture).pixel(5, 5));
        }
        QCOMPARE(ts.notifier.messages, Strings(2, "Problem? no name for 14"));
        want[13].Difficulty = 3;  // a stored 5 is shown as 3 and held

        struct Change {
            int item;
            const char* control;
            QString typed;
            std::function<void(ItemRecord&)> change;
            bool marks;
            QString shown;
        };
        for (const Change& r : std::vector<Change>{
                 {Grant, "dif", "7", SET(Difficulty, 3), true, "3"},
                 {Grant, "UpDown2", "^", SET(Difficulty, 3), true},
                 {Grant, "dif", "0", SET(Difficulty, 1), true, "1"},
                 {Grant, "dif", "2", SET(Difficulty, 2), true},
                 {Grant, "dif", "x", SET(Difficulty, 1), true, "1"},
                 {Grant, "UpDown2", "^", SET(Difficulty, 2), true},
                 {Grant, "dif", "", SET(Difficulty, 1), true, "1"},
                 {Lee, "Text1", "1806", SET(Year1, 1806), true},
                 {Lee, "Text2", "-5", SET(Year2, -5), true},
                 {Lee, "Text2", "", [](ItemRecord&) {}, false},
                 {Lee, "txtDesc", "Le\rd", SET(Description, "Le d"), true, "Le d"},
                 {Lee, "Text4", "x.jpg", SET(ImageFile, "x.jpg"), true},
                 {Lee, "txtNickname", "Bob \"Lee\"", SET(Nickname, "Bob 'Lee'"), false, "Bob 'Lee'"},
                 {Lee, "Option10", "", SET(Side, 0), false},
                 {Lee, "Itemtype3", "", SET(ItemType, 3), true},
                 {Antietam, "Text3", "May", SET(DateText, "May"), true},
                 {Antietam, "cmbST", "9", SET(State, 9), false},
                 {Antietam, "txtCmdr", "Hooker", SET(Commanders, "Hooker"), true},
                 {Antietam, "txtCampaign", "Sharp", SET(Campaign, "Sharp"), false}}) {
            act(&form, "cmbitem", QString::number(r.item - 1));
            form.DataChanged = false;
            act(&form, r.control, r.typed);
            r.change(want[std::size_t(r.item - 1)]);
            QVERIFY2(
                std::equal(want.begin(), want.end(), &ts.state.table.Items[1]) && form.DataChanged == r.marks,
                r.control);
            if (QWidget* w = form.findChild<QWidget*>(r.control);
                w->inherits("QLineEdit") || w->inherits("QPlainTextEdit"))
                QCOMPARE(w->property(w->inherits("QLineEdit") ? "text" : "plainText").toString(),
                         r.shown.isNull() ? r.typed : r.shown);
        }

        ts.notifier.answerOk = false;
        act(&form, "cmdPrint", "");
        QCOMPARE(ts.notifier.questions,
                 Strings{"Store list to file|Ready to store list by difficulty in file 'zel.txt'"});
        QVERIFY(!dir.exists("zel.txt"));
        ts.notifier.answerOk = true;
        act(&form, "cmdPrint", "");
        QCOMPARE(
            dir.read("zel.txt"),  // by difficulty 1, 2, 3, each in item order; no line for item 14's type
            " 1  Ulysses S. Grant   1822   1885  Took Vicksburg and accepted Lee's surrender\r\n"
            " 2  Robert E. Lee   1806  -5  Le d\r\n"
            " 7  First Bull Run   1861  Manassas Campaign McDowell, Beauregard The first great battle ended "
            "in a Union rout\r\n"
            " 8  Antietam   1862  Sharp Hooker The bloodiest single day of the war\r\n"
            " 12  Fort Sumter   1861    The first shots of the war\r\n"
            " 3  William T. Sherman   1820   1891  Marched from Atlanta to the sea\r\n"
            " 4  Thomas J. Jackson   1824   1863  Stood like a stone wall at Manassas\r\n"
            " 9  Gettysburg   1863  Gettysburg Campaign Meade, Lee Turned back the invasion of the North\r\n"
            " 10  Atlanta   1864  Atlanta Campaign Sherman, Hood Opened the road to the sea\r\n"
            " 13  Emancipation Proclamation   1863    Freed the slaves in the rebel states\r\n"
            " 5  Clara Barton   1821   1912  Nursed the wounded and founded the Red Cross\r\n"
            " 6  Jefferson Davis   1808   1889  President of the Confederate States\r\n"
            " 11  Bentonville   1865  Carolinas Campaign Sherman, Johnston The last attack of Johnston's "
            "army\r\n");
    }
};

QTEST_MAIN(TestMaint)
#include "test_maint.moc"
