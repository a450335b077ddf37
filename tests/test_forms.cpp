// The look of the forms: a row per control a player reads or clicks, checked against the live widgets.
// A font or colour is given on one control of each combination a form uses.
#include <QtTest>
#include <QtWidgets>

#include "app/mainmenu.h"
#include "maint/setup.h"
#include "maint/zeledit.h"
#include "platform/qtnotifier.h"
#include "platform/textwindow.h"
#include "screens/showscor.h"
#include "testsupport.h"

using namespace bellarune;
using namespace bellarune::test;

namespace {

constexpr const char* no = nullptr;   // a text set from the items: not looked at
constexpr int na = -1, B = 1, I = 2;  // na: not given (a height that follows the text, a colour)

// One control: objectName, caption, tooltip, twips geometry, font ("Serif"/"Sans"/"Mono" as Liberation;
// none: not looked at), point size, style and background. A form starts with its window's row:
// objectName, caption, the question type that opens it (na for the others) and its client size.
struct Row {
    const char *name, *text, *tip;
    int l, t, w, h;
    const char* font = nullptr;
    double pt = 0;
    int style = 0, bg = na;
};
const std::vector<Row> rows = {
    {"main", "Bellarune Game", "", na, na, 5985, 3840},
    {"Command1", "Play", "Play the game", 600, 3360, 735, 375},
    {"cmdsetup", "Setup", "Conditions for the game", 1590, 3360, 735, 375},
    {"cmdCatalog", "Catalog", "View Torvane Software Catalog", 2580, 3360, 735, 375},
    {"Command3", "About", "", 3570, 3360, 735, 375},
    {"cmdquit", "Quit", "", 4560, 3360, 735, 375},
    {"Label1", "Bellarune Game", "", 840, 240, 4815, 615, "Serif", 21.75, B},
    {"Label2", "Version 1.05", "", 4320, 840, 1455, 375, "Serif", 12},
    {"Label3", no, "", 720, 840, 3255, 495, "Sans", 9.75, B},
    // The client is the frame's design size and a margin of 120.
    {"showscor", "Score", "", na, na, 7455, 5175},
    {"Text1", "", "", 220, 1080, 6955, 2655},
    {"Command1", "ok", "Click here when  ready to proceed", 120, 3960, 1215, 615},
    {"Label2", "Current score: 0 of 0  (0%)", "", 1680, 3960, 5295, 615},
    // The panel centred at 40, 25, the options at its left + 100; Lee's draw stands in slot 0.
    {"mchoice", "Multiple Choice", "", 3, na, 8625, 6975, "Serif", 15.75, B, 0xc0ffc0},
    {"Frame1", no, "", 40, 25, 8545, 6925, "Serif", 13.5, B},
    {"Label1", "Who was Robert E. Lee?", "", 140, 120, 8145, na, "Sans", 15.75, B, 0x80ff80},
    {"choice0", "Led the Army of Northern Virginia", "", 140, 720, 8145, 975, "Serif", 12, B},
    {"choice4", no, "", 140, 5160, 8145, 975},
    {"cmdhelp", "help", "", 2880, 6240, 1095, 375, "Sans", 12, B, 0xffff00},
    {"Command1", "skip", "", 4800, 6240, 975, 375},
    // Options at half the panel + its left + 300, 3672.5 wide.
    {"quote", "Multiple Choice", "", 5, na, 8625, 6345},
    {"Text1", no, "", 240, 360, 8145, 2055, "Serif", 15.75, B | I},
    {"Label1", "Choose the event for this description", "", 140, 2760, 3472, na},
    {"choice0", no, "", 4612, 2640, 3672, 615},
    {"choice4", no, "", 4612, 5520, 3672, 615},
    // The panel, wider than the window, is kept at left 0; the labels reach past the window.
    {"qsort", " Sort ", "", 8, na, 5835, 5805, "Sans", 13.5, 0, 0x80ffff},
    {"Label1", "Sort People by date, earliest on top", "", 120, 240, 6735, 1095},
    {"List1", no, "", 120, 1560, 5175, 1860, "Sans", 13.5, 0, 0xc0c0c0},
    {"Label2", "Click to push an item up one slot", "", 120, 3960, 6735, 615},
    {"Command1", "Done", "", 3000, 4680, 1215, 615, "Sans", 13.5, 0, 0x00ffff},
    // Frame 8825 x 6545 centred at 50, 50; boxes at the frame's left + 100, 8425 wide.
    {"qmatch", "Match 'em", "", 12, na, 8925, 6645, no, 0, 0, 0x8080ff},
    {"Command2", "Skip", "Click here when you are ready to proceed", 4680, 6120, 1455, 375, "Sans", 12},
    {"Btn10", no, "Click and drag this item to its description, below", 4800, 1440, 3855, 435},
    {"Btn14", no, "", 3120, 0, 3975, 435, "Sans", 13.5, B, 0xffff00},
    {"Label20", no, "Drag one of the colored bars to this description", 150, 2040, 8425, 615},
    {"Label24", no, "", 150, 5400, 8425, 615, "Sans", 12, B, 0xff80ff},
    {"Label1", "Match battle to campaign", "", 0, 120, 2895, 1455, "Sans", 13.5},
    // Frame 8780 x 6635 at 50, 50; pictures (6635 - 2100) / 2 square, bars at 6635 - 1400.
    {"imatch", "Match 'em", "", 15, na, 8880, 6735},
    {"Btn10", "Ulysses S. Grant", "Click and drag this item to its description, below", 350, 5235, 2500, 450},
    {"Command1", "Done", "Click here when you are ready to proceed", 3010, 5785, 1500, 375},
    {"Image10", no, "", 720, 240, 2267, 2267},
    {"Image13", no, "", 4390, 2707, 2267, 2267},
    {"NameMe", "Name Me -- Press the letter keys to enter my name... ", "", 16, na, 8610, 6330},
    {"Image2", no, "", 360, 480, 4095, 4095},
    {"Label3", "Guess the word before the cannon can appear!", "", 5880, 4080, 1455, 1095},
    {"Label2", "_ _ _ _ _ _ _   _ .   _ _ _ _ _ ", "", 360, 5520, 6135, 735, "Sans", 18, B},
    {"setup", "Bellarune Game Setup", "", na, na, 6585, 5895},
    {"frameDiff", "Difficulty", "", 120, 120, 2295, 1335, "Sans", 12},
    {"tmaxdif", "1", "", 1320, 840, 375, 345, "Sans", 12, B},
    {"nquestion", "5", "", 1560, 1680, 495, 495, "Sans", 13.5},
    {"Frame1", "Log File Status", "", 120, 2640, 2055, 1575},
    {"Option11", "All", "All questions and incorrect answers are sent to log file", 120, 720, 1695, 375},
    {"Check1", "Sound effects", "", 240, 4680, 1815, 255},
    {"List1", no, "Colored items are selected", 2640, 240, 3855, 4740},
    {"cmdok", "OK", "Click here to continue", 3240, 5160, 615, 615},
    // Showing item 1, an officer: a person's layout, the picture square.
    {"zeledit", "Edit", "", na, na, 8940, 6375},
    {"cmbitem", "Ulysses S. Grant", "Choose an item to display", 120, 240, 5295, 480, "Sans", 13.5},
    {"birth", "Birth", "", 120, 840, 615, 375},
    {"Image1", no, "", 120, 2760, 3615, 3615},
    {"Command1", "ok", "Save changes, & return to setup screen", 7680, 5760, 1095, 495, "Sans", 9.75},
    // The game's own text window, opened in a normal window on a catalog of one line.
    {"textwindow", "zelord.txt - Bellarune Game", "", na, na, 9000, 6600},
    {"Text1", "Catalog\n", "", 0, 0, 9000, 6000, "Mono", 10},
    {"cmdSave", "Save", "Save the text to its file (Ctrl+S)", 120, 6105, 1095, 375},
};

// Offscreen without the platform's window frame, so the outer size the layouts work from is the client's.
const bool frameless = [] {
    static QTemporaryFile config;
    config.open();
    config.write(R"({"windowFrameMargins": false, "screens": [{"width": 800, "height": 800}]})");
    config.flush();
    return qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
}();

struct Look {
    QString text, tip;
    QRect geometry;  // of the form itself: its client size
    QFont font;
    QColor background;
};

// The looks of a live form's controls by name, the first of a name as findChild finds it; the form's own
// under an empty name.
QMap<QString, Look> looks(QWidget* form)
{
    QMap<QString, Look> out;
    for (QWidget* w : QWidgetList{form} + form->findChildren<QWidget*>()) {
        QString text;
        for (const char* p : {"windowTitle", "plainText", "currentText", "title", "text"})
            text = w->property(p).isValid() ? w->property(p).toString() : text;
        const QRect geometry = w == form ? QRect(QPoint(), w->size()) : w->geometry();
        const QString name = w == form ? QString() : w->objectName();
        if (!out.contains(name))
            out[name] = {text, w->toolTip(), geometry, w->font(), w->palette().color(w->backgroundRole())};
    }
    return out;
}

// A question screen in a one-question game of its type, the picks Grant, Lee, Sherman, Jackson;
// the other forms made and shown.
QMap<QString, Look> open(const QString& name, int type)
{
    ProgramDir dir;
    TestState ts;
    loadFixture(ts.state);
    writeItemPictures(dir, ts.state);
    dir.write("zelord.txt", "Catalog\r\n");
    QMap<QString, Look> found;
    if (type != na) {
        ts.state.settings.QuestionsPerGame = 1;
        ts.state.settings.CategoryEnabled.fill(0);
        ts.state.settings.CategoryEnabled[std::size_t(type)] = -1;
        ts.state.rng.queue({typeOf(type), pickOf(Grant), pickOf(Lee), pickOf(Sherman), pickOf(Jackson)});
        playGame(ts, {[&](QWidget* w) {
                     found = looks(w);
                     w->close();
                 }});
        return found;
    }
    std::unique_ptr<QWidget> form(new TextWindow(dir.file("zelord.txt")));
    if (name == "main")
        form.reset(new MainMenu(ts.state, dir.path()));
    else if (name != "textwindow")
        form.reset(name == "setup"     ? static_cast<QWidget*>(new Setup(ts.state))
                   : name == "zeledit" ? static_cast<QWidget*>(new ZelEdit(ts.state))
                                       : new ShowScor(ts.state));
    form->show();
    return looks(form.get());
}

// The expected rectangle when the actual one is within a pixel of it on every edge (twips do not
// fall on whole pixels), else the actual one.
QRect near(const QRect& actual, const QRect& expected)
{
    const QRect pixel(-1, -1, 3, 3);
    const bool close = pixel.contains(actual.topLeft() - expected.topLeft()) &&
                       pixel.contains(actual.bottomRight() - expected.bottomRight());
    return close ? expected : actual;
}

}  // namespace

class TestForms : public QObject {
    Q_OBJECT
    QMap<QString, Look> looks_;  // by the rows' tags: the form's name and the control's

private slots:
    void initTestCase()
    {
        for (const Row& r : rows)
            if (r.t == na)
                for (const auto& [name, look] : open(r.name, r.l).asKeyValueRange())
                    looks_[QString(r.name) + " " + name] = look;
    }

    void everyControlFollowsItsRow_data()
    {
        QTest::addColumn<QString>("text");  // null: not looked at
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QRect>("pixels");  // a form's row: its client size; a height of -1: not given
        QTest::addColumn<QString>("font");  // the Liberation family's last word; empty: not given
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QColor>("background");  // invalid: not given
        const double perTwip = QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 1440;
        const auto px = [&](int twips) { return twips == na ? na : qRound(twips * perTwip); };
        const Row* form = nullptr;
        for (const Row& r : rows) {
            const bool window = r.t == na;
            form = window ? &r : form;
            QTest::addRow("%s %s", form->name, window ? "" : r.name)
                << QString(r.text) << QString(r.tip)
                << QRect(window ? 0 : px(r.l), window ? 0 : px(r.t), px(r.w), px(r.h)) << QString(r.font)
                << r.pt << bool(r.style & B) << bool(r.style & I)
                << (r.bg == na ? QColor() : QColor::fromRgb(QRgb(r.bg)));
        }
    }

    void everyControlFollowsItsRow()
    {
        QFETCH(QString, text);
        QFETCH(QRect, pixels);
        QFETCH(QString, font);
        QFETCH(QColor, background);
        QVERIFY2(looks_.contains(QTest::currentDataTag()), "missing");
        const Look& look = looks_[QTest::currentDataTag()];
        if (!text.isNull())
            QCOMPARE(look.text, text);
        QTEST(look.tip, "tip");
        if (pixels.height() == na)  // a label whose height follows its text
            pixels.setHeight(look.geometry.height());
        QCOMPARE(near(look.geometry, pixels), pixels);
        if (!font.isEmpty()) {
            // The family asked for: the system finds a lookalike for a wrong name too.
            QCOMPARE(look.font.family(), "Liberation " + font);
            QTEST(look.font.pointSizeF(), "points");
            QTEST(look.font.bold(), "bold");
            QTEST(look.font.italic(), "italic");
        }
        if (background.isValid())
            QCOMPARE(look.background, background);
    }

    // A message has OK only and the game's title; a question OK and Cancel and its own title.
    void messageBoxes_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("a message") << false << "Bellarune Game" << QStringList({"OK"});
        QTest::newRow("a question") << true << "Store list to file" << QStringList({"Cancel", "OK"});
    }

    void messageBoxes()
    {
        QFETCH(bool, question);
        QtNotifier notifier;
        QString title;
        QStringList buttons;
        onNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text().remove('&');
            box->button(QMessageBox::Ok)->click();
        });
        if (question)
            QVERIFY(notifier.askOkCancel("Ready?", "Store list to file"));
        else
            notifier.showMessage("Ready?");
        QTEST(title, "title");
        buttons.sort();
        QTEST(buttons, "buttons");
    }
};

QTEST_MAIN(TestForms)
#include "test_forms.moc"
