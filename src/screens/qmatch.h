#pragma once
#include <QDialog>
#include <array>
#include <string>

class QFrame;
class QLabel;
class QPushButton;

namespace bellarune {

struct GameState;
class ControlDrag;

// Matching five names (coloured bars) with five descriptions by drag and drop or by
// click and click (question types 11, 12 and 13).
class QMatch : public QDialog {
    Q_OBJECT
public:
    QMatch(GameState& state, QWidget* parent = nullptr);
    ~QMatch() override;
    static void ask(GameState& state, QWidget* parent);

    // Point size of a bar caption of the given length.
    static double captionFontSize(int length);

    QFrame* Frame1;
    QPushButton* Command2;
    QPushButton* cmdhelp;
    std::array<QPushButton*, 5> Btn1{};
    QPushButton* Command1;
    std::array<QLabel*, 5> Label2{};
    QLabel* Label1;
    QLabel* Label4;

    int16_t SelectedBar = -1;
    std::array<int16_t, 6> PlacedBar{};
    std::array<int16_t, 6> AnswerBar{};
    ControlDrag* drag() const { return drag_; }

    void load();
    void Label2_DragDrop(int k);
    void Command1_Click();
    void cmdhelp_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();
    void Btn1_MouseDown(int i, QPoint hotSpot);
    void Btn1_Click(int i);
    GameState& state_;
    ControlDrag* drag_;
    bool loaded_ = false;
};

}  // namespace bellarune
