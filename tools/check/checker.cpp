#include "checker.h"

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "data/itemtable.h"
#include "engine/questionbuilder.h"

namespace bellarune {

namespace {

class CollectingNotifier : public Notifier {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
    std::vector<std::string> messages;
};

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

}  // namespace

CheckReport CheckDatabase(const std::string& dataFile, const std::string& pictureDir)
{
    CheckReport rep;
    GameState s;
    s.names.InitTables();
    CollectingNotifier notifier;
    s.notifier = notifier;
    rep.loaded = ReadItemFile(dataFile, s.table, notifier);
    if (!rep.loaded) {
        for (const std::string& m : notifier.messages)
            rep.problems.push_back("cannot read " + dataFile + ": " + oneLine(m));
        return rep;
    }
    rep.itemCount = s.table.ItemCount;
    s.TimesUsed.assign(static_cast<std::size_t>(s.table.ItemCount) + 1, 0);
    namespace fs = std::filesystem;
    auto pictureExists = [&](const std::string& f) { return fs::is_regular_file(fs::path(pictureDir) / f); };

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
        if (!r.ImageFile.empty() && !pictureExists(r.ImageFile))
            problem("picture " + r.ImageFile + " does not exist");
        for (const std::string* f :
             {&r.Name, &r.Nickname, &r.ImageFile, &r.DateText, &r.Commanders, &r.Description, &r.Campaign})
            if (SanitizeFieldText(*f) != *f)
                problem("a text holds a double quote or a line break and will not read back: " + oneLine(*f));
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
                states.insert(r.State);
                const std::string& map = s.names.StateImageFiles[static_cast<std::size_t>(r.State)];
                if (!map.empty() && !pictureExists(map))
                    rep.problems.push_back("state map " + map + " does not exist");
            }
            answers.insert(key);
        }
        rep.distinct[static_cast<std::size_t>(type)] = static_cast<int>(answers.size());
    }
    rep.statesCovered = static_cast<int>(states.size());
    // Each missing map is reported once.
    std::set<std::string> seen;
    std::vector<std::string> unique;
    for (const std::string& p : rep.problems)
        if (seen.insert(p).second)
            unique.push_back(p);
    rep.problems = unique;
    return rep;
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
    o << (rep.problems.empty() ? "no problems\n" : std::to_string(rep.problems.size()) + " problems\n");
    return o.str();
}

}  // namespace bellarune
