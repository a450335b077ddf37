// Writes the item file and the settings file over and over, alternating between two
// versions, until it is killed. The fault test kills it at random moments.
#include <string>

#include "data/itemtable.h"
#include "data/notifier.h"
#include "data/settings.h"

int main(int argc, char** argv)
{
    using namespace bellarune;
    if (argc < 3)
        return 2;
    const std::string dat = argv[1], ini = argv[2];
    static ItemTable a, b;
    a.ItemCount = b.ItemCount = 400;
    for (int i = 1; i <= 400; ++i) {
        a.Items[i].Name = "Version A item " + std::to_string(i);
        a.Items[i].Description = std::string(200, 'a');
        b.Items[i].Name = "Version B item " + std::to_string(i);
        b.Items[i].Description = std::string(300, 'b');
    }
    Settings sa, sb;
    sa.QuestionsPerGame = 3;
    sb.QuestionsPerGame = 9;
    sb.BackgroundPicture = std::string(5000, 'p');
    NullNotifier quiet;
    for (unsigned n = 0;; ++n) {
        WriteItemFile(dat, n % 2 ? b : a, quiet);
        SaveSettings(ini, n % 2 ? sb : sa, nullptr);
    }
}
