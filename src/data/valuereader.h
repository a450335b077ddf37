#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace bellarune {

// Reads comma- and line-separated values the way the game's text files are written:
// blanks before a value are skipped, a value that starts with a double quote runs to
// the next double quote, any other value runs to the next comma or line end.
class ValueReader {
public:
    struct Value {
        std::string text;
        bool quoted = false;
    };
    enum class IntStatus { Ok, Mismatch, Overflow };
    struct IntResult {
        IntStatus status = IntStatus::Ok;
        long value = 0;
    };

    explicit ValueReader(std::string_view data) : data_(data) {}

    // True when only blanks and line ends are left.
    bool atEnd() const;
    // Reads the next value; false at the end of the data.
    bool next(Value& value);

    // Converts a value's text to a whole number in [low, high]. Blanks around it are
    // ignored and an empty text counts as 0.
    static IntResult toInt(std::string_view text, long low, long high);

private:
    void skipBlanks();
    void skipDelimiter();
    std::string_view data_;
    std::size_t pos_ = 0;
};

}  // namespace bellarune
