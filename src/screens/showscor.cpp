#include "showscor.h"

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleHints>

#include "engine/gamestate.h"
#include "engine/scoring.h"
#include "platform/makewidget.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"

namespace bellarune {

ShowScor::ShowScor(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("showscor");
    setWindowTitle("Score");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QFont text = designFont("MS Sans Serif", 9.75, true);
    Frame1 = makeWidget<QFrame>(this, {.name = "Frame1", .twips = QRect(120, 120, 7215, 4935)});
    Frame1->setFrameShape(QFrame::StyledPanel);
    Label1 = makeWidget<QLabel>(Frame1, {.name = "Label1",
                                         .twips = QRect(120, 240, 6975, 855),
                                         .font = designFont("MS Sans Serif", 13.5, true)});
    Label1->setWordWrap(true);
    Text1 = makeWidget<QPlainTextEdit>(
        Frame1,
        {.name = "Text1", .accessible = "Result", .twips = QRect(120, 1080, 6855, 2655), .font = text});
    Text1->setReadOnly(true);
    Command1 = makeWidget<QPushButton>(Frame1, {.name = "Command1",
                                                .caption = "ok",
                                                .tip = "Click here when  ready to proceed",
                                                .twips = QRect(120, 3960, 1215, 615)});
    Command1->setDefault(true);
    Label2 =
        makeWidget<QLabel>(Frame1, {.name = "Label2", .twips = QRect(1680, 3960, 5295, 615), .font = text});
    Label2->setWordWrap(true);

    resize(twipsToPx(7455), twipsToPx(5175));
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    // Load: always centred, never remembered.
    CenterOnScreen(this);
    scoreCaption();

    // Opened by a press or click on an answer (or Done): the second press of a double-click there
    // comes here, on whatever lies under the pointer (often the ok button), and must not close the
    // result unseen.
    pressAt_ = QCursor::pos();
    opened_.start();
    qApp->installEventFilter(this);
}

bool ShowScor::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return false;
    if (opened_.elapsed() > QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
        qApp->removeEventFilter(this);
        return false;
    }
    // The presses of one double-click lie within the double-click distance of each other.
    const QPoint moved = static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - pressAt_;
    const int near = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == this && std::abs(moved.x()) <= near && std::abs(moved.y()) <= near;
}

void ShowScor::scoreCaption()
{
    const PlayerRecord& p = state_.player();
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

void showResult(GameState& state, QWidget* parent, const AnswerResult& result)
{
    if (result.sound)
        PlaySound(state, *result.sound);
    if (!result.showScore)
        return;
    ShowScor score(state, parent);
    score.setResultText(result.text);
    score.Label1->setText(qs(result.title));
    score.scoreCaption();
    score.exec();
}

}  // namespace bellarune
