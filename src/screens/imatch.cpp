#include "imatch.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
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

    Frame1 =
        makeWidget<QFrame>(this, {.name = "Frame1", .twips = QRect(0, 0, 8775, 6735), .back = kLightBlue});

    for (int k = 0; k < 4; ++k) {
        const QByteArray name = QString("Image1%1").arg(k).toLatin1();
        auto* box = makeWidget<QLabel>(Frame1, {.name = name.constData(),
                                                .accessible = QString("Picture %1").arg(k + 1),
                                                .twips = QRect(kImageLefts[k], kImageTops[k], 3615, 2415)});
        box->setScaledContents(true);
        box->setAlignment(Qt::AlignCenter);
        box->setWordWrap(true);
        box->setFrameShape(QFrame::Box);
        at(Image1, k) = box;
    }
    for (int i = 0; i < 4; ++i)
        at(Btn1, i) = makeColourBar(Frame1, i, QRect(kBarLefts[i], 5520, 2500, 450),
                                    "Click and drag this item to its description, below", kBarColours[i]);
    const QFont buttonFont = designFont("MS Sans Serif", 12);
    cmdhelp = makeWidget<QPushButton>(Frame1, {.name = "cmdhelp",
                                               .caption = "Help",
                                               .twips = QRect(2520, 6120, 1095, 375),
                                               .font = buttonFont,
                                               .back = kLightYellow});
    Command1 = makeWidget<QPushButton>(Frame1, {.name = "Command1",
                                                .caption = "Done",
                                                .tip = "Click here when you are ready to proceed",
                                                .twips = QRect(4080, 6120, 1500, 375),
                                                .font = buttonFont,
                                                .back = kLightYellow});
    Command2 = makeWidget<QPushButton>(Frame1, {.name = "Command2",
                                                .caption = "Skip",
                                                .tip = "Click here when you are ready to proceed",
                                                .twips = QRect(6120, 6120, 1455, 375),
                                                .font = buttonFont,
                                                .back = kLightYellow});

    drag_ = new ControlDrag(this);
    drag_->setColumns(2);
    for (int k = 0; k < 4; ++k)
        drag_->addTarget(at(Image1, k), [this, k](QWidget*, QWidget*) { image1_DragDrop(k); });
    // Btn1_MouseDown, any mouse button; a bar's Click (Space among them) does nothing.
    for (int i = 0; i < 4; ++i) {
        QPushButton* bar = at(Btn1, i);
        drag_->addSource(bar, [this, i, bar](QPoint hotSpot) {
            SelectedBar = int16_t(i);
            drag_->begin(bar, true, hotSpot);
            PlaySound(state_, Sound::Click);
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
    return at(Image1, k)->property("file").toString();
}

void IMatch::showPicture(int box, int item)
{
    QLabel* label = at(Image1, box);
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
    LogWrite(state_, "Match " + CurrentTypeName(state_), LogLevel::Detail, 0);
    for (int i = 0; i < 4; ++i) {
        QPushButton* bar = at(Btn1, i);
        at(HomeTop, i) = tw(bar->y());
        at(HomeLeft, i) = tw(bar->x());
        const int16_t item = PickItem(state_, i);
        at(state_.QuestionItems, i) = item;
        at(PlacedBar, i) = -1;
        at(AnswerBar, i) = int16_t(i);
        const std::string caption = QuestionText(state_, 2, item, 0);
        QString text = qs(caption);
        text.replace('&', "&&");
        bar->setText(text);
        bar->setAccessibleName(qs(caption));
        LogWrite(state_, caption, LogLevel::Detail, 0);
        QFont f = bar->font();
        f.setPointSizeF(captionFontSize(static_cast<int>(caption.size())));
        bar->setFont(f);
        showPicture(i, item);
        QLabel* box = at(Image1, i);
        box->resize(box->height(), box->height());
    }
    for (int k = 4; k < 6; ++k) {
        at(PlacedBar, k) = -1;
        at(AnswerBar, k) = int16_t(k);
    }
    // Twenty passes over boxes 0..2: the lower right picture stays bar 3's.
    for (int pass = 0; pass < 20; ++pass) {
        const int r = state_.rng.draw(3);
        if (r > 0) {
            std::swap(at(AnswerBar, r), at(AnswerBar, r - 1));
            showPicture(r, at(state_.QuestionItems, at(AnswerBar, r)));
            showPicture(r - 1, at(state_.QuestionItems, at(AnswerBar, r - 1)));
        }
    }
    loaded_ = true;
    relayout();
    at(Btn1, 0)->setFocus();
}

void IMatch::image1_DragDrop(int k)
{
    if (SelectedBar < 0 || SelectedBar > 3 || k < 0 || k > 3)
        return;
    drag_->cancel();
    for (int i = 0; i < 4; ++i)
        if (at(PlacedBar, i) == SelectedBar)
            at(PlacedBar, i) = -1;
    QPushButton* bar = at(Btn1, SelectedBar);
    const QLabel* box = at(Image1, k);
    bar->move(twipsToPx(tw(box->x()) + tw(box->width()) / 2 - tw(bar->width()) / 2),
              twipsToPx(tw(box->y()) + tw(box->height()) - tw(bar->height()) - 10));
    bar->raise();
    const int before = at(PlacedBar, k);
    if (before != -1) {
        QPushButton* old = at(Btn1, before);
        old->move(twipsToPx(at(HomeLeft, before)), twipsToPx(at(HomeTop, before)));
    }
    at(PlacedBar, k) = SelectedBar;
    PlaySound(state_, Sound::Pick);
}

void IMatch::Command1_Click()
{
    drag_->cancel();
    showResult(state_, this, ScoreMatching(state_, kImageMatching, PlacedBar, AnswerBar));
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
        QPushButton* bar = at(Btn1, i);
        const int top = fh - 1400, left = frameLeft + 300 + i * spread / 4;
        bar->move(twipsToPx(left), twipsToPx(top));
        at(HomeTop, i) = top;
        at(HomeLeft, i) = left;
        QLabel* box = at(Image1, i);
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
