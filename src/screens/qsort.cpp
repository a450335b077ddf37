#include "qsort.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/screenkeys.h"
#include "screens/showscor.h"

namespace bellarune {

namespace {
const QColor kCyan(128, 255, 255);
const QColor kButtonCyan(0, 255, 255);
const QColor kGrey(192, 192, 192);

QLabel* makeLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackground(l, kCyan);
    return l;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    setBackground(b, kButtonCyan);
    return b;
}

}  // namespace

QSort::QSort(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("qsort");
    setWindowTitle(" Sort ");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(designFont("MS Sans Serif", 13.5));
    setBackground(this, kCyan);

    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    setBackground(Frame1, kCyan);
    Label1 = makeLabel(Frame1, "Label1");
    List1 = new QListWidget(Frame1);
    List1->setObjectName("List1");
    List1->setAccessibleName("Items to sort");
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    setBackground(List1, kGrey);
    Label2 = makeLabel(Frame1, "Label2");
    Command2 = makeButton(Frame1, "Command2", "Help");
    Command1 = makeButton(Frame1, "Command1", "Done");

    resize(twipsToPx(5835), twipsToPx(5805));
    setGeometryTwips(Frame1, 240, 120, 7095, 5535);
    setGeometryTwips(Label1, 120, 240, 6735, 1095);
    setGeometryTwips(List1, 120, 1560, 5175, 1860);
    setGeometryTwips(Label2, 120, 3960, 6735, 615);
    setGeometryTwips(Command2, 1200, 4680, 975, 615);
    setGeometryTwips(Command1, 3000, 4680, 1215, 615);

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
    LogWrite(state_, "Items to sort by " + CurrentTypeName(state_), 1, 0);
    Label1->setText(qs(QuestionText(state_, 1, 0, state_.CurrentQuestionType)));
    Label2->setText("Click to push an item up one slot");
    for (int slot = 0; slot < 5; ++slot) {
        const int16_t item = PickItem(state_, slot);
        state_.QuestionItems[static_cast<std::size_t>(slot)] = item;
        LogWrite(state_, QuestionText(state_, 2, item, 0), 1, 0);
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
        List1->addItem(qs(QuestionText(state_, 2, state_.QuestionItems[static_cast<std::size_t>(slot)], 0)));
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
    std::swap(state_.QuestionItems[static_cast<std::size_t>(i)],
              state_.QuestionItems[static_cast<std::size_t>(i - 1)]);
    updatelist();
}

void QSort::Command1_Click()
{
    if (scored_)
        return;
    scored_ = true;
    std::string result = " ";
    int right = 0, pairs = 0;
    const int type = state_.CurrentQuestionType;
    auto& items = state_.QuestionItems;
    for (int i = 0; i < LastSlot; ++i) {
        for (int j = i + 1; j <= LastSlot; ++j) {
            const int16_t upper = items[static_cast<std::size_t>(i)],
                          lower = items[static_cast<std::size_t>(j)];
            const int32_t ki = SortValue(state_, upper, type), kj = SortValue(state_, lower, type);
            List1->setFont(designFont("MS Sans Serif", 10));
            if (ki > kj) {
                const std::string line = QuestionText(state_, 3, upper, lower);
                LogWrite(state_, line, 1, 0);
                result += state_.NL + line;
                AdjustUsage(state_, upper, -1);
                AdjustUsage(state_, lower, -1);
            } else {
                ++right;
                AdjustUsage(state_, upper, 4);
            }
            ++pairs;
        }
    }
    if (right == pairs) {
        LogWrite(state_, " *** All Correct!", 1, 0);
        result = "*** All correct!";
    }
    AddScore(state_, 2 * right, 2 * pairs, 0);
    result += state_.NL + "*** " + std::to_string(right) + " of " + std::to_string(pairs) +
              " correct, scored " + std::to_string(2 * right);

    ShowScor score(state_, this);
    score.setResultText(result);
    score.Label1->setText("Results for Sorting " + qs(CurrentTypeName(state_)));
    score.scoreCaption();
    score.exec();
    done(QDialog::Accepted);
}

void QSort::Command2_Click()
{
    state_.message(
        "Sort the items listed.  Click on a line to move that item up one level.  When all are in "
        "position, click 'Done'");
}

}  // namespace bellarune
