#pragma once
// A small streaming JSON writer: objects, arrays, strings, numbers and Booleans, with commas and
// indentation handled for the caller. Numbers are written so that they read back exactly.
#include <string>
#include <string_view>
#include <vector>

namespace dravenor::cli {

class JsonWriter {
public:
    // A one-line container keeps its members on one line (small records such as entities).
    void beginObject(bool oneLine = false);
    void endObject();
    void beginArray(bool oneLine = false);
    void endArray();
    // Inside an object: the key of the next value.
    JsonWriter& key(std::string_view name);

    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(double number);   // shortest text that reads back as the same double; null if not finite
    void value(long long number);
    void value(int number) { value(static_cast<long long>(number)); }
    void value(bool flag);

    // key + value in one call.
    template <class T>
    void field(std::string_view name, const T& v)
    {
        key(name);
        value(v);
    }

    const std::string& text() const { return out_; }

private:
    struct Container {
        bool first = true;
        bool oneLine = false;
    };
    void beforeValue();
    void open(char bracket, bool oneLine);
    void close(char bracket);
    void newline();

    std::string out_;
    std::vector<Container> open_;
    bool afterKey_ = false;
};

// The text as a JSON string literal, quotes included.
std::string jsonQuoted(std::string_view text);

} // namespace dravenor::cli
