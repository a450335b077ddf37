// Any bytes, checked as a data file: the check never throws or crashes, agrees with the
// game's reader on what loads, keeps its counts in range, and reports text the reader
// loses after a closing quote and text saved as UTF-8.
#include <string_view>

#include "check/checker.h"
#include "fuzzcheck.h"

namespace {

// Bytes that carry text, as opposed to separators, quotes, blanks and the parts of numbers
// (a decimal point among them: a whole-number field reads 1800.0 as 1800).
std::size_t textBytes(std::string_view s)
{
    std::size_t n = 0;
    for (char c : s)
        n += std::string_view(" \t\r\n,\"\x1a+-.0123456789").find(c) == std::string_view::npos;
    return n;
}

// A two-byte UTF-8 letter such as an e acute saved as C3 A9.
bool hasTwoByteUtf8(std::string_view s)
{
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        if (a >= 0xC2 && a <= 0xDF && b >= 0x80 && b <= 0xBF)
            return true;
    }
    return false;
}

// Whether a problem says what (at its start when atStart: item texts appear inside problems).
bool reports(const bellarune::CheckReport& rep, std::string_view what, bool atStart = false)
{
    for (const std::string& p : rep.problems)
        if (atStart ? p.rfind(what, 0) == 0 : p.find(what) != std::string::npos)
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bellarune::CheckReport rep = bellarune::CheckItemData(bytes, "/nonexistent-picture-dir");
    auto table = std::make_unique<bellarune::ItemTable>();
    bellarune::NullNotifier quiet;
    const bool loads = ParseItemData(bytes, *table, quiet);
    FUZZ_CHECK(rep.loaded == loads && !reports(rep, "the check of", true));
    if (!loads)
        return 0;
    FUZZ_CHECK(rep.itemCount == table->ItemCount && rep.statesCovered <= 16);
    for (int t = 1; t <= 16; ++t)
        FUZZ_CHECK(rep.distinct[t] <= rep.qualifying[t] && rep.qualifying[t] <= rep.itemCount);
    // A byte-order mark is not text.
    const std::string_view text = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
    std::size_t kept = 0;
    for (int i = 1; i <= table->ItemCount; ++i) {
        const bellarune::ItemRecord& r = table->Items[i];
        for (const std::string* f :
             {&r.Name, &r.Nickname, &r.ImageFile, &r.DateText, &r.Commanders, &r.Description, &r.Campaign})
            kept += textBytes(*f);
    }
    FUZZ_CHECK(textBytes(text) <= kept || reports(rep, " is cut short by a double quote inside it; lost: "));
    FUZZ_CHECK(!hasTwoByteUtf8(text) || reports(rep, " is UTF-8 text, not Latin-1: ") ||
               reports(rep, " is cut short by a double quote inside it; lost: "));
    return 0;
}
