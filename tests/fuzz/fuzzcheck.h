#pragma once
// A failed check traps, so the fuzzer reports it with its input.
#include <memory>

#include "data/itemtable.h"
#include "data/notifier.h"

#define FUZZ_CHECK(cond) ((cond) ? void() : __builtin_trap())

// A table written and read back writes the same text again: every value came back, and a string that the
// format cannot hold (a double quote, a line break) came back as the writer wrote it.
inline void checkRoundTrip(const bellarune::ItemTable& t)
{
    bellarune::NullNotifier quiet;
    auto back = std::make_unique<bellarune::ItemTable>();
    const std::string text = FormatItemFile(t);
    FUZZ_CHECK(ParseItemData(text, *back, quiet) && back->ItemCount == t.ItemCount &&
               FormatItemFile(*back) == text);
}
