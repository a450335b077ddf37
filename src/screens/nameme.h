#pragma once
#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QPushButton;

namespace bellarune {

struct GameState;

// The letter-guessing question: a portrait, the name as blanks, and a threat picture
// that grows with every wrong letter until the tries run out. The form takes every
// key press before its controls, so typing works whichever control has the focus.
class NameMe : public QDialog {
    Q_OBJECT
public:
    NameMe(GameState& state, QWidget* parent = nullptr);
    // Runs one question modally; a load that found nothing to ask closes without showing.
    static void ask(GameState& state, QWidget* parent);

    QLabel* Image2;
    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Image1;
    QPushButton* Command1;

    std::string TargetWord;
    std::string RevealMask;
    std::string Guessed;
    std::string Display;
    int16_t MaxTries = 4;
    int WrongCount = 0;
    int GameOver = 0;
    double ThreatCenterX = 0;
    double ThreatCenterY = 0;

    // True when the load found no word to ask about and closed the screen.
    bool closedAtLoad() const { return closedAtLoad_; }
    // Threat picture rectangle in twips, before rounding to pixels.
    double threatLeft() const { return threatLeft_; }
    double threatTop() const { return threatTop_; }
    double threatWidth() const { return threatWidth_; }
    double threatHeight() const { return threatHeight_; }

    // Handles one typed character, as the form's key press does.
    void Form_KeyPress(QChar key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void load();
    bool takeKey(QKeyEvent* event);
    void wrongLetter(char letter);
    void rightLetter();
    void showThreat(const std::string& file);
    std::string maskedDisplay() const;

    GameState& state_;
    bool closedAtLoad_ = false;
    bool finished_ = false;
    double threatLeft_ = 0, threatTop_ = 0, threatWidth_ = 0, threatHeight_ = 0;
};

}  // namespace bellarune
