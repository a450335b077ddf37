#include "testsupport.h"

#include <QApplication>
#include <QDirIterator>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "engine/gamedriver.h"
#include "platform/latin1text.h"
#include "screens/questionscreens.h"
#include "screens/showscor.h"

namespace bellarune::test {

QList<int> FakeSound::sounds() const
{
    QList<int> out;
    for (const std::string& f : played)
        out << std::stoi(f.substr(3));
    return out;
}

QStringList strings(const std::vector<std::string>& texts)
{
    QStringList out;
    for (const std::string& t : texts)
        out << QString::fromStdString(t);
    return out;
}

void ProgramDir::write(const QString& name, const std::string& contents) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(contents.data(), static_cast<qint64>(contents.size()));
}

std::vector<std::string> fileLines(const QString& path)
{
    std::vector<std::string> out;
    const std::string text = readAll(path);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return out;
}

void ProgramDir::copyGame() const
{
    for (QDirIterator it(gameDir(), QDir::Files); it.hasNext();) {
        it.next();
        QFile::copy(it.filePath(), file(it.fileName()));
    }
}

void ProgramDir::writePicture(const QString& name, unsigned rgb) const
{
    QImage image(60, 80, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb));
    image.save(file(name), "JPG");
}

std::string readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

std::pair<int, QString> runProgram(const QString& program, const QStringList& args, int timeoutMs)
{
    QProcess p;
    p.start(program, args);
    const bool done = p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit;
    return {done ? p.exitCode() : -1, QString::fromLatin1(p.readAllStandardOutput())};
}

TestState::TestState(uint64_t seed)
{
    state.names.InitTables();
    state.rng.seed(seed);
    state.notifier = notifier;
    state.sound = sound;
    state.settings.LogLevel = 1;
    for (std::size_t n = 0; n < 9; ++n)
        state.SoundFiles[n] = "snd" + std::to_string(n) + ".wav";
    state.showText = [this](const std::string& file, int style) { textsShown.emplace_back(file, style); };
}

void writeItemPictures(const ProgramDir& dir, const GameState& state)
{
    for (int i = 1; i <= state.table.ItemCount; ++i)
        if (const QString name = qs(state.item(i).ImageFile); !name.isEmpty() && !dir.exists(name))
            dir.writePicture(name, 0x101010u * unsigned(i));
}

QByteArray handItem(const QByteArray& name, const QByteArray& nickname, int type, int state,
                    const QByteArray& picture, const QByteArray& description)
{
    return "\"" + name + "\",\"" + nickname + "\",\"" + picture + "\"," + QByteArray::number(type) +
           ",0\r\n" + QByteArray::number(state) + ",1800,1870,\"\",\"\"\r\n\"" + description +
           "\",\"\"\r\n0,0,0\r\n0,0,0,1\r\n";
}

void setItems(GameState& state, const std::vector<ItemRecord>& items)
{
    state.table.ItemCount = static_cast<int16_t>(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        state.table.Items[i + 1] = items[i];
    state.TimesUsed.assign(items.size() + 1, 0);
}

namespace {
// An item without reserved values, its fields in the data file's order.
ItemRecord item(std::string name, std::string nick, std::string picture, int16_t type, int16_t side,
                int16_t state, int16_t year1, int16_t year2, std::string date, std::string commanders,
                std::string description, std::string campaign, int16_t difficulty)
{
    return {name,  nick, picture,    type,        side,     state, year1,
            year2, date, commanders, description, campaign, {},    difficulty};
}
}  // namespace

const std::vector<ItemRecord>& fixtureItems()
{
    static const std::vector<ItemRecord> items = {
        item("Ulysses S. Grant", "Unconditional Surrender", "grant.jpg", Officer, 0, 0, 1822, 1885, "",
             "General-in-chief", "Took Vicksburg and accepted Lee's surrender", "", 1),
        item("Robert E. Lee", "Marse Robert", "lee.jpg", Officer, 1, 2, 1807, 1870, "", "General",
             "Led the Army of Northern Virginia", "", 1),
        item("William T. Sherman", "Uncle Billy", "sherman.jpg", Officer, 0, 0, 1820, 1891, "",
             "Major General", "Marched from Atlanta to the sea", "", 2),
        item("Thomas J. Jackson", "Stonewall", "jackson.jpg", Officer, 1, 0, 1824, 1863, "",
             "Lieutenant General", "Stood like a stone wall at Manassas", "", 2),
        item("Clara Barton", "Angel of the Battlefield", "barton.jpg", OtherPerson, 0, 0, 1821, 1912, "",
             "Nurse", "Nursed the wounded and founded the Red Cross", "", 3),
        item("Jefferson Davis", "Jeff", "davis.jpg", OtherPerson, 1, 3, 1808, 1889, "", "President",
             "President of the Confederate States", "", 3),
        item("First Bull Run", "First Manassas", "bullrun.jpg", Battle, 0, 2, 1861, 1861, "July 21, 1861",
             "McDowell, Beauregard", "The first great battle ended in a Union rout", "Manassas Campaign", 1),
        item("Antietam", "Sharpsburg", "antietam.jpg", Battle, 0, 8, 1862, 1862, "September 17, 1862",
             "McClellan, Lee", "The bloodiest single day of the war", "Maryland Campaign", 1),
        item("Gettysburg", "High water mark", "gettysburg.jpg", Battle, 0, 7, 1863, 1863, "July 1-3, 1863",
             "Meade, Lee", "Turned back the invasion of the North", "Gettysburg Campaign", 2),
        item("Atlanta", "", "", Battle, 0, 6, 1864, 1864, "July 22, 1864", "Sherman, Hood",
             "Opened the road to the sea", "Atlanta Campaign", 2),
        item("Bentonville", "", "", Battle, 1, 5, 1865, 1865, "March 19-21, 1865", "Sherman, Johnston",
             "The last attack of Johnston's army", "Carolinas Campaign", 3),
        item("Fort Sumter", "", "sumter.jpg", OtherEvent, 1, 4, 1861, 1861, "April 12, 1861", "",
             "The first shots of the war", "", 1),
        item("Emancipation Proclamation", "", "", OtherEvent, 0, 0, 1863, 1863, "January 1, 1863", "",
             "Freed the slaves in the rebel states", "", 2),
        item("Lincoln's assassination", "", "", OtherEvent, 0, 0, 1865, 1865, "April 14, 1865", "",
             "The President was shot at Ford's Theatre", "", 3),
    };
    return items;
}

void loadFixture(GameState& state)
{
    setItems(state, fixtureItems());
}

GameRun playGame(TestState& ts, std::vector<Move> moves, std::function<void()> setup)
{
    GameRun run;
    std::size_t next = 0;
    // Every new modal window is handled once, from a queued call, so the poll timer is
    // free to see the windows the handling itself opens.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w->property("handled").toBool())
            return;
        w->setProperty("handled", true);
        if (auto* score = qobject_cast<ShowScor*>(w)) {
            run.push_back({score->Label1->text().toStdString(), score->resultText(),
                           score->Label2->text().toStdString()});
            QTimer::singleShot(0, score->Command1, [b = score->Command1] { b->click(); });
            return;
        }
        const Move move = next < moves.size() ? moves[next++] : Move{};
        QTimer::singleShot(0, w, [w, move] {
            if (move)
                move(w);
            else
                w->close();
        });
    });
    poll.start(5);
    GameCallbacks ui;
    ui.showScreen = [&ts](int) { runQuestionScreen(ts.state, nullptr); };
    ui.showSetup = std::move(setup);
    PlayGame(ts.state, ui);
    return run;
}

void addGameColumns()
{
    QTest::addColumn<QStringList>("scores");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<Weights>("weights");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QList<int>>("sounds");
}

void compareGame(const TestState& ts, const GameRun& run)
{
    QFETCH(QStringList, scores);
    QFETCH(QStringList, messages);
    QFETCH(Weights, weights);
    QFETCH(QStringList, log);
    QFETCH(QList<int>, sounds);
    QStringList shown;
    for (const ScoreShown& s : run)
        shown << qs(s.title) << qs(s.result).split("\r\n") << qs(s.score);
    QCOMPARE(shown, scores);
    QCOMPARE(strings(ts.notifier.messages), messages);
    QCOMPARE(weightsOf(ts.state), weights);
    QCOMPARE(strings(fileLines("zelquiz.log")), log);
    QCOMPARE(ts.sound.sounds(), sounds);
}

Weights weightsOf(const GameState& state, int except)
{
    static const char* const names[] = {"Grant",       "Lee",     "Sherman",      "Jackson",      "Barton",
                                        "Davis",       "BullRun", "Antietam",     "Gettysburg",   "Atlanta",
                                        "Bentonville", "Sumter",  "Emancipation", "Assassination"};
    Weights used;
    for (int k = Grant; k <= FixtureCount && k < int(state.TimesUsed.size()); ++k)
        if (state.TimesUsed[std::size_t(k)] != except)
            used[names[k - 1]] = state.TimesUsed[std::size_t(k)];
    return used;
}

void keys(const QString& words)
{
    for (const QString& k : words.split(' ', Qt::SkipEmptyParts)) {
        const QKeyCombination c = QKeySequence(k)[0];
        QTest::keyClick(QApplication::focusWidget(), c.key(),
                        c.keyboardModifiers() | (k == "Enter" ? Qt::KeypadModifier : Qt::NoModifier));
    }
}

void onNextModal(std::function<void(QWidget*)> fn, int timeoutMs)
{
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);  // owned by the application, so a timer never fired is not leaked
    QObject::connect(timer, &QTimer::timeout, [before, fn, timer] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w != before && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            fn(w);
        }
    });
    QTimer::singleShot(timeoutMs, timer, &QObject::deleteLater);
    timer->start(10);
}

}  // namespace bellarune::test
