#pragma once
#include <QDialog>
#include <QElapsedTimer>
#include <QPoint>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace bellarune {

struct GameState;
struct AnswerResult;

// The score window shown after every question: the question type, the result text
// and the running score.
class ShowScor : public QDialog {
    Q_OBJECT
public:
    ShowScor(GameState& state, QWidget* parent = nullptr);

    // Sets Label2 to the running score of the current player.
    void scoreCaption();
    // The result text, CR LF line breaks allowed.
    void setResultText(const std::string& text);
    std::string resultText() const;

    QFrame* Frame1;
    QLabel* Label1;
    QPlainTextEdit* Text1;
    QPushButton* Command1;
    QLabel* Label2;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    GameState& state_;
    // Where the pointer was and when the window opened, to keep the rest of a double-click away.
    QPoint pressAt_;
    QElapsedTimer opened_;
};

// Shows what the rule of an answer decided: plays its sound, then, when it has a score
// window, fills it and shows it modally over parent.
void showResult(GameState& state, QWidget* parent, const AnswerResult& result);

}  // namespace bellarune
