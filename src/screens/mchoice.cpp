#include "mchoice.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

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

// ---- ChoiceOption ----

ChoiceOption::ChoiceOption(QWidget* parent) : QRadioButton(parent)
{}

void ChoiceOption::setCaption(const QString& caption)
{
    caption_ = caption;
    // Doubled so a '&' in a description is shown, not taken for a shortcut key.
    QString escaped = caption;
    escaped.replace('&', QStringLiteral("&&"));
    setText(escaped);
    setAccessibleName(caption);
    update();
}

void ChoiceOption::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    QStyleOptionButton indicator = opt;
    indicator.rect = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, this);
    p.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

    const int spacing = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &opt, this);
    QRect textRect = rect();
    textRect.setLeft(indicator.rect.right() + 1 + spacing);
    textRect.setRight(rect().right() - 2);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(textRect, flags, caption_);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = p.boundingRect(textRect, flags, caption_).adjusted(-1, 0, 1, 0) & rect();
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void ChoiceOption::keyPressEvent(QKeyEvent* event)
{
    // Enter answers with the focused option; the arrow keys, Tab and Space only move or
    // mark the selection, as they always did.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (!event->isAutoRepeat())
            emit mouseDown(Qt::NoButton);
        return;
    }
    QRadioButton::keyPressEvent(event);
}

void ChoiceOption::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseDown(event->button());
}

void ChoiceOption::mouseReleaseEvent(QMouseEvent* event)
{
    // The press has answered already; a release must not toggle the option as a click.
    event->accept();
}

// ---- ChoiceScreen ----

namespace {
const QColor kScreenGreen(192, 255, 192);
const QColor kControlGreen(128, 255, 128);
const QColor kYellow(255, 255, 0);

}  // namespace

ChoiceScreen::ChoiceScreen(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setWindowTitle("Multiple Choice");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(designFont("Times New Roman", 15.75, true));
    setBackground(this, kScreenGreen);

    Frame1 = makeWidget<QFrame>(
        this, {.name = "Frame1", .font = designFont("MS Serif", 13.5, true), .back = kScreenGreen});
    Frame1->setFrameShape(QFrame::StyledPanel);

    Label1 = makeWidget<QLabel>(
        Frame1, {.name = "Label1", .font = designFont("Arial", 15.75, true), .back = kControlGreen});
    Label1->setTextFormat(Qt::PlainText);

    for (int i = 0; i < 5; ++i) {
        const QByteArray name = QStringLiteral("choice%1").arg(i).toLatin1();
        auto* c = makeWidget<ChoiceOption>(Frame1, {.name = name.constData(),
                                                    .font = designFont("MS Serif", 12, true),
                                                    .back = kControlGreen,
                                                    .fore = Qt::black});
        connect(c, &ChoiceOption::mouseDown, this, [this, i] { choice_MouseDown(i); });
        at(choice, i) = c;
    }

    const QFont buttonFont = designFont("MS Sans Serif", 12, true);
    cmdhelp = makeWidget<QPushButton>(
        Frame1, {.name = "cmdhelp", .caption = "help", .font = buttonFont, .back = kYellow});
    Command1 = makeWidget<QPushButton>(
        Frame1, {.name = "Command1", .caption = "skip", .font = buttonFont, .back = kYellow});
    pressOnEnter({cmdhelp, Command1});
    connect(cmdhelp, &QPushButton::clicked, this, &ChoiceScreen::cmdhelp_Click);
    connect(Command1, &QPushButton::clicked, this, &ChoiceScreen::Command1_Click);
}

std::string ChoiceScreen::choiceCaption(int index) const
{
    return ss(at(choice, index)->caption());
}

std::string ChoiceScreen::prompt() const
{
    return ss(Label1->text());
}

void ChoiceScreen::load()
{
    loaded_ = true;
    RememberWindow(state_, this, SlotChoice, 1);
    CenterOnScreen(this);
    layout();
    LogWrite(state_, "Multiple Choice", LogLevel::Detail, 0);
    CorrectSlot = static_cast<int16_t>(state_.rng.draw(4));
    for (int slot = 0; slot < 5; ++slot) {
        ChoiceOption* c = at(choice, slot);
        // An exclusive option refuses to be unchecked while it is the checked one.
        c->setAutoExclusive(false);
        c->setChecked(false);
        c->setAutoExclusive(true);
        const int16_t item = PickItem(state_, slot);
        // A slot the picker gave up on stands for the empty item 0, in the caption and in the scoring alike.
        if (item == 0)
            at(state_.QuestionItems, slot) = 0;
        c->setCaption(qs(optionText(item)));
    }
    MainItem = at(state_.QuestionItems, CorrectSlot);
    showQuestion();
    choice[0]->setFocus();
}

void ChoiceScreen::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (loaded_)
        layout();
}

void ChoiceScreen::choice_MouseDown(int index)
{
    // One answer per question: the screen is closing once the first press is scored.
    if (answered_ || index < 0 || index > 4)
        return;
    answered_ = true;
    at(choice, index)->setChecked(true);

    const AnswerResult result = ScoreChoice(state_, index, CorrectSlot, prompt(), choiceCaption(CorrectSlot));
    showResult(state_, this, result);
    done(QDialog::Accepted);
}

void ChoiceScreen::cmdhelp_Click()
{
    state_.message("Click on the best description." + state_.NL +
                   "Click on skip to move to the next question");
}

void ChoiceScreen::Command1_Click()
{
    done(QDialog::Rejected);
}

// ---- MChoice ----

MChoice::MChoice(GameState& state, QWidget* parent) : ChoiceScreen(state, parent)
{
    setObjectName("mchoice");
    resize(twipsToPx(8625), twipsToPx(6975));
    setGeometryTwips(Frame1, 120, 120, 8295, 6975);
    setGeometryTwips(Label1, 240, 120, 1065, 345);
    const int tops[5] = {720, 1800, 2880, 3960, 5160};
    for (int i = 0; i < 5; ++i)
        setGeometryTwips(at(choice, i), 240, tops[i], 7935, 975);
    setGeometryTwips(cmdhelp, 2880, 6240, 1095, 375);
    setGeometryTwips(Command1, 4800, 6240, 975, 375);
    load();
}

void MChoice::ask(GameState& state, QWidget* parent)
{
    MChoice form(state, parent);
    form.exec();
}

void MChoice::layout()
{
    const int width = outerWidthTwips(this), height = outerHeightTwips(this);
    const int panelLeft = pxToTwips(Frame1->x());
    const int panelWidth = width - 80;
    Frame1->setGeometry(Frame1->x(), twipsToPx(pxToTwips(frameGeometry().top()) + 100), twipsToPx(panelWidth),
                        twipsToPx(height - 50));
    if (panelWidth < 3000)
        return;
    for (ChoiceOption* c : choice)
        c->setGeometry(twipsToPx(panelLeft + 100), c->y(), twipsToPx(panelWidth - 400), c->height());
    // The prompt sizes itself to its text: never narrower than the text it shows.
    Label1->setGeometry(twipsToPx(panelLeft + 100), Label1->y(),
                        std::max(twipsToPx(panelWidth - 400), Label1->sizeHint().width()), Label1->height());
    RememberWindow(state_, this, SlotChoice, 0);
    CenterControl(Frame1, this);
}

std::string MChoice::optionText(int item)
{
    return QuestionText(state_, 4, item, state_.CurrentQuestionType);
}

void MChoice::showQuestion()
{
    Label1->setText(qs(QuestionText(state_, 5, MainItem, state_.CurrentQuestionType)));
    Label1->resize(std::max(Label1->width(), Label1->sizeHint().width()), Label1->sizeHint().height());
}

}  // namespace bellarune
