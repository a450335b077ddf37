#include "imatch.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
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
const QColor kBarColours[4] = {QColor(255, 128, 0), QColor(255, 0, 255), QColor(0, 255, 255),
                               QColor(0, 255, 0)};
const int kBarLefts[4] = {6240, 4320, 2280, 120};
const int kImageLefts[4] = {720, 5040, 720, 5040};
const int kImageTops[4] = {240, 240, 3000, 3000};

int tw(int px)
{
    return pxToTwips(px);
}
}  // namespace

double IMatch::captionFontSize(int length)
{
    double size = 18;
    if (length > 11)
        size = 14;
    if (length > 14)
        size = 12;
    if (length > 17)
        size = 10;
    if (length > 21)
        size = 8;
    return size;
}

IMatch::IMatch(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("imatch");
    setWindowTitle("Match 'em");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setBackground(this, kLightBlue);
    resize(twipsToPx(8880), twipsToPx(6735));

    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    setBackground(Frame1, kLightBlue);
    setGeometryTwips(Frame1, 0, 0, 8775, 6735);

    for (int k = 0; k < 4; ++k) {
        auto* box = new QLabel(Frame1);
        box->setObjectName(QString("Image1%1").arg(k));
        box->setScaledContents(true);
        box->setAlignment(Qt::AlignCenter);
        box->setWordWrap(true);
        box->setFrameShape(QFrame::Box);
        box->setAccessibleName(QString("Picture %1").arg(k + 1));
        setGeometryTwips(box, kImageLefts[k], kImageTops[k], 3615, 2415);
        Image1[static_cast<std::size_t>(k)] = box;
    }
    for (int i = 0; i < 4; ++i) {
        auto* bar = new QPushButton(Frame1);
        bar->setObjectName(QString("Btn1%1").arg(i));
        bar->setAutoDefault(false);
        bar->setFont(designFont("MS Sans Serif", 13.5, true));
        bar->setToolTip("Click and drag this item to its description, below");
        bar->setStyleSheet(
            QString("QPushButton { background-color: %1; color: black; border: 1px solid #404040; }")
                .arg(kBarColours[i].name()));
        setGeometryTwips(bar, kBarLefts[i], 5520, 2500, 450);
        Btn1[static_cast<std::size_t>(i)] = bar;
    }
    cmdhelp = makeScreenButton(Frame1, "cmdhelp", "Help", kLightYellow, designFont("MS Sans Serif", 12));
    setGeometryTwips(cmdhelp, 2520, 6120, 1095, 375);
    Command1 = makeScreenButton(Frame1, "Command1", "Done", kLightYellow, designFont("MS Sans Serif", 12));
    Command1->setToolTip("Click here when you are ready to proceed");
    setGeometryTwips(Command1, 4080, 6120, 1500, 375);
    Command2 = makeScreenButton(Frame1, "Command2", "Skip", kLightYellow, designFont("MS Sans Serif", 12));
    Command2->setToolTip("Click here when you are ready to proceed");
    setGeometryTwips(Command2, 6120, 6120, 1455, 375);

    drag_ = new ControlDrag(this);
    drag_->setColumns(2);
    for (int k = 0; k < 4; ++k)
        drag_->addTarget(Image1[static_cast<std::size_t>(k)],
                         [this, k](QWidget*, QWidget*) { image1_DragDrop(k); });
    // Btn1_MouseDown, any mouse button; a bar's Click (Space among them) does nothing.
    for (int i = 0; i < 4; ++i) {
        QPushButton* bar = Btn1[static_cast<std::size_t>(i)];
        drag_->addSource(bar, [this, i, bar](QPoint hotSpot) {
            SelectedBar = int16_t(i);
            drag_->begin(bar, true, hotSpot);
            PlaySound(state_, 0);
        });
    }

    pressOnEnter({cmdhelp, Command1, Command2});
    connect(cmdhelp, &QPushButton::clicked, this, &IMatch::cmdhelp_Click);
    connect(Command1, &QPushButton::clicked, this, &IMatch::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
}

IMatch::~IMatch() = default;

QString IMatch::pictureFile(int k) const
{
    return Image1[static_cast<std::size_t>(k)]->property("file").toString();
}

void IMatch::showPicture(int box, int item)
{
    QLabel* label = Image1[static_cast<std::size_t>(box)];
    const QString file = qs(ItemPicture(state_, item));
    label->setProperty("file", file);
    QPixmap pix;
    // A missing or unreadable picture leaves the box empty but for its file name.
    if (!file.isEmpty() && pix.load(file)) {
        label->setText(QString());
        label->setPixmap(pix);
    } else {
        label->setPixmap(QPixmap());
        label->setText(file);
    }
}

void IMatch::load()
{
    RememberWindow(state_, this, SlotImageMatch, 1);
    CenterOnScreen(this);
    LogWrite(state_, "Match " + CurrentTypeName(state_), 1, 0);
    for (int i = 0; i < 4; ++i) {
        QPushButton* bar = Btn1[static_cast<std::size_t>(i)];
        HomeTop[static_cast<std::size_t>(i)] = tw(bar->y());
        HomeLeft[static_cast<std::size_t>(i)] = tw(bar->x());
        const int16_t item = PickItem(state_, i);
        state_.QuestionItems[static_cast<std::size_t>(i)] = item;
        PlacedBar[static_cast<std::size_t>(i)] = -1;
        AnswerBar[static_cast<std::size_t>(i)] = int16_t(i);
        const std::string caption = QuestionText(state_, 2, item, 0);
        QString text = qs(caption);
        text.replace('&', "&&");
        bar->setText(text);
        bar->setAccessibleName(qs(caption));
        LogWrite(state_, caption, 1, 0);
        QFont f = bar->font();
        f.setPointSizeF(captionFontSize(static_cast<int>(caption.size())));
        bar->setFont(f);
        showPicture(i, item);
        QLabel* box = Image1[static_cast<std::size_t>(i)];
        box->resize(box->height(), box->height());
    }
    for (int k = 4; k < 6; ++k) {
        PlacedBar[static_cast<std::size_t>(k)] = -1;
        AnswerBar[static_cast<std::size_t>(k)] = int16_t(k);
    }
    // Twenty passes over boxes 0..2: the lower right picture stays bar 3's.
    for (int pass = 0; pass < 20; ++pass) {
        const int r = state_.rng.draw(3);
        if (r > 0) {
            std::swap(AnswerBar[static_cast<std::size_t>(r)], AnswerBar[static_cast<std::size_t>(r - 1)]);
            showPicture(
                r, state_.QuestionItems[static_cast<std::size_t>(AnswerBar[static_cast<std::size_t>(r)])]);
            showPicture(
                r - 1,
                state_.QuestionItems[static_cast<std::size_t>(AnswerBar[static_cast<std::size_t>(r - 1)])]);
        }
    }
    loaded_ = true;
    relayout();
    Btn1[0]->setFocus();
}

void IMatch::image1_DragDrop(int k)
{
    if (SelectedBar < 0 || SelectedBar > 3 || k < 0 || k > 3)
        return;
    drag_->cancel();
    for (int i = 0; i < 4; ++i)
        if (PlacedBar[static_cast<std::size_t>(i)] == SelectedBar)
            PlacedBar[static_cast<std::size_t>(i)] = -1;
    QPushButton* bar = Btn1[static_cast<std::size_t>(SelectedBar)];
    const QLabel* box = Image1[static_cast<std::size_t>(k)];
    bar->move(twipsToPx(tw(box->x()) + tw(box->width()) / 2 - tw(bar->width()) / 2),
              twipsToPx(tw(box->y()) + tw(box->height()) - tw(bar->height()) - 10));
    bar->raise();
    const int before = PlacedBar[static_cast<std::size_t>(k)];
    if (before != -1) {
        QPushButton* old = Btn1[static_cast<std::size_t>(before)];
        old->move(twipsToPx(HomeLeft[static_cast<std::size_t>(before)]),
                  twipsToPx(HomeTop[static_cast<std::size_t>(before)]));
    }
    PlacedBar[static_cast<std::size_t>(k)] = SelectedBar;
    PlaySound(state_, 1);
}

void IMatch::Command1_Click()
{
    drag_->cancel();
    std::string text;
    int count = 0;
    for (int k = 0; k < 4; ++k) {
        const int placed = PlacedBar[static_cast<std::size_t>(k)];
        const int answer = AnswerBar[static_cast<std::size_t>(k)];
        if (placed == answer) {
            AdjustUsage(state_, state_.QuestionItems[static_cast<std::size_t>(answer)], 4);
            ++count;
        } else if (placed >= 0) {
            const int item = state_.QuestionItems[static_cast<std::size_t>(placed)];
            AdjustUsage(state_, item, -1);
            const std::string line =
                QuestionText(state_, 2, item, 0) + " placed on image of " +
                QuestionText(state_, 2, state_.QuestionItems[static_cast<std::size_t>(answer)], 0);
            text += state_.NL + line;
            LogWrite(state_, line, 2, 0);
        }
    }
    AddScore(state_, count * 5, 20, 0);
    text += state_.NL + state_.NL + "*** Scored " + std::to_string(count) + " of 4";
    if (count == 4) {
        text = "*** All correct!";
        LogWrite(state_, " *** All correct!", 2, 0);
        PlaySound(state_, 5);
    } else {
        PlaySound(state_, 8);
    }
    ShowScor score(state_, this);
    score.setResultText(text);
    score.Label1->setText("Results for " + qs(CurrentTypeName(state_)));
    score.scoreCaption();
    score.exec();
    done(QDialog::Accepted);
}

void IMatch::cmdhelp_Click()
{
    const std::string& nl = state_.NL;
    state_.message("Click on one of the colored bars" + nl + "Then drag it to its picture" + nl + nl +
                   "When all items are matched, click on 'done'" + nl + nl +
                   "Resize window to change image size");
}

void IMatch::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (loaded_)
        relayout();
}

void IMatch::relayout()
{
    const int W = outerWidthTwips(this), H = outerHeightTwips(this);
    if (H < 4000)
        return;
    const int fw = W - 100, fh = H - 100;
    const int frameLeft = tw(Frame1->x());
    Frame1->resize(twipsToPx(fw), twipsToPx(fh));
    const int side = (fh - 2100) / 2;
    const int spread = fw - tw(Btn1[0]->width()) / 2;
    const int buttonsTop = fh - 850;
    cmdhelp->move(twipsToPx(500), twipsToPx(buttonsTop));
    Command1->move(twipsToPx(spread / 3 + 500), twipsToPx(buttonsTop));
    Command2->move(twipsToPx(2 * spread / 3 + 500), twipsToPx(buttonsTop));
    for (int i = 0; i < 4; ++i) {
        QPushButton* bar = Btn1[static_cast<std::size_t>(i)];
        const int top = fh - 1400, left = frameLeft + 300 + i * spread / 4;
        bar->move(twipsToPx(left), twipsToPx(top));
        HomeTop[static_cast<std::size_t>(i)] = top;
        HomeLeft[static_cast<std::size_t>(i)] = left;
        QLabel* box = Image1[static_cast<std::size_t>(i)];
        box->hide();
        box->resize(twipsToPx(side), twipsToPx(side));
    }
    const int lowerTop = tw(Image1[0]->y()) + tw(Image1[0]->height()) + 200;
    Image1[2]->move(Image1[2]->x(), twipsToPx(lowerTop));
    Image1[3]->move(twipsToPx(fw / 2), twipsToPx(lowerTop));
    Image1[1]->move(twipsToPx(fw / 2), Image1[1]->y());
    for (QLabel* box : Image1)
        box->show();
    for (QPushButton* bar : Btn1)
        bar->raise();
    CenterControl(Frame1, this);
    RememberWindow(state_, this, SlotImageMatch, 0);
}

void IMatch::ask(GameState& state, QWidget* parent)
{
    IMatch form(state, parent);
    form.load();
    form.exec();
}

}  // namespace bellarune
