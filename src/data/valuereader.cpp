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
    for (std::size_t i = b; i < e; ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return {IntStatus::Mismatch, 0};
        v = v * 10 + (c - '0');
        if (v > 100000000000L)  // far past any field, and no overflow of long
            return {IntStatus::Overflow, 0};
    }
    if (neg)
        v = -v;
    if (v < low || v > high)
        return {IntStatus::Overflow, 0};
    r.value = v;
    return r;
}

}  // namespace bellarune
