#include "qmatch.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "platform/controldrag.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/screenkeys.h"
#include "screens/screenparts.h"
#include "screens/showscor.h"

namespace bellarune {

namespace {
const QColor kLightBlue(128, 128, 255);
const QColor kLightYellow(255, 255, 128);
const QColor kMagentaBox(255, 128, 255);
const QColor kBarColours[5] = {QColor(255, 128, 0), QColor(255, 0, 255), QColor(0, 255, 255),
                               QColor(0, 255, 0), QColor(255, 255, 0)};
const int kBarGeometry[5][4] = {{4800, 1440, 3855, 435},
                                {4440, 1080, 3855, 435},
                                {4080, 720, 3855, 435},
                                {3600, 360, 3975, 435},
                                {3120, 0, 3975, 435}};
const int kBoxTops[5] = {2040, 2790, 3645, 4560, 5400};

}  // namespace

double QMatch::captionFontSize(int length)
{
    double size = 13.5;
    if (length > 18)
        size = 14;
    if (length > 23)
        size = 12;
    if (length > 25)
        size = 10;
    if (length > 32)
        size = 8;
    return size;
}

QMatch::QMatch(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("qmatch");
    setWindowTitle("Match 'em");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setBackground(this, kLightBlue);
    resize(twipsToPx(8925), twipsToPx(6645));

    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    setBackground(Frame1, kLightBlue);
    setGeometryTwips(Frame1, 0, 0, 8775, 6495);

    Label1 = new QLabel(Frame1);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setFont(designFont("MS Sans Serif", 13.5));
    setGeometryTwips(Label1, 0, 120, 2895, 1455);

    for (int k = 0; k < 5; ++k) {
        auto* box = new QLabel(Frame1);
        box->setObjectName(QString("Label2%1").arg(k));
        box->setWordWrap(true);
        box->setTextFormat(Qt::PlainText);
        box->setFont(designFont("MS Sans Serif", 12, true));
        setBackground(box, kMagentaBox);
        setForeground(box, Qt::black);
        setGeometryTwips(box, 120, kBoxTops[k], 8655, 615);
        Label2[static_cast<std::size_t>(k)] = box;
    }
    Label2[0]->setToolTip("Drag one of the colored bars to this description");

    // Bars after the boxes, so a placed bar is drawn over its description.
    for (int i = 0; i < 5; ++i) {
        auto* bar = new QPushButton(Frame1);
        bar->setObjectName(QString("Btn1%1").arg(i));
        bar->setAutoDefault(false);
        bar->setFont(designFont("MS Sans Serif", 13.5, true));
        setBackground(bar, kBarColours[i]);
        bar->setStyleSheet(
            QString("QPushButton { background-color: %1; color: black; border: 1px solid #404040; }")
                .arg(kBarColours[i].name()));
        const int* g = kBarGeometry[i];
        setGeometryTwips(bar, g[0], g[1], g[2], g[3]);
        connect(bar, &QPushButton::clicked, this, [this, i] { Btn1_Click(i); });
        Btn1[static_cast<std::size_t>(i)] = bar;
    }
    Btn1[0]->setToolTip("Click and drag this item to its description, below");

    cmdhelp = makeScreenButton(Frame1, "cmdhelp", "Help", kLightYellow, designFont("MS Sans Serif", 12));
    setGeometryTwips(cmdhelp, 1200, 6120, 1095, 375);
    Command1 = makeScreenButton(Frame1, "Command1", "Done", kLightYellow, designFont("MS Sans Serif", 12));
    Command1->setToolTip("Click here when you are ready to proceed");
    setGeometryTwips(Command1, 2880, 6120, 1455, 375);
    Command2 = makeScreenButton(Frame1, "Command2", "Skip", kLightYellow, designFont("MS Sans Serif", 12));
    Command2->setToolTip("Click here when you are ready to proceed");
    setGeometryTwips(Command2, 4680, 6120, 1455, 375);
    Label4 = new QLabel(Frame1);
    Label4->setObjectName("Label4");
    setGeometryTwips(Label4, 7200, 6240, 3375, 255);

    drag_ = new ControlDrag(this);
    for (int k = 0; k < 5; ++k)
        drag_->addTarget(Label2[static_cast<std::size_t>(k)],
                         [this, k](QWidget*, QWidget*) { Label2_DragDrop(k); });
    for (int i = 0; i < 5; ++i)
        drag_->addSource(Btn1[static_cast<std::size_t>(i)],
                         [this, i](QPoint hotSpot) { Btn1_MouseDown(i, hotSpot); });

    pressOnEnter({cmdhelp, Command1, Command2});
    // The bars from the top of the staircase down, then the buttons from the left.
    for (int i = 4; i > 0; --i)
        QWidget::setTabOrder(Btn1[static_cast<std::size_t>(i)], Btn1[static_cast<std::size_t>(i) - 1]);
    QWidget::setTabOrder(Btn1[0], cmdhelp);
    QWidget::setTabOrder(cmdhelp, Command1);
    QWidget::setTabOrder(Command1, Command2);
    connect(cmdhelp, &QPushButton::clicked, this, &QMatch::cmdhelp_Click);
    connect(Command1, &QPushButton::clicked, this, &QMatch::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
}

QMatch::~QMatch() = default;

void QMatch::load()
{
    RememberWindow(state_, this, SlotMatch, 1);
    CenterOnScreen(this);
    Label1->setText(qs(QuestionText(state_, 5, 0, state_.CurrentQuestionType)));
    LogWrite(state_, CurrentTypeName(state_), 1, 0);
    for (int i = 0; i < 5; ++i) {
        const int16_t item = PickItem(state_, i);
        state_.QuestionItems[static_cast<std::size_t>(i)] = item;
        PlacedBar[static_cast<std::size_t>(i)] = -1;
        AnswerBar[static_cast<std::size_t>(i)] = int16_t(i);
        const std::string caption = QuestionText(state_, 2, item, 0);
        QPushButton* bar = Btn1[static_cast<std::size_t>(i)];
        QString text = qs(caption);
        text.replace('&', "&&");
        bar->setText(text);
        bar->setAccessibleName(qs(caption));
        LogWrite(state_, caption, 1, 0);
        QFont f = bar->font();
        f.setPointSizeF(captionFontSize(static_cast<int>(caption.size())));
        bar->setFont(f);
    }
    PlacedBar[5] = -1;
    AnswerBar[5] = 5;
    for (int i = 0; i < 5; ++i)
        Label2[static_cast<std::size_t>(i)]->setText(qs(QuestionText(
            state_, 4, state_.QuestionItems[static_cast<std::size_t>(i)], state_.CurrentQuestionType)));
    // Twenty passes over boxes 0..3 only: the bottom box keeps bar 4's description.
    for (int pass = 0; pass < 20; ++pass) {
        const int r = state_.rng.draw(4);
        if (r > 0) {
            QLabel* a = Label2[static_cast<std::size_t>(r)];
            QLabel* b = Label2[static_cast<std::size_t>(r - 1)];
            const QString t = a->text();
            a->setText(b->text());
            b->setText(t);
            std::swap(AnswerBar[static_cast<std::size_t>(r)], AnswerBar[static_cast<std::size_t>(r - 1)]);
        }
    }
    loaded_ = true;
    relayout();
    Btn1[4]->setFocus();
}

void QMatch::Btn1_MouseDown(int i, QPoint hotSpot)
{
    Label4->setText(QString::number(i) + " mousedown");
    SelectedBar = int16_t(i);
    drag_->begin(Btn1[static_cast<std::size_t>(i)], true, hotSpot);
}

// A click, by the mouse or by Space on a focused bar: the drag goes on with the button up
// until the next click.
void QMatch::Btn1_Click(int i)
{
    QPushButton* bar = Btn1[static_cast<std::size_t>(i)];
    Label4->setText(QString::number(i) + " click");
    SelectedBar = int16_t(i);
    drag_->begin(bar, false, bar->rect().center());
    PlaySound(state_, 1);
}

void QMatch::Label2_DragDrop(int k)
{
    if (SelectedBar < 0 || SelectedBar > 4 || k < 0 || k > 4)
        return;
    drag_->cancel();
    QPushButton* bar = Btn1[static_cast<std::size_t>(SelectedBar)];
    bar->move(bar->x(), Label2[static_cast<std::size_t>(k)]->y());
    bar->raise();
    PlacedBar[static_cast<std::size_t>(k)] = SelectedBar;
    PlaySound(state_, 2);
}

void QMatch::Command1_Click()
{
    drag_->cancel();
    const int type = state_.CurrentQuestionType;
    std::string text;
    int count = 0;
    for (int k = 0; k < 5; ++k) {
        const int placed = PlacedBar[static_cast<std::size_t>(k)];
        if (placed == AnswerBar[static_cast<std::size_t>(k)]) {
            AdjustUsage(state_, state_.QuestionItems[static_cast<std::size_t>(placed)], 4);
            ++count;
        } else if (placed >= 0) {
            const int item = state_.QuestionItems[static_cast<std::size_t>(placed)];
            AdjustUsage(state_, item, -1);
            const std::string line =
                QuestionText(state_, 2, item, 0) + " = " + QuestionText(state_, 4, item, type);
            text += state_.NL + line;
            LogWrite(state_, line, 2, 0);
        }
    }
    AddScore(state_, count * 5, 25, 0);
    text += state_.NL + "*** Scored " + std::to_string(count * 5) + " of 25";
    if (count == 5) {
        text = "*** All correct!";
        PlaySound(state_, 5);
        LogWrite(state_, " *** All correct!", 2, 0);
    } else {
        PlaySound(state_, 8);
    }
    ShowScor score(state_, this);
    score.setResultText(text);
    score.Label1->setText("Results for Matching " + qs(CurrentTypeName(state_)));
    score.scoreCaption();
    score.exec();
    done(QDialog::Accepted);
}

void QMatch::cmdhelp_Click()
{
    const std::string& nl = state_.NL;
    state_.message("Click on one of the colored bars at the top" + nl +
                   "Then drag it down to the best match in the descriptions below" + nl + nl +
                   "Or, click on a colored bar, then click on the proper definition" + nl + nl +
                   "When all items are matched, click on 'done'");
}

void QMatch::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (loaded_)
        relayout();
}

void QMatch::relayout()
{
    const int w = outerWidthTwips(this), h = outerHeightTwips(this);
    Frame1->resize(twipsToPx(w - 100), twipsToPx(h - 100));
    if (w < 3000)
        return;
    const int frameLeft = pxToTwips(Frame1->x());
    const int frameWidth = pxToTwips(Frame1->width());
    for (QLabel* box : Label2)
        box->setGeometry(twipsToPx(frameLeft + 100), box->y(), twipsToPx(frameWidth - 400), box->height());
    CenterControl(Frame1, this);
    RememberWindow(state_, this, SlotMatch, 0);
}

void QMatch::ask(GameState& state, QWidget* parent)
{
    QMatch form(state, parent);
    form.load();
    form.exec();
}

}  // namespace bellarune
