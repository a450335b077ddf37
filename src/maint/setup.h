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

// The setup screen: the game conditions, the log level and sound, the enabled question
// types, and the way to the item editor. Every way of closing stores the boxes into
// the settings and writes the settings file.
class Setup : public QDialog {
    Q_OBJECT
public:
    Setup(GameState& state, QWidget* parent = nullptr);

    // Shows the screen modally; returns when it has closed and saved.
    static void run(GameState& state, QWidget* parent);

    QPushButton* cmdHelp;
    QCheckBox* Check1;
    QPushButton* cmdmakeq;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 3> Option1{};
    QPushButton* cmdEdit;
    UpDown* UpDown1;
    QLineEdit* nquestion;
    QListWidget* List1;
    QPushButton* cmdok;
    QGroupBox* frameDiff;
    QLineEdit* tmaxdif;
    QLineEdit* tmindif;
    UpDown* UpDown3;
    UpDown* UpDown2;
    QLabel* Label6;
    QLabel* Label5;
    QLabel* Label4;

    void done(int result) override;

private:
    // A number box with the last whole number its rule accepted.
    struct NumberBox {
        QLineEdit* box = nullptr;
        int value = 1;
    };

    void load();
    void unload();
    void applyRule(NumberBox& b, int low, int high);
    void nquestion_Change();
    void tmindif_Change();
    void tmaxdif_Change();
    // Sets a box's text the way the program does: the box's rule runs on it.
    void putNumber(NumberBox& b, int value);
    void restoreIfNotANumber(NumberBox& b);

    GameState& state_;
    NumberBox questions_;
    NumberBox minimum_;
    NumberBox maximum_;
    bool unloaded_ = false;
};

}  // namespace bellarune
