#include "qmatch.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "data/checkedindex.h"
#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "engine/scoring.h"
#include "platform/controldrag.h"
#include "platform/makewidget.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/screenkeys.h"
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

    Frame1 =
        makeWidget<QFrame>(this, {.name = "Frame1", .twips = QRect(0, 0, 8775, 6495), .back = kLightBlue});
    Label1 = makeWidget<QLabel>(
        Frame1,
        {.name = "Label1", .twips = QRect(0, 120, 2895, 1455), .font = designFont("MS Sans Serif", 13.5)});
    Label1->setWordWrap(true);

    for (int k = 0; k < 5; ++k) {
        const QByteArray name = QString("Label2%1").arg(k).toLatin1();
        auto* box = makeWidget<QLabel>(
            Frame1, {.name = name.constData(),
                     .tip = k == 0 ? "Drag one of the colored bars to this description" : "",
                     .twips = QRect(120, kBoxTops[k], 8655, 615),
                     .font = designFont("MS Sans Serif", 12, true),
                     .back = kMagentaBox,
                     .fore = Qt::black});
        box->setWordWrap(true);
        box->setTextFormat(Qt::PlainText);
        at(Label2, k) = box;
    }

    // Bars after the boxes, so a placed bar is drawn over its description.
    for (int i = 0; i < 5; ++i) {
        const int* g = kBarGeometry[i];
        at(Btn1, i) =
            makeColourBar(Frame1, i, QRect(g[0], g[1], g[2], g[3]),
                          i == 0 ? "Click and drag this item to its description, below" : "", kBarColours[i]);
        connect(at(Btn1, i), &QPushButton::clicked, this, [this, i] { Btn1_Click(i); });
    }
    const QFont buttonFont = designFont("MS Sans Serif", 12);
    cmdhelp = makeWidget<QPushButton>(Frame1, {.name = "cmdhelp",
                                               .caption = "Help",
                                               .twips = QRect(1200, 6120, 1095, 375),
                                               .font = buttonFont,
                                               .back = kLightYellow});
    Command1 = makeWidget<QPushButton>(Frame1, {.name = "Command1",
                                                .caption = "Done",
                                                .tip = "Click here when you are ready to proceed",
                                                .twips = QRect(2880, 6120, 1455, 375),
                                                .font = buttonFont,
                                                .back = kLightYellow});
    Command2 = makeWidget<QPushButton>(Frame1, {.name = "Command2",
                                                .caption = "Skip",
                                                .tip = "Click here when you are ready to proceed",
                                                .twips = QRect(4680, 6120, 1455, 375),
                                                .font = buttonFont,
                                                .back = kLightYellow});
    Label4 = makeWidget<QLabel>(Frame1, {.name = "Label4", .twips = QRect(7200, 6240, 3375, 255)});

    drag_ = new ControlDrag(this);
    for (int k = 0; k < 5; ++k)
        drag_->addTarget(at(Label2, k), [this, k](QWidget*, QWidget*) { Label2_DragDrop(k); });
    for (int i = 0; i < 5; ++i)
        drag_->addSource(at(Btn1, i), [this, i](QPoint hotSpot) { Btn1_MouseDown(i, hotSpot); });

    pressOnEnter({cmdhelp, Command1, Command2});
    // The bars from the top of the staircase down, then the buttons from the left.
    for (int i = 4; i > 0; --i)
        QWidget::setTabOrder(at(Btn1, i), at(Btn1, i - 1));
    QWidget::setTabOrder(at(Btn1, 0), cmdhelp);
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
    LogWrite(state_, CurrentTypeName(state_), LogLevel::Detail, 0);
    for (int i = 0; i < 5; ++i) {
        const int16_t item = PickItem(state_, i);
        at(state_.QuestionItems, i) = item;
        at(PlacedBar, i) = -1;
        at(AnswerBar, i) = int16_t(i);
        const std::string caption = QuestionText(state_, 2, item, 0);
        QPushButton* bar = at(Btn1, i);
        QString text = qs(caption);
        text.replace('&', "&&");
        bar->setText(text);
        bar->setAccessibleName(qs(caption));
        LogWrite(state_, caption, LogLevel::Detail, 0);
        QFont f = bar->font();
        f.setPointSizeF(captionFontSize(static_cast<int>(caption.size())));
        bar->setFont(f);
    }
    PlacedBar[5] = -1;
    AnswerBar[5] = 5;
    for (int i = 0; i < 5; ++i)
        at(Label2, i)->setText(
            qs(QuestionText(state_, 4, at(state_.QuestionItems, i), state_.CurrentQuestionType)));
    // Twenty passes over boxes 0..3 only: the bottom box keeps bar 4's description.
    for (int pass = 0; pass < 20; ++pass) {
        const int r = state_.rng.draw(4);
        if (r > 0) {
            QLabel* a = at(Label2, r);
            QLabel* b = at(Label2, r - 1);
            const QString t = a->text();
            a->setText(b->text());
            b->setText(t);
            std::swap(at(AnswerBar, r), at(AnswerBar, r - 1));
        }
    }
    loaded_ = true;
    relayout();
    at(Btn1, 4)->setFocus();
}

void QMatch::Btn1_MouseDown(int i, QPoint hotSpot)
{
    Label4->setText(QString::number(i) + " mousedown");
    SelectedBar = int16_t(i);
    drag_->begin(at(Btn1, i), true, hotSpot);
}

// A click, by the mouse or by Space on a focused bar: the drag goes on with the button up
// until the next click.
void QMatch::Btn1_Click(int i)
{
    QPushButton* bar = at(Btn1, i);
    Label4->setText(QString::number(i) + " click");
    SelectedBar = int16_t(i);
    drag_->begin(bar, false, bar->rect().center());
    PlaySound(state_, Sound::Pick);
}

void QMatch::Label2_DragDrop(int k)
{
    if (SelectedBar < 0 || SelectedBar > 4 || k < 0 || k > 4)
        return;
    drag_->cancel();
    QPushButton* bar = at(Btn1, SelectedBar);
    bar->move(bar->x(), at(Label2, k)->y());
    bar->raise();
    at(PlacedBar, k) = SelectedBar;
    PlaySound(state_, Sound::Drop);
}

void QMatch::Command1_Click()
{
    drag_->cancel();
    showResult(state_, this, ScoreMatching(state_, kDescriptionMatching, PlacedBar, AnswerBar));
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
