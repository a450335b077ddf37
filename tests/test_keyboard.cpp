// Screen readers following a held bar, and presses elsewhere while a bar is held. (Each question
// screen answered by keys alone is a row of test_choice's and test_match's games, with the values a
// mouse answer gives; the accessible names are test_forms'.)
#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "platform/controldrag.h"
#include "platform/twips.h"
#include "screens/imatch.h"
#include "screens/qmatch.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

struct Fixture {
    ProgramDir dir;
    TestState ts;
};

// A matching screen of the type, loaded, shown and active, on the fixture.
template <class Form>
struct Shown : Fixture, Form {
    explicit Shown(int type) : Form(ts.state)
    {
        loadFixture(ts.state);
        ts.state.CurrentQuestionType = int16_t(type);
        Form::load();
        Form::show();
        QApplication::setActiveWindow(this);
    }
};

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    // The focus, and with it a screen reader, goes with the marker over the pictures, named for
    // the bar held, and back to the bar at the end.
    void screenReaderFollowsTheMarker()
    {
        Shown<IMatch> form(15);
        const QString bar = form.Btn1[0]->accessibleName(), drop = " | Drop " + bar + " here";
        QStringList heard;
        for (const char* k : {"Return", "Right", "Down", "Left", "Escape"}) {
            keys(k);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
            heard << a->text(QAccessible::Name) + " | " + a->text(QAccessible::Description);
            const QRect picture(form.Image1[3]->mapTo(&form, QPoint()), form.Image1[3]->size());
            if (QString(k) == "Down")
                QCOMPARE(form.findChild<QWidget*>("dropMarker")->geometry(), picture.adjusted(-4, -4, 4, 4));
        }
        QCOMPARE(heard,
                 QStringList({"Picture 1" + drop, "Picture 2" + drop, "Picture 4" + drop, "Picture 3" + drop,
                              bar + " | Click and drag this item to its description, below"}));
        QVERIFY(!form.findChild<QWidget*>("dropMarker")->isVisible());
    }

    // A bar held by click and click stays held through a press in another window, or on its own
    // screen while a message box is above it; the next click on a description drops it there.
    void pressesElsewhereDropNothing_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::newRow("a press in another window") << false;
        QTest::newRow("a press on the screen under a message box") << true;
    }
    void pressesElsewhereDropNothing()
    {
        QFETCH(bool, modal);
        Shown<QMatch> form(11);
        keys("Space");
        QMessageBox box(QMessageBox::NoIcon, "Bellarune Game", "Sound", QMessageBox::Ok);
        box.setModal(modal);
        box.show();
        QTest::mouseClick(modal ? static_cast<QWidget*>(form.Label2[1]) : box.findChild<QPushButton*>(),
                          Qt::LeftButton);
        QCOMPARE(form.drag()->active(), true);
        box.hide();
        QTest::mouseClick(form.Label2[2], Qt::LeftButton);
        QCOMPARE(QList<int16_t>(form.PlacedBar.begin(), form.PlacedBar.end()),
                 QList<int16_t>({-1, -1, 4, -1, -1, -1}));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
