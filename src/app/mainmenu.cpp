#include "mainmenu.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "engine/gamedriver.h"
#include "engine/quizlog.h"
#include "maint/setup.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/questionscreens.h"

namespace bellarune {

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);  // Enter presses the focused button, as Space does
    if (*tip)
        b->setToolTip(tip);
    return b;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QFont& font)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setWordWrap(true);
    return l;
}
}  // namespace

MainMenu::MainMenu(GameState& state, const QString& programDir, QWidget* parent)
    : QWidget(parent), state_(state)
{
    setObjectName("main");
    Command1 = makeButton(this, "Command1", "Play", "Play the game");
    cmdsetup = makeButton(this, "cmdsetup", "Setup", "Conditions for the game");
    cmdCatalog = makeButton(this, "cmdCatalog", "Catalog", "View Torvane Software Catalog");
    Command3 = makeButton(this, "Command3", "About", "");
    cmdquit = makeButton(this, "cmdquit", "Quit", "");
    Label1 = makeLabel(this, "Label1", designFont("Times New Roman", 21.75, true));
    Label2 = makeLabel(this, "Label2", designFont("Times New Roman", 12));
    Label3 = makeLabel(this, "Label3", designFont("MS Sans Serif", 9.75, true));
    Label4 = makeLabel(this, "Label4", designFont("MS Sans Serif", 9.75, true));
    // Two short lines each: the labels keep their design size and font, and show the credits whole.
    Label3->setText("Game design and questions by Torvane Software");
    Label4->setText("State maps from U.S. Census Bureau data; thanks to our librarians");

    setFixedSize(twipsToPx(5985), twipsToPx(3840));
    setGeometryTwips(Command1, 600, 3360, 735, 375);
    setGeometryTwips(cmdsetup, 1590, 3360, 735, 375);
    setGeometryTwips(cmdCatalog, 2580, 3360, 735, 375);
    setGeometryTwips(Command3, 3570, 3360, 735, 375);
    setGeometryTwips(cmdquit, 4560, 3360, 735, 375);
    setGeometryTwips(Label1, 840, 240, 4815, 615);
    setGeometryTwips(Label2, 4320, 840, 1455, 375);
    setGeometryTwips(Label3, 720, 840, 3255, 495);
    setGeometryTwips(Label4, 720, 1320, 3615, 615);

    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &MainMenu::Command1_Click);
    connect(cmdsetup, &QPushButton::clicked, this, &MainMenu::cmdsetup_Click);
    connect(Command3, &QPushButton::clicked, this, &MainMenu::Command3_Click);
    connect(cmdCatalog, &QPushButton::clicked, this, &MainMenu::cmdCatalog_Click);
    connect(cmdquit, &QPushButton::clicked, this, &QWidget::close);

    load(programDir);
}

void MainMenu::load(const QString& programDir)
{
    CenterOnScreen(this);
    setWindowTitle("Bellarune Game");
    state_.SquarePictures = 1;
    state_.ThreatPictureName = "cannon";
    QDir::setCurrent(programDir);
    InitProgram(state_);
    // A missing or unreadable picture leaves the menu plain.
    if (!state_.settings.BackgroundPicture.empty())
        picture_.load(qs(state_.settings.BackgroundPicture));
    Label1->setText("Bellarune Game");
    Label2->setText("Version 1.05");
    Label3->hide();
    Label4->hide();
    ResetLog(state_);
    LoadItems(state_);
    LoadSounds(state_);
}

void MainMenu::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(rect(), picture_);
}

void MainMenu::closeEvent(QCloseEvent* event)
{
    SaveSettings(state_);
    event->accept();
}

void MainMenu::Command1_Click()
{
    GameCallbacks ui;
    ui.showScreen = [this](int) { runQuestionScreen(state_, this); };
    ui.showSetup = [this] { Setup::run(state_, this); };
    PlayGame(state_, ui);
}

void MainMenu::cmdsetup_Click()
{
    Setup::run(state_, this);
}

void MainMenu::Command3_Click()
{
    Label3->show();
    Label4->show();
}

void MainMenu::cmdCatalog_Click()
{
    if (state_.showText)
        state_.showText("zelord.txt", 3);
}

}  // namespace bellarune
