// The look of every form: one table per form, checked against the live widget tree.
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

constexpr const char* no = nullptr;   // a text set from the items, or a font the design does not name
constexpr int na = -1, B = 1, I = 2;  // na: not given (a height set by the text, a colour); bold, italic
constexpr int rgb(int r, int g, int b)
{
    return r << 16 | g << 8 | b;
}
constexpr int green = rgb(192, 255, 192), lgreen = rgb(128, 255, 128), yellow = rgb(255, 255, 0),
              cyan = rgb(128, 255, 255), blue = rgb(128, 128, 255), lyellow = rgb(255, 255, 128);

// One control: objectName, caption, tooltip, twips geometry, font ("Serif"/"Sans"/"Mono" as Liberation,
// "" any family; point size; style), background and text colour. A form starts with the window's own
// row: its objectName, caption, the question type that opens it (na for the others) and its client size.
struct Row {
    const char *name, *text, *tip;
    int l, t, w, h;
    const char* font = nullptr;
    double pt = 0;
    int style = 0, bg = na, fg = na;
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
    {"Label4", no, "", 720, 1320, 3615, 615, "Sans", 9.75, B},
    // The client is the frame's design size and a margin of 120; the first resize fits the frame to it.
    {"showscor", "Score", "", na, na, 7455, 5175},
    {"Frame1", no, "", 120, 120, 7355, 5075},
    {"Label1", "", "", 120, 240, 6975, 855},
    {"Text1", "", "", 220, 1080, 6955, 2655},
    {"Command1", "ok", "Click here when  ready to proceed", 120, 3960, 1215, 615},
    {"Label2", "Current score: 0 of 0  (0%)", "", 1680, 3960, 5295, 615},
    // Laid out at load and again when first shown: the panel centred at 40, 25, the options at its left +
    // 100.
    {"mchoice", "Multiple Choice", "", 3, na, 8625, 6975, "Serif", 15.75, B, green},
    {"Frame1", no, "", 40, 25, 8545, 6925, "Serif", 13.5, B, green},
    {"Label1", "Who was Robert E. Lee?", "", 140, 120, 8145, na, "Sans", 15.75, B, lgreen},
    {"choice0", "Led the Army of Northern Virginia", "", 140, 720, 8145, 975, "Serif", 12, B, lgreen, 0},
    {"choice1", no, "", 140, 1800, 8145, 975, "Serif", 12, B, lgreen, 0},
    {"choice2", no, "", 140, 2880, 8145, 975, "Serif", 12, B, lgreen, 0},
    {"choice3", no, "", 140, 3960, 8145, 975, "Serif", 12, B, lgreen, 0},
    {"choice4", no, "", 140, 5160, 8145, 975, "Serif", 12, B, lgreen, 0},
    {"cmdhelp", "help", "", 2880, 6240, 1095, 375, "Sans", 12, B, yellow},
    {"Command1", "skip", "", 4800, 6240, 975, 375, "Sans", 12, B, yellow},
    // Panel 8545 x 6295 centred at 40, 25; options at half the panel + its left + 300, 3672.5 wide.
    {"quote", "Multiple Choice", "", 5, na, 8625, 6345, "Serif", 15.75, B, green},
    {"Frame1", no, "", 40, 25, 8545, 6295, "Serif", 13.5, B, green},
    {"Text1", no, "", 240, 360, 8145, 2055, "Serif", 15.75, B | I},
    {"Label1", "Choose the event for this description", "", 140, 2760, 3472, na, "Sans", 15.75, B, lgreen},
    {"choice0", no, "", 4612, 2640, 3672, 615, "Serif", 12, B, lgreen, 0},
    {"choice1", no, "", 4612, 3360, 3672, 615, "Serif", 12, B, lgreen, 0},
    {"choice2", no, "", 4612, 4080, 3672, 615, "Serif", 12, B, lgreen, 0},
    {"choice3", no, "", 4612, 4800, 3672, 615, "Serif", 12, B, lgreen, 0},
    {"choice4", no, "", 4612, 5520, 3672, 615, "Serif", 12, B, lgreen, 0},
    {"cmdhelp", "help", "", 360, 5760, 1095, 375, "Sans", 12, B, yellow},
    {"Command1", "skip", "", 1800, 5760, 975, 375, "Sans", 12, B, yellow},
    // The panel, wider than the window, is centred but kept at left 0; the labels reach past the window.
    {"qsort", " Sort ", "", 8, na, 5835, 5805, "Sans", 13.5, 0, cyan},
    {"Frame1", no, "", 0, 135, 7095, 5535, "Sans", 13.5, 0, cyan},
    {"Label1", "Sort People by date, earliest on top", "", 120, 240, 6735, 1095, "Sans", 13.5, 0, cyan},
    {"List1", no, "", 120, 1560, 5175, 1860, "Sans", 13.5, 0, rgb(192, 192, 192)},
    {"Label2", "Click to push an item up one slot", "", 120, 3960, 6735, 615, "Sans", 13.5, 0, cyan},
    {"Command2", "Help", "", 1200, 4680, 975, 615, "Sans", 13.5, 0, rgb(0, 255, 255)},
    {"Command1", "Done", "", 3000, 4680, 1215, 615, "Sans", 13.5, 0, rgb(0, 255, 255)},
    // Frame 8825 x 6545 centred at 50, 50; boxes at the frame's left + 100, 8425 wide.
    {"qmatch", "Match 'em", "", 12, na, 8925, 6645, no, 0, 0, blue},
    {"Frame1", no, "", 50, 50, 8825, 6545, no, 0, 0, blue},
    {"Command2", "Skip", "Click here when you are ready to proceed", 4680, 6120, 1455, 375, "Sans", 12, 0,
     lyellow},
    {"cmdhelp", "Help", "", 1200, 6120, 1095, 375, "Sans", 12, 0, lyellow},
    {"Btn10", no, "Click and drag this item to its description, below", 4800, 1440, 3855, 435, "Sans", 13.5,
     B, rgb(255, 128, 0)},
    {"Btn11", no, "", 4440, 1080, 3855, 435, "Sans", 13.5, B, rgb(255, 0, 255)},
    {"Btn12", no, "", 4080, 720, 3855, 435, "Sans", 13.5, B, rgb(0, 255, 255)},
    {"Btn13", no, "", 3600, 360, 3975, 435, "Sans", 13.5, B, rgb(0, 255, 0)},
    {"Btn14", no, "", 3120, 0, 3975, 435, "Sans", 13.5, B, rgb(255, 255, 0)},
    {"Command1", "Done", "Click here when you are ready to proceed", 2880, 6120, 1455, 375, "Sans", 12, 0,
     lyellow},
    {"Label20", no, "Drag one of the colored bars to this description", 150, 2040, 8425, 615, "Sans", 12, B,
     rgb(255, 128, 255), 0},
    {"Label21", no, "", 150, 2790, 8425, 615, "Sans", 12, B, rgb(255, 128, 255), 0},
    {"Label22", no, "", 150, 3645, 8425, 615, "Sans", 12, B, rgb(255, 128, 255), 0},
    {"Label23", no, "", 150, 4560, 8425, 615, "Sans", 12, B, rgb(255, 128, 255), 0},
    {"Label24", no, "", 150, 5400, 8425, 615, "Sans", 12, B, rgb(255, 128, 255), 0},
    {"Label1", "Match battle to campaign", "", 0, 120, 2895, 1455, "Sans", 13.5, 0, blue},
    {"Label4", "", "", 7200, 6240, 3375, 255, no, 0, 0, blue},
    // Frame 8780 x 6635 at 50, 50; pictures (6635 - 2100) / 2 = 2267.5 square, spread 8780 - 2500 / 2 = 7530,
    // buttons at 6635 - 850 (Done at 7530 / 3 + 500), bars at 6635 - 1400 and 50 + 300 + i * 7530 / 4.
    {"imatch", "Match 'em", "", 15, na, 8880, 6735, no, 0, 0, blue},
    {"Frame1", no, "", 50, 50, 8780, 6635, no, 0, 0, blue},
    {"Command2", "Skip", "Click here when you are ready to proceed", 5520, 5785, 1455, 375, "Sans", 12, 0,
     lyellow},
    {"cmdhelp", "Help", "", 500, 5785, 1095, 375, "Sans", 12, 0, lyellow},
    {"Btn10", "Ulysses S. Grant", "Click and drag this item to its description, below", 350, 5235, 2500, 450,
     "Sans", 12, B, rgb(255, 128, 0)},
    {"Btn11", "Robert E. Lee", "Click and drag this item to its description, below", 2232, 5235, 2500, 450,
     "Sans", 14, B, rgb(255, 0, 255)},
    {"Btn12", "William T. Sherman", "Click and drag this item to its description, below", 4115, 5235, 2500,
     450, "Sans", 10, B, rgb(0, 255, 255)},
    {"Btn13", "Thomas J. Jackson", "Click and drag this item to its description, below", 5997, 5235, 2500,
     450, "Sans", 12, B, rgb(0, 255, 0)},
    {"Command1", "Done", "Click here when you are ready to proceed", 3010, 5785, 1500, 375, "Sans", 12, 0,
     lyellow},
    {"Image10", no, "", 720, 240, 2267, 2267},
    {"Image11", no, "", 4390, 240, 2267, 2267},
    {"Image12", no, "", 720, 2707, 2267, 2267},
    {"Image13", no, "", 4390, 2707, 2267, 2267},
    {"NameMe", "Name Me -- Press the letter keys to enter my name... ", "", 16, na, 8610, 6330},
    {"Image2", no, "", 360, 480, 4095, 4095},
    {"Image1", no, "", 6000, 1320, 1215, 1455},
    {"Label3", "Guess the word before the cannon can appear!", "", 5880, 4080, 1455, 1095},
    {"Label1", "", "", 360, 4680, 4335, 690},
    {"Label2", "_ _ _ _ _ _ _   _ .   _ _ _ _ _ ", "", 360, 5520, 6135, 735, "", 18, B},
    {"Command1", "quit", "", 7200, 5520, 1095, 615},
    {"setup", "Bellarune Game Setup", "", na, na, 6585, 5895},
    {"frameDiff", "Difficulty", "", 120, 120, 2295, 1335, "Sans", 12},
    {"Label5", "Minimum", "", 240, 480, 975, 255, "Sans", 9.75},
    {"tmindif", "1", "", 1320, 360, 375, 390, "Sans", 12, B},
    {"UpDown2", no, "", 1800, 360, 240, 375},
    {"Label6", "Maximum", "", 240, 840, 975, 375, "Sans", 9.75},
    {"tmaxdif", "1", "", 1320, 840, 375, 345, "Sans", 12, B},
    {"UpDown3", no, "", 1800, 840, 240, 375},
    {"Label4", "Number of questions per game", "", 120, 1680, 1215, 735, "Sans", 9.75},
    {"nquestion", "5", "", 1560, 1680, 495, 495, "Sans", 13.5},
    {"UpDown1", no, "", 2160, 1680, 240, 495},
    {"Frame1", "Log File Status", "", 120, 2640, 2055, 1575, "Sans", 12},
    {"Option10", "Off", "No logging takes place", 120, 360, 1695, 375},
    {"Option11", "All", "All questions and incorrect answers are sent to log file", 120, 720, 1695, 375},
    {"Option12", "Only incorrect", "Only wrong answers are sent to log file", 120, 1080, 1695, 375},
    {"Check1", "Sound effects", "", 240, 4680, 1815, 255},
    {"List1", no, "Colored items are selected", 2640, 240, 3855, 4740, "Sans", 13.5},
    {"cmdEdit", "Edit", "Change item data", 120, 5160, 1335, 615, "Sans", 12},
    {"cmdHelp", "Help", "", 1680, 5160, 1335, 615, "Sans", 12},
    {"cmdok", "OK", "Click here to continue", 3240, 5160, 615, 615, "Sans", 12},
    {"cmdmakeq", "Make online questions", "", 4080, 5520, 2295, 375},
    // Showing item 1, an officer: a person's layout, the picture square.
    {"zeledit", "Edit", "", na, na, 8940, 6375},
    {"cmbitem", "Ulysses S. Grant", "Choose an item to display", 120, 240, 5295, 480, "Sans", 13.5},
    {"birth", "Birth", "", 120, 840, 615, 375, "Sans", 13.5},
    {"Text1", "1822", "", 960, 840, 975, 405, "Sans", 12, B},
    {"ldeath", "Death", "", 2160, 840, 1215, 375, "Sans", 12, B},
    {"Text2", "1885", "", 3480, 840, 975, 420, "Sans", 12, B},
    {"txtCampaign", "", "", 3480, 840, 2895, 375, "Sans", 9.75, B},
    {"Date", "Date", "Text form of date", 120, 1440, 735, 375, "Sans", 13.5},
    {"Text3", "", "", 960, 1440, 3615, 390, "Sans", 12, B},
    {"txtDesc", "Took Vicksburg and accepted Lee's surrender", "Description of person or event", 120, 1920,
     5175, 645, "Sans", 12},
    {"Image1", no, "", 120, 2760, 3615, 3615},
    {"cmbST", no, "", 3960, 2760, 2175, 420, "Sans", 12},
    {"Label1", "image file", "", 3960, 3720, 1095, 375, "Sans", 12},
    {"Text4", "grant.jpg", "", 5400, 3720, 2175, 375},
    {"Label2", "Battle commanders ", "Commanders in battle, or office or rank  held", 3840, 4680, 3855, 375},
    {"txtCmdr", "General-in-chief", "Commanders in battle, or office or rank  held", 3840, 4920, 3735, 420,
     "Sans", 12},
    {"Label3", "Nickname or famous quote", "Nickname", 3840, 5520, 3975, 375},
    {"txtNickname", "Unconditional Surrender", "Nickname", 3840, 5760, 3615, 420, "Sans", 12},
    {"Frame2", "Difficulty", "", 6120, 1440, 975, 975},
    {"dif", "1", "Change the difficulty", 240, 240, 300, 555, "Sans", 18},
    {"Frame1", "Type of data", "", 7440, 240, 1335, 2055},
    {"Itemtype0", "Officer", "", 240, 360, 975, 375},
    {"Itemtype1", "Battle", "", 240, 720, 975, 375},
    {"Itemtype2", "Other Event", "", 240, 1080, 975, 375},
    {"Itemtype3", "Other person", "", 240, 1560, 975, 375},
    {"side", "Side", "", 7440, 2400, 1335, 1095},
    {"Option10", "USA", "", 240, 360, 795, 315},
    {"Option11", "CSA", "", 240, 720, 795, 315},
    {"cmdPrint", "Store list", "", 7680, 3720, 1095, 495, "Sans", 9.75},
    {"cmdNext", "Next", "", 7680, 4440, 1095, 495},
    {"cmdPrev", "Previous", "", 7680, 5040, 1095, 495},
    {"Command1", "ok", "Save changes, & return to setup screen", 7680, 5760, 1095, 495, "Sans", 9.75},
    // The game's own text window, opened in a normal window on a catalog of one line.
    {"textwindow", "zelord.txt - Bellarune Game", "", na, na, 9000, 6600},
    {"Text1", "Catalog\n", "", 0, 0, 9000, 6000, "Mono", 10},
    {"cmdSave", "Save", "Save the text to its file (Ctrl+S)", 120, 6105, 1095, 375},
    {"cmdClose", "Close", "", 1440, 6105, 1095, 375},
};

// Offscreen, but without the platform's window frame: the outer size is the client size, so layouts
// that work from the outer size give the values in the tables.
const bool frameless = [] {
    static QTemporaryFile config;
    config.open(),
        config.write(R"({"windowFrameMargins": false, "screens": [{"width": 800, "height": 800}]})"),
        config.flush();
    return qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
}();

// How a control looked: its text, tooltip, geometry in pixels, font and colours.
struct Look {
    QString text, tip;
    QRect geometry;
    QFont font;
    QColor background, foreground;
};

// The looks of a live form's controls by name; the form itself under its own name, its geometry
// the client size.
QMap<QString, Look> looks(QWidget* form)
{
    QMap<QString, Look> out;
    for (QWidget* w : QWidgetList{form} + form->findChildren<QWidget*>()) {
        if (out.contains(w->objectName()))
            continue;  // the first of a name, as findChild finds it
        Look& look = out[w->objectName()];
        for (const char* p : {"windowTitle", "plainText", "currentText", "title", "text"})
            look.text = w->property(p).isValid() ? w->property(p).toString() : look.text;
        look.tip = w->toolTip(), look.font = w->font();
        look.geometry = w == form ? QRect(0, 0, w->width(), w->height()) : w->geometry();
        look.background = w->palette().color(w->backgroundRole());
        look.foreground = w->palette().color(w->foregroundRole());
    }
    return out;
}

// Shows the form as the game shows it: a question screen in a one-question game of its type,
// the picks laid down (Grant, Lee, Sherman, Jackson; on the multiple choice screen Grant's draw
// makes slot 0 the right one, and Lee stands there), the others made and shown.
QMap<QString, Look> open(const QString& name, int type)
{
    ProgramDir dir;
    TestState ts;
    loadFixture(ts.state);
    writeItemPictures(dir, ts.state);
    QMap<QString, Look> found;
    if (type != na) {
        ts.state.settings.QuestionsPerGame = 1;
        ts.state.settings.CategoryEnabled.fill(0), ts.state.settings.CategoryEnabled[std::size_t(type)] = -1;
        ts.state.rng.queue({typeOf(type), pickOf(Grant), pickOf(Lee), pickOf(Sherman), pickOf(Jackson)});
        playGame(ts, {[&](QWidget* w) { found = looks(w), w->close(); }});
        return found;
    }
    dir.write("zelord.txt", "Catalog\r\n");
    std::unique_ptr<QWidget> form(new TextWindow(dir.file("zelord.txt")));
    if (name != "textwindow")
        form.reset(name == "main"      ? static_cast<QWidget*>(new MainMenu(ts.state, dir.path()))
                   : name == "setup"   ? static_cast<QWidget*>(new Setup(ts.state))
                   : name == "zeledit" ? static_cast<QWidget*>(new ZelEdit(ts.state))
                                       : new ShowScor(ts.state));
    form->show();
    return looks(form.get());
}

// The expected rectangle when the actual one is within a pixel of it on every edge (twips do not
// fall on whole pixels), else the actual one.
QRect near(const QRect& actual, const QRect& expected)
{
    const bool close = std::abs(actual.left() - expected.left()) <= 1 &&
                       std::abs(actual.top() - expected.top()) <= 1 &&
                       std::abs(actual.right() - expected.right()) <= 1 &&
                       std::abs(actual.bottom() - expected.bottom()) <= 1;
    return close ? expected : actual;
}

}  // namespace

class TestForms : public QObject {
    Q_OBJECT
    QMap<QString, QMap<QString, Look>> forms_;  // each form opened once, for all its rows

private slots:
    void everyControlFollowsItsRow_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("type");  // of the question that opens it, na for the other forms
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");  // null: set from the items, not looked at
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QRect>("twips");   // a form's row: its client size; na: not given
        QTest::addColumn<QString>("font");  // the family's last word; empty: not given
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QColor>("background");  // invalid: not given
        QTest::addColumn<QColor>("foreground");
        const Row* form = nullptr;
        for (const Row& r : rows) {
            form = r.t == na ? &r : form;
            const auto colour = [](int c) { return c == na ? QColor() : QColor::fromRgb(QRgb(c)); };
            QTest::addRow("%s %s", form->name, r.t == na ? "" : r.name)
                << QString(form->name) << form->l << QString(r.t == na ? form->name : r.name)
                << QString(r.text) << QString(r.tip)
                << QRect(r.t == na ? 0 : r.l, r.t == na ? 0 : r.t, r.w, r.h) << QString(r.font) << r.pt
                << bool(r.style & B) << bool(r.style & I) << colour(r.bg) << colour(r.fg);
        }
    }

    void everyControlFollowsItsRow()
    {
        QFETCH(QString, form);
        QFETCH(int, type);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QRect, twips);
        QFETCH(QString, font);
        QFETCH(QColor, background);
        QFETCH(QColor, foreground);
        if (!forms_.contains(form))
            forms_[form] = open(form, type);
        QVERIFY2(forms_[form].contains(control), "missing");
        const Look& look = forms_[form][control];
        if (!text.isNull())
            QCOMPARE(look.text, text);
        QTEST(look.tip, "tip");
        const double pxPerTwip = QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 1440;
        QRect want(qRound(twips.x() * pxPerTwip), qRound(twips.y() * pxPerTwip),
                   qRound(twips.width() * pxPerTwip), qRound(twips.height() * pxPerTwip));
        if (twips.height() == na)  // a label whose height follows its text
            want.setHeight(look.geometry.height());
        QCOMPARE(near(look.geometry, want), want);
        if (!font.isEmpty()) {
            QVERIFY2(QFontInfo(look.font).family().endsWith(font), qPrintable(QFontInfo(look.font).family()));
            QTEST(look.font.pointSizeF(), "points");
            QTEST(look.font.bold(), "bold");
            QTEST(look.font.italic(), "italic");
        }
        if (background.isValid())
            QCOMPARE(look.background, background);
        if (foreground.isValid())
            QCOMPARE(look.foreground, foreground);
    }

    // The game's message boxes: a message with OK only, a question with OK and Cancel, each titled.
    void messageBoxes_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("a message: OK only, the game's title")
            << false << "Bellarune Game" << QStringList({"OK"});
        QTest::newRow("a question: OK and Cancel, its own title")
            << true << "Store list to file" << QStringList({"Cancel", "OK"});
    }

    void messageBoxes()
    {
        QFETCH(bool, question);
        QtNotifier notifier;
        QString title, text;
        QStringList buttons;
        onNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            title = box->windowTitle(), text = box->text();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text().remove('&');
            box->button(QMessageBox::Ok)->click();
        });
        const bool ok = question ? notifier.askOkCancel("Ready?", "Store list to file")
                                 : (notifier.showMessage("Ready?"), true);
        QVERIFY(ok);
        QCOMPARE(text, "Ready?");
        QTEST(title, "title");
        buttons.sort();
        QTEST(buttons, "buttons");
    }
};

QTEST_MAIN(TestForms)
#include "test_forms.moc"
