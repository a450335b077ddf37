#include "mainmenu.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "engine/gamedriver.h"
#include "engine/quizlog.h"
#include "maint/setup.h"
#include "platform/latin1text.h"
#include "platform/makewidget.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/questionscreens.h"

namespace bellarune {

namespace {
// The menu's captions: wrapped text in the design's font.
QLabel* makeLabel(QWidget* parent, const char* name, const QRect& twips, const QFont& font)
{
    auto* l = makeWidget<QLabel>(parent, {.name = name, .twips = twips, .font = font});
    l->setWordWrap(true);
    return l;
}
}  // namespace

MainMenu::MainMenu(GameState& state, const QString& programDir, QWidget* parent)
    : QWidget(parent), state_(state)
{
    setObjectName("main");
    setFixedSize(twipsToPx(5985), twipsToPx(3840));
    Command1 = makeWidget<QPushButton>(
        this,
        {.name = "Command1", .caption = "Play", .tip = "Play the game", .twips = QRect(600, 3360, 735, 375)});
    cmdsetup = makeWidget<QPushButton>(this, {.name = "cmdsetup",
                                              .caption = "Setup",
                                              .tip = "Conditions for the game",
                                              .twips = QRect(1590, 3360, 735, 375)});
    cmdCatalog = makeWidget<QPushButton>(this, {.name = "cmdCatalog",
                                                .caption = "Catalog",
                                                .tip = "View Torvane Software Catalog",
                                                .twips = QRect(2580, 3360, 735, 375)});
    Command3 = makeWidget<QPushButton>(
        this, {.name = "Command3", .caption = "About", .twips = QRect(3570, 3360, 735, 375)});
    cmdquit = makeWidget<QPushButton>(
        this, {.name = "cmdquit", .caption = "Quit", .twips = QRect(4560, 3360, 735, 375)});
    Label1 =
        makeLabel(this, "Label1", QRect(840, 240, 4815, 615), designFont("Times New Roman", 21.75, true));
    Label2 = makeLabel(this, "Label2", QRect(4320, 840, 1455, 375), designFont("Times New Roman", 12));
    Label3 = makeLabel(this, "Label3", QRect(720, 840, 3255, 495), designFont("MS Sans Serif", 9.75, true));
    Label4 = makeLabel(this, "Label4", QRect(720, 1320, 3615, 615), designFont("MS Sans Serif", 9.75, true));
    // Two short lines each: the labels keep their design size and font, and show the credits whole.
    Label3->setText("Game design and questions by Torvane Software");
    Label4->setText("State maps from U.S. Census Bureau data; thanks to our librarians");

    // Enter presses the focused button, as Space does; the focus starts on Play.
    for (QPushButton* b : {Command1, cmdsetup, cmdCatalog, Command3, cmdquit})
        b->setAutoDefault(true);
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
    // From the top left, scaled evenly to cover the window, never distorted: the shipped picture has
    // the window's shape at twice its pixels (sharp on a screen of double density) and fills it
    // exactly; a picture of another shape is cut at the right or bottom edge.
    const QSizeF size = picture_.deviceIndependentSize();
    const qreal scale = std::max(width() / size.width(), height() / size.height());
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRectF(QPointF(0, 0), size * scale), picture_, QRectF(picture_.rect()));
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
