#include "settings.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "atomicfile.h"
#include "notifier.h"
#include "valuereader.h"

namespace bellarune {

namespace {

// The file keeps slots 0..9; lines 4 to 7 list slots 2 and 3 the other way round.
constexpr std::array<int, 5> kFirstRow = {0, 1, 3, 2, 4};
constexpr std::array<int, 5> kSecondRow = {5, 6, 7, 8, 9};

std::vector<std::string> splitLines(const std::string& data)
{
    std::vector<std::string> lines;
    std::string cur;
    for (std::size_t i = 0; i < data.size(); ++i) {
        char c = data[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
                ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        lines.push_back(cur);
    return lines;
}

std::vector<std::string> splitValues(const std::string& line)
{
    std::vector<std::string> out;
    std::string cur;
    bool any = false;
    for (char c : line) {
        if (c == ' ' || c == '\t' || c == ',') {
            if (any)
                out.push_back(cur);
            cur.clear();
            any = false;
        } else {
            cur += c;
            any = true;
        }
    }
    if (any)
        out.push_back(cur);
    return out;
}

template <typename T>
void readNum(const std::vector<std::string>& values, std::size_t i, T& target, long low, long high)
{
    if (i >= values.size())
        return;
    ValueReader::IntResult r = ValueReader::toInt(values[i], low, high);
    if (r.status == ValueReader::IntStatus::Ok)
        target = static_cast<T>(r.value);
}

constexpr long kMin16 = -32768, kMax16 = 32767;
constexpr long kMin32 = -2147483647L - 1, kMax32 = 2147483647L;

// A hand-edited file may hold what setup never writes: the values are taken into the ranges
// setup allows (1 to 10 questions, difficulties 1 to 9 with the minimum not above the maximum,
// log level 0 to 2), and window memory into states and sizes a window can have. The screen's
// own limit on a size is applied when the window is placed.
void keepInRange(Settings& s)
{
    auto clamp16 = [](int16_t& v, int low, int high) {
        v = static_cast<int16_t>(std::clamp<int>(v, low, high));
    };
    clamp16(s.QuestionsPerGame, 1, 10);
    clamp16(s.MaxDifficulty, 1, 9);
    clamp16(s.MinDifficulty, 1, s.MaxDifficulty);
    clamp16(s.LogLevel, 0, 2);
    for (WindowMemoryRecord& r : s.WindowMemory) {
        if (r.WindowState < 0 || r.WindowState > 2)
            r.WindowState = 0;
        clamp16(r.Height, 0, kMax16);
        clamp16(r.Width, 0, kMax16);
    }
}

}  // namespace

Settings::Settings()
{
    for (int t = 1; t <= 16; ++t)
        CategoryEnabled[t] = -1;
    // Window memory stays 0: a screen never resized opens at its design client size, whatever
    // frame the desktop adds (a design size stored as an outer size would cut its controls).
}

bool LoadSettings(const std::string& path, Settings& s)
{
    std::string data, error;
    if (!readWholeFile(path, data, error))
        return false;
    return ParseSettings(data, s);
}

bool ParseSettings(const std::string& data, Settings& s)
{
    std::vector<std::string> lines = splitLines(data.starts_with("\xEF\xBB\xBF") ? data.substr(3) : data);
    auto values = [&](std::size_t line) {
        return line < lines.size() ? splitValues(lines[line]) : std::vector<std::string>{};
    };

    auto l1 = values(0);
    readNum(l1, 0, s.MinDifficulty, kMin16, kMax16);
    readNum(l1, 1, s.MaxDifficulty, kMin16, kMax16);
    readNum(l1, 2, s.QuestionsPerGame, kMin16, kMax16);
    readNum(l1, 3, s.LogLevel, kMin16, kMax16);
    auto l2 = values(1);
    readNum(l2, 0, s.SettingsSpare, kMin16, kMax16);
    readNum(l2, 1, s.SoundOn, kMin16, kMax16);
    if (lines.size() > 2) {
        const std::string& l3 = lines[2];
        std::size_t b = l3.find_first_not_of(" \t");
        if (b == std::string::npos) {
            s.BackgroundPicture.clear();
        } else {
            std::size_t e = l3.find(',', b);
            s.BackgroundPicture = l3.substr(b, e == std::string::npos ? std::string::npos : e - b);
        }
    }
    for (int row = 0; row < 2; ++row) {
        const auto& slots = row == 0 ? kFirstRow : kSecondRow;
        auto st = values(3 + row * 4), bc = values(4 + row * 4), h = values(5 + row * 4),
             w = values(6 + row * 4);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            WindowMemoryRecord& r = s.WindowMemory[slots[i]];
            readNum(st, i, r.WindowState, kMin16, kMax16);
            readNum(bc, i, r.BackColor, kMin32, kMax32);
            readNum(h, i, r.Height, kMin16, kMax16);
            readNum(w, i, r.Width, kMin16, kMax16);
        }
    }
    for (int c = 0; c <= 16; ++c)
        readNum(values(11 + c), 0, s.CategoryEnabled[c], kMin16, kMax16);
    keepInRange(s);
    return lines.size() >= 28;
}

std::string FormatSettings(const Settings& s)
{
    std::ostringstream o;
    const char* nl = "\r\n";
    o << s.MinDifficulty << ' ' << s.MaxDifficulty << ' ' << s.QuestionsPerGame << ' ' << s.LogLevel << nl;
    o << s.SettingsSpare << ' ' << s.SoundOn << ' ' << 8 << ' ' << 8 << nl;
    o << s.BackgroundPicture << nl;
    for (int row = 0; row < 2; ++row) {
        const auto& slots = row == 0 ? kFirstRow : kSecondRow;
        auto line = [&](auto field) {
            for (std::size_t i = 0; i < slots.size(); ++i)
                o << (i ? " " : "") << field(s.WindowMemory[slots[i]]);
            o << nl;
        };
        line([](const WindowMemoryRecord& r) { return long(r.WindowState); });
        line([](const WindowMemoryRecord& r) { return long(r.BackColor); });
        line([](const WindowMemoryRecord& r) { return long(r.Height); });
        line([](const WindowMemoryRecord& r) { return long(r.Width); });
    }
    for (int c = 0; c <= 16; ++c)
        o << s.CategoryEnabled[c] << nl;
    return o.str();
}

bool WriteSettingsFile(const std::string& path, const Settings& s, Notifier* notifier, FileSystemCalls* calls)
{
    std::string error;
    if (writeFileAtomically(path, FormatSettings(s), error, calls))
        return true;
    if (notifier)
        notifier->showMessage(error);
    return false;
}

}  // namespace bellarune
