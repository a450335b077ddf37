#include "quote.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data/checkedindex.h"
#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "platform/makewidget.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"

namespace bellarune {

Quote::Quote(GameState& state, QWidget* parent) : ChoiceScreen(state, parent)
{
    setObjectName("quote");
    QFont italic = designFont("Times New Roman", 15.75, true);
    italic.setItalic(true);
    Text1 =
        makeWidget<QPlainTextEdit>(Frame1, {.name = "Text1", .accessible = "Description", .font = italic});
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A text box's own white: the panel's green is not passed on to it.
    QPalette white = Text1->palette();
    white.setColor(QPalette::Base, Qt::white);
    Text1->setPalette(white);
    Label1->setWordWrap(true);

    resize(twipsToPx(8625), twipsToPx(6345));
    setGeometryTwips(Frame1, 0, -120, 8295, 6975);
    setGeometryTwips(Text1, 120, 360, 8055, 2055);
    setGeometryTwips(Label1, 240, 2760, 3345, 2040);
    const int tops[5] = {2640, 3360, 4080, 4800, 5520};
    for (int i = 0; i < 5; ++i)
        setGeometryTwips(at(choice, i), 4560, tops[i], 3495, 615);
    setGeometryTwips(cmdhelp, 360, 5760, 1095, 375);
    setGeometryTwips(Command1, 1800, 5760, 975, 375);
    // The description on top comes first, then the options, then help and skip.
    QWidget::setTabOrder(Text1, choice[0]);
    for (int i = 0; i < 4; ++i)
        QWidget::setTabOrder(at(choice, i), at(choice, i + 1));
    QWidget::setTabOrder(choice[4], cmdhelp);
    QWidget::setTabOrder(cmdhelp, Command1);
    load();
}

void Quote::ask(GameState& state, QWidget* parent)
{
    Quote form(state, parent);
    form.exec();
}

void Quote::layout()
{
    const int width = outerWidthTwips(this), height = outerHeightTwips(this);
    if (width < 3000)
        return;
    const int panelWidth = width - 80;
    const int panelLeft = pxToTwips(Frame1->x());
    Frame1->resize(twipsToPx(panelWidth), twipsToPx(height - 50));
    Text1->setGeometry(twipsToPx(panelLeft + 200), Text1->y(), twipsToPx(panelWidth - 400), Text1->height());
    for (ChoiceOption* c : choice)
        c->setGeometry(twipsToPx(panelWidth / 2 + panelLeft + 300), c->y(), twipsToPx(panelWidth / 2 - 600),
                       c->height());
    Label1->setGeometry(twipsToPx(panelLeft + 100), Label1->y(), twipsToPx(panelWidth / 2 - 800),
                        Label1->height());
    fitPrompt();
    CenterControl(Frame1, this);
    RememberWindow(state_, this, SlotChoice, 0);
}

std::string Quote::optionText(int item)
{
    return AnswerText(state_, item, state_.CurrentQuestionType);
}

void Quote::showQuestion()
{
    Text1->setPlainText(displayText(QuestionText(state_, 4, MainItem, state_.CurrentQuestionType)));
    Label1->setText(qs(QuestionText(state_, 5, MainItem, state_.CurrentQuestionType)));
    fitPrompt();
}

void Quote::fitPrompt()
{
    // The prompt wraps its words and grows or shrinks in height to its text.
    if (Label1->width() > 0)
        Label1->resize(Label1->width(), std::max(1, Label1->heightForWidth(Label1->width())));
}

}  // namespace bellarune
