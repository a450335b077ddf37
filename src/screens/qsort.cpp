#include "qsort.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "data/checkedindex.h"
#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "engine/scoring.h"
#include "platform/makewidget.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/screenkeys.h"
#include "screens/showscor.h"

namespace bellarune {

namespace {
const QColor kCyan(128, 255, 255);
const QColor kButtonCyan(0, 255, 255);
const QColor kGrey(192, 192, 192);

// The task and the hint: plain text on the panel's colour, wrapped from the top left.
QLabel* makeLabel(QWidget* parent, const char* name, const QRect& twips)
{
    auto* l = makeWidget<QLabel>(parent, {.name = name, .twips = twips, .back = kCyan});
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

QSort::QSort(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("qsort");
    setWindowTitle(" Sort ");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(designFont("MS Sans Serif", 13.5));
    setBackground(this, kCyan);

    Frame1 =
        makeWidget<QFrame>(this, {.name = "Frame1", .twips = QRect(240, 120, 7095, 5535), .back = kCyan});
    Label1 = makeLabel(Frame1, "Label1", QRect(120, 240, 6735, 1095));
    List1 = makeWidget<QListWidget>(Frame1, {.name = "List1",
                                             .accessible = "Items to sort",
                                             .twips = QRect(120, 1560, 5175, 1860),
                                             .back = kGrey});
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    Label2 = makeLabel(Frame1, "Label2", QRect(120, 3960, 6735, 615));
    Command2 = makeWidget<QPushButton>(
        Frame1,
        {.name = "Command2", .caption = "Help", .twips = QRect(1200, 4680, 975, 615), .back = kButtonCyan});
    Command1 = makeWidget<QPushButton>(
        Frame1,
        {.name = "Command1", .caption = "Done", .twips = QRect(3000, 4680, 1215, 615), .back = kButtonCyan});
    resize(twipsToPx(5835), twipsToPx(5805));

    sortListKeys(List1);
    pressOnEnter({Command2, Command1});
    connect(List1, &QListWidget::itemSelectionChanged, this, &QSort::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &QSort::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QSort::Command2_Click);
    load();
}

void QSort::ask(GameState& state, QWidget* parent)
{
    QSort form(state, parent);
    form.exec();
}

void QSort::load()
{
    RememberWindow(state_, this, SlotSort, 1);
    CenterOnScreen(this);
    centrePanel();
    LogWrite(state_, "Items to sort by " + CurrentTypeName(state_), LogLevel::Detail, 0);
    Label1->setText(qs(QuestionText(state_, 1, 0, state_.CurrentQuestionType)));
    Label2->setText("Click to push an item up one slot");
    for (int slot = 0; slot < 5; ++slot) {
        const int16_t item = PickItem(state_, slot);
        at(state_.QuestionItems, slot) = item;
        LogWrite(state_, QuestionText(state_, 2, item, 0), LogLevel::Detail, 0);
    }
    LastSlot = 4;
    updatelist();
    loaded_ = true;
}

void QSort::updatelist()
{
    filling_ = true;
    List1->clear();
    for (int slot = 0; slot <= LastSlot; ++slot)
        List1->addItem(qs(QuestionText(state_, 2, at(state_.QuestionItems, slot), 0)));
    List1->clearSelection();
    List1->setCurrentRow(-1);
    filling_ = false;
}

void QSort::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (loaded_)
        layout();
}

void QSort::layout()
{
    RememberWindow(state_, this, SlotSort, 0);
    centrePanel();
}

void QSort::centrePanel()
{
    CenterControl(Frame1, this);
    // The panel is wider than the window's first size; centring alone would push the
    // start of every list line out of sight, so the panel never goes above or left of the window.
    if (Frame1->x() < 0 || Frame1->y() < 0)
        Frame1->move(std::max(0, Frame1->x()), std::max(0, Frame1->y()));
}

void QSort::List1_Click()
{
    if (filling_ || scored_)
        return;
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty())
        return;
    const int i = List1->row(selected.first());
    if (i <= 0 || i > LastSlot)
        return;
    std::swap(at(state_.QuestionItems, i), at(state_.QuestionItems, i - 1));
    updatelist();
}

void QSort::Command1_Click()
{
    if (scored_)
        return;
    scored_ = true;
    // From the first pair on, the list shows in 10 points.
    List1->setFont(designFont("MS Sans Serif", 10));
    showResult(state_, this, ScoreSorting(state_, LastSlot));
    done(QDialog::Accepted);
}

void QSort::Command2_Click()
{
    state_.message(
        "Sort the items listed.  Click on a line to move that item up one level.  When all are in "
        "position, click 'Done'");
}

}  // namespace bellarune
