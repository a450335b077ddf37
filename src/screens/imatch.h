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

// Matching four names (coloured bars) with four pictures: state maps of battles (type 14)
// or the people's portraits (type 15).
class IMatch : public QDialog {
    Q_OBJECT
public:
    IMatch(GameState& state, QWidget* parent = nullptr);
    ~IMatch() override;
    static void ask(GameState& state, QWidget* parent);

    // Point size of a bar caption of the given length.
    static double captionFontSize(int length);

    QFrame* Frame1;
    QPushButton* Command2;
    QPushButton* cmdhelp;
    std::array<QPushButton*, 4> Btn1{};
    QPushButton* Command1;
    std::array<QLabel*, 4> Image1{};

    int16_t SelectedBar = -1;
    std::array<int16_t, 6> PlacedBar{};
    std::array<int16_t, 6> AnswerBar{};
    std::array<int, 6> HomeTop{};
    std::array<int, 6> HomeLeft{};
    ControlDrag* drag() const { return drag_; }
    // The file shown in picture box k.
    QString pictureFile(int k) const;

    void load();
    void image1_DragDrop(int k);
    void Command1_Click();
    void cmdhelp_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();
    void showPicture(int box, int item);
    GameState& state_;
    ControlDrag* drag_;
    bool loaded_ = false;
};

}  // namespace bellarune
