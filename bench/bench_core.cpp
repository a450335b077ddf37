// Reading and writing a full database, picking items, and a whole game without screens.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/itemtable.h"
#include "engine/gamedriver.h"
#include "engine/questionbuilder.h"
#include "engine/quizlog.h"
#include "engine/scoring.h"

using namespace bellarune;

namespace {

// A full table in which every type has plenty of qualifying items.
void fillTable(GameState& s)
{
    s.names.InitTables();
    s.table.ItemCount = 400;
    for (int i = 1; i <= 400; ++i) {
        ItemRecord& r = s.table.Items[static_cast<std::size_t>(i)];
        r.Name = "Item number " + std::to_string(i);
        r.Nickname = "Nickname " + std::to_string(i);
        r.ImageFile = "item" + std::to_string(i) + ".jpg";
        r.ItemType = static_cast<int16_t>(i % 4);
        r.Side = static_cast<int16_t>(i % 2);
        r.State = static_cast<int16_t>(i % 17);
        r.Year1 = static_cast<int16_t>(1800 + i % 60);
        r.Year2 = static_cast<int16_t>(1870 + i % 40);
        r.DateText = "Month " + std::to_string(i) + ", 1863";
        r.Commanders = "Commander " + std::to_string(i) + " vs. Commander " + std::to_string(i + 1000);
        r.Description =
            "A one-sentence description of item " + std::to_string(i) + ", long enough to be real.";
        r.Campaign = "Campaign " + std::to_string(i % 30);
        r.Difficulty = static_cast<int16_t>(1 + i % 3);
    }
    s.TimesUsed.assign(401, 0);
}

std::string benchFile()
{
    return (std::filesystem::temp_directory_path() / "bellarune-bench-zel.dat").string();
}

void BM_ReadItemFile400(benchmark::State& st)
{
    GameState s;
    fillTable(s);
    NullNotifier quiet;
    const std::string path = benchFile();
    WriteItemFile(path, s.table, quiet);
    for (auto _ : st) {
        ItemTable t;
        benchmark::DoNotOptimize(ReadItemFile(path, t, quiet));
        if (t.ItemCount != 400)
            st.SkipWithError("did not read 400 items");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadItemFile400)->Unit(benchmark::kMicrosecond);

void BM_WriteItemFile400(benchmark::State& st)
{
    GameState s;
    fillTable(s);
    NullNotifier quiet;
    const std::string path = benchFile();
    for (auto _ : st)
        benchmark::DoNotOptimize(WriteItemFile(path, s.table, quiet));
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteItemFile400)->Unit(benchmark::kMicrosecond);

void BM_PickQuestion(benchmark::State& st)
{
    GameState s;
    fillTable(s);
    s.rng.seed(1);
    s.CurrentQuestionType = static_cast<int16_t>(st.range(0));
    for (auto _ : st) {
        for (int slot = 0; slot < 5; ++slot)
            benchmark::DoNotOptimize(PickItem(s, slot));
        st.PauseTiming();
        s.TimesUsed.assign(401, 0);
        st.ResumeTiming();
    }
}
BENCHMARK(BM_PickQuestion)->DenseRange(1, 16)->Unit(benchmark::kMicrosecond);

void BM_PickItemGivesUp(benchmark::State& st)
{
    GameState s;
    fillTable(s);
    s.rng.seed(2);
    s.CurrentQuestionType = 3;
    s.TimesUsed.assign(401, 30000);  // nothing can qualify: all 252,500 candidates are tried
    for (auto _ : st)
        benchmark::DoNotOptimize(PickItem(s, 0));
}
BENCHMARK(BM_PickItemGivesUp)->Unit(benchmark::kMillisecond);

void BM_WholeGame(benchmark::State& st)
{
    GameState s;
    fillTable(s);
    s.rng.seed(3);
    s.settings.QuestionsPerGame = 10;
    s.settings.LogLevel = 1;
    s.LogFileName = (std::filesystem::temp_directory_path() / "bellarune-bench.log").string();
    GameCallbacks ui;
    // A screen's work without widgets: pick its items, log, score.
    ui.showScreen = [&](int) {
        LogWrite(s, "Multiple Choice", LogLevel::Detail, 0);
        const int right = s.rng.draw(4);
        for (int slot = 0; slot < 5; ++slot)
            QuestionText(s, 4, PickItem(s, slot), s.CurrentQuestionType);
        ScoreChoice(s, 0, right, "prompt", "answer");
    };
    for (auto _ : st) {
        PlayGame(s, ui);
        ResetLog(s);
    }
    std::remove(s.LogFileName.c_str());
}
BENCHMARK(BM_WholeGame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
