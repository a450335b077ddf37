#include "nameme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "engine/gamestate.h"
#include "engine/questionbuilder.h"
#include "engine/scoring.h"
#include "platform/makewidget.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "screens/showscor.h"

namespace bellarune {

namespace {

// Design rectangle of the threat picture; it grows about its centre.
constexpr int kThreatLeft = 6000, kThreatTop = 1320, kThreatWidth = 1215, kThreatHeight = 1455;

// Names are Latin-1: accented small letters have their capitals 32 below, except the
// division sign and y with diaeresis, whose capital is outside Latin-1.
char upperLatin1(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 32);
    return c;
}

bool isKeyLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

QLabel* pictureControl(QWidget* parent, const char* name, const QString& accessible, const QRect& twips)
{
    auto* l = makeWidget<QLabel>(parent, {.name = name, .accessible = accessible, .twips = twips});
    l->setScaledContents(true);
    return l;
}

QLabel* textLabel(QWidget* parent, const char* name, const QRect& twips)
{
    auto* l = makeWidget<QLabel>(
        parent, {.name = name, .twips = twips, .font = designFont("MS Sans Serif", 12, true)});
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

// A picture that cannot be loaded leaves its control empty; the game goes on without it.
void loadPicture(QLabel* control, const std::string& file)
{
    QPixmap pixmap;
    if (!file.empty() && pixmap.load(qs(file)))
        control->setPixmap(pixmap);
    else
        control->clear();
}

}  // namespace

NameMe::NameMe(GameState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("NameMe");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(twipsToPx(8610), twipsToPx(6330));

    Image2 = pictureControl(this, "Image2", "clue picture", QRect(360, 480, 4095, 2655));
    Image1 = pictureControl(this, "Image1", qs(state_.ThreatPictureName),
                            QRect(kThreatLeft, kThreatTop, kThreatWidth, kThreatHeight));
    Label3 = textLabel(this, "Label3", QRect(5880, 4080, 1455, 1095));
    Label1 = textLabel(this, "Label1", QRect(360, 4680, 4335, 690));
    Label2 = textLabel(this, "Label2", QRect(360, 5520, 6135, 735));
    Label2->setWordWrap(false);
    Command1 = makeWidget<QPushButton>(this, {.name = "Command1",
                                              .caption = "quit",
                                              .twips = QRect(7200, 5520, 1095, 615),
                                              .font = designFont("MS Sans Serif", 9.75, true)});

    // Keys reach the form before any control: the controls hand theirs over.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });

    load();
}

void NameMe::ask(GameState& state, QWidget* parent)
{
    NameMe form(state, parent);
    if (!form.closedAtLoad())
        form.exec();
}

void NameMe::load()
{
    CenterOnScreen(this);
    ThreatCenterX = kThreatLeft + kThreatWidth / 2.0;
    ThreatCenterY = kThreatTop + kThreatHeight / 2.0;
    threatLeft_ = kThreatLeft;
    threatTop_ = kThreatTop;
    threatWidth_ = kThreatWidth;
    threatHeight_ = kThreatHeight;
    setWindowTitle("Name Me -- Press the letter keys to enter my name... ");

    GameOver = 0;
    MaxTries = NameMeTries(state_);

    Image1->hide();
    Label3->setText(qs("Guess the word before the " + state_.ThreatPictureName + " can appear!"));
    Label1->clear();
    Guessed.clear();

    state_.CurrentItem = PickItem(state_, 0);
    loadPicture(Image2, ItemPicture(state_, state_.CurrentItem));
    if (state_.SquarePictures == 1)
        Image2->resize(Image2->width(), Image2->width());

    TargetWord = AnswerText(state_, state_.CurrentItem, state_.CurrentQuestionType);
    std::transform(TargetWord.begin(), TargetWord.end(), TargetWord.begin(), upperLatin1);
    RevealMask.clear();
    Display.clear();

    const std::size_t length = TargetWord.size();
    const double points = length <= 11 ? 24 : length <= 16 ? 18 : length <= 18 ? 14 : length <= 22 ? 12 : 10;
    Label2->setFont(designFont("MS Sans Serif", points, true));

    Label3->hide();

    // Only the letters A to Z can be typed, so only they are hidden: spaces, full stops
    // and any other character (apostrophe, hyphen, digit, accented letter) show from the
    // start, and every name can be won.
    for (char c : TargetWord)
        RevealMask += isKeyLetter(c) ? '*' : c;
    Display = maskedDisplay();
    Label2->setText(qs(Display));
    Image1->show();
    WrongCount = 0;

    // Nothing to guess (the picker gave up, or a name without letters): the question is
    // not asked and nothing is scored.
    if (RevealMask.find('*') == std::string::npos) {
        closedAtLoad_ = true;
        done(QDialog::Rejected);
    }
}

std::string NameMe::maskedDisplay() const
{
    std::string out;
    out.reserve(RevealMask.size() * 2);
    for (std::size_t i = 0; i < RevealMask.size(); ++i) {
        const char m = RevealMask[i];
        const bool hidden = m == '*' && TargetWord[i] != '*';
        out += hidden ? '_' : m;
        out += ' ';
    }
    return out;
}

bool NameMe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched != this)
        return takeKey(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void NameMe::keyPressEvent(QKeyEvent* event)
{
    if (!takeKey(event))
        QDialog::keyPressEvent(event);
}

// Keys that type a character are the game's (Enter, Space and Backspace among them);
// modifier and navigation keys type nothing and are left to the controls.
bool NameMe::takeKey(QKeyEvent* event)
{
    // Escape leaves the question as the close box does: nothing is scored.
    if (event->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    Form_KeyPress(text.at(0));
    return true;
}

void NameMe::Form_KeyPress(QChar key)
{
    // The screen is closing after a win; a key typed meanwhile is not a guess.
    if (finished_)
        return;
    if (GameOver > 0) {
        finished_ = true;
        done(QDialog::Accepted);
        return;
    }
    const QChar upper = key.toUpper();
    if (upper < QChar('A') || upper > QChar('Z')) {
        state_.message("Press a letter, only");
        return;
    }
    const char letter = upper.toLatin1();
    if (Guessed.find(letter) != std::string::npos)
        return;

    bool matched = false;
    for (std::size_t i = 0; i < TargetWord.size(); ++i) {
        if (TargetWord[i] == letter) {
            RevealMask[i] = letter;
            PlaySound(state_, Sound::Letter);
            matched = true;
        }
    }
    if (matched)
        rightLetter();
    else
        wrongLetter(letter);
}

void NameMe::wrongLetter(char letter)
{
    PlaySound(state_, Sound::Miss);
    Guessed += ' ';
    Guessed += letter;
    Label1->setText(qs(Guessed));
    WrongCount = static_cast<int>(Guessed.size() / 2);

    Image1->hide();
    threatWidth_ *= 1.2;
    threatHeight_ = state_.SquarePictures == 1 ? threatWidth_ : threatHeight_ * 1.2;
    threatLeft_ = ThreatCenterX - threatWidth_ / 2;
    threatTop_ = ThreatCenterY - threatHeight_ / 2;
    Image1->setGeometry(twipsToPx(static_cast<int>(std::lround(threatLeft_))),
                        twipsToPx(static_cast<int>(std::lround(threatTop_))),
                        twipsToPx(static_cast<int>(std::lround(threatWidth_))),
                        twipsToPx(static_cast<int>(std::lround(threatHeight_))));
    loadPicture(Image1, state_.ThreatPictureName + std::to_string(MaxTries - WrongCount + 1) + ".jpg");
    Image1->show();
    Label3->show();

    if (WrongCount >= MaxTries) {
        const AnswerResult result = ScoreNameMe(state_, false, MaxTries, WrongCount);
        Label2->setText(qs(TargetWord));
        Label1->setText("Better luck next time!");
        GameOver = 1;
        Label3->setText("Too many tries!");
        showResult(state_, this, result);
    }
}

void NameMe::rightLetter()
{
    Display = maskedDisplay();
    Label2->setText(qs(Display));
    if (RevealMask != TargetWord)
        return;

    finished_ = true;
    showResult(state_, this, ScoreNameMe(state_, true, MaxTries, WrongCount));
    QCoreApplication::processEvents();
    done(QDialog::Accepted);
}

}  // namespace bellarune
