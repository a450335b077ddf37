#include "zeledit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QValidator>
#include <limits>

#include "data/atomicfile.h"
#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "maint/numberbox.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"

namespace bellarune {

namespace {
constexpr int kImageWidth = 3615;

QFont defaultFont()
{
    return designFont("MS Sans Serif", 8.25);
}

// What the data file can hold, character for character so the cursor stays put: a
// double quote would end the string early and a line break would split the record.
QString fieldText(QString text)
{
    for (QChar& c : text) {
        if (c == '"')
            c = '\'';
        else if (c == '\r' || c == '\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = ' ';
        else if (c.unicode() > 0xff)
            c = '?';  // the file is Latin-1
    }
    return text;
}

class FieldTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = fieldText(input);
        return Acceptable;
    }
};

// The number the text starts with, 0 when it starts with none ("7x" gives 7, "x" 0).
double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const qsizetype digitsFrom = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    bool anyDigit = i > digitsFrom;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0;
}

bool isPerson(int type)
{
    return type == Officer || type == OtherPerson;
}

bool isEvent(int type)
{
    return type == Battle || type == OtherEvent;
}

// A number with one sign position and one trailing blank: " 12 ", "-5 ".
std::string signedNumber(long x)
{
    std::string s = x < 0 ? "-" : " ";
    s += std::to_string(x < 0 ? -x : x);
    s += ' ';
    return s;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (*tip)
        b->setToolTip(tip);
    return b;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* makeBox(QWidget* parent, const char* name, const char* accessible)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    return e;
}

NumberBox* makeNumberBox(QWidget* parent, const char* name, const char* accessible)
{
    auto* e = new NumberBox(parent);
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    return e;
}

void uncheckAll(QRadioButton* const* buttons, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const QSignalBlocker block(buttons[i]);
        buttons[i]->setAutoExclusive(false);
        buttons[i]->setChecked(false);
        buttons[i]->setAutoExclusive(true);
    }
}
}  // namespace

ZelEdit::ZelEdit(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("zeledit");
    setWindowTitle("Edit");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(defaultFont());
    const QFont sans975 = designFont("MS Sans Serif", 9.75);
    const QFont sans975b = designFont("MS Sans Serif", 9.75, true);
    const QFont sans12 = designFont("MS Sans Serif", 12);
    const QFont sans12b = designFont("MS Sans Serif", 12, true);
    const QFont sans135 = designFont("MS Sans Serif", 13.5);

    cmbitem = new QComboBox(this);
    cmbitem->setObjectName("cmbitem");
    cmbitem->setAccessibleName("Item");
    cmbitem->setToolTip("Choose an item to display");
    cmbitem->setFont(sans135);
    cmbitem->setMaxVisibleItems(20);

    birth = makeLabel(this, "birth", "Birth");
    birth->setFont(sans135);
    Text1 = makeNumberBox(this, "Text1", "Year1");
    Text1->setFont(sans12b);
    ldeath = makeLabel(this, "ldeath", "Death");
    ldeath->setFont(sans12b);
    Text2 = makeNumberBox(this, "Text2", "Year2");
    Text2->setFont(sans12b);
    txtCampaign = makeBox(this, "txtCampaign", "Campaign");
    txtCampaign->setFont(sans975b);
    Date = makeLabel(this, "Date", "Date");
    Date->setFont(sans135);
    Date->setToolTip("Text form of date");
    Text3 = makeBox(this, "Text3", "Date");
    Text3->setFont(sans12b);
    Date->setBuddy(Text3);

    txtDesc = new QPlainTextEdit(this);
    txtDesc->setObjectName("txtDesc");
    txtDesc->setAccessibleName("Description");
    txtDesc->setToolTip("Description of person or event");
    txtDesc->setFont(sans12);
    txtDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDesc->setTabChangesFocus(true);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setAccessibleName("Picture");
    Image1->setScaledContents(true);

    cmbST = new QComboBox(this);
    cmbST->setObjectName("cmbST");
    cmbST->setAccessibleName("State");
    cmbST->setFont(sans12);
    cmbST->setMaxVisibleItems(18);

    Label1 = makeLabel(this, "Label1", "image file");
    Label1->setFont(sans12);
    Text4 = makeBox(this, "Text4", "image file");
    Label1->setBuddy(Text4);
    Label2 = makeLabel(this, "Label2", "Battle commanders ");
    Label2->setToolTip("Commanders in battle, or office or rank  held");
    txtCmdr = makeBox(this, "txtCmdr", "Battle commanders");
    txtCmdr->setToolTip("Commanders in battle, or office or rank  held");
    txtCmdr->setFont(sans12);
    Label2->setBuddy(txtCmdr);
    Label3 = makeLabel(this, "Label3", "Nickname or famous quote");
    Label3->setToolTip("Nickname");
    txtNickname = makeBox(this, "txtNickname", "Nickname or famous quote");
    txtNickname->setToolTip("Nickname");
    txtNickname->setFont(sans12);
    Label3->setBuddy(txtNickname);

    Frame2 = new QGroupBox("Difficulty", this);
    Frame2->setObjectName("Frame2");
    dif = makeNumberBox(Frame2, "dif", "Difficulty");
    dif->setBounds([] { return 1; }, [] { return 3; });
    dif->setValue(1);
    dif->setToolTip("Change the difficulty");
    dif->setFont(designFont("MS Sans Serif", 18));
    UpDown2 = new UpDown(dif, Frame2);
    UpDown2->setObjectName("UpDown2");
    UpDown2->setAccessibleName("Step difficulty");

    Frame1 = new QGroupBox("Type of data", this);
    Frame1->setObjectName("Frame1");
    for (int i = 0; i < 4; ++i) {
        auto* o = new QRadioButton(Frame1);
        o->setObjectName(QString("Itemtype%1").arg(i));
        Itemtype[static_cast<std::size_t>(i)] = o;
    }
    side = new QGroupBox("Side", this);
    side->setObjectName("side");
    const char* sides[2] = {"USA", "CSA"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new QRadioButton(sides[i], side);
        o->setObjectName(QString("Option1%1").arg(i));
        Option1[static_cast<std::size_t>(i)] = o;
    }

    cmdPrint = makeButton(this, "cmdPrint", "Store list", "");
    cmdPrint->setFont(sans975);
    cmdNext = makeButton(this, "cmdNext", "Next", "");
    cmdPrev = makeButton(this, "cmdPrev", "Previous", "");
    Command1 = makeButton(this, "Command1", "ok", "Save changes, & return to setup screen");
    Command1->setFont(sans975);
    Command1->setDefault(true);  // Enter presses the focused button, and ok from any other control

    for (QLineEdit* e : {Text3, Text4, txtCmdr, txtCampaign, txtNickname})
        e->setValidator(new FieldTextValidator(e));

    setFixedSize(twipsToPx(8940), twipsToPx(6375));
    setGeometryTwips(cmbitem, 120, 240, 5295, 480);
    setGeometryTwips(birth, 120, 840, 615, 375);
    setGeometryTwips(Text1, 960, 840, 975, 405);
    setGeometryTwips(ldeath, 2160, 840, 1215, 375);
    setGeometryTwips(Text2, 3480, 840, 975, 420);
    setGeometryTwips(txtCampaign, 3480, 840, 2895, 375);
    setGeometryTwips(Date, 120, 1440, 735, 375);
    setGeometryTwips(Text3, 960, 1440, 3615, 390);
    setGeometryTwips(txtDesc, 120, 1920, 5175, 645);
    setGeometryTwips(Image1, 120, 2760, kImageWidth, 3495);
    setGeometryTwips(cmbST, 3960, 2760, 2175, 420);
    setGeometryTwips(Label1, 3960, 3720, 1095, 375);
    setGeometryTwips(Text4, 5400, 3720, 2175, 375);
    setGeometryTwips(Label2, 3840, 4680, 3855, 375);
    setGeometryTwips(txtCmdr, 3840, 4920, 3735, 420);
    setGeometryTwips(Label3, 3840, 5520, 3975, 375);
    setGeometryTwips(txtNickname, 3840, 5760, 3615, 420);
    setGeometryTwips(Frame2, 6120, 1440, 975, 975);
    setGeometryTwips(dif, 240, 240, 300, 555);
    setGeometryTwips(UpDown2, 540, 240, 240, 555);
    setGeometryTwips(Frame1, 7440, 240, 1335, 2055);
    const int typeTops[4] = {360, 720, 1080, 1560};
    for (int i = 0; i < 4; ++i)
        setGeometryTwips(Itemtype[static_cast<std::size_t>(i)], 240, typeTops[i], 975, 375);
    setGeometryTwips(side, 7440, 2400, 1335, 1095);
    setGeometryTwips(Option1[0], 240, 360, 795, 315);
    setGeometryTwips(Option1[1], 240, 720, 795, 315);
    setGeometryTwips(cmdPrint, 7680, 3720, 1095, 495);
    setGeometryTwips(cmdNext, 7680, 4440, 1095, 495);
    setGeometryTwips(cmdPrev, 7680, 5040, 1095, 495);
    setGeometryTwips(Command1, 7680, 5760, 1095, 495);

    connect(Text1, &QLineEdit::textChanged, this, [this] { yearRule(Text1, &ItemRecord::Year1); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { yearRule(Text2, &ItemRecord::Year2); });
    connect(Text3, &QLineEdit::textChanged, this, [this] { textRule(Text3, &ItemRecord::DateText, true); });
    connect(Text4, &QLineEdit::textChanged, this, [this] { textRule(Text4, &ItemRecord::ImageFile, true); });
    connect(txtCmdr, &QLineEdit::textChanged, this,
            [this] { textRule(txtCmdr, &ItemRecord::Commanders, true); });
    connect(txtCampaign, &QLineEdit::textChanged, this,
            [this] { textRule(txtCampaign, &ItemRecord::Campaign, false); });
    connect(txtNickname, &QLineEdit::textChanged, this,
            [this] { textRule(txtNickname, &ItemRecord::Nickname, false); });
    connect(txtDesc, &QPlainTextEdit::textChanged, this, &ZelEdit::txtDesc_Change);
    connect(dif, &QLineEdit::textChanged, this, &ZelEdit::dif_Change);
    for (int i = 0; i < 4; ++i)
        connect(Itemtype[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Itemtype_Click(i);
        });
    for (int i = 0; i < 2; ++i)
        connect(Option1[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    connect(cmbST, &QComboBox::activated, this, &ZelEdit::cmbST_Click);
    connect(cmbitem, &QComboBox::activated, this, &ZelEdit::cmbitem_Click);
    connect(cmdNext, &QPushButton::clicked, this, &ZelEdit::cmdNext_Click);
    connect(cmdPrev, &QPushButton::clicked, this, &ZelEdit::cmdPrev_Click);
    connect(Command1, &QPushButton::clicked, this, &ZelEdit::Command1_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &ZelEdit::cmdPrint_Click);

    load();
}

ZelEdit::~ZelEdit()
{
    restoreMaxDifficulty();
}

void ZelEdit::run(GameState& state, QWidget* parent)
{
    ZelEdit form(state, parent);
    form.exec();
}

void ZelEdit::load()
{
    DataChanged = false;
    filllist();
    ListPosition = 1;
    state_.CurrentItem = ItemMap[1];
    keptMaxDifficulty_ = state_.settings.MaxDifficulty;
    maxDifficultyHeld_ = true;
    state_.settings.MaxDifficulty = 3;
    state_.names.InitTables();
    ListCount = state_.table.ItemCount;
    for (std::size_t i = 0; i < 4; ++i)
        Itemtype[i]->setText(qs(state_.names.ItemTypeNames[i]));
    cmbST->clear();
    for (const std::string& name : state_.names.StateNames)
        cmbST->addItem(qs(name));
    fillform(state_.CurrentItem);
    CenterOnScreen(this);
}

void ZelEdit::filllist()
{
    cmbitem->clear();
    ItemMap.fill(0);
    const int count = std::clamp<int>(state_.table.ItemCount, 0, kItemCapacity);
    for (int k = 1; k <= count; ++k) {
        cmbitem->addItem(qs(state_.item(k).Name));
        ItemMap[static_cast<std::size_t>(k)] = static_cast<int16_t>(k);
    }
}

ItemRecord* ZelEdit::editedItem()
{
    // With no items the editor shows the empty record 0, which must stay empty.
    const int n = state_.CurrentItem;
    if (n < 1 || n > state_.table.ItemCount || n > kItemCapacity)
        return nullptr;
    return &state_.item(n);
}

void ZelEdit::setBox(QLineEdit* box, const std::string& text)
{
    const QSignalBlocker block(box);
    box->setText(qs(text));
}

void ZelEdit::setNumber(NumberBox* box, int value)
{
    box->setValue(value);
    // The rule runs even when the text happens to be the same as before.
    if (box == dif)
        dif_Change();
    else
        yearRule(box, box == Text1 ? &ItemRecord::Year1 : &ItemRecord::Year2);
}

void ZelEdit::fillform(int n)
{
    if (n < 0 || n > kItemCapacity)
        return;
    const ItemRecord& r = state_.item(n);
    const bool person = isPerson(r.ItemType);
    if (person || isEvent(r.ItemType)) {
        birth->setText(person ? "Birth" : "Year");
        ldeath->setText(person ? "Death" : "Campaign");
        Text2->setVisible(person);
        txtCampaign->setVisible(!person);
        side->setVisible(person);
        Date->setVisible(!person);
        Text3->setVisible(!person);
        Label2->setVisible(!person);
        txtCmdr->setVisible(!person);
        cmbST->setVisible(!person);
        setGeometryTwips(Image1, 120, 2760, kImageWidth, person ? kImageWidth : kImageWidth * 3 / 4);
    }

    // Filling a box runs its rule, as typing would; the rules write the same values back.
    setBox(txtNickname, r.Nickname);
    textRule(txtNickname, &ItemRecord::Nickname, false);
    setBox(txtCmdr, r.Commanders);
    textRule(txtCmdr, &ItemRecord::Commanders, true);
    {
        const QSignalBlocker block(cmbitem);
        cmbitem->setCurrentIndex(n >= 1 && n <= cmbitem->count() ? n - 1 : -1);
    }
    setBox(txtCampaign, r.Campaign);
    textRule(txtCampaign, &ItemRecord::Campaign, false);
    if (r.ItemType >= 0 && r.ItemType < 4) {
        QRadioButton* o = Itemtype[static_cast<std::size_t>(r.ItemType)];
        const QSignalBlocker block(o);
        o->setChecked(true);
        Itemtype_Click(r.ItemType);
    } else {
        uncheckAll(Itemtype.data(), Itemtype.size());
    }
    setNumber(Text1, r.Year1);
    setNumber(Text2, r.Year2);
    setBox(Text3, r.DateText);
    textRule(Text3, &ItemRecord::DateText, true);
    {
        const QSignalBlocker block(txtDesc);
        txtDesc->setPlainText(qs(r.Description));
    }
    txtDesc_Change();
    if (r.Side >= 0 && r.Side < 2) {
        QRadioButton* o = Option1[static_cast<std::size_t>(r.Side)];
        const QSignalBlocker block(o);
        o->setChecked(true);
        Option1_Click(r.Side);
    } else {
        uncheckAll(Option1.data(), Option1.size());  // not the previous item's side
    }

    if (r.Name < " ")
        state_.message("Problem? no name for " + std::to_string(n));

    setNumber(dif, r.Difficulty);
    setBox(Text4, r.ImageFile);
    textRule(Text4, &ItemRecord::ImageFile, true);

    // State 0 shows "none" and a state outside the list shows nothing, never the state
    // of the item shown before.
    cmbST->setCurrentIndex(r.State >= 0 && r.State < cmbST->count() ? r.State : -1);
    state_.CurrentQuestionType = r.State > 0 ? 14 : 15;
    showPicture(ItemPicture(state_, n));
}

void ZelEdit::showPicture(const std::string& file)
{
    if (file > " ") {
        // A missing or unreadable picture leaves an empty box.
        QPixmap pm;
        if (!pm.load(qs(file)))
            pm = QPixmap();
        Image1->setPixmap(pm);
        Image1->show();
    } else {
        Image1->clear();
        Image1->hide();
    }
}

void ZelEdit::textRule(QLineEdit* box, std::string ItemRecord::*field, bool marksChange)
{
    ItemRecord* r = editedItem();
    if (!r)
        return;
    r->*field = SanitizeFieldText(ss(fieldText(box->text())));
    if (marksChange)
        DataChanged = true;
}

void ZelEdit::yearRule(NumberBox* box, int16_t ItemRecord::*field)
{
    ItemRecord* r = editedItem();
    // Half-typed text ("", "-", "18a") is no number yet: the year stays as it was, and
    // the box shows it again when it is left.
    if (!r || box->text() != QString::number(box->value()))
        return;
    r->*field = static_cast<int16_t>(box->value());
    DataChanged = true;
}

void ZelEdit::txtDesc_Change()
{
    // The description is one line in the file: a typed or pasted line break becomes a
    // blank in the box itself, so what the owner sees is what gets written.
    const QString text = txtDesc->toPlainText();
    const QString clean = fieldText(text);
    if (clean != text) {
        const int pos = txtDesc->textCursor().position();
        const QSignalBlocker block(txtDesc);
        txtDesc->setPlainText(clean);
        QTextCursor c = txtDesc->textCursor();
        c.setPosition(std::min<int>(pos, static_cast<int>(clean.size())));
        txtDesc->setTextCursor(c);
    }
    ItemRecord* r = editedItem();
    if (!r)
        return;
    r->Description = SanitizeFieldText(ss(clean));
    DataChanged = true;
}

void ZelEdit::dif_Change()
{
    // The box clamps whole numbers to 1..3 itself; a text that only starts with a
    // number, or none ("7x", "x"), is corrected from that number as well.
    const double v = leadingNumber(dif->text());
    if (v > 3 && dif->text() != "3")
        dif->setValue(3);
    else if (v < 1 && dif->text() != "1")
        dif->setValue(1);
    ItemRecord* r = editedItem();
    // "2a" or "1.5" keeps the difficulty until the box is left.
    if (!r || dif->text() != QString::number(dif->value()))
        return;
    r->Difficulty = static_cast<int16_t>(dif->value());
    DataChanged = true;
}

void ZelEdit::Itemtype_Click(int i)
{
    ItemRecord* r = editedItem();
    if (!r)
        return;
    r->ItemType = static_cast<int16_t>(i);
    DataChanged = true;
}

void ZelEdit::Option1_Click(int i)
{
    if (ItemRecord* r = editedItem())
        r->Side = static_cast<int16_t>(i);
}

void ZelEdit::cmbST_Click(int index)
{
    if (ItemRecord* r = editedItem(); r && index >= 0)
        r->State = static_cast<int16_t>(index);
}

void ZelEdit::cmbitem_Click(int index)
{
    if (index < 0 || index + 1 > kItemCapacity)
        return;
    state_.CurrentItem = ItemMap[static_cast<std::size_t>(index + 1)];
    ListPosition = state_.CurrentItem;
    fillform(state_.CurrentItem);
}

void ZelEdit::cmdNext_Click()
{
    if (ListPosition < ListCount)
        ++ListPosition;
    state_.CurrentItem = ItemMap[static_cast<std::size_t>(ListPosition)];
    fillform(state_.CurrentItem);
}

void ZelEdit::cmdPrev_Click()
{
    if (ListPosition > 1)
        --ListPosition;
    state_.CurrentItem = ItemMap[static_cast<std::size_t>(ListPosition)];
    fillform(state_.CurrentItem);
}

void ZelEdit::Command1_Click()
{
    if (DataChanged) {
        NullNotifier quiet;
        const std::string file = state_.table.DataFileName.empty() ? "zel.dat" : state_.table.DataFileName;
        // Refuses, with a message, when the file could not be read whole at start-up.
        WriteItemFile(file, state_.table, state_.notifier ? *state_.notifier : quiet);
    }
    accept();
}

std::string ZelEdit::listText(const GameState& state)
{
    std::string out;
    const int count = std::clamp<int>(state.table.ItemCount, 0, kItemCapacity);
    for (int level = 1; level <= 3; ++level) {
        for (int k = 1; k <= count; ++k) {
            const ItemRecord& r = state.item(k);
            // An item not yet shown in the editor may hold a difficulty outside 1..3;
            // it is listed where the editor would put it.
            if (std::clamp<int>(r.Difficulty, 1, 3) != level)
                continue;
            std::string line;
            if (isPerson(r.ItemType))
                line = signedNumber(k) + " " + r.Name + "  " + signedNumber(r.Year1) + " " +
                       signedNumber(r.Year2) + " " + r.Description;
            else if (isEvent(r.ItemType))
                line = signedNumber(k) + " " + r.Name + "  " + signedNumber(r.Year1) + " " + r.Campaign +
                       " " + r.Commanders + " " + r.Description;
            else
                continue;
            out += line + "\r\n";
        }
    }
    return out;
}

void ZelEdit::cmdPrint_Click()
{
    if (!state_.notifier || !state_.notifier->askOkCancel(
                                "Ready to store list by difficulty in file 'zel.txt'", "Store list to file"))
        return;
    std::string error;
    if (!writeFileAtomically("zel.txt", listText(state_), error))
        state_.message(error);
}

void ZelEdit::restoreMaxDifficulty()
{
    if (!maxDifficultyHeld_)
        return;
    maxDifficultyHeld_ = false;
    state_.settings.MaxDifficulty = keptMaxDifficulty_;
}

void ZelEdit::done(int result)
{
    // ok, the close box and Escape all end here.
    restoreMaxDifficulty();
    QDialog::done(result);
}

}  // namespace bellarune
