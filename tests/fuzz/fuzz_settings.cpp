// Any settings text loads, and what it gives writes and reads back unchanged.
#include "data/settings.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    bellarune::Settings s, again;
    ParseSettings(std::string(reinterpret_cast<const char*>(data), size), s);
    FUZZ_CHECK(ParseSettings(FormatSettings(s), again) && again == s);
    return 0;
}
