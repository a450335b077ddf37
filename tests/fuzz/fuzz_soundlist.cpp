// Any sound list gives at most nine names, the tenth slot always empty.
#include <cstdint>
#include <string>

#include "data/soundlist.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto files = bellarune::ParseSoundList(std::string_view(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(files[9].empty());
    for (const std::string& f : files)
        FUZZ_CHECK(f.size() <= size);
    return 0;
}
