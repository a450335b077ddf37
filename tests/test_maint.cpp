// The setup screen and the item editor, driven with real key and mouse events. The texts, tips and
// places of their controls and their Tab order are test_forms'; Escape, test_windows'.
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
// Acts on the control called name: "^" presses a spin control's up arrow, a button is
// clicked, a list steps to entry number text, any other control gets text typed over its whole
// contents.
void act(QWidget* form, const QString& name, const QString& text)
{
    QWidget* w = form->findChild<QWidget*>(name);
    if (text == "^")
        return QTest::mouseClick(w->findChild<QWidget*>("up"), Qt::LeftButton);
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    if (w->metaObject()->indexOfSlot("selectAll()") >= 0)
        QMetaObject::invokeMethod(w, "selectAll");
    // A list is stepped to entry number text with the arrow keys, and takes no digits.
    auto* list = qobject_cast<QComboBox*>(w);
    for (int i = 0; list && i < 20 && list->currentIndex() != text.toInt(); ++i)
        QTest::keyClick(list, list->currentIndex() < text.toInt() ? Qt::Key_Down : Qt::Key_Up);
    text.isEmpty() ? QTest::keyClick(w, Qt::Key_Backspace) : QTest::keyClicks(w, text);
}

}  // namespace

class TestMaint : public QObject {
    Q_OBJECT
    // The setup screen or editor the rows of a table act on in turn, and its state.
    ProgramDir dir_;
    TestState ts_;
    std::unique_ptr<QDialog> form_;
    std::vector<ItemRecord> items_;  // what the editor's table should hold

private slots:
    // One setup screen, opened on stored values: minimum 3, maximum 12, 0 questions, log level 0,
    // sound -1; then each row acts on it in turn.
    void setupRules_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("questions");  // shown after it
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("0 questions show 1, a step up 2; maximum 12 shows 9")
            << QString("UpDown1") << "^" << 2 << 3 << 9;
        QTest::newRow("25 questions show 10") << QString("nquestion") << "25" << 10 << 3 << 9;
        QTest::newRow("maximum 2 shows the minimum") << QString("tmaxdif") << "2" << 10 << 3 << 3;
        QTest::newRow("minimum 7 shows the maximum") << QString("tmindif") << "7" << 10 << 3 << 3;
        QTest::newRow("a step up") << QString("UpDown3") << "^" << 10 << 3 << 4;
    }

    void setupRules()
    {
        if (!form_) {
            Settings& s = ts_.state.settings;
            std::tie(s.MinDifficulty, s.MaxDifficulty, s.QuestionsPerGame, s.LogLevel, s.SoundOn) =
                std::tuple(3, 12, 0, 0, -1);
            s.CategoryEnabled = {4, 0, -1, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 9};
            form_ = std::make_unique<Setup>(ts_.state);
            form_->show();
        }
        QFETCH(QString, control);
        QFETCH(QString, typed);
        act(form_.get(), control, typed);
        const auto& f = static_cast<Setup&>(*form_);
        QTEST(f.nquestion->text().toInt(), "questions");
        QTEST(f.tmindif->text().toInt(), "minimum");
        QTEST(f.tmaxdif->text().toInt(), "maximum");
    }

    // The same screen: a click clears the stored "Who was?", Make online questions sets log level 2,
    // OK stores all; the sound -1 was ticked at opening.
    void setupSavesOnOk()
    {
        auto& f = static_cast<Setup&>(*form_);
        QTest::mouseClick(f.List1->viewport(), Qt::LeftButton, {},
                          f.List1->visualItemRect(f.List1->item(2)).center());
        act(&f, "cmdmakeq", "");
        act(&f, "cmdok", "");
        form_.reset();  // the editor's rows make their own
        QCOMPARE(dir_.lines("zel.INI").at(0), "3 4 10 2");
        QCOMPARE(dir_.lines("zel.INI").at(1), "0 1 8 8");
        QCOMPARE(ts_.state.settings.CategoryEnabled,
                 (std::array<int16_t, 18>{4, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 9}));
    }

    // One editor on the fixture, whose last item has no name, a type, side and state of none of the
    // lists, difficulty 5 and the picture name " ". Each row acts on it in turn: a move to another item
    // (Previous, Next, an entry of the list), or a change, which goes into the item shown at once.
    void editorSteps_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");  // the list's entry number
        QTest::addColumn<int>("item");       // shown after it
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("person");  // a person's layout, else an event's
        QTest::addColumn<QString>("state");
        QTest::addColumn<Change>("change");  // to the item
        QTest::addColumn<bool>("marks");     // DataChanged
        const Change none = [](ItemRecord&) {};
        QTest::newRow("Previous on the first item")
            << QString("cmdPrev") << "" << int(Grant) << "grant.jpg" << true << "none" << none << true;
        QTest::newRow("difficulty 7 shows 3") << QString("dif") << "7" << int(Grant) << "grant.jpg" << true
                                              << "none" << SET(Difficulty, 3) << true;
        QTest::newRow("Next: a person of a state shows its map")
            << QString("cmdNext") << "" << int(Lee) << "Va.jpg" << true << "Virginia" << none << true;
        QTest::newRow("a negative birth year") << QString("Text1") << "-5" << int(Lee) << "Va.jpg" << true
                                               << "Virginia" << SET(Year1, -5) << true;
        QTest::newRow("an emptied death year is kept")
            << QString("Text2") << "" << int(Lee) << "Va.jpg" << true << "Virginia" << none << false;
        QTest::newRow("a typed line break") << QString("txtDesc") << "Le\rd" << int(Lee) << "Va.jpg" << true
                                            << "Virginia" << SET(Description, "Le d") << true;
        QTest::newRow("a typed double quote") << QString("txtNickname") << "\"Bob\"" << int(Lee) << "Va.jpg"
                                              << true << "Virginia" << SET(Nickname, "'Bob'") << false;
        QTest::newRow("side") << QString("Option10") << "" << int(Lee) << "Va.jpg" << true << "Virginia"
                              << SET(Side, 0) << false;
        QTest::newRow("a battle shows its state's map")
            << QString("cmbitem") << "7" << int(Antietam) << "Md.jpg" << false << "Maryland" << none << true;
        QTest::newRow("state") << QString("cmbST") << "3" << int(Antietam) << "Md.jpg" << false
                               << "Mississippi" << SET(State, 3) << false;
        QTest::newRow("campaign") << QString("txtCampaign") << "Sharp" << int(Antietam) << "Md.jpg" << false
                                  << "Mississippi" << SET(Campaign, "Sharp") << false;
        QTest::newRow("none of the lists; 5 held as 3") << QString("cmbitem") << "13" << int(Assassination)
                                                        << "" << false << "" << SET(Difficulty, 3) << true;
        QTest::newRow("Next on the last item")
            << QString("cmdNext") << "" << int(Assassination) << "" << false << "" << none << true;
    }

    void editorSteps()
    {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(bool, person);
        QFETCH(QString, picture);
        QFETCH(Change, change);
        if (!form_) {
            items_ = fixtureItems();
            items_[13] = {.ImageFile = " ", .ItemType = 7, .Side = 5, .State = -3, .Difficulty = 5};
            setItems(ts_.state, items_);
            for (const char* file : {"grant.jpg", "Va.jpg", "Md.jpg", "antietam.jpg"})
                dir_.writePicture(file, unsigned(qHash(QString(file))) & 0xffffff);  // a colour of its own
            form_ = std::make_unique<ZelEdit>(ts_.state);
            form_->show();
        }
        auto& f = static_cast<ZelEdit&>(*form_);
        f.DataChanged = false;
        act(&f, control, typed);
        QTEST(f.cmbitem->currentIndex() + 1, "item");
        change(items_[std::size_t(f.cmbitem->currentIndex())]);
        for (int k = 1; k <= FixtureCount; ++k)
            QVERIFY2(ts_.state.item(k) == items_[std::size_t(k - 1)], qPrintable(QString("item %1").arg(k)));
        QTEST(f.DataChanged, "marks");
        QTEST(f.cmbST->currentText(), "state");
        // A person's layout, or an event's; the picture square for a person, three quarters high else.
        QCOMPARE(f.birth->text(), person ? "Birth" : "Year");
        QCOMPARE(f.Image1->height(), twipsToPx(person ? 3615 : 2711));
        QCOMPARE(f.Image1->isVisible() ? f.Image1->pixmap().toImage().pixel(5, 5) : 0,
                 picture.isEmpty() ? 0 : QImage(dir_.file(picture)).pixel(5, 5));
    }

    // Store list asks first, then lists by difficulty 1, 2, 3, each in item order, with no line for the
    // last item's type: Lee (1807, 1870) leads now that Grant is at 3.
    void editorStoresTheList()
    {
        act(form_.get(), "cmdPrint", "");
        QCOMPARE(strings(ts_.notifier.questions),
                 QStringList("Store list to file|Ready to store list by difficulty in file 'zel.txt'"));
        QCOMPARE(dir_.lines("zel.txt").at(0), " 2  Robert E. Lee  -5   1870  Le d");
        QCOMPARE(dir_.lines("zel.txt").at(2),
                 " 8  Antietam   1862  Sharp McClellan, Lee The bloodiest single day of the war");
        QCOMPARE(dir_.lines("zel.txt").size(), 13);
        QCOMPARE(strings(ts_.notifier.messages).count("Problem? no name for 14"), 2);
        QCOMPARE(int(ts_.state.settings.MaxDifficulty), 3);  // held while the editor is open
        act(form_.get(), "Command1", "");
        QCOMPARE(int(ts_.state.settings.MaxDifficulty), 4);  // given back
    }
};

QTEST_MAIN(TestMaint)
#include "test_maint.moc"
