// The look of the forms, checked against the live widgets: a row for each form's caption and client size,
// and one for each control whose caption, tooltip, geometry, font or colour no other test looks at (the
// layouts on resize are test_choice's and test_match's, setup's and the editor's captions test_maint's).
#include <QtTest>
#include <QtWidgets>
#include <ranges>

#include "app/mainmenu.h"
#include "maint/setup.h"
#include "maint/zeledit.h"
#include "platform/focusring.h"
#include "platform/qtnotifier.h"
#include "platform/textwindow.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

constexpr int na = -1, B = 1, I = 2;  // na: not given (a height that follows the text, a colour)

// One control: objectName, caption (nullptr: set from the items, not looked at), tooltip, twips geometry,
// font ("Serif"/"Sans"/"Mono" as Liberation; none: not looked at), point size, style and background. A form
// starts with its window's row: objectName, caption, the question type that opens it (na for the others) and
// its client size.
struct Row {
    const char *name, *text, *tip;
    int l, t, w, h;
    const char* font = nullptr;
    double pt = 0;
    int style = 0, bg = na;
};
const std::vector<Row> rows = {
    {"main", "Bellarune Game", "", na, na, 5985, 3840},
    {"cmdsetup", "Setup", "Conditions for the game", 1590, 3360, 735, 375},
    {"cmdCatalog", "Catalog", "View Torvane Software Catalog", 2580, 3360, 735, 375},
    {"cmdquit", "Quit", "", 4560, 3360, 735, 375},
    {"Label1", "Bellarune Game", "", 840, 240, 4815, 615, "Serif", 21.75, B},
    {"Label2", "Version 1.05", "", 4320, 840, 1455, 375, "Serif", 12},
    // The client is the frame's design size and a margin of 120.
    {"showscor", "Score", "", na, na, 7455, 5175},
    {"Command1", "ok", "Click here when  ready to proceed", 120, 3960, 1215, 615},
    // The panel centred at 40, 25, the options at its left + 100; Lee's draw stands in slot 0.
    {"mchoice", "Multiple Choice", "", 3, na, 8625, 6975, "Serif", 15.75, B, 0xc0ffc0},
    {"Frame1", nullptr, "", 40, 25, 8545, 6925, "Serif", 13.5, B},
    // Options at half the panel + its left + 300, 3672.5 wide; the description box white on the green.
    {"quote", "Multiple Choice", "", 5, na, 8625, 6345},
    {"Text1", nullptr, "", 240, 360, 8145, 2055, "Serif", 15.75, B | I, 0xffffff},
    // The panel, wider than the window, is kept at left 0; the labels reach past the window.
    {"qsort", " Sort ", "", 8, na, 5835, 5805, "Sans", 13.5, 0, 0x80ffff},
    {"List1", nullptr, "", 120, 1560, 5175, 1860, "Sans", 13.5, 0, 0xc0c0c0},
    {"Command1", "Done", "", 3000, 4680, 1215, 615, "Sans", 13.5, 0, 0x00ffff},
    {"Label2", "Click to push an item up one slot", "", 120, 3960, 6735, 615},
    // "sorted": the sorting screen once Done is pressed, its list in 10 points.
    {"sorted", " Sort ", "", 8, na, 5835, 5805},
    {"List1", nullptr, "", 120, 1560, 5175, 1860, "Sans", 10},
    // Frame 8825 x 6545 centred at 50, 50; boxes at the frame's left + 100, 8425 wide.
    {"qmatch", "Match 'em", "", 12, na, 8925, 6645, nullptr, 0, 0, 0x8080ff},
    {"Command2", "Skip", "Click here when you are ready to proceed", 4680, 6120, 1455, 375, "Sans", 12},
    {"Label20", nullptr, "Drag one of the colored bars to this description", 150, 2040, 8425, 615},
    // Frame 8780 x 6635 at 50, 50; pictures (6635 - 2100) / 2 square, bars at 6635 - 1400.
    {"imatch", "Match 'em", "", 15, na, 8880, 6735},
    {"Btn10", "Ulysses S. Grant", "Click and drag this item to its description, below", 350, 5235, 2500, 450,
     nullptr, 0, 0, 0xff8000},
    {"Image10", nullptr, "", 720, 240, 2267, 2267},
    {"NameMe", "Name Me -- Press the letter keys to enter my name... ", "", 16, na, 8610, 6330},
    {"setup", "Bellarune Game Setup", "", na, na, 6585, 5895},
    {"Frame1", "Log File Status", "", 120, 2640, 2055, 1575},
    {"Check1", "Sound effects", "", 240, 4680, 1815, 255},
    {"List1", nullptr, "Colored items are selected", 2640, 240, 3855, 4740},
    // Showing item 1, an officer: a person's layout, the picture square.
    {"zeledit", "Edit", "", na, na, 8940, 6375},
    {"Command1", "ok", "Save changes, & return to setup screen", 7680, 5760, 1095, 495, "Sans", 9.75},
    {"Itemtype2", "Other Event", "", 240, 1080, 975, 375},
    // The game's own text window, opened in a normal window on a catalog of one line.
    {"textwindow", "zelord.txt - Bellarune Game", "", na, na, 9000, 6600},
    {"Text1", "Catalog\n", "", 0, 0, 9000, 6000, "Mono", 10},
    {"cmdSave", "Save", "Save the text to its file (Ctrl+S)", 120, 6105, 1095, 375},
};

struct Look {
    QString text, tip;
    QRect geometry;  // of the form itself: its client size
    QFont font;
    QColor background;
};

}  // namespace

Q_DECLARE_METATYPE(Look)
using Buttons = QMessageBox::StandardButtons;

class TestForms : public QObject {
    Q_OBJECT
    std::map<QString, Look> looks_;        // by the rows' tags: the form's name and the control's
    std::map<QString, QStringList> tabs_;  // by form: the controls Tab reaches in turn from the first
    QStringList unnamed_, unframed_;       // "<form> <control>" of those a screen reader cannot name or the
                                           // focus ring does not surround
    QStringList outside_;                  // "<form> <control>" of every control past the client area
    FocusRing ring_;

private slots:
    // A question screen in a one-question game of its type, the picks Grant, Lee, Sherman, Jackson;
    // the other forms made and shown.
    void initTestCase()
    {
        for (const Row& r : rows | std::views::filter([](const Row& r) { return r.t == na; })) {
            ProgramDir dir;
            TestState ts;
            loadFixture(ts.state);
            writeItemPictures(dir, ts.state);
            dir.write("zelord.txt", "Catalog\r\n");
            // The looks of the form's controls under "<form> <control>", the first of a name as findChild
            // finds it; the form's own under "<form> ", its geometry its client size.
            const auto look = [&](QWidget* form) {
                for (QWidget* w : QWidgetList{form} + form->findChildren<QWidget*>()) {
                    QString text;
                    for (const char* p : {"windowTitle", "plainText", "currentText", "title", "text"})
                        text = w->property(p).isValid() ? w->property(p).toString() : text;
                    const QString tag = QString(r.name) + " " + (w == form ? QString() : w->objectName());
                    const QRect geometry = w == form ? QRect(QPoint(), w->size()) : w->geometry();
                    // A list's or text box's background is its viewport's.
                    auto* area = qobject_cast<QAbstractScrollArea*>(w);
                    const QWidget* back = area ? area->viewport() : w;
                    looks_.try_emplace(tag, text, w->toolTip(), geometry, w->font(),
                                       back->palette().color(back->backgroundRole()));
                    const QRegularExpression named("^(?!qt_).");  // containers by their controls
                    if (w != form && named.match(w->objectName()).hasMatch() && w->isVisibleTo(form) &&
                        w->findChildren<QWidget*>(named).isEmpty() &&
                        !form->rect().contains(QRect(w->mapTo(form, QPoint()), w->size())))
                        outside_ << tag;
                }
                // Tab from the focused control round to it again (in the text window Tab is typed).
                QApplication::setActiveWindow(form);
                QWidget* const first = QApplication::focusWidget();
                for (QWidget* f = first; f && form->isVisible() && !qobject_cast<TextWindow*>(form);) {
                    const QString tag = QString(r.name) + " " + f->objectName();
                    tabs_[r.name] << f->objectName();
                    if (QAccessible::queryAccessibleInterface(f)->text(QAccessible::Name).isEmpty())
                        unnamed_ << tag;
                    const auto rings =
                        f->parentWidget()->findChildren<DashedFrame*>(Qt::FindDirectChildrenOnly);
                    if (std::ranges::none_of(rings, [f](QWidget* d) {
                            return d->isVisible() && d->geometry() == f->geometry().adjusted(-2, -2, 2, 2);
                        }))
                        unframed_ << tag;
                    QTest::keyClick(f, Qt::Key_Tab);
                    f = QApplication::focusWidget() == first ? nullptr : QApplication::focusWidget();
                }
                form->close();
            };
            if (r.l == na) {
                const QString name(r.name);
                const std::unique_ptr<QWidget> form(
                    name == "main"       ? new MainMenu(ts.state, dir.path())
                    : name == "setup"    ? static_cast<QWidget*>(new Setup(ts.state))
                    : name == "zeledit"  ? static_cast<QWidget*>(new ZelEdit(ts.state))
                    : name == "showscor" ? static_cast<QWidget*>(new ShowScor(ts.state))
                                         : new TextWindow(dir.file("zelord.txt")));
                form->show();
                look(form.get());
                continue;
            }
            ts.state.settings.QuestionsPerGame = 1;
            ts.state.rng.queue({typeOf(r.l), pickOf(Grant), pickOf(Lee), pickOf(Sherman), pickOf(Jackson)});
            const auto done = [&](QWidget* form) {
                form->findChild<QPushButton*>("Command1")->click();
                look(form);
            };
            playGame(ts, {QString(r.name) == "sorted" ? Move(done) : Move(look)});
        }
    }

    void everyControlFollowsItsRow_data()
    {
        // A null text, a height of -1, a font with nothing set and an invalid colour are not looked at.
        QTest::addColumn<Look>("expected");  // a form's row: its client size
        const auto px = [](int twips) { return twips == na ? na : qRound(twips / 15.0); };  // 96 dots an inch
        const Row* form = nullptr;
        for (const Row& r : rows) {
            const bool window = r.t == na;
            form = window ? &r : form;
            Look want{r.text, r.tip, QRect(window ? 0 : px(r.l), window ? 0 : px(r.t), px(r.w), px(r.h)),
                      QFont(), r.bg == na ? QColor() : QColor::fromRgb(QRgb(r.bg))};
            if (r.font) {  // the family asked for: the system finds a lookalike for a wrong name too
                want.font = QFont(QString("Liberation ") + r.font, -1,
                                  r.style & B ? QFont::Bold : QFont::Normal, r.style & I);
                want.font.setPointSizeF(r.pt);
            }
            QTest::addRow("%s %s", form->name, window ? "" : r.name) << want;
        }
    }

    void everyControlFollowsItsRow()
    {
        QFETCH(Look, expected);
        const Look look = looks_[QTest::currentDataTag()];  // a missing control has no geometry
        if (!expected.text.isNull())
            QCOMPARE(look.text, expected.text);
        QCOMPARE(look.tip, expected.tip);
        if (expected.geometry.height() == na)  // a label whose height follows its text
            expected.geometry.setHeight(look.geometry.height());
        // Twips do not fall on whole pixels: a pixel either way on every edge.
        if (expected.geometry.adjusted(-1, -1, 1, 1).contains(look.geometry) &&
            look.geometry.contains(expected.geometry.adjusted(1, 1, -1, -1)))
            expected.geometry = look.geometry;
        QCOMPARE(look.geometry, expected.geometry);
        if (expected.font.resolveMask() != 0)
            QCOMPARE(look.font, expected.font);
        if (expected.background.isValid())
            QCOMPARE(look.background, expected.background);
    }

    // Every control the focus reaches is named for a screen reader and framed by the focus ring; only
    // the design's own overhangs lie past a form's client area: the sorting screen's labels, wider than
    // its window (before and after Done), and the description matching screen's status line.
    void everyControlNamedFramedAndInside()
    {
        QCOMPARE(unnamed_, QStringList());
        QCOMPARE(unframed_, QStringList());
        QCOMPARE(outside_, QStringList({"qsort Label1", "qsort Label2", "sorted Label1", "sorted Label2",
                                        "qmatch Label4"}));
    }

    // Tab goes through the controls in visual order, from where the focus starts round to it again.
    void tabOrder_data()
    {
        QTest::addColumn<QStringList>("order");
        QTest::newRow("main") << QStringList{"Command1", "cmdsetup", "cmdCatalog", "Command3", "cmdquit"};
        QTest::newRow("setup") << QStringList{"tmindif",   "up",      "down",  "tmaxdif",  "up",     "down",
                                              "nquestion", "up",      "down",  "Option10", "Check1", "List1",
                                              "cmdEdit",   "cmdHelp", "cmdok", "cmdmakeq"};
        QTest::newRow("zeledit") << QStringList{"cmbitem",     "Text1",    "Text2",   "txtDesc", "Text4",
                                                "txtNickname", "dif",      "up",      "down",    "Itemtype0",
                                                "Option10",    "cmdPrint", "cmdNext", "cmdPrev", "Command1"};
        QTest::newRow("showscor") << QStringList{"Text1", "Command1"};
    }
    void tabOrder()
    {
        QFETCH(QStringList, order);
        QCOMPARE(tabs_[QTest::currentDataTag()], order);
    }

    // A message has OK only and the game's title; a question OK and Cancel and its own title.
    void messageBoxes_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("title");
        QTest::addColumn<Buttons>("buttons");
        QTest::newRow("a message") << false << "Bellarune Game" << Buttons(QMessageBox::Ok);
        QTest::newRow("a question") << true << "Store list to file"
                                    << (QMessageBox::Ok | QMessageBox::Cancel);
    }

    void messageBoxes()
    {
        QFETCH(bool, question);
        QtNotifier notifier;
        QString title;
        Buttons buttons;
        onNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            title = box->windowTitle();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        });
        if (question)
            QVERIFY(notifier.askOkCancel("Ready?", "Store list to file"));
        else
            notifier.showMessage("Ready?");
        QTEST(title, "title");
        QTEST(buttons, "buttons");
    }
};

QTEST_MAIN(TestForms)
#include "test_forms.moc"
