// Any bytes either load (and then write and read back unchanged) or give the fault message.
#include <cstdint>
#include <memory>
#include <string>

#include "data/itemtable.h"
#include "data/notifier.h"
#include "fuzzcheck.h"

namespace {
class Recorder : public bellarune::Notifier {
public:
    void showMessage(const std::string& text) override
    {
        ++count;
        last = text;
    }
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
    int count = 0;
    std::string last;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace bellarune;
    auto table = std::make_unique<ItemTable>();
    Recorder rec;
    const bool ok = ParseItemData(std::string_view(reinterpret_cast<const char*>(data), size), *table, rec);
    if (!ok) {
        FUZZ_CHECK(rec.count == 1);
        FUZZ_CHECK(rec.last.find("\r\nlast item ") != std::string::npos);
        FUZZ_CHECK(table->ItemCount == 0);
        return 0;
    }
    FUZZ_CHECK(rec.count == 0);
    FUZZ_CHECK(table->ItemCount >= 0 && table->ItemCount <= kItemCapacity);
    FUZZ_CHECK(table->Items[0] == ItemRecord{});
    // What loads must survive a write and a read.
    const std::string text = FormatItemFile(*table);
    auto again = std::make_unique<ItemTable>();
    FUZZ_CHECK(ParseItemData(text, *again, rec));
    FUZZ_CHECK(again->ItemCount == table->ItemCount);
    for (int i = 1; i <= table->ItemCount; ++i) {
        ItemRecord expect = table->Items[i];
        for (std::string* f : {&expect.Name, &expect.Nickname, &expect.ImageFile, &expect.DateText, &expect.Commanders,
                               &expect.Description, &expect.Campaign})
            *f = SanitizeFieldText(*f);
        FUZZ_CHECK(again->Items[i] == expect);
    }
    FUZZ_CHECK(FormatItemFile(*again) == text);
    return 0;
}
