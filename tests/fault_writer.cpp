// Writes the item file and the settings file over and over until it is killed: the fault test kills it at
// random moments and reads what is left.
#include "data/itemtable.h"
#include "data/notifier.h"
#include "data/settings.h"

int main(int argc, char** argv)
{
    static bellarune::ItemTable items;
    items.ItemCount = 400;
    for (int i = 1; i <= 400; ++i)
        items.Items[i].Description = std::string(250, 'd');
    bellarune::Settings settings;
    settings.BackgroundPicture = std::string(5000, 'p');  // a long line 3, so a cut file misses lines
    bellarune::NullNotifier quiet;
    while (argc == 3) {
        WriteItemFile(argv[1], items, quiet);
        WriteSettingsFile(argv[2], settings, nullptr);
    }
    return 2;
}
