#include "setup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "engine/gamestate.h"
#include "maint/numberbox.h"
#include "maint/zeledit.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"

namespace bellarune {

namespace {
template <typename W>
W* named(W* w, const char* name, const QFont* font = nullptr)
{
    w->setObjectName(name);
    if (font)
        w->setFont(*font);
    return w;
}
}  // namespace

Setup::Setup(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("setup");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont f12 = designFont("MS Sans Serif", 12);
    const QFont f12b = designFont("MS Sans Serif", 12, true);
    const QFont f975 = designFont("MS Sans Serif", 9.75);
    const QFont f135 = designFont("MS Sans Serif", 13.5);

    frameDiff = named(new QGroupBox("Difficulty", this), "frameDiff", &f12);
    Label5 = named(new QLabel("Minimum", frameDiff), "Label5", &f975);
    tmindif = named(new NumberBox(frameDiff), "tmindif", &f12b);
    UpDown2 = named(new UpDown(tmindif, frameDiff), "UpDown2");
    Label6 = named(new QLabel("Maximum", frameDiff), "Label6", &f975);
    tmaxdif = named(new NumberBox(frameDiff), "tmaxdif", &f12b);
    UpDown3 = named(new UpDown(tmaxdif, frameDiff), "UpDown3");
    Label4 = named(new QLabel("Number of questions per game", this), "Label4", &f975);
    Label4->setWordWrap(true);
    nquestion = named(new NumberBox(this), "nquestion", &f135);
    UpDown1 = named(new UpDown(nquestion, this), "UpDown1");
    Frame1 = named(new QGroupBox("Log File Status", this), "Frame1", &f12);
    const char* optionCaptions[] = {"Off", "All", "Only incorrect"};
    const char* optionTips[] = {"No logging takes place",
                                "All questions and incorrect answers are sent to log file",
                                "Only wrong answers are sent to log file"};
    for (int i = 0; i < 3; ++i) {
        Option1[i] =
            named(new QRadioButton(optionCaptions[i], Frame1), ("Option1" + std::to_string(i)).c_str());
        Option1[i]->setToolTip(optionTips[i]);
        Option1[i]->setFont(designFont("MS Sans Serif", 8.25));  // the default, not the frame's 12 pt
        setGeometryTwips(Option1[i], 120, 360 + 360 * i, 1695, 375);
        connect(Option1[i], &QRadioButton::clicked, this,
                [this, i] { state_.settings.LogLevel = int16_t(i); });
    }
    Check1 = named(new QCheckBox("Sound effects", this), "Check1");
    List1 = named(new QListWidget(this), "List1", &f135);
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    List1->setToolTip("Colored items are selected");
    List1->setAccessibleName("Categories");
    cmdEdit = named(new QPushButton("Edit", this), "cmdEdit", &f12);
    cmdEdit->setToolTip("Change item data");
    cmdHelp = named(new QPushButton("Help", this), "cmdHelp", &f12);
    cmdok = named(new QPushButton("OK", this), "cmdok", &f12);
    cmdok->setToolTip("Click here to continue");
    cmdmakeq = named(new QPushButton("Make online questions", this), "cmdmakeq");
    // Enter presses the focused button, and OK from any other control.
    cmdok->setDefault(true);
    tmindif->setAccessibleName("Minimum difficulty");
    tmaxdif->setAccessibleName("Maximum difficulty");
    nquestion->setAccessibleName("Number of questions per game");

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
    setGeometryTwips(Check1, 240, 4680, 1815, 255);
    setGeometryTwips(List1, 2640, 240, 3855, 4740);
    setGeometryTwips(cmdEdit, 120, 5160, 1335, 615);
    setGeometryTwips(cmdHelp, 1680, 5160, 1335, 615);
    setGeometryTwips(cmdok, 3240, 5160, 615, 615);
    setGeometryTwips(cmdmakeq, 4080, 5520, 2295, 375);

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

void Setup::load()
{
    CenterOnScreen(this);
    setWindowTitle("Bellarune Game Setup");
    const Settings& s = state_.settings;
    if (s.LogLevel >= 0 && s.LogLevel <= 2)
        Option1[static_cast<std::size_t>(s.LogLevel)]->setChecked(true);
    nquestion->setValue(s.QuestionsPerGame);
    tmaxdif->setValue(s.MaxDifficulty);
    tmindif->setValue(s.MinDifficulty);
    for (int i = 1; i <= 16; ++i) {
        List1->addItem(qs(state_.names.QuestionTypeNames[static_cast<std::size_t>(i)]));
        List1->item(i - 1)->setSelected(s.CategoryEnabled[static_cast<std::size_t>(i)] != 0);
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
    for (int i = 1; i <= 16; ++i)
        s.CategoryEnabled[static_cast<std::size_t>(i)] = List1->item(i - 1)->isSelected() ? -1 : 0;
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
