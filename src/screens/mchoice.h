#pragma once
#include <QDialog>
#include <QRadioButton>
#include <array>
#include <string>

class QFrame;
class QLabel;
class QPushButton;

namespace bellarune {

struct GameState;

// An option button whose caption wraps over several lines, so long descriptions stay
// readable. Any mouse button pressed on it raises mouseDown, and so does Enter; it never
// toggles itself on a click, the screen decides what a press means.
class ChoiceOption : public QRadioButton {
    Q_OBJECT
public:
    explicit ChoiceOption(QWidget* parent = nullptr);

    // The caption as shown; '&' stays a plain character.
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

signals:
    void mouseDown(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
};

// The multiple choice family: a prompt, five options and help and skip buttons. The
// right option is drawn among the top four; a press on an option answers at once,
// scores it, shows the score window and closes the screen. Derived screens set the
// geometry, the option texts and the layout rule.
class ChoiceScreen : public QDialog {
    Q_OBJECT
public:
    ChoiceScreen(GameState& state, QWidget* parent);

    QFrame* Frame1;
    QLabel* Label1;
    std::array<ChoiceOption*, 5> choice{};
    QPushButton* cmdhelp;
    QPushButton* Command1;

    int16_t CorrectSlot = 0;
    int16_t MainItem = 0;

    // The option's caption, as the player reads it.
    std::string choiceCaption(int index) const;
    std::string prompt() const;

protected:
    // The load: restore the size, centre, lay out, log, pick the options, ask.
    void load();
    virtual void layout() = 0;
    virtual std::string optionText(int item) = 0;
    // Shows the question about MainItem once the options are filled.
    virtual void showQuestion() = 0;

    void resizeEvent(QResizeEvent* event) override;

    void choice_MouseDown(int index);
    void cmdhelp_Click();
    void Command1_Click();

    GameState& state_;

private:
    bool loaded_ = false;
    bool answered_ = false;
};

// The screen of the multiple choice types: dates, descriptions and commanders.
class MChoice : public ChoiceScreen {
    Q_OBJECT
public:
    MChoice(GameState& state, QWidget* parent = nullptr);
    static void ask(GameState& state, QWidget* parent);

protected:
    void layout() override;
    std::string optionText(int item) override;
    void showQuestion() override;
};

}  // namespace bellarune
