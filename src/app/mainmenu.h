#pragma once
#include <QPixmap>
#include <QWidget>

class QLabel;
class QPushButton;

namespace bellarune {

struct GameState;

// The main menu: runs the start-up in its load, starts games and the setup screen,
// and saves the settings when it closes.
class MainMenu : public QWidget {
    Q_OBJECT
public:
    // programDir becomes the current directory during start-up.
    MainMenu(GameState& state, const QString& programDir, QWidget* parent = nullptr);

    QPushButton* Command1;
    QPushButton* cmdsetup;
    QPushButton* cmdCatalog;
    QPushButton* Command3;
    QPushButton* cmdquit;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;

    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void load(const QString& programDir);
    void Command1_Click();
    void cmdsetup_Click();
    void Command3_Click();
    void cmdCatalog_Click();

    GameState& state_;
    QPixmap picture_;
};

}  // namespace bellarune
