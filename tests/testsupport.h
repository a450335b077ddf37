#pragma once
// Shared pieces of the tests: a temporary program directory, a state with fakes for the
// message boxes and the sound, one item set that serves every question type, draws of
// the generator laid down in advance, and a player that runs whole games through the
// real driver and the real screens.
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include "engine/gamestate.h"

class QWidget;

namespace bellarune::test {

// Keeps the messages; records each question as "title|text" and answers it OK.
class RecordingNotifier : public KeepingNotifier {
public:
    bool askOkCancel(const std::string& text, const std::string& title) override
    {
        questions.push_back(title + "|" + text);
        return true;
    }
    std::vector<std::string> questions;
};

// Records what was played. TestState names sound n "snd<n>.wav", so sounds() gives the numbers.
class FakeSound : public SoundOutput {
public:
    bool play(const std::string& file, int) override
    {
        played.push_back(file);
        return true;
    }
    QList<int> sounds() const;  // 5, 8 ... for snd5.wav, snd8.wav, ...
    std::vector<std::string> played;
};

std::string readAll(const QString& path);
std::vector<std::string> fileLines(const QString& path);

// A temporary directory made the current one for the test's lifetime.
class ProgramDir {
public:
    ProgramDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~ProgramDir() { QDir::setCurrent(previous_); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const std::string& contents) const;
    std::string read(const QString& name) const { return readAll(file(name)); }
    bool exists(const QString& name) const { return QFile::exists(file(name)); }
    // The lines of a text file written with CR LF ends (the last, empty one dropped).
    std::vector<std::string> lines(const QString& name) const { return fileLines(file(name)); }
    // Copies every file of the built program directory (the executable, the shipped files).
    void copyGame() const;
    // A small JPEG of one colour, as a picture of the program directory.
    void writePicture(const QString& name, unsigned rgb = 0x808080) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The built program directory (build/game), given to the tests by CTest.
inline QString gameDir()
{
    return qEnvironmentVariable("BELLARUNE_GAME_DIR");
}

// A state with the name tables filled, a seeded generator, a recording notifier, a fake
// sound with numbered files, log level 1 and a recorded text viewer.
struct TestState {
    explicit TestState(uint64_t seed = 12345);
    GameState state;
    RecordingNotifier notifier;
    FakeSound sound;
    std::vector<std::pair<std::string, int>> textsShown;
};

// One item of zel.dat as the owner writes it by hand: five CR LF lines, side 0, years 1800 to 1870,
// difficulty 1; the texts go in as they stand.
QByteArray handItem(const QByteArray& name, const QByteArray& nickname, int type, int state,
                    const QByteArray& picture = "", const QByteArray& description = "d");

// Puts items at 1..n of the table and sizes TimesUsed for them, all 0.
void setItems(GameState& state, const std::vector<ItemRecord>& items);

// The shared item set, 14 items: people 1-6 (1-4 officers, 5-6 other persons, each with
// years, description, nickname and picture "<surname>.jpg"), battles 7-11 (1861 to 1865,
// each with date, commanders, campaign and a state of its own) and other events 12-14.
// Every question type has at least five qualifying items (type 14 six, with distinct states).
enum FixturePerson : int16_t { Grant = 1, Lee, Sherman, Jackson, Barton, Davis };
enum FixtureBattle : int16_t { BullRun = Davis + 1, Antietam, Gettysburg, Atlanta, Bentonville };
enum FixtureEvent : int16_t { Sumter = Bentonville + 1, Emancipation, Assassination };
constexpr int FixtureCount = Assassination;
const std::vector<ItemRecord>& fixtureItems();
void loadFixture(GameState& state);
// A picture for every ImageFile of the table that is missing, so the portrait types find theirs: item i's a
// grey of 16 times i.
void writeItemPictures(const ProgramDir& dir, const GameState& state);

// Uniform numbers that make the generator's draws land where a test wants them:
// item k of n in a pick, value v of 0..n-1 (a right slot, a shuffle step), question type t.
inline double pickOf(int k, int n = FixtureCount)
{
    return (k - 0.5) / n;
}
inline double valueOf(int v, int n)
{
    return (v + 0.5) / n;
}
inline double typeOf(int t)
{
    return (t + 0.5) / 17;
}

// What one score window showed: its title, result text (CR LF kept) and score line.
struct ScoreShown {
    std::string title, result, score;
};
using GameRun = std::vector<ScoreShown>;  // every score window of a game, read and closed with its ok button
// One player's move on a question screen (click, drag, type, skip...), run once it is shown.
using Move = std::function<void(QWidget* screen)>;
// Plays a whole game with PlayGame through the real screens: the k-th question screen that opens
// gets moves[k] (a move must end its question, or the game waits); score windows are read and
// closed. setup runs when the driver asks for the setup screen.
GameRun playGame(TestState& ts, std::vector<Move> moves, std::function<void()> setup = {});

// Runs fn on the next modal window that opens (polling the event loop), so a test can
// answer a dialog that a handler shows with exec().
void onNextModal(std::function<void(QWidget*)> fn, int timeoutMs = 5000);
// Texts as a list of strings, for comparing with QCOMPARE.
QStringList strings(const std::vector<std::string>& texts);
// Usage weights of the fixture items by their names ("Grant", "Lee", ...), the items at weight 0 left out.
using Weights = QMap<QString, int>;
// The fixture items' weights in the state, those at weight `except` left out.
Weights weightsOf(const GameState& state, int except = 0);
// The columns of a table of games: what the game showed and left. "scores": the title, the lines
// of the result and the score line of each score window; "messages": the message boxes; "weights"; "log": the
// lines of the quiz log; "sounds": the numbers of the sounds played.
void addGameColumns();
// Compares a game played in the current test's program directory with its row, field by field.
void compareGame(const TestState& ts, const GameRun& run);
// Keys as QKeySequence spells them ("Down", "Return", "Shift+Tab", "Esc"), typed on the focused
// control; "Enter" is the keypad's.
void keys(const QString& words);
// Runs a program to its end: its exit code (-1 on a crash or time-out) and standard output.
std::pair<int, QString> runProgram(const QString& program, const QStringList& args, int timeoutMs = 120000);

}  // namespace bellarune::test

Q_DECLARE_METATYPE(bellarune::test::Move)
