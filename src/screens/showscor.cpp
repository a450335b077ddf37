#include "showscor.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "engine/gamestate.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"

namespace bellarune {

ShowScor::ShowScor(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("showscor");
    setWindowTitle("Score");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);
    Label1 = new QLabel(Frame1);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setFont(designFont("MS Sans Serif", 13.5, true));
    Text1 = new QPlainTextEdit(Frame1);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setAccessibleName("Result");
    Text1->setFont(designFont("MS Sans Serif", 9.75, true));
    Command1 = new QPushButton("ok", Frame1);
    Command1->setObjectName("Command1");
    Command1->setToolTip("Click here when  ready to proceed");
    Command1->setDefault(true);
    Label2 = new QLabel(Frame1);
    Label2->setObjectName("Label2");
    Label2->setFont(designFont("MS Sans Serif", 9.75, true));
    Label2->setWordWrap(true);

    setGeometryTwips(Frame1, 120, 120, 7215, 4935);
    setGeometryTwips(Label1, 120, 240, 6975, 855);
    setGeometryTwips(Text1, 120, 1080, 6855, 2655);
    setGeometryTwips(Command1, 120, 3960, 1215, 615);
    setGeometryTwips(Label2, 1680, 3960, 5295, 615);
    resize(twipsToPx(7455), twipsToPx(5175));
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    // Load: always centred, never remembered.
    CenterOnScreen(this);
    scoreCaption();
}

void ShowScor::scoreCaption()
{
    const PlayerRecord& p = state_.Players[static_cast<std::size_t>(state_.CurrentPlayer)];
    Label2->setText(QString("Current score: %1 of %2  (%3%)").arg(p.Score).arg(p.Possible).arg(p.Percent));
}

void ShowScor::setResultText(const std::string& text)
{
    Text1->setPlainText(displayText(text));
}

std::string ShowScor::resultText() const
{
    QString t = Text1->toPlainText();
    t.replace('\n', QStringLiteral("\r\n"));
    return ss(t);
}

void ShowScor::showEvent(QShowEvent* event)
{
    // A screen reader reads the title, the result and the score as the window opens.
    setAccessibleDescription(Label1->text() + "\n" + Text1->toPlainText() + "\n" + Label2->text());
    QDialog::showEvent(event);
}

void ShowScor::keyPressEvent(QKeyEvent* event)
{
    // An Enter held down on the answer repeats into this window: only a fresh press closes it.
    if (event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        return;
    QDialog::keyPressEvent(event);
}

void ShowScor::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int w = outerWidthTwips(this), h = outerHeightTwips(this);
    Frame1->resize(twipsToPx(w - 100), twipsToPx(h - 100));
    if (w >= 3000) {
        Text1->move(twipsToPx(pxToTwips(Frame1->x()) + 100), Text1->y());
        Text1->resize(twipsToPx(pxToTwips(Frame1->width()) - 400), Text1->height());
    }
}

}  // namespace bellarune
