#pragma once
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace bellarune {

struct GameState;

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
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    GameState& state_;
};

}  // namespace bellarune
