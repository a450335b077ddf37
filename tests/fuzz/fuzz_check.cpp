// Any bytes, checked as a data file: the check never throws or crashes, agrees with the
// game's reader on what loads, keeps its counts in range, and reports text the reader
// loses after a closing quote and text saved as UTF-8.
#include <algorithm>
#include <string_view>

#include "check/checker.h"
#include "fuzzcheck.h"

using namespace bellarune;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CheckReport rep = CheckItemData(bytes, "/nonexistent-picture-dir");
    // Bytes that carry text, as opposed to separators, quotes, blanks and the parts of numbers
    // (a decimal point among them: "1800.0" reads as a whole number).
    auto textBytes = [](std::string_view s) {
        return std::count_if(s.begin(), s.end(), [](char c) {
            return std::string_view(" \t\r\n,\"\x1a+-.0123456789").find(c) == std::string_view::npos;
        });
    };
    // Whether a problem says what (at its start when atStart: item texts appear inside problems).
    auto reports = [&rep](std::string_view what, bool atStart = false) {
        return std::any_of(rep.problems.begin(), rep.problems.end(), [&](const std::string& p) {
            return atStart ? p.rfind(what, 0) == 0 : p.find(what) != std::string::npos;
        });
    };
    auto table = std::make_unique<ItemTable>();
    NullNotifier quiet;
    const bool loads = ParseItemData(bytes, *table, quiet);
    FUZZ_CHECK(rep.loaded == loads && !reports("the check of", true));
    if (!loads)
        return 0;
    FUZZ_CHECK(rep.itemCount == table->ItemCount && rep.statesCovered <= 16);
    // A byte-order mark is not text.
    const std::string_view text = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
    std::size_t kept = 0;
    for (auto r = table->Items.begin() + 1; r <= table->Items.begin() + table->ItemCount; ++r)
        kept += textBytes(r->Name) + textBytes(r->Nickname) + textBytes(r->ImageFile) +
                textBytes(r->DateText) + textBytes(r->Commanders) + textBytes(r->Description) +
                textBytes(r->Campaign);
    const std::string_view cutShort = " is cut short by a double quote inside it; lost: ";
    FUZZ_CHECK(textBytes(text) <= kept || reports(cutShort));
    // No two-byte UTF-8 letter (an e acute saved as C3 A9, say) goes unreported.
    auto utf8Pair = [](uint8_t a, uint8_t b) { return a >= 0xC2 && a <= 0xDF && b >= 0x80 && b <= 0xBF; };
    FUZZ_CHECK(std::adjacent_find(text.begin(), text.end(), utf8Pair) == text.end() ||
               reports(" is UTF-8 text, not Latin-1: ") || reports(cutShort));
    return 0;
}
