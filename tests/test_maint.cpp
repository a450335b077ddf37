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
using Change = std::function<void(ItemRecord&)>;
Q_DECLARE_METATYPE(Change)
#define SET(field, value) Change([](ItemRecord& r) { r.field = value; })

namespace {
// Acts on the control called name: "^" and "v" press a spin control's arrows, a button is
// clicked, a list steps to entry number text, any other control gets text typed over its whole
// contents.
void act(QWidget* form, const QString& name, const QString& text)
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
                   : QTest::keyClicks(w, text);  // a list takes no digits
}

// The index of the checked button of an array; the array's size when none is.
int checkedOf(const auto& buttons)
{
    return int(std::ranges::find_if(buttons, &QAbstractButton::isChecked) - buttons.begin());
}

const std::array<int16_t, 18> kCategories = {4, 0, -1, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 9};
}  // namespace

class TestMaint : public QObject {
    Q_OBJECT
    // The setup screen or editor the rows of a table act on in turn, and its state.
    ProgramDir dir_;
    TestState ts_;
    std::unique_ptr<QDialog> form_;
    std::vector<ItemRecord> items_;  // what the editor's table should hold

private slots:
    void setupOpensAndEveryCloseSaves_data()
    {
        QTest::addColumn<QList<int>>(
            "stored");  // MinDifficulty, MaxDifficulty, QuestionsPerGame, LogLevel, SoundOn
        QTest::addColumn<QString>("questions");  // shown on opening
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<int>("logOption");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<bool>("ok");        // closed with OK, else with the close box
        QTest::addColumn<QString>("saved");  // the first line of zel.INI
        QTest::newRow("as stored; sound -1 opens ticked")
            << QList<int>({3, 5, 7, 2, -1}) << QString("7") << QString("3") << "5" << 2 << true << true
            << "3 5 7 2";
        QTest::newRow("0 questions and maximum 12 open as 1 and 9; the close box saves")
            << QList<int>({1, 12, 0, 0, 0}) << QString("1") << QString("1") << "9" << 0 << false << false
            << "1 9 1 0";
        QTest::newRow("40 questions open as 10; a minimum above the maximum as the maximum")
            << QList<int>({7, 4, 40, 1, 1}) << QString("10") << QString("4") << "4" << 1 << true << true
            << "4 4 10 1";
    }

    void setupOpensAndEveryCloseSaves()
    {
        QFETCH(QList<int>, stored);
        QFETCH(bool, ok);
        ProgramDir dir;
        TestState ts;
        Settings& s = ts.state.settings;
        s.MinDifficulty = int16_t(stored[0]), s.MaxDifficulty = int16_t(stored[1]);
        s.QuestionsPerGame = int16_t(stored[2]), s.LogLevel = int16_t(stored[3]),
        s.SoundOn = int16_t(stored[4]);
        s.CategoryEnabled = kCategories;
        Setup form(ts.state);
        form.show();
        QCOMPARE(form.windowTitle(), "Bellarune Game Setup");
        QTEST(form.nquestion->text(), "questions");
        QTEST(form.tmindif->text(), "minimum");
        QTEST(form.tmaxdif->text(), "maximum");
        QTEST(checkedOf(form.Option1), "logOption");
        QTEST(form.Check1->isChecked(), "sound");
        QTEST(s.SoundOn != 0, "sound");
        QStringList selected;
        for (QListWidgetItem* entry : form.List1->selectedItems())
            selected << entry->text();
        QCOMPARE(form.List1->count(), 16);
        QCOMPARE(form.List1->item(15)->text(), "Name me");
        QCOMPARE(selected, QStringList({"Dates for event", "Who was?", "Name me"}));
        // A click toggles an entry: "Who was?" is cleared.
        QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                          form.List1->visualItemRect(form.List1->item(2)).center());
        ok ? act(&form, "cmdok", "") : void(form.close());
        const QStringList file = strings(dir.lines("zel.INI"));
        QTEST(file.value(0), "saved");
        QCOMPARE(s.CategoryEnabled,
                 (std::array<int16_t, 18>{4, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 9}));
        QCOMPARE(file.mid(11), QStringList({"4", "0", "-1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                            "0", "0", "0", "-1"}));
    }

    // One setup screen, opened with minimum 1 and maximum 6; each row acts on it in turn.
    void setupRules_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("questions");  // shown after it
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("logLevel");
        QTest::addColumn<int>("soundOn");
        QTest::newRow("0 questions show 1") << QString("nquestion") << "0" << 1 << 1 << 6 << 1 << 0;
        QTest::newRow("stepping down stays at 1") << QString("UpDown1") << "v" << 1 << 1 << 6 << 1 << 0;
        QTest::newRow("25 questions show 10") << QString("nquestion") << "25" << 10 << 1 << 6 << 1 << 0;
        QTest::newRow("stepping up stays at 10") << QString("UpDown1") << "^" << 10 << 1 << 6 << 1 << 0;
        QTest::newRow("a step down") << QString("UpDown1") << "v" << 9 << 1 << 6 << 1 << 0;
        QTest::newRow("maximum 4") << QString("tmaxdif") << "4" << 9 << 1 << 4 << 1 << 0;
        QTest::newRow("minimum 7 shows the maximum") << QString("tmindif") << "7" << 9 << 4 << 4 << 1 << 0;
        QTest::newRow("minimum 3") << QString("tmindif") << "3" << 9 << 3 << 4 << 1 << 0;
        QTest::newRow("maximum 2 shows the minimum") << QString("tmaxdif") << "2" << 9 << 3 << 3 << 1 << 0;
        QTest::newRow("the minimum steps no higher than the maximum")
            << QString("UpDown2") << "^" << 9 << 3 << 3 << 1 << 0;
        QTest::newRow("maximum 12 shows 9") << QString("tmaxdif") << "12" << 9 << 3 << 9 << 1 << 0;
        QTest::newRow("only incorrect at once") << QString("Option12") << "" << 9 << 3 << 9 << 2 << 0;
        QTest::newRow("off") << QString("Option10") << "" << 9 << 3 << 9 << 0 << 0;
        QTest::newRow("sound on at once") << QString("Check1") << "" << 9 << 3 << 9 << 0 << 1;
        QTest::newRow("make online questions: level 2") << QString("cmdmakeq") << "" << 9 << 3 << 9 << 2 << 1;
        QTest::newRow("then all: level 1") << QString("Option11") << "" << 9 << 3 << 9 << 1 << 1;
        QTest::newRow("sound off") << QString("Check1") << "" << 9 << 3 << 9 << 1 << 0;
    }

    void setupRules()
    {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        if (!form_) {
            ts_.state.settings.MinDifficulty = 1, ts_.state.settings.MaxDifficulty = 6;
            ts_.state.settings.LogLevel = 1, ts_.state.settings.SoundOn = 0;
            form_ = std::make_unique<Setup>(ts_.state);
            form_->show();
        }
        act(form_.get(), control, typed);
        const auto& f = static_cast<Setup&>(*form_);
        QTEST(f.nquestion->text().toInt(), "questions");
        QTEST(f.tmindif->text().toInt(), "minimum");
        QTEST(f.tmaxdif->text().toInt(), "maximum");
        QTEST(int(ts_.state.settings.LogLevel), "logLevel");
        QTEST(int(ts_.state.settings.SoundOn), "soundOn");
    }

    // From the setup screen above: help, then the editor three times: with no items, an edit and ok;
    // an edit and the close box; ok alone.
    void helpAndEditorFromSetup()
    {
        Settings& s = ts_.state.settings;
        act(form_.get(), "cmdHelp", "");
        QCOMPARE(ts_.textsShown, (std::vector<std::pair<std::string, int>>{{"zelhelp.txt", 3}}));
        loadFixture(ts_.state);
        const QList<int> years = {1870, 1871, 1871};
        for (int pass : {0, 1, 2}) {
            ts_.state.table.ItemCount = pass ? FixtureCount : 0;
            int held = 0;
            onNextModal([&](QWidget* w) {
                held = s.MaxDifficulty;
                if (pass < 2)
                    act(w, pass ? "cmdNext" : "Text1", "1871"), act(w, "Text2", "1871");
                pass == 1 ? void(w->close()) : act(w, "Command1", "");
            });
            act(form_.get(), "cmdEdit", "");
            QCOMPARE(held, 3);                  // the maximum difficulty is held at 3 while it is open
            QCOMPARE(int(s.MaxDifficulty), 6);  // and given back
            QCOMPARE(int(ts_.state.item(Lee).Year2), years[pass]);
            QCOMPARE(dir_.exists("zel.dat"), pass == 2);  // written by ok after a change only
        }
        QVERIFY(ts_.state.item(0) == ItemRecord{});  // the empty record stays empty
        QCOMPARE(strings(ts_.notifier.messages),
                 QStringList({"Will create question file for online games", "Problem? no name for 0"}));
        QCOMPARE(dir_.lines("zel.dat")[6], "2,1807,1871,\"\",\"General\"");  // Lee's second line
        form_.reset();
    }

    // One editor on the fixture, whose last item has a type, side and state of none of the lists,
    // difficulty 5 and the picture name " ". go: -1 Previous, 0 Next, else the item chosen in the list.
    void editorShowsItems_data()
    {
        QTest::addColumn<int>("go");
        QTest::addColumn<int>("item");  // shown after it
        QTest::addColumn<bool>("person");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("typeButton");  // checked; 4: none
        QTest::addColumn<int>("sideButton");  // checked; 2: none
        QTest::addColumn<QString>("picture");
        QTest::newRow("an officer from the list")
            << int(Grant) << int(Grant) << true << "none" << 0 << 0 << "grant.jpg";
        QTest::newRow("Next: a person of a state shows its map")
            << 0 << int(Lee) << true << "Virginia" << 0 << 1 << "Va.jpg";
        QTest::newRow("Previous") << -1 << int(Grant) << true << "none" << 0 << 0 << "grant.jpg";
        QTest::newRow("Previous on the first item")
            << -1 << int(Grant) << true << "none" << 0 << 0 << "grant.jpg";
        QTest::newRow("a battle shows its state's map")
            << int(Antietam) << int(Antietam) << false << "Maryland" << 1 << 0 << "Md.jpg";
        QTest::newRow("an event without state or picture")
            << int(Emancipation) << int(Emancipation) << false << "none" << 2 << 0 << "";
        QTest::newRow("a person after an event")
            << int(Barton) << int(Barton) << true << "none" << 3 << 0 << "barton.jpg";
        QTest::newRow("another person of a state")
            << 0 << int(Davis) << true << "Mississippi" << 3 << 1 << "Ms.jpg";
        QTest::newRow("none of the lists: the layout stays, no picture")
            << int(Assassination) << int(Assassination) << false << "" << 4 << 2 << "";
        QTest::newRow("Next on the last item") << 0 << int(Assassination) << false << "" << 4 << 2 << "";
    }

    void editorShowsItems()
    {
        QFETCH(int, go);
        QFETCH(int, item);
        QFETCH(bool, person);
        QFETCH(QString, picture);
        if (!form_) {
            items_ = fixtureItems();
            std::tie(items_[13].Name, items_[13].ItemType, items_[13].Side, items_[13].State,
                     items_[13].Difficulty, items_[13].ImageFile) = std::tuple("", 7, 5, -3, 5, " ");
            setItems(ts_.state, items_);
            items_[13].Difficulty = 3;  // shown as 3 and held
            for (const char* file : {"grant.jpg", "Va.jpg", "Md.jpg", "barton.jpg", "Ms.jpg", "antietam.jpg"})
                dir_.writePicture(file, unsigned(qHash(QString(file))) & 0xffffff);  // a colour of its own
            ts_.notifier.messages.clear();
            form_ = std::make_unique<ZelEdit>(ts_.state);
            form_->show();
        }
        auto& f = static_cast<ZelEdit&>(*form_);
        act(&f, go == -1 ? "cmdPrev" : go == 0 ? "cmdNext" : "cmbitem", QString::number(go - 1));
        const ItemRecord& r = items_[std::size_t(item - 1)];
        QCOMPARE(f.cmbitem->currentIndex() + 1, item);
        QCOMPARE(f.Text1->text(), QString::number(r.Year1));
        QCOMPARE(f.Text2->text(), QString::number(r.Year2));
        QCOMPARE(f.txtCampaign->text(), qs(r.Campaign));
        QCOMPARE(f.Text3->text(), qs(r.DateText));
        QCOMPARE(f.txtCmdr->text(), qs(r.Commanders));
        QCOMPARE(f.txtNickname->text(), qs(r.Nickname));
        QCOMPARE(f.txtDesc->toPlainText(), qs(r.Description));
        QCOMPARE(f.Text4->text(), qs(r.ImageFile));
        QCOMPARE(f.dif->text(), QString::number(r.Difficulty));
        QTEST(f.cmbST->currentText(), "state");
        QTEST(checkedOf(f.Itemtype), "typeButton");
        QTEST(checkedOf(f.Option1), "sideButton");
        // A person's layout, or an event's; the picture square for a person, three quarters high else.
        QCOMPARE(f.birth->text(), person ? "Birth" : "Year");
        QCOMPARE(f.ldeath->text(), person ? "Death" : "Campaign");
        QStringList shown;
        for (const char* name :
             {"Text2", "side", "txtCampaign", "Date", "Text3", "Label2", "txtCmdr", "cmbST"})
            if (f.findChild<QWidget*>(name)->isVisible())
                shown << name;
        QCOMPARE(shown, person ? QStringList({"Text2", "side"})
                               : QStringList({"txtCampaign", "Date", "Text3", "Label2", "txtCmdr", "cmbST"}));
        QVERIFY(f.Text1->isVisible() && f.ldeath->isVisible());
        QCOMPARE(f.Image1->height(), twipsToPx(person ? 3615 : 2711));
        QCOMPARE(f.Image1->isVisible() ? f.Image1->pixmap().toImage().pixel(5, 5) : 0,
                 picture.isEmpty() ? 0 : QImage(dir_.file(picture)).pixel(5, 5));
    }

    // The same editor: each change goes into the item at once.
    void editorChangeRules_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Change>("change");  // to the item
        QTest::addColumn<bool>("marks");     // DataChanged
        QTest::addColumn<QString>("shown");  // null: as typed
        QTest::newRow("difficulty 7 shows 3")
            << int(Grant) << QString("dif") << "7" << SET(Difficulty, 3) << true << "3";
        QTest::newRow("no step above 3")
            << int(Grant) << QString("UpDown2") << "^" << SET(Difficulty, 3) << true << QString();
        QTest::newRow("difficulty 0 shows 1")
            << int(Grant) << QString("dif") << "0" << SET(Difficulty, 1) << true << "1";
        QTest::newRow("a letter shows 1")
            << int(Grant) << QString("dif") << "x" << SET(Difficulty, 1) << true << "1";
        QTest::newRow("a step up") << int(Grant) << QString("UpDown2") << "^" << SET(Difficulty, 2) << true
                                   << QString();
        QTest::newRow("emptied shows 1")
            << int(Grant) << QString("dif") << "" << SET(Difficulty, 1) << true << "1";
        QTest::newRow("year of birth")
            << int(Lee) << QString("Text1") << "1806" << SET(Year1, 1806) << true << QString();
        QTest::newRow("a negative year")
            << int(Lee) << QString("Text2") << "-5" << SET(Year2, -5) << true << QString();
        QTest::newRow("an emptied year is kept")
            << int(Lee) << QString("Text2") << "" << Change([](ItemRecord&) {}) << false << QString();
        QTest::newRow("a line break in the description")
            << int(Lee) << QString("txtDesc") << "Le\rd" << SET(Description, "Le d") << true << "Le d";
        QTest::newRow("picture") << int(Lee) << QString("Text4") << "x.jpg" << SET(ImageFile, "x.jpg") << true
                                 << QString();
        QTest::newRow("a double quote in the nickname") << int(Lee) << QString("txtNickname") << "Bob \"Lee\""
                                                        << SET(Nickname, "Bob 'Lee'") << false << "Bob 'Lee'";
        QTest::newRow("side") << int(Lee) << QString("Option10") << "" << SET(Side, 0) << false << QString();
        QTest::newRow("type") << int(Lee) << QString("Itemtype3") << "" << SET(ItemType, 3) << true
                              << QString();
        QTest::newRow("date") << int(Antietam) << QString("Text3") << "May" << SET(DateText, "May") << true
                              << QString();
        QTest::newRow("state") << int(Antietam) << QString("cmbST") << "9" << SET(State, 9) << false
                               << QString();
        QTest::newRow("commanders") << int(Antietam) << QString("txtCmdr") << "Hooker"
                                    << SET(Commanders, "Hooker") << true << QString();
        QTest::newRow("campaign") << int(Antietam) << QString("txtCampaign") << "Sharp"
                                  << SET(Campaign, "Sharp") << false << QString();
    }

    void editorChangeRules()
    {
        QFETCH(int, item);
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(Change, change);
        QFETCH(QString, shown);
        auto& f = static_cast<ZelEdit&>(*form_);
        act(&f, "cmbitem", QString::number(item - 1));
        f.DataChanged = false;
        act(&f, control, typed);
        change(items_[std::size_t(item - 1)]);
        for (int k = 1; k <= FixtureCount; ++k)
            QVERIFY2(ts_.state.item(k) == items_[std::size_t(k - 1)], qPrintable(QString("item %1").arg(k)));
        QTEST(f.DataChanged, "marks");
        QWidget* w = f.findChild<QWidget*>(control);
        if (w->inherits("QLineEdit") || w->inherits("QPlainTextEdit"))
            QCOMPARE(w->property(w->inherits("QLineEdit") ? "text" : "plainText").toString(),
                     shown.isNull() ? typed : shown);
    }

    void editorStoresTheList()
    {
        ts_.notifier.answerOk = false;
        act(form_.get(), "cmdPrint", "");
        QCOMPARE(ts_.notifier.questions,
                 std::vector<std::string>{
                     "Store list to file|Ready to store list by difficulty in file 'zel.txt'"});
        QVERIFY(!dir_.exists("zel.txt"));
        ts_.notifier.answerOk = true;
        act(form_.get(), "cmdPrint", "");
        // By difficulty 1, 2, 3, each in item order; no line for the last item's type.
        QCOMPARE(
            strings(dir_.lines("zel.txt")),
            QStringList(
                {" 1  Ulysses S. Grant   1822   1885  Took Vicksburg and accepted Lee's surrender",
                 " 2  Robert E. Lee   1806  -5  Le d",
                 " 7  First Bull Run   1861  Manassas Campaign McDowell, Beauregard The first great battle "
                 "ended in a Union rout",
                 " 8  Antietam   1862  Sharp Hooker The bloodiest single day of the war",
                 " 12  Fort Sumter   1861    The first shots of the war",
                 " 3  William T. Sherman   1820   1891  Marched from Atlanta to the sea",
                 " 4  Thomas J. Jackson   1824   1863  Stood like a stone wall at Manassas",
                 " 9  Gettysburg   1863  Gettysburg Campaign Meade, Lee Turned back the invasion of the "
                 "North",
                 " 10  Atlanta   1864  Atlanta Campaign Sherman, Hood Opened the road to the sea",
                 " 13  Emancipation Proclamation   1863    Freed the slaves in the rebel states",
                 " 5  Clara Barton   1821   1912  Nursed the wounded and founded the Red Cross",
                 " 6  Jefferson Davis   1808   1889  President of the Confederate States",
                 " 11  Bentonville   1865  Carolinas Campaign Sherman, Johnston The last attack of "
                 "Johnston's "
                 "army"}));
        QCOMPARE(strings(ts_.notifier.messages), QStringList(2, "Problem? no name for 14"));
    }
};

QTEST_MAIN(TestMaint)
#include "test_maint.moc"
