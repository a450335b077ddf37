#pragma once
#include <QDialog>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace bellarune {

struct GameState;

// The sorting screen: five items to bring into date order, earliest on top. A click
// on a line moves that item up one line; Done scores every pair of lines.
class QSort : public QDialog {
    Q_OBJECT
public:
    QSort(GameState& state, QWidget* parent = nullptr);
    static void ask(GameState& state, QWidget* parent);

    // Refills the list from QuestionItems 0..LastSlot; no line stays selected.
    void updatelist();

    QFrame* Frame1;
    QLabel* Label1;
    QListWidget* List1;
    QLabel* Label2;
    QPushButton* Command2;
    QPushButton* Command1;

    int16_t LastSlot = 4;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void load();
    void layout();
    void centrePanel();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();

    GameState& state_;
    bool loaded_ = false;
    bool filling_ = false;
    bool scored_ = false;
};

}  // namespace bellarune
