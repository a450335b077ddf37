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

    // A UTF-8 byte-order mark at the start (a file saved by a Windows editor) is not a value.
    explicit ValueReader(std::string_view data) : data_(data.substr(data.starts_with("\xEF\xBB\xBF") ? 3 : 0))
    {}

    // True when only blanks and line ends are left.
    bool atEnd() const;
    // Reads the next value; false at the end of the data.
    bool next(Value& value);

    // Converts a value's text to a whole number in [low, high]. Blanks around it are
    // ignored, an empty text counts as 0, and a decimal fraction rounds to the nearest
    // whole number (a half to the even one: 2.5 gives 2, 3.5 gives 4).
    static IntResult toInt(std::string_view text, long low, long high);

private:
    void skipBlanks();
    void skipDelimiter();
    std::string_view data_;
    std::size_t pos_ = 0;
};

}  // namespace bellarune
