#include "setup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "engine/gamestate.h"
#include "maint/updown.h"
#include "maint/zeledit.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"

namespace bellarune {

namespace {
constexpr int kMaxQuestions = 10;
constexpr int kMaxDifficulty = 9;

// Controls that name no font of their own keep the forms' default, not their frame's.
QFont defaultFont()
{
    return designFont("MS Sans Serif", 8.25);
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* tip, const QFont& font)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFont(font);
    b->setAutoDefault(false);  // Enter in a box must not press a button
    if (*tip)
        b->setToolTip(tip);
    return b;
}

QLineEdit* makeBox(QWidget* parent, const char* name, const char* text, const char* accessible, const QFont& font)
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    e->setFont(font);
    return e;
}

UpDown* makeSpin(QWidget* parent, const char* name, const char* accessible)
{
    auto* u = new UpDown(parent);
    u->setObjectName(name);
    u->setAccessibleName(accessible);
    return u;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, const QFont& font)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setWordWrap(true);
    return l;
}
}  // namespace

Setup::Setup(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("setup");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(defaultFont());
    const QFont sans975 = designFont("MS Sans Serif", 9.75);
    const QFont sans12 = designFont("MS Sans Serif", 12);
    const QFont sans12b = designFont("MS Sans Serif", 12, true);
    const QFont sans135 = designFont("MS Sans Serif", 13.5);

    frameDiff = new QGroupBox("Difficulty", this);
    frameDiff->setObjectName("frameDiff");
    frameDiff->setFont(sans12);
    Label5 = makeLabel(frameDiff, "Label5", "Minimum", sans975);
    tmindif = makeBox(frameDiff, "tmindif", "1", "Minimum", sans12b);
    UpDown2 = makeSpin(frameDiff, "UpDown2", "Step minimum");
    Label6 = makeLabel(frameDiff, "Label6", "Maximum", sans975);
    tmaxdif = makeBox(frameDiff, "tmaxdif", "1", "Maximum", sans12b);
    UpDown3 = makeSpin(frameDiff, "UpDown3", "Step maximum");
    Label5->setBuddy(tmindif);
    Label6->setBuddy(tmaxdif);

    Label4 = makeLabel(this, "Label4", "Number of questions per game", sans975);
    nquestion = makeBox(this, "nquestion", "5", "Number of questions per game", sans135);
    UpDown1 = makeSpin(this, "UpDown1", "Step number of questions");
    Label4->setBuddy(nquestion);

    Frame1 = new QGroupBox("Log File Status", this);
    Frame1->setObjectName("Frame1");
    Frame1->setFont(sans12);
    const char* optionCaptions[3] = {"Off", "All", "Only incorrect"};
    const char* optionTips[3] = {"No logging takes place", "All questions and incorrect answers are sent to log file",
                                 "Only wrong answers are sent to log file"};
    for (int i = 0; i < 3; ++i) {
        auto* o = new QRadioButton(optionCaptions[i], Frame1);
        o->setObjectName(QString("Option1%1").arg(i));
        o->setToolTip(optionTips[i]);
        o->setFont(defaultFont());
        Option1[static_cast<std::size_t>(i)] = o;
    }

    Check1 = new QCheckBox("Sound effects", this);
    Check1->setObjectName("Check1");
    Check1->setFont(defaultFont());

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setAccessibleName("Question types");
    List1->setToolTip("Colored items are selected");
    List1->setFont(sans135);
    List1->setSelectionMode(QAbstractItemView::MultiSelection);

    cmdEdit = makeButton(this, "cmdEdit", "Edit", "Change item data", sans12);
    cmdHelp = makeButton(this, "cmdHelp", "Help", "", sans12);
    cmdok = makeButton(this, "cmdok", "OK", "Click here to continue", sans12);
    cmdmakeq = makeButton(this, "cmdmakeq", "Make online questions", "", defaultFont());

    setFixedSize(twipsToPx(6585), twipsToPx(5895));
    setGeometryTwips(frameDiff, 120, 120, 2295, 1335);
    setGeometryTwips(Label5, 240, 480, 975, 255);
    setGeometryTwips(tmindif, 1320, 360, 375, 390);
    setGeometryTwips(UpDown2, 1800, 360, 240, 375);
    setGeometryTwips(Label6, 240, 840, 975, 375);
    setGeometryTwips(tmaxdif, 1320, 840, 375, 345);
    setGeometryTwips(UpDown3, 1800, 840, 240, 375);
    setGeometryTwips(Label4, 120, 1680, 1215, 735);
    setGeometryTwips(nquestion, 1560, 1680, 495, 495);
    setGeometryTwips(UpDown1, 2160, 1680, 240, 495);
    setGeometryTwips(Frame1, 120, 2640, 2055, 1575);
    for (int i = 0; i < 3; ++i)
        setGeometryTwips(Option1[static_cast<std::size_t>(i)], 120, 360 + 360 * i, 1695, 375);
    setGeometryTwips(Check1, 240, 4680, 1815, 255);
    setGeometryTwips(List1, 2640, 240, 3855, 4740);
    setGeometryTwips(cmdEdit, 120, 5160, 1335, 615);
    setGeometryTwips(cmdHelp, 1680, 5160, 1335, 615);
    setGeometryTwips(cmdok, 3240, 5160, 615, 615);
    setGeometryTwips(cmdmakeq, 4080, 5520, 2295, 375);

    questions_ = {nquestion, 5};
    minimum_ = {tmindif, 1};
    maximum_ = {tmaxdif, 1};

    connect(nquestion, &QLineEdit::textChanged, this, &Setup::nquestion_Change);
    connect(tmindif, &QLineEdit::textChanged, this, &Setup::tmindif_Change);
    connect(tmaxdif, &QLineEdit::textChanged, this, &Setup::tmaxdif_Change);
    connect(nquestion, &QLineEdit::editingFinished, this, [this] { restoreIfNotANumber(questions_); });
    connect(tmindif, &QLineEdit::editingFinished, this, [this] { restoreIfNotANumber(minimum_); });
    connect(tmaxdif, &QLineEdit::editingFinished, this, [this] { restoreIfNotANumber(maximum_); });
    connect(UpDown1, &UpDown::stepped, this, [this](int d) { putNumber(questions_, questions_.value + d); });
    connect(UpDown2, &UpDown::stepped, this, [this](int d) { putNumber(minimum_, minimum_.value + d); });
    connect(UpDown3, &UpDown::stepped, this, [this](int d) { putNumber(maximum_, maximum_.value + d); });

    for (int i = 0; i < 3; ++i) {
        QRadioButton* o = Option1[static_cast<std::size_t>(i)];
        // clicked also covers a click on the button already chosen (after "Make online
        // questions" changed the level behind it); toggled covers the program's choice.
        connect(o, &QRadioButton::clicked, this, [this, i] { state_.settings.LogLevel = static_cast<int16_t>(i); });
        connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                state_.settings.LogLevel = static_cast<int16_t>(i);
        });
    }
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) { state_.settings.SoundOn = on ? 1 : 0; });
    connect(cmdmakeq, &QPushButton::clicked, this, [this] {
        state_.settings.LogLevel = 2;
        state_.message("Will create question file for online games");
    });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { ZelEdit::run(state_, this); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] {
        if (state_.showText)
            state_.showText("zelhelp.txt", 3);
    });
    connect(cmdok, &QPushButton::clicked, this, &QDialog::accept);

    load();
}

void Setup::run(GameState& state, QWidget* parent)
{
    Setup form(state, parent);
    form.exec();
}

void Setup::load()
{
    CenterOnScreen(this);
    setWindowTitle("Bellarune Game Setup");
    const int level = state_.settings.LogLevel;
    if (level >= 0 && level < 3)
        Option1[static_cast<std::size_t>(level)]->setChecked(true);
    putNumber(questions_, state_.settings.QuestionsPerGame);
    putNumber(maximum_, state_.settings.MaxDifficulty);
    putNumber(minimum_, state_.settings.MinDifficulty);
    for (int i = 1; i <= 16; ++i) {
        List1->addItem(qs(state_.names.QuestionTypeNames[static_cast<std::size_t>(i)]));
        List1->item(i - 1)->setSelected(state_.settings.CategoryEnabled[static_cast<std::size_t>(i)] != 0);
    }
    if (state_.settings.SoundOn != 0)
        Check1->setChecked(true);
}

void Setup::applyRule(NumberBox& b, int low, int high)
{
    // A text that is no whole number (emptied, "3x") keeps the last number until the
    // player finishes it or leaves the box.
    const std::optional<long> n = wholeNumber(b.box->text());
    if (!n)
        return;
    b.value = Clamp(static_cast<int>(*n), low, high);
    const QString corrected = QString::number(b.value);
    if (b.box->text() != corrected) {
        const QSignalBlocker block(b.box);
        b.box->setText(corrected);
    }
}

void Setup::nquestion_Change()
{
    applyRule(questions_, 1, kMaxQuestions);
}

void Setup::tmindif_Change()
{
    applyRule(minimum_, 1, maximum_.value);
}

void Setup::tmaxdif_Change()
{
    applyRule(maximum_, minimum_.value, kMaxDifficulty);
}

void Setup::putNumber(NumberBox& b, int value)
{
    {
        const QSignalBlocker block(b.box);
        b.box->setText(QString::number(value));
    }
    // The rule runs even when the text happens to be the same.
    if (b.box == nquestion)
        nquestion_Change();
    else if (b.box == tmindif)
        tmindif_Change();
    else
        tmaxdif_Change();
}

void Setup::restoreIfNotANumber(NumberBox& b)
{
    if (!wholeNumber(b.box->text())) {
        const QSignalBlocker block(b.box);
        b.box->setText(QString::number(b.value));
    }
}

void Setup::done(int result)
{
    // OK, the close box and Escape all end here; each stores and saves once.
    unload();
    QDialog::done(result);
}

void Setup::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    Settings& s = state_.settings;
    s.QuestionsPerGame = static_cast<int16_t>(questions_.value);
    s.MinDifficulty = static_cast<int16_t>(minimum_.value);
    s.MaxDifficulty = static_cast<int16_t>(maximum_.value);
    for (int i = 1; i <= 16; ++i)
        s.CategoryEnabled[static_cast<std::size_t>(i)] = List1->item(i - 1)->isSelected() ? -1 : 0;
    SaveSettings(state_);
}

}  // namespace bellarune
