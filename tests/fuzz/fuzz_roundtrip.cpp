// One item whose strings are the input bytes and whose numbers are its first two bytes, written and read
// back.
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto table = std::make_unique<bellarune::ItemTable>();
    bellarune::ItemRecord& r = table->Items[table->ItemCount = 1];
    r.Name = r.Nickname = r.ImageFile = r.DateText = r.Commanders = r.Description = r.Campaign =
        std::string(reinterpret_cast<const char*>(data), size);
    r.ItemType = r.Side = r.State = r.Year1 = r.Year2 = r.Difficulty =
        size > 1 ? int16_t(data[0] | data[1] << 8) : -1;
    checkRoundTrip(*table);
    return 0;
}
