#include "cutting/post_settings.h"

#include <cmath>
#include <functional>
#include <optional>

#include "cutting/exact_number.h"
#include "cutting/folder_file.h"
#include "cutting/text_lines.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor::cutting {

namespace {


// One word of a fixed choice: the value's index among the words, or none.
std::optional<int> choiceOf(const std::string& value, const std::vector<std::string>& words)
{
    for (size_t i = 0; i < words.size(); ++i)
        if (toLowerAscii(value) == words[i]) return static_cast<int>(i);
    return std::nullopt;
}

std::string wordsText(const std::vector<std::string>& words)
{
    std::string text;
    for (size_t i = 0; i < words.size(); ++i) text += (i ? (i + 1 == words.size() ? " or " : ", ") : "") + words[i];
    return text;
}

// A program line must not break the program's own lines.
bool programLineOk(const std::string& value) { return value.find_first_of("\r\n") == std::string::npos; }

struct Key {
    std::string name;
    std::string comment;
    // Applies the value; returns "" or what is wrong with it.
    std::function<std::string(PostSettings&, const std::string&)> set;
    // The value lines to write (several for start and end).
    std::function<std::vector<std::string>(const PostSettings&)> get;
};

using Setter = std::function<void(PostSettings&, int)>;
using Getter = std::function<int(const PostSettings&)>;

Key choiceKey(std::string name, std::string comment, std::vector<std::string> words, Setter put, Getter take)
{
    auto set = [words, put](PostSettings& s, const std::string& v) -> std::string {
        const std::optional<int> i = choiceOf(v, words);
        if (!i) return "\"" + v + "\" is not " + wordsText(words);
        put(s, *i);
        return "";
    };
    auto get = [words, take](const PostSettings& s) {
        return std::vector<std::string>{words.at(static_cast<size_t>(take(s)))};
    };
    return {std::move(name), std::move(comment), set, get};
}

Key wholeKey(std::string name, std::string comment, int most, Setter put, Getter take)
{
    auto set = [most, put](PostSettings& s, const std::string& v) -> std::string {
        const std::optional<double> n = numberFromText(v);
        if (!n || *n < 0 || *n > most || *n != std::floor(*n))
            return "\"" + v + "\" is not a whole number from 0 to " + std::to_string(most);
        put(s, static_cast<int>(*n));
        return "";
    };
    auto get = [take](const PostSettings& s) { return std::vector<std::string>{std::to_string(take(s))}; };
    return {std::move(name), std::move(comment), set, get};
}

Key numberKey(std::string name, std::string comment, double least, double most, double PostSettings::*field)
{
    auto set = [least, most, field](PostSettings& s, const std::string& v) -> std::string {
        const std::optional<double> n = numberFromText(v);
        if (!n || !std::isfinite(*n) || *n < least || *n > most)
            return "\"" + v + "\" is not a number from " + formatGeneral(least) + " to " + formatGeneral(most);
        s.*field = *n;
        return "";
    };
    auto get = [field](const PostSettings& s) { return std::vector<std::string>{exactNumberText(s.*field)}; };
    return {std::move(name), std::move(comment), set, get};
}

Key lineKey(std::string name, std::string comment, std::string PostSettings::*field)
{
    auto set = [field](PostSettings& s, const std::string& v) -> std::string {
        if (v.empty()) return "needs a program word";
        s.*field = v;
        return "";
    };
    auto get = [field](const PostSettings& s) { return std::vector<std::string>{s.*field}; };
    return {std::move(name), std::move(comment), set, get};
}

// A program word, or "off" for none.
Key wordOrOffKey(std::string name, std::string comment, std::string PostSettings::*field)
{
    auto set = [field](PostSettings& s, const std::string& v) -> std::string {
        if (v.empty()) return "needs a program word or off";
        s.*field = v == "off" ? std::string() : v;
        return "";
    };
    auto get = [field](const PostSettings& s) { return std::vector<std::string>{(s.*field).empty() ? "off" : s.*field}; };
    return {std::move(name), std::move(comment), set, get};
}

Key linesKey(std::string name, std::string comment, std::vector<std::string> PostSettings::*field)
{
    auto set = [field](PostSettings& s, const std::string& v) -> std::string {
        (s.*field).push_back(v);
        return "";
    };
    auto get = [field](const PostSettings& s) { return s.*field; };
    return {std::move(name), std::move(comment), set, get};
}

template <typename E>
Key enumKey(std::string name, std::string comment, std::vector<std::string> words, E PostSettings::*field)
{
    return choiceKey(std::move(name), std::move(comment), std::move(words),
                     [field](PostSettings& s, int i) { s.*field = static_cast<E>(i); },
                     [field](const PostSettings& s) { return static_cast<int>(s.*field); });
}

const std::vector<Key>& keys()
{
    static const std::vector<Key> k{
        linesKey("start", "a line written at the program's start (repeat the key for more lines)", &PostSettings::startLines),
        linesKey("end", "a line written at the program's end (repeat the key for more lines)", &PostSettings::endLines),
        lineKey("torch_on", "turns the torch on at a pierce point", &PostSettings::torchOn),
        lineKey("torch_off", "turns the torch off at the end of each contour", &PostSettings::torchOff),
        enumKey("comments", "comment style: parentheses, semicolon or none", {"parentheses", "semicolon", "none"},
                &PostSettings::comments),
        wholeKey("line_numbers", "N words: 0 for none, else the step between line numbers", 1000,
                 [](PostSettings& s, int n) {
                     s.lineNumbers = n > 0;
                     if (n > 0) s.lineNumberStep = n;
                 },
                 [](const PostSettings& s) { return s.lineNumbers ? s.lineNumberStep : 0; }),
        wholeKey("decimals", "decimals of coordinates", 6, [](PostSettings& s, int n) { s.decimals = n; },
                 [](const PostSettings& s) { return s.decimals; }),
        enumKey("arcs", "arcs as G2/G3 moves (arcs) or as short G1 lines (lines)", {"arcs", "lines"},
                &PostSettings::arcsAsLines),
        numberKey("arc_tolerance", "largest distance of a short line from its arc (mm)", 0.0001, 10,
                  &PostSettings::arcTolerance),
        enumKey("compensation", "kerf compensation in the program's path, or by the controller (G41)",
                {"path", "controller"}, &PostSettings::controllerCompensation),
        enumKey("lead_in", "lead-in shape: line or arc", {"line", "arc"}, &PostSettings::arcLeadIn),
        enumKey("start_corner", "sheet corner the cutting starts from",
                {"bottom-left", "bottom-right", "top-left", "top-right"}, &PostSettings::startCorner),
        enumKey("remnant_start", "the cut that parts a remnant off fires beyond the plate's edge (outside) or on it (edge)",
                {"outside", "edge"}, &PostSettings::remnantEdgeStart),
        numberKey("rapid_speed", "rapid travel speed for the time estimate (mm per minute)", 1, 1e6,
                  &PostSettings::rapidSpeed),
        enumKey("common_line", "straight edges of two parts the kerf apart cut once, midway between them (on), or each part cut on its own (off)",
                {"off", "on"}, &PostSettings::commonLine),
        numberKey("skeleton_cut", "cuts across the waste after every part so that no piece of it is longer than this (mm); 0 for none",
                  0, 1e6, &PostSettings::skeletonCut),
        numberKey("microjoint_width", "material a microjoint leaves uncut on an outer contour (mm); 0 for no microjoints", 0, 100,
                  &PostSettings::jointWidth),
        wholeKey("microjoints", "microjoints on each outer contour, spread along it", 100,
                 [](PostSettings& s, int n) { s.joints = n; }, [](const PostSettings& s) { return s.joints; }),
        numberKey("microjoint_every", "one microjoint every this many mm of contour instead (0: the count above)", 0, 1e6,
                  &PostSettings::jointEvery),
        enumKey("microjoint_holes", "holes get microjoints too (on) or none (off)", {"off", "on"}, &PostSettings::jointHoles),
        wordOrOffKey("microjoint_word", "a program word at which the controller breaks the cut itself over a microjoint; off: the torch goes off and on again",
                     &PostSettings::jointWord),
    };
    return k;
}

} // namespace

PostSettings parsePostText(const std::string& content, const std::string& fileName, std::vector<std::string>& errors)
{
    PostSettings s;
    bool startGiven = false, endGiven = false;
    for (const auto& [number, raw] : numberedLines(content)) {
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#') continue;
        const std::string where = fileName + " line " + std::to_string(number) + ": ";
        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            errors.push_back(where + "expected key = value");
            continue;
        }
        const std::string name = toLowerAscii(trimmed(line.substr(0, eq)));
        const std::string value = trimmed(line.substr(eq + 1));
        const Key* key = nullptr;
        for (const Key& k : keys())
            if (k.name == name) key = &k;
        if (!key) {
            errors.push_back(where + "unknown key \"" + name + "\"");
            continue;
        }
        // The first start or end line given replaces the default lines.
        if (name == "start" && !startGiven) { s.startLines.clear(); startGiven = true; }
        if (name == "end" && !endGiven) { s.endLines.clear(); endGiven = true; }
        if (!programLineOk(value)) continue;
        const std::string problem = key->set(s, value);
        if (!problem.empty()) errors.push_back(where + name + ": " + problem);
    }
    return s;
}

PostSettings readPostFile(const std::string& path, std::vector<std::string>& errors)
{
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        errors.push_back(file.error);
        return {};
    }
    return parsePostText(*file.bytes, path, errors);
}

std::string postFileText(const PostSettings& settings)
{
    std::string text = "# Dravenor post file: how NC programs are written for this machine.\r\n"
                       "# key = value, one per line; lines starting with # are comments.\r\n";
    for (const Key& k : keys()) {
        text += "\r\n# " + k.name + ": " + k.comment + "\r\n";
        const std::vector<std::string> values = k.get(settings);
        for (const std::string& v : values) text += k.name + " = " + v + "\r\n";
    }
    return text;
}

std::string postFilePath(const std::string& folder)
{
    return folderFilePath(folder, kPostFileName);
}

} // namespace dravenor::cutting
