#pragma once
#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace bellarune {

struct GameState;
class UpDown;
class NumberBox;

// The game conditions: questions per game, difficulty range, categories, log level, sound.
class Setup : public QDialog {
    Q_OBJECT
public:
    Setup(GameState& state, QWidget* parent = nullptr);
    // Shows the screen modally; every way of closing stores the settings and writes zel.INI.
    static void run(GameState& state, QWidget* parent);

    QGroupBox* frameDiff;
    QLabel* Label5;
    NumberBox* tmindif;
    UpDown* UpDown2;
    QLabel* Label6;
    NumberBox* tmaxdif;
    UpDown* UpDown3;
    QLabel* Label4;
    NumberBox* nquestion;
    UpDown* UpDown1;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 3> Option1{};
    QCheckBox* Check1;
    QListWidget* List1;
    QPushButton* cmdEdit;
    QPushButton* cmdHelp;
    QPushButton* cmdok;
    QPushButton* cmdmakeq;

    void done(int result) override;

private:
    void load();
    void unload();
    GameState& state_;
    bool unloaded_ = false;
};

}  // namespace bellarune
