#include "valuereader.h"

namespace bellarune {

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}
}  // namespace

bool ValueReader::atEnd() const
{
    for (std::size_t p = pos_; p < data_.size(); ++p) {
        char c = data_[p];
        if (!isBlank(c) && !isLineEnd(c) && c != '\x1a')  // Ctrl-Z: old end-of-file mark
            return false;
    }
    return true;
}

void ValueReader::skipBlanks()
{
    while (pos_ < data_.size() && isBlank(data_[pos_]))
        ++pos_;
}

// After a value: consumes a comma or one line end (CR LF, CR or LF).
void ValueReader::skipDelimiter()
{
    skipBlanks();
    if (pos_ >= data_.size())
        return;
    char c = data_[pos_];
    if (c == ',') {
        ++pos_;
    } else if (c == '\r') {
        ++pos_;
        if (pos_ < data_.size() && data_[pos_] == '\n')
            ++pos_;
    } else if (c == '\n') {
        ++pos_;
    }
}

bool ValueReader::next(Value& value)
{
    value = Value{};
    skipBlanks();
    // Empty lines between values are not values.
    while (pos_ < data_.size() && isLineEnd(data_[pos_])) {
        ++pos_;
        skipBlanks();
    }
    if (pos_ >= data_.size())
        return false;
    if (data_[pos_] == '"') {
        std::size_t close = data_.find('"', pos_ + 1);
        if (close == std::string_view::npos)
            return false;  // an unclosed string runs past the end of the file
        value.text.assign(data_.substr(pos_ + 1, close - pos_ - 1));
        value.quoted = true;
        pos_ = close + 1;
        // Anything up to the delimiter after a closing quote is dropped.
        while (pos_ < data_.size() && data_[pos_] != ',' && !isLineEnd(data_[pos_]))
            ++pos_;
    } else {
        std::size_t start = pos_;
        while (pos_ < data_.size() && data_[pos_] != ',' && !isLineEnd(data_[pos_]))
            ++pos_;
        std::size_t end = pos_;
        while (end > start && isBlank(data_[end - 1]))
            --end;
        value.text.assign(data_.substr(start, end - start));
    }
    skipDelimiter();
    return true;
}

ValueReader::IntResult ValueReader::toInt(std::string_view text, long low, long high)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    IntResult r;
    if (b == e)
        return r;  // empty: 0
    bool neg = false;
    if (text[b] == '-' || text[b] == '+') {
        neg = text[b] == '-';
        ++b;
    }
    if (b == e)
        return {IntStatus::Mismatch, 0};
    long v = 0;
    std::size_t i = b;
    for (; i < e && text[i] != '.'; ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return {IntStatus::Mismatch, 0};
        v = v * 10 + (c - '0');
        if (v > 100000000000L)  // far past any field, and no overflow of long
            return {IntStatus::Overflow, 0};
    }
    if (i < e) {
        // A number with a decimal point ("1800.0") converts as numbers do into a whole-number
        // field: to the nearest whole number, a half to the even one.
        const std::string_view fraction = text.substr(i + 1, e - i - 1);
        if (i == b && fraction.empty())
            return {IntStatus::Mismatch, 0};
        for (char c : fraction)
            if (c < '0' || c > '9')
                return {IntStatus::Mismatch, 0};
        const bool overHalf =
            !fraction.empty() &&
            (fraction[0] > '5' ||
             (fraction[0] == '5' && fraction.find_first_not_of('0', 1) != std::string_view::npos));
        const bool half = !fraction.empty() && fraction[0] == '5' && !overHalf;
        if (overHalf || (half && v % 2 == 1))
            ++v;
    }
    if (neg)
        v = -v;
    if (v < low || v > high)
        return {IntStatus::Overflow, 0};
    r.value = v;
    return r;
}

}  // namespace bellarune
