// The sound list against a plain reading of the same bytes: values quoted or bare, separated by commas or
// line ends, blanks and empty lines before a value skipped, blanks after a bare value dropped, nine values at
// most; a UTF-8 byte-order mark at the start is no part of the first.
#include "data/soundlist.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const std::string in = raw.starts_with("\xEF\xBB\xBF") ? raw.substr(3) : raw;
    size = in.size();
    std::array<std::string, 10> expect{};
    for (std::size_t k = 0, i = 0, close, end; k < 9; ++k, i = end + 1) {
        i = std::min(in.find_first_not_of(" \t\r\n", i), size);
        close = i < size && in[i] == '"' ? in.find('"', i + 1) : i;  // a quoted value ends at the next quote
        if (i == size || close == std::string::npos)
            break;
        end = std::min(in.find_first_of(",\r\n", close), size);
        std::string v = close > i ? in.substr(i + 1, close - i - 1) : in.substr(i, end - i);
        expect[k] = close > i ? v : v.erase(v.find_last_not_of(" \t") + 1);
    }
    FUZZ_CHECK(bellarune::ParseSoundList(raw) == expect);
    return 0;
}
