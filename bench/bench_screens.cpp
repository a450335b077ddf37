// Opening the image matching screen with four real portraits: from the construction of
// the form until all four picture boxes have been painted (load, shuffle, layout, show,
// first paint), the way ShowQuestion opens it. Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise (xcb under Xvfb measures the real window).
//
//   build/bench/bench_screens [--benchmark_repetitions=N ...]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <vector>

#include "data/itemtable.h"
#include "data/notifier.h"
#include "engine/gamestate.h"
#include "screens/imatch.h"

using namespace bellarune;

namespace {

// Counts the paint events of the watched boxes.
class PaintCounter : public QObject {
public:
    int painted = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !watched->property("benchPainted").toBool()) {
            watched->setProperty("benchPainted", true);
            ++painted;
        }
        return false;
    }
};

// A program directory holding the shipped portraits, made the current directory.
struct Portraits {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    QStringList files;  // largest first
    Portraits()
    {
        const QDir src(QStringLiteral(BELLARUNE_SOURCE_DIR "/assets/portraits"));
        for (const QFileInfo& f : src.entryInfoList({"*.jpg"}, QDir::Files, QDir::Size)) {
            QFile::copy(f.absoluteFilePath(), dir.filePath(f.fileName()));
            files << f.fileName();
        }
        QDir::setCurrent(dir.path());
    }
    ~Portraits() { QDir::setCurrent(previous); }
};

// The shipped database (every person with a portrait qualifies) or four people whose
// pictures are the four largest files.
void setUp(GameState& s, const Portraits& p, bool largest)
{
    s.names.InitTables();
    s.rng.seed(1863);
    s.settings.LogLevel = 1;  // every line logged, the slowest setting
    if (largest) {
        for (int i = 1; i <= 4; ++i) {
            ItemRecord& r = s.table.Items[static_cast<std::size_t>(i)];
            r.Name = "Person " + std::to_string(i);
            r.ItemType = Officer;
            r.ImageFile = p.files[i - 1].toStdString();
        }
        s.table.ItemCount = 4;
    } else {
        NullNotifier quiet;
        ReadItemFile(BELLARUNE_SOURCE_DIR "/assets/zel.dat", s.table, quiet);
    }
    s.CurrentQuestionType = 15;
}

void openImageMatch(benchmark::State& st, bool largest)
{
    Portraits p;
    if (p.files.size() < 4) {
        st.SkipWithError("no portraits in assets/portraits");
        return;
    }
    auto s = std::make_unique<GameState>();
    setUp(*s, p, largest);
    qint64 round = 0;
    for (auto _ : st) {
        s->TimesUsed.assign(static_cast<std::size_t>(s->table.ItemCount) + 1, 0);
        // A question shows pictures not seen for a while: a new modification time keeps
        // Qt's pixmap cache from serving them from the last round, so each is decoded once
        // (the shuffle's reloads of it then come from the cache, as in the game).
        const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1000000000 + ++round);
        for (const QString& f : p.files) {
            QFile file(p.dir.filePath(f));
            if (file.open(QIODevice::ReadWrite))
                file.setFileTime(stamp, QFileDevice::FileModificationTime);
        }
        QElapsedTimer timer;
        timer.start();
        PaintCounter counter;
        {
            IMatch form(*s);
            for (QLabel* box : form.Image1)
                box->installEventFilter(&counter);
            form.load();
            form.show();
            while (counter.painted < 4 && timer.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            st.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
            const bool loaded = std::all_of(form.Image1.begin(), form.Image1.end(),
                                            [](QLabel* box) { return !box->pixmap().isNull(); });
            if (counter.painted < 4 || !loaded)
                st.SkipWithError("the four pictures were not loaded and painted");
        }
        QCoreApplication::processEvents();  // let the closed window go before the next round
    }
}

void BM_ImageMatchOpen_ShippedDatabase(benchmark::State& st)
{
    openImageMatch(st, false);
}
void BM_ImageMatchOpen_FourLargestPortraits(benchmark::State& st)
{
    openImageMatch(st, true);
}

// Five runs of a second each; the median is the figure, the minimum shows it without
// the noise of other work on the machine.
double Minimum(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}
BENCHMARK(BM_ImageMatchOpen_ShippedDatabase)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("min", Minimum);
BENCHMARK(BM_ImageMatchOpen_FourLargestPortraits)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("min", Minimum);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
