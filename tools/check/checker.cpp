#include "checker.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "data/itemtable.h"
#include "engine/questionbuilder.h"

namespace bellarune {

namespace {

constexpr int kFieldsPerItem = 19;
constexpr const char* kFieldNames[kFieldsPerItem] = {
    "Name",      "Nickname",  "ImageFile",  "ItemType",    "Side",      "State",     "Year1",
    "Year2",     "DateText",  "Commanders", "Description", "Campaign",  "Reserved1", "Reserved2",
    "Reserved3", "Reserved4", "Reserved5",  "Reserved6",   "Difficulty"};

std::string oneLine(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            continue;  // CR LF is one break
        out += (s[i] == '\r' || s[i] == '\n') ? ' ' : s[i];
    }
    return out;
}

bool isPerson(const ItemRecord& r)
{
    return r.ItemType == Officer || r.ItemType == OtherPerson;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// One value as it stands in the file: its text, and what follows a closing quote before
// the next separator, which the game's reader drops.
struct RawValue {
    std::string_view text;
    std::string_view dropped;
};

// Splits the file into values by the game reader's rules (blanks before a value and empty
// lines skipped, a quoted value up to the next quote, any other up to a comma or line end),
// stopping after count values. A byte-order mark at the start is not text.
std::vector<RawValue> rawValues(std::string_view d, std::size_t count)
{
    std::vector<RawValue> out;
    std::size_t p = d.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    auto skipBlanks = [&] {
        while (p < d.size() && isBlank(d[p]))
            ++p;
    };
    auto toSeparator = [&] {
        while (p < d.size() && d[p] != ',' && !isLineEnd(d[p]))
            ++p;
    };
    while (out.size() < count) {
        skipBlanks();
        while (p < d.size() && isLineEnd(d[p])) {
            ++p;
            skipBlanks();
        }
        if (p >= d.size())
            break;
        RawValue v;
        if (d[p] == '"') {
            const std::size_t close = d.find('"', p + 1);
            if (close == std::string_view::npos)
                break;
            v.text = d.substr(p + 1, close - p - 1);
            p = close + 1;
            toSeparator();
            std::size_t b = close + 1, e = p;
            while (b < e && isBlank(d[b]))
                ++b;
            while (e > b && isBlank(d[e - 1]))
                --e;
            v.dropped = d.substr(b, e - b);
        } else {
            const std::size_t start = p;
            toSeparator();
            v.text = d.substr(start, p - start);
        }
        skipBlanks();
        if (p < d.size() && d[p] == ',')
            ++p;
        else if (p < d.size() && d[p] == '\r')
            p += (p + 1 < d.size() && d[p + 1] == '\n') ? 2 : 1;
        else if (p < d.size() && d[p] == '\n')
            ++p;
        out.push_back(v);
    }
    return out;
}

// Whether the text holds a well-formed UTF-8 sequence of two to four bytes: text saved as
// UTF-8, which the game, reading Latin-1, shows as two or more wrong characters.
bool holdsUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            lo = c == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
            hi = c == 0xED ? 0x9F : 0xBF;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            continue;
        }
        bool ok = i + n < s.size();
        for (std::size_t k = 1; ok && k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            ok = k == 1 ? d >= lo && d <= hi : d >= 0x80 && d <= 0xBF;
        }
        if (ok)
            return true;
    }
    return false;
}

bool isLetter(unsigned char c)
{
    return std::isalpha(c) || (c >= 0xC0 && c != 0xD7 && c != 0xF7);  // Latin-1 letters
}

std::string lowerAscii(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The last word of a name, without the punctuation around it ("Ulysses S. Grant": Grant).
std::string surname(const std::string& name)
{
    std::size_t e = name.size();
    while (e > 0 && !isLetter(static_cast<unsigned char>(name[e - 1])))
        --e;
    std::size_t b = e;
    while (b > 0 && !isBlank(name[b - 1]))
        --b;
    while (b < e && !isLetter(static_cast<unsigned char>(name[b])))
        ++b;
    return name.substr(b, e - b);
}

// Whether word stands in text as a whole word, case aside.
bool holdsWord(const std::string& text, const std::string& word)
{
    if (word.empty())
        return false;
    const std::string t = lowerAscii(text), w = lowerAscii(word);
    for (std::size_t at = t.find(w); at != std::string::npos; at = t.find(w, at + 1)) {
        const bool startsWord = at == 0 || !isLetter(static_cast<unsigned char>(t[at - 1]));
        const std::size_t end = at + w.size();
        if (startsWord && (end == t.size() || !isLetter(static_cast<unsigned char>(t[end]))))
            return true;
    }
    return false;
}

void checkItems(GameState& s, std::string_view raw, const std::string& pictureDir, CheckReport& rep)
{
    rep.itemCount = s.table.ItemCount;
    s.TimesUsed.assign(static_cast<std::size_t>(s.table.ItemCount) + 1, 0);
    namespace fs = std::filesystem;
    // A name the file system cannot look up (too long, say) is a problem of its own.
    auto lookUpPicture = [&](const std::string& f) -> std::string {
        std::error_code ec;
        if (fs::is_regular_file(fs::path(pictureDir) / f, ec))
            return "";
        if (!ec || ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
            return "does not exist";
        return "cannot be looked up: " + ec.message();
    };

    const std::vector<RawValue> values =
        rawValues(raw, static_cast<std::size_t>(s.table.ItemCount) * kFieldsPerItem);
    std::map<std::string, int> names;
    for (int i = 1; i <= s.table.ItemCount; ++i) {
        const ItemRecord& r = s.item(i);
        const std::string where = "item " + std::to_string(i) + " (" + r.Name + "): ";
        auto problem = [&](const std::string& what) { rep.problems.push_back(where + what); };
        if (r.Name.empty())
            problem("empty name");
        else if (auto [it, fresh] = names.emplace(r.Name, i); !fresh)
            problem("the same name as item " + std::to_string(it->second));
        if (r.ItemType < 0 || r.ItemType > 3)
            problem("item type " + std::to_string(r.ItemType) + " is not 0 to 3");
        if (r.Side < 0 || r.Side > 1)
            problem("side " + std::to_string(r.Side) + " is not 0 or 1");
        if (r.State < 0 || r.State > 16)
            problem("state " + std::to_string(r.State) + " is not 0 to 16");
        if (r.Difficulty < 1 || r.Difficulty > 3)
            problem("difficulty " + std::to_string(r.Difficulty) + " is not 1 to 3");
        if (r.Description.empty())
            problem("empty description");
        if (r.Year1 < 1700)
            problem("year " + std::to_string(r.Year1) + " is below 1700");
        if (isPerson(r) && r.Year2 < 1700)
            problem("year of death " + std::to_string(r.Year2) + " is below 1700");
        if (!r.ImageFile.empty())
            if (const std::string why = lookUpPicture(r.ImageFile); !why.empty())
                problem("picture " + r.ImageFile + " " + why);
        // "Match nicknames" shows the nickname beside the name: the surname gives it away.
        if (isPerson(r) && holdsWord(r.Nickname, surname(r.Name)))
            problem("Nickname holds the surname " + surname(r.Name) +
                    " and gives the answer away: " + r.Nickname);
        const std::pair<const char*, const std::string*> texts[] = {
            {"Name", &r.Name},         {"Nickname", &r.Nickname},     {"ImageFile", &r.ImageFile},
            {"DateText", &r.DateText}, {"Commanders", &r.Commanders}, {"Description", &r.Description},
            {"Campaign", &r.Campaign}};
        for (const auto& [field, text] : texts)
            if (SanitizeFieldText(*text) != *text)
                problem(
                    std::string("a text holds a double quote or a line break and will not read back, in ") +
                    field + ": " + oneLine(*text));
        for (int f = 0; f < kFieldsPerItem; ++f) {
            const std::size_t k =
                static_cast<std::size_t>(i - 1) * kFieldsPerItem + static_cast<std::size_t>(f);
            if (k >= values.size())
                break;
            const RawValue& v = values[k];
            if (!v.dropped.empty())
                problem(std::string(kFieldNames[f]) + " is cut short by a double quote inside it; lost: " +
                        oneLine(std::string(v.dropped)));
            if (holdsUtf8(v.text) || holdsUtf8(v.dropped))
                problem(std::string(kFieldNames[f]) +
                        " is UTF-8 text, not Latin-1: " + oneLine(std::string(v.text)));
        }
    }

    std::set<int> states;
    for (int type = 1; type <= 16; ++type) {
        s.CurrentQuestionType = static_cast<int16_t>(type);
        std::set<std::string> answers;
        for (int i = 1; i <= s.table.ItemCount; ++i) {
            if (!ItemFitsType(s, i, type) || !(AnswerText(s, i, type) > std::string(" ")))
                continue;
            ++rep.qualifying[static_cast<std::size_t>(type)];
            const ItemRecord& r = s.item(i);
            std::string key = AnswerText(s, i, type);
            if (type >= 8 && type <= 10)
                key = std::to_string(r.Year1);
            if (type == 14) {
                key = std::to_string(r.State);
                if (r.State <= 16)  // of the 16 states with a map
                    states.insert(r.State);
                // A state outside the table has no map (and is reported above).
                if (r.State >= 0 && static_cast<std::size_t>(r.State) < s.names.StateImageFiles.size()) {
                    const std::string& map = s.names.StateImageFiles[static_cast<std::size_t>(r.State)];
                    if (!map.empty())
                        if (const std::string why = lookUpPicture(map); !why.empty())
                            rep.problems.push_back("state map " + map + " " + why);
                }
            }
            answers.insert(key);
        }
        rep.distinct[static_cast<std::size_t>(type)] = static_cast<int>(answers.size());
    }
    rep.statesCovered = static_cast<int>(states.size());
}

// Each problem once (a missing map is met at every battle in its state).
void dropRepeats(CheckReport& rep)
{
    std::set<std::string> seen;
    std::vector<std::string> unique;
    for (const std::string& p : rep.problems)
        if (seen.insert(p).second)
            unique.push_back(p);
    rep.problems = unique;
}

template <typename Load>
CheckReport check(const std::string& source, const std::string& pictureDir, Load load)
{
    CheckReport rep;
    try {
        auto s = std::make_unique<GameState>();
        s->names.InitTables();
        KeepingNotifier notifier;
        s->notifier = notifier;
        std::string raw;
        rep.loaded = load(s->table, notifier, raw);
        if (!rep.loaded) {
            for (const std::string& m : notifier.messages)
                rep.problems.push_back("cannot read " + source + ": " + oneLine(m));
            return rep;
        }
        checkItems(*s, raw, pictureDir, rep);
    } catch (const std::exception& e) {
        rep.problems.push_back("the check of " + source + " stopped: " + e.what());
    }
    dropRepeats(rep);
    return rep;
}

}  // namespace

CheckReport CheckDatabase(const std::string& dataFile, const std::string& pictureDir)
{
    return check(dataFile, pictureDir, [&](ItemTable& table, Notifier& notifier, std::string& raw) {
        if (!ReadItemFile(dataFile, table, notifier))
            return false;
        std::ifstream in(dataFile, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        raw = bytes.str();
        return true;
    });
}

CheckReport CheckItemData(std::string_view data, const std::string& pictureDir, const std::string& source)
{
    return check(source, pictureDir, [&](ItemTable& table, Notifier& notifier, std::string& raw) {
        raw.assign(data);
        return ParseItemData(data, table, notifier);
    });
}

std::string FormatReport(const CheckReport& rep, const NameTables& names)
{
    std::ostringstream o;
    if (rep.loaded) {
        o << rep.itemCount << " items\n";
        for (int t = 1; t <= 16; ++t)
            o << "type " << t << " " << names.QuestionTypeNames[static_cast<std::size_t>(t)] << ": "
              << rep.qualifying[static_cast<std::size_t>(t)] << " items qualify, "
              << rep.distinct[static_cast<std::size_t>(t)] << " different\n";
        o << "states in battles-and-states questions: " << rep.statesCovered << " of 16\n";
    }
    for (const std::string& p : rep.problems)
        o << "problem: " << p << "\n";
    const std::size_t n = rep.problems.size();
    o << (n == 0 ? "no problems\n" : std::to_string(n) + (n == 1 ? " problem\n" : " problems\n"));
    return o.str();
}

}  // namespace bellarune
