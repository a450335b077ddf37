// Any bytes either load, and then write and read back unchanged, or fail and keep ItemCount and entry 0.
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto table = std::make_unique<bellarune::ItemTable>();
    table->ItemCount = 7;
    bellarune::NullNotifier quiet;
    const bool ok = ParseItemData({reinterpret_cast<const char*>(data), size}, *table, quiet);
    FUZZ_CHECK(table->Items[0] == bellarune::ItemRecord{} && (ok || table->ItemCount == 7));
    if (ok)
        checkRoundTrip(*table);
    return 0;
}
