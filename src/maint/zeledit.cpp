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
#include <QTimer>
#include <QValidator>
#include <functional>
#include <limits>

#include "data/atomicfile.h"
#include "data/checkedindex.h"
#include "data/itemlist.h"
#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "maint/numberbox.h"
#include "platform/latin1text.h"
#include "platform/makewidget.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"

namespace bellarune {

namespace {
constexpr int kImageWidth = 3615;

QFont defaultFont()
{
    return designFont("MS Sans Serif", 8.25);
}

// What the data file can hold: a double quote would end the string early and a line break
// would split the record; a character beyond the file's 8-bit text becomes its nearest plain
// one, or '?' (lost is then set).
QString fieldText(QString text, bool* lost = nullptr)
{
    for (QChar& c : text) {
        if (c == '"')
            c = '\'';
        else if (c == '\r' || c == '\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = ' ';
    }
    return storableText(text, lost);
}

class FieldTextValidator : public QValidator {
public:
    FieldTextValidator(QObject* parent, std::function<void()> onLost)
        : QValidator(parent), onLost_(std::move(onLost))
    {}
    State validate(QString& input, int& pos) const override
    {
        bool lost = false;
        pos = static_cast<int>(fieldText(input.left(pos)).size());
        input = fieldText(input, &lost);
        if (lost)
            onLost_();
        return Acceptable;
    }

private:
    std::function<void()> onLost_;
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
    setFixedSize(twipsToPx(8940), twipsToPx(6375));

    cmbitem = makeWidget<QComboBox>(this, {.name = "cmbitem",
                                           .tip = "Choose an item to display",
                                           .accessible = "Item",
                                           .twips = QRect(120, 240, 5295, 480),
                                           .font = sans135});
    cmbitem->setMaxVisibleItems(20);

    birth = makeWidget<QLabel>(
        this, {.name = "birth", .caption = "Birth", .twips = QRect(120, 840, 615, 375), .font = sans135});
    Text1 = makeWidget<NumberBox>(
        this, {.name = "Text1", .accessible = "Year1", .twips = QRect(960, 840, 975, 405), .font = sans12b});
    ldeath = makeWidget<QLabel>(
        this, {.name = "ldeath", .caption = "Death", .twips = QRect(2160, 840, 1215, 375), .font = sans12b});
    Text2 = makeWidget<NumberBox>(
        this, {.name = "Text2", .accessible = "Year2", .twips = QRect(3480, 840, 975, 420), .font = sans12b});
    txtCampaign = makeWidget<QLineEdit>(this, {.name = "txtCampaign",
                                               .accessible = "Campaign",
                                               .twips = QRect(3480, 840, 2895, 375),
                                               .font = sans975b});
    Date = makeWidget<QLabel>(this, {.name = "Date",
                                     .caption = "Date",
                                     .tip = "Text form of date",
                                     .twips = QRect(120, 1440, 735, 375),
                                     .font = sans135});
    Text3 = makeWidget<QLineEdit>(
        this, {.name = "Text3", .accessible = "Date", .twips = QRect(960, 1440, 3615, 390), .font = sans12b});
    Date->setBuddy(Text3);

    txtDesc = makeWidget<QPlainTextEdit>(this, {.name = "txtDesc",
                                                .tip = "Description of person or event",
                                                .accessible = "Description",
                                                .twips = QRect(120, 1920, 5175, 645),
                                                .font = sans12});
    txtDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDesc->setTabChangesFocus(true);

    Image1 = makeWidget<QLabel>(
        this, {.name = "Image1", .accessible = "Picture", .twips = QRect(120, 2760, kImageWidth, 3495)});
    Image1->setScaledContents(true);

    cmbST = makeWidget<QComboBox>(
        this,
        {.name = "cmbST", .accessible = "State", .twips = QRect(3960, 2760, 2175, 420), .font = sans12});
    cmbST->setMaxVisibleItems(18);

    Label1 = makeWidget<QLabel>(
        this,
        {.name = "Label1", .caption = "image file", .twips = QRect(3960, 3720, 1095, 375), .font = sans12});
    Text4 = makeWidget<QLineEdit>(
        this, {.name = "Text4", .accessible = "image file", .twips = QRect(5400, 3720, 2175, 375)});
    Label1->setBuddy(Text4);
    const QString commandersTip = "Commanders in battle, or office or rank  held";
    Label2 = makeWidget<QLabel>(this, {.name = "Label2",
                                       .caption = "Battle commanders ",
                                       .tip = commandersTip,
                                       .twips = QRect(3840, 4680, 3855, 375)});
    txtCmdr = makeWidget<QLineEdit>(this, {.name = "txtCmdr",
                                           .tip = commandersTip,
                                           .accessible = "Battle commanders",
                                           .twips = QRect(3840, 4920, 3735, 420),
                                           .font = sans12});
    Label2->setBuddy(txtCmdr);
    Label3 = makeWidget<QLabel>(this, {.name = "Label3",
                                       .caption = "Nickname or famous quote",
                                       .tip = "Nickname",
                                       .twips = QRect(3840, 5520, 3975, 375)});
    txtNickname = makeWidget<QLineEdit>(this, {.name = "txtNickname",
                                               .tip = "Nickname",
                                               .accessible = "Nickname or famous quote",
                                               .twips = QRect(3840, 5760, 3615, 420),
                                               .font = sans12});
    Label3->setBuddy(txtNickname);

    Frame2 = makeWidget<QGroupBox>(
        this, {.name = "Frame2", .caption = "Difficulty", .twips = QRect(6120, 1440, 975, 975)});
    dif = makeWidget<NumberBox>(Frame2, {.name = "dif",
                                         .tip = "Change the difficulty",
                                         .accessible = "Difficulty",
                                         .twips = QRect(240, 240, 300, 555),
                                         .font = designFont("MS Sans Serif", 18)});
    dif->setBounds([] { return 1; }, [] { return 3; });
    dif->setValue(1);
    UpDown2 = makeWidget<UpDown>(
        Frame2, {.name = "UpDown2", .accessible = "Step difficulty", .twips = QRect(540, 240, 240, 555)},
        dif);

    Frame1 = makeWidget<QGroupBox>(
        this, {.name = "Frame1", .caption = "Type of data", .twips = QRect(7440, 240, 1335, 2055)});
    const int typeTops[4] = {360, 720, 1080, 1560};
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = QString("Itemtype%1").arg(i).toLatin1();
        at(Itemtype, i) = makeWidget<QRadioButton>(
            Frame1, {.name = name.constData(), .twips = QRect(240, typeTops[i], 975, 375)});
    }
    side = makeWidget<QGroupBox>(this,
                                 {.name = "side", .caption = "Side", .twips = QRect(7440, 2400, 1335, 1095)});
    const char* sides[2] = {"USA", "CSA"};
    const int sideTops[2] = {360, 720};
    for (int i = 0; i < 2; ++i) {
        const QByteArray name = QString("Option1%1").arg(i).toLatin1();
        at(Option1, i) = makeWidget<QRadioButton>(
            side,
            {.name = name.constData(), .caption = sides[i], .twips = QRect(240, sideTops[i], 795, 315)});
    }

    cmdPrint = makeWidget<QPushButton>(this, {.name = "cmdPrint",
                                              .caption = "Store list",
                                              .twips = QRect(7680, 3720, 1095, 495),
                                              .font = sans975});
    cmdNext = makeWidget<QPushButton>(
        this, {.name = "cmdNext", .caption = "Next", .twips = QRect(7680, 4440, 1095, 495)});
    cmdPrev = makeWidget<QPushButton>(
        this, {.name = "cmdPrev", .caption = "Previous", .twips = QRect(7680, 5040, 1095, 495)});
    Command1 = makeWidget<QPushButton>(this, {.name = "Command1",
                                              .caption = "ok",
                                              .tip = "Save changes, & return to setup screen",
                                              .twips = QRect(7680, 5760, 1095, 495),
                                              .font = sans975});
    // Enter presses the focused button, and ok from any other control.
    for (QPushButton* b : {cmdPrint, cmdNext, cmdPrev, Command1})
        b->setAutoDefault(true);
    Command1->setDefault(true);

    for (QLineEdit* e : {Text3, Text4, txtCmdr, txtCampaign, txtNickname})
        e->setValidator(new FieldTextValidator(e, [this] { charactersLost(); }));

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
        connect(at(Itemtype, i), &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Itemtype_Click(i);
        });
    for (int i = 0; i < 2; ++i)
        connect(at(Option1, i), &QRadioButton::toggled, this, [this, i](bool on) {
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
        at(ItemMap, k) = static_cast<int16_t>(k);
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
    const bool person = IsPersonType(r.ItemType);
    if (person || IsEventType(r.ItemType)) {
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
        QRadioButton* o = at(Itemtype, r.ItemType);
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
        QRadioButton* o = at(Option1, r.Side);
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
    state_.CurrentQuestionType = r.State > 0 ? TypeMatchStates : TypeMatchPortraits;
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
    // blank in the box itself, so what the owner sees is what gets written. The raw text
    // keeps a no-break space, which the plain text would turn into a blank.
    const QString text = txtDesc->document()->toRawText();
    bool lost = false;
    const QString clean = fieldText(text, &lost);
    if (clean != text) {
        const int pos = static_cast<int>(fieldText(text.left(txtDesc->textCursor().position())).size());
        const QSignalBlocker block(txtDesc);
        txtDesc->setPlainText(clean);
        QTextCursor c = txtDesc->textCursor();
        c.setPosition(std::min<int>(pos, static_cast<int>(clean.size())));
        txtDesc->setTextCursor(c);
    }
    if (lost)
        charactersLost();
    ItemRecord* r = editedItem();
    if (!r)
        return;
    r->Description = SanitizeFieldText(ss(clean));
    DataChanged = true;
}

void ZelEdit::charactersLost()
{
    if (toldLost_)
        return;
    toldLost_ = true;
    // After the keystroke or paste has been taken in, not in the middle of it.
    QTimer::singleShot(0, this, [this] {
        state_.message(
            "Some characters cannot be stored in zel.dat: each became the nearest plain "
            "character, or ? where there is none.");
    });
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
    state_.CurrentItem = at(ItemMap, index + 1);
    ListPosition = state_.CurrentItem;
    fillform(state_.CurrentItem);
}

void ZelEdit::cmdNext_Click()
{
    if (ListPosition < ListCount)
        ++ListPosition;
    state_.CurrentItem = at(ItemMap, ListPosition);
    fillform(state_.CurrentItem);
}

void ZelEdit::cmdPrev_Click()
{
    if (ListPosition > 1)
        --ListPosition;
    state_.CurrentItem = at(ItemMap, ListPosition);
    fillform(state_.CurrentItem);
}

void ZelEdit::Command1_Click()
{
    if (DataChanged) {
        const std::string file = state_.table.DataFileName.empty() ? "zel.dat" : state_.table.DataFileName;
        // Refuses, with a message, when the file could not be read whole at start-up.
        KeepingNotifier fault;
        if (!WriteItemFile(file, state_.table, fault, state_.files))
            state_.reportFailure(fault.text() + state_.NL + "The changes were not saved in " + file +
                                 ". They are still held in memory until the game ends.");
    }
    accept();
}

void ZelEdit::cmdPrint_Click()
{
    if (!state_.notifier.get().askOkCancel("Ready to store list by difficulty in file 'zel.txt'",
                                           "Store list to file"))
        return;
    std::string error;
    if (!writeFileAtomically("zel.txt", ItemListText(state_.table), error, state_.files))
        state_.reportFailure(error);
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
