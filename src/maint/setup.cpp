#include "setup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "data/checkedindex.h"
#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "maint/numberbox.h"
#include "maint/zeledit.h"
#include "platform/latin1text.h"
#include "platform/makewidget.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"

namespace bellarune {

Setup::Setup(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("setup");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont f12 = designFont("MS Sans Serif", 12);
    const QFont f12b = designFont("MS Sans Serif", 12, true);
    const QFont f975 = designFont("MS Sans Serif", 9.75);
    const QFont f135 = designFont("MS Sans Serif", 13.5);
    setFixedSize(twipsToPx(6585), twipsToPx(5895));

    frameDiff = makeWidget<QGroupBox>(
        this,
        {.name = "frameDiff", .caption = "Difficulty", .twips = QRect(120, 120, 2295, 1335), .font = f12});
    Label5 = makeWidget<QLabel>(
        frameDiff,
        {.name = "Label5", .caption = "Minimum", .twips = QRect(240, 480, 975, 255), .font = f975});
    tmindif = makeWidget<NumberBox>(frameDiff, {.name = "tmindif",
                                                .accessible = "Minimum difficulty",
                                                .twips = QRect(1320, 360, 375, 390),
                                                .font = f12b});
    UpDown2 =
        makeWidget<UpDown>(frameDiff, {.name = "UpDown2", .twips = QRect(1800, 360, 240, 375)}, tmindif);
    Label6 = makeWidget<QLabel>(
        frameDiff,
        {.name = "Label6", .caption = "Maximum", .twips = QRect(240, 840, 975, 375), .font = f975});
    tmaxdif = makeWidget<NumberBox>(frameDiff, {.name = "tmaxdif",
                                                .accessible = "Maximum difficulty",
                                                .twips = QRect(1320, 840, 375, 345),
                                                .font = f12b});
    UpDown3 =
        makeWidget<UpDown>(frameDiff, {.name = "UpDown3", .twips = QRect(1800, 840, 240, 375)}, tmaxdif);
    Label4 = makeWidget<QLabel>(this, {.name = "Label4",
                                       .caption = "Number of questions per game",
                                       .twips = QRect(120, 1680, 1215, 735),
                                       .font = f975});
    Label4->setWordWrap(true);
    nquestion = makeWidget<NumberBox>(this, {.name = "nquestion",
                                             .accessible = "Number of questions per game",
                                             .twips = QRect(1560, 1680, 495, 495),
                                             .font = f135});
    UpDown1 = makeWidget<UpDown>(this, {.name = "UpDown1", .twips = QRect(2160, 1680, 240, 495)}, nquestion);
    Frame1 = makeWidget<QGroupBox>(
        this,
        {.name = "Frame1", .caption = "Log File Status", .twips = QRect(120, 2640, 2055, 1575), .font = f12});
    const char* optionCaptions[] = {"Off", "All", "Only incorrect"};
    const char* optionTips[] = {"No logging takes place",
                                "All questions and incorrect answers are sent to log file",
                                "Only wrong answers are sent to log file"};
    for (int i = 0; i < 3; ++i) {
        const std::string name = "Option1" + std::to_string(i);
        // The default font, not the frame's 12 points.
        Option1[i] = makeWidget<QRadioButton>(Frame1, {.name = name.c_str(),
                                                       .caption = optionCaptions[i],
                                                       .tip = optionTips[i],
                                                       .twips = QRect(120, 360 + 360 * i, 1695, 375),
                                                       .font = designFont("MS Sans Serif", 8.25)});
        connect(Option1[i], &QRadioButton::clicked, this,
                [this, i] { state_.settings.LogLevel = int16_t(i); });
    }
    Check1 = makeWidget<QCheckBox>(
        this, {.name = "Check1", .caption = "Sound effects", .twips = QRect(240, 4680, 1815, 255)});
    List1 = makeWidget<QListWidget>(this, {.name = "List1",
                                           .tip = "Colored items are selected",
                                           .accessible = "Categories",
                                           .twips = QRect(2640, 240, 3855, 4740),
                                           .font = f135});
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    cmdEdit = makeWidget<QPushButton>(this, {.name = "cmdEdit",
                                             .caption = "Edit",
                                             .tip = "Change item data",
                                             .twips = QRect(120, 5160, 1335, 615),
                                             .font = f12});
    cmdHelp = makeWidget<QPushButton>(
        this, {.name = "cmdHelp", .caption = "Help", .twips = QRect(1680, 5160, 1335, 615), .font = f12});
    cmdok = makeWidget<QPushButton>(this, {.name = "cmdok",
                                           .caption = "OK",
                                           .tip = "Click here to continue",
                                           .twips = QRect(3240, 5160, 615, 615),
                                           .font = f12});
    cmdmakeq = makeWidget<QPushButton>(
        this,
        {.name = "cmdmakeq", .caption = "Make online questions", .twips = QRect(4080, 5520, 2295, 375)});
    // Enter presses the focused button, and OK from any other control.
    for (QPushButton* b : {cmdEdit, cmdHelp, cmdok, cmdmakeq})
        b->setAutoDefault(true);
    cmdok->setDefault(true);

    // The limits: 1 to 10 questions, difficulty 1 to 9, minimum not above maximum.
    nquestion->setBounds([] { return 1; }, [] { return 10; });
    tmindif->setBounds([] { return 1; }, [this] { return tmaxdif->value(); });
    tmaxdif->setBounds([this] { return tmindif->value(); }, [] { return 9; });
    // Design texts: the boxes start at 5, 1 and 1.
    nquestion->setValue(5);
    tmaxdif->setValue(1);
    tmindif->setValue(1);

    connect(Check1, &QCheckBox::toggled, this, [this](bool on) { state_.settings.SoundOn = on ? 1 : 0; });
    connect(cmdmakeq, &QPushButton::clicked, this, [this] {
        state_.settings.LogLevel = int16_t(LogLevel::Result);
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

void Setup::load()
{
    CenterOnScreen(this);
    setWindowTitle("Bellarune Game Setup");
    const Settings& s = state_.settings;
    if (s.LogLevel >= 0 && s.LogLevel <= 2)
        at(Option1, s.LogLevel)->setChecked(true);
    nquestion->setValue(s.QuestionsPerGame);
    tmaxdif->setValue(s.MaxDifficulty);
    tmindif->setValue(s.MinDifficulty);
    for (int i = TypeDatesForPerson; i <= TypeNameMe; ++i) {
        List1->addItem(qs(at(state_.names.QuestionTypeNames, i)));
        List1->item(i - 1)->setSelected(at(s.CategoryEnabled, i) != 0);
    }
    if (s.SoundOn != 0)
        Check1->setChecked(true);
}

void Setup::unload()
{
    Settings& s = state_.settings;
    s.QuestionsPerGame = int16_t(nquestion->value());
    s.MinDifficulty = int16_t(tmindif->value());
    s.MaxDifficulty = int16_t(tmaxdif->value());
    for (int i = TypeDatesForPerson; i <= TypeNameMe; ++i)
        at(s.CategoryEnabled, i) = List1->item(i - 1)->isSelected() ? -1 : 0;
    SaveSettings(state_);
}

void Setup::done(int result)
{
    // OK, the close box and Escape all end here, and all of them store the settings.
    if (!unloaded_) {
        unloaded_ = true;
        unload();
    }
    QDialog::done(result);
}

void Setup::run(GameState& state, QWidget* parent)
{
    Setup form(state, parent);
    form.exec();
}

}  // namespace bellarune
