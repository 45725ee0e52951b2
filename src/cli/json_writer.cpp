#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

namespace dravenor::cli {

std::string jsonQuoted(std::string_view text)
{
    static const char* const hex = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::newline()
{
    out_ += '\n';
    out_.append(open_.size() * 2, ' ');
}

void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (open_.empty()) return;
    Container& c = open_.back();
    if (!c.first) out_ += c.oneLine ? ", " : ",";
    if (!c.oneLine) newline();
    c.first = false;
}

void JsonWriter::open(char bracket, bool oneLine)
{
    beforeValue();
    out_ += bracket;
    open_.push_back({true, oneLine || (!open_.empty() && open_.back().oneLine)});
}

void JsonWriter::close(char bracket)
{
    const Container c = open_.back();
    open_.pop_back();
    if (!c.first && !c.oneLine) newline();
    out_ += bracket;
    if (open_.empty()) out_ += '\n';
}

void JsonWriter::beginObject(bool oneLine) { open('{', oneLine); }
void JsonWriter::endObject() { close('}'); }
void JsonWriter::beginArray(bool oneLine) { open('[', oneLine); }
void JsonWriter::endArray() { close(']'); }

JsonWriter& JsonWriter::key(std::string_view name)
{
    beforeValue();
    out_ += jsonQuoted(name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

void JsonWriter::value(std::string_view text)
{
    beforeValue();
    out_ += jsonQuoted(text);
}

void JsonWriter::value(double number)
{
    beforeValue();
    if (!std::isfinite(number)) {
        out_ += "null";
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out_.append(buffer, result.ptr);
}

void JsonWriter::value(long long number)
{
    beforeValue();
    out_ += std::to_string(number);
}

void JsonWriter::value(bool flag)
{
    beforeValue();
    out_ += flag ? "true" : "false";
}

} // namespace dravenor::cli
