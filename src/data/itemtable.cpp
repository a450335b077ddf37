#include "itemtable.h"

#include <cerrno>
#include <cstdio>

#include "atomicfile.h"
#include "notifier.h"
#include "valuereader.h"

namespace bellarune {

namespace {

struct ReadFault {
    std::string text;
};

int16_t toInt16(const ValueReader::Value& v)
{
    ValueReader::IntResult r = ValueReader::toInt(v.text, -32768, 32767);
    if (r.status == ValueReader::IntStatus::Mismatch)
        throw ReadFault{"Type mismatch"};
    if (r.status == ValueReader::IntStatus::Overflow)
        throw ReadFault{"Overflow"};
    return static_cast<int16_t>(r.value);
}

void readRecord(ValueReader& in, ItemRecord& rec)
{
    auto str = [&](std::string& field) {
        ValueReader::Value v;
        if (!in.next(v))
            throw ReadFault{"Input past end of file"};
        field = v.text;
    };
    auto num = [&](int16_t& field) {
        ValueReader::Value v;
        if (!in.next(v))
            throw ReadFault{"Input past end of file"};
        field = toInt16(v);
    };
    str(rec.Name);
    str(rec.Nickname);
    str(rec.ImageFile);
    num(rec.ItemType);
    num(rec.Side);
    num(rec.State);
    num(rec.Year1);
    num(rec.Year2);
    str(rec.DateText);
    str(rec.Commanders);
    str(rec.Description);
    str(rec.Campaign);
    for (int16_t& r : rec.Reserved)
        num(r);
    num(rec.Difficulty);
}

void appendQuoted(std::string& out, const std::string& s)
{
    out += '"';
    out += SanitizeFieldText(s);
    out += '"';
}

}  // namespace

std::string SanitizeFieldText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            out += '\'';
        } else if (c == '\r' || c == '\n') {
            // CR LF is one line break, one blank
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

bool ReadItemFile(const std::string& path, ItemTable& table, Notifier& notifier)
{
    std::string data;
    std::string error;
    if (!readWholeFile(path, data, error)) {
        notifier.reportFailure(error + "\r\nlast item 0 ");
        table.LoadFailed = true;
        return false;
    }
    return ParseItemData(data, table, notifier);
}

bool ParseItemData(std::string_view data, ItemTable& table, Notifier& notifier)
{
    ValueReader in(data);
    int n = 1;
    try {
        while (!in.atEnd()) {
            if (n > kItemCapacity)
                throw ReadFault{"Subscript out of range"};
            table.Items[n] = ItemRecord{};
            readRecord(in, table.Items[n]);
            ++n;
        }
    } catch (const ReadFault& fault) {
        const int last = n - 1;
        notifier.reportFailure(fault.text + "\r\nlast item " + std::to_string(last) + " " +
                               table.Items[last].Name);
        table.LoadFailed = true;
        return false;
    }
    table.ItemCount = static_cast<int16_t>(n - 1);
    table.LoadFailed = false;
    return true;
}

std::string FormatItemFile(const ItemTable& table)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(table.ItemCount) * 256);
    auto num = [&](int16_t v) { out += std::to_string(v); };
    for (int i = 1; i <= table.ItemCount; ++i) {
        const ItemRecord& r = table.Items[i];
        appendQuoted(out, r.Name);
        out += ',';
        appendQuoted(out, r.Nickname);
        out += ',';
        appendQuoted(out, r.ImageFile);
        out += ',';
        num(r.ItemType);
        out += ',';
        num(r.Side);
        out += "\r\n";
        num(r.State);
        out += ',';
        num(r.Year1);
        out += ',';
        num(r.Year2);
        out += ',';
        appendQuoted(out, r.DateText);
        out += ',';
        appendQuoted(out, r.Commanders);
        out += "\r\n";
        appendQuoted(out, r.Description);
        out += ',';
        appendQuoted(out, r.Campaign);
        out += "\r\n";
        num(r.Reserved[0]);
        out += ',';
        num(r.Reserved[1]);
        out += ',';
        num(r.Reserved[2]);
        out += "\r\n";
        num(r.Reserved[3]);
        out += ',';
        num(r.Reserved[4]);
        out += ',';
        num(r.Reserved[5]);
        out += ',';
        num(r.Difficulty);
        out += "\r\n";
    }
    return out;
}

bool WriteItemFile(const std::string& path, const ItemTable& table, Notifier& notifier,
                   FileSystemCalls* calls)
{
    if (table.LoadFailed) {
        notifier.reportFailure(
            "The item file " + path +
            " could not be read completely when the program started, so it was not replaced."
            "\r\nCorrect the file and start the program again.");
        return false;
    }
    std::string error;
    if (!writeFileAtomically(path, FormatItemFile(table), error, calls)) {
        notifier.reportFailure(error);
        return false;
    }
    return true;
}

}  // namespace bellarune
