#pragma once
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace bellarune {

struct GameState;
struct ItemRecord;
class NumberBox;
class UpDown;

// The item editor: browses the items one at a time, writes every change into the item
// table at once, stores a plain list of the items in zel.txt and writes zel.dat on ok.
class ZelEdit : public QDialog {
    Q_OBJECT
public:
    ZelEdit(GameState& state, QWidget* parent = nullptr);
    ~ZelEdit() override;

    // Shows the editor modally; returns when it has closed.
    static void run(GameState& state, QWidget* parent);

    // Fills cmbitem with the items' names, position k holding item k.
    void filllist();
    // Shows item n.
    void fillform(int n);

    // Set by the change rules that count as an edit; ok writes zel.dat only when set.
    bool DataChanged = false;

    QComboBox* cmbitem;
    QPushButton* cmdPrev;
    QPushButton* cmdNext;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 4> Itemtype{};
    QGroupBox* side;
    std::array<QRadioButton*, 2> Option1{};
    QComboBox* cmbST;
    QLabel* birth;
    NumberBox* Text1;
    QLabel* ldeath;
    NumberBox* Text2;
    QLineEdit* txtCampaign;
    QLabel* Date;
    QLineEdit* Text3;
    QLabel* Label2;
    QLineEdit* txtCmdr;
    QPlainTextEdit* txtDesc;
    QLabel* Label3;
    QLineEdit* txtNickname;
    QLabel* Label1;
    QLineEdit* Text4;
    QGroupBox* Frame2;
    NumberBox* dif;
    UpDown* UpDown2;
    QLabel* Image1;
    QPushButton* cmdPrint;
    QPushButton* Command1;

    void done(int result) override;

private:
    void load();
    void restoreMaxDifficulty();
    // The item the change rules write into; null when there is no item to edit.
    ItemRecord* editedItem();

    void textRule(QLineEdit* box, std::string ItemRecord::*field, bool marksChange);
    void yearRule(NumberBox* box, int16_t ItemRecord::*field);
    void txtDesc_Change();
    void dif_Change();
    void Itemtype_Click(int i);
    void Option1_Click(int i);
    void cmbST_Click(int index);
    void cmbitem_Click(int index);
    void cmdNext_Click();
    void cmdPrev_Click();
    void Command1_Click();
    void cmdPrint_Click();
    void setBox(QLineEdit* box, const std::string& text);
    // Sets a number box the way the program does: its clamp and the editor's rule run.
    void setNumber(NumberBox* box, int value);
    void showPicture(const std::string& file);
    // Tells the owner, once while the editor is open, that typed text could not be kept whole.
    void charactersLost();

    GameState& state_;
    std::array<int16_t, 401> ItemMap{};
    int ListPosition = 1;
    int ListCount = 0;
    int16_t keptMaxDifficulty_ = 0;
    bool maxDifficultyHeld_ = false;
    bool toldLost_ = false;
};

}  // namespace bellarune
