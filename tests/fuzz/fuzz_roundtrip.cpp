// Items made of arbitrary field values are written and read back as they were (after the
// writer's replacement of double quotes and line breaks).
#include <cstdint>
#include <memory>
#include <string>

#include "data/itemtable.h"
#include "data/notifier.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace bellarune;
    auto table = std::make_unique<ItemTable>();
    std::size_t pos = 0;
    auto takeString = [&]() {
        std::string s;
        while (pos < size && data[pos] != 0)
            s += static_cast<char>(data[pos++]);
        if (pos < size)
            ++pos;
        return s;
    };
    auto takeInt = [&]() -> int16_t {
        int16_t v = 0;
        if (pos + 1 < size) {
            v = static_cast<int16_t>(data[pos] | (data[pos + 1] << 8));
            pos += 2;
        }
        return v;
    };
    int n = 0;
    while (pos < size && n < kItemCapacity) {
        ItemRecord& r = table->Items[++n];
        r.Name = takeString();
        r.Nickname = takeString();
        r.ImageFile = takeString();
        r.ItemType = takeInt();
        r.Side = takeInt();
        r.State = takeInt();
        r.Year1 = takeInt();
        r.Year2 = takeInt();
        r.DateText = takeString();
        r.Commanders = takeString();
        r.Description = takeString();
        r.Campaign = takeString();
        for (int16_t& x : r.Reserved)
            x = takeInt();
        r.Difficulty = takeInt();
    }
    table->ItemCount = static_cast<int16_t>(n);
    NullNotifier quiet;
    auto again = std::make_unique<ItemTable>();
    FUZZ_CHECK(ParseItemData(FormatItemFile(*table), *again, quiet));
    FUZZ_CHECK(again->ItemCount == n);
    for (int i = 1; i <= n; ++i) {
        ItemRecord expect = table->Items[i];
        for (std::string* f : {&expect.Name, &expect.Nickname, &expect.ImageFile, &expect.DateText, &expect.Commanders,
                               &expect.Description, &expect.Campaign})
            *f = SanitizeFieldText(*f);
        FUZZ_CHECK(again->Items[i] == expect);
    }
    return 0;
}
