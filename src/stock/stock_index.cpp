#include "stock/stock_index.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include "job/job_file_sections.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr const char* kLineEnd = "\r\n";
// Ids stay far from the end of their type, so the next id always exists.
constexpr std::int64_t kLargestId = 999999999999;

const std::vector<std::string>& indexColumns()
{
    static const std::vector<std::string> columns{"id", "shape file", "material", "grade", "thickness", "size",
                                                  "area", "quantity", "source job", "layout", "date"};
    return columns;
}

// The plate table with prices: a last column, written only when some plate has a price, so that
// a stock that never priced a plate keeps its table as it was.
const std::vector<std::string>& pricedIndexColumns()
{
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> c = indexColumns();
        c.push_back("price");
        return c;
    }();
    return columns;
}

const std::vector<std::string>& historyColumns()
{
    static const std::vector<std::string> columns{"date", "change", "job", "layout", "fingerprint", "count",
                                                  "plates taken", "plates added"};
    return columns;
}

// Lines without their ends (CR LF or LF); a last line without an end counts too.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        from = end + 1;
    }
    return lines;
}

std::string number(double value) { return formatRecordDouble(value); }

std::string idList(const std::vector<std::int64_t>& ids)
{
    std::string text;
    for (std::int64_t id : ids) text += (text.empty() ? "" : " ") + std::to_string(id);
    return text;
}

// One data row being read, with the words for its messages: "stock.csv line 4: ".
class Row {
public:
    Row(const char* file, size_t lineNumber, std::vector<std::string> fields, std::string& error)
        : fields_(std::move(fields)), where_(std::string(file) + " line " + std::to_string(lineNumber) + ": "),
          error_(error)
    {
    }

    const std::string& text(size_t i) const { return fields_[i]; }
    size_t size() const { return fields_.size(); }
    double measure(size_t i, const char* what)
    {
        const std::optional<double> v = numberFromText(fields_[i]);
        if (!v || *v < 0) fail(std::string(what) + " '" + fields_[i] + "' is not a number from 0 up");
        return v.value_or(0);
    }
    std::int64_t whole(size_t i, const char* what, std::int64_t least, bool emptyIsZero = false)
    {
        const std::string& t = fields_[i];
        if (emptyIsZero && t.empty()) return 0;
        std::int64_t v = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || v < least)
            fail(std::string(what) + " '" + t + "' is not a whole number from " + std::to_string(least) + " up");
        return v;
    }
    std::vector<std::int64_t> ids(size_t i, const char* what)
    {
        std::vector<std::int64_t> out;
        const std::string& t = fields_[i];
        const char* p = t.data();
        const char* end = p + t.size();
        while (p < end) {
            if (*p == ' ') {
                ++p;
                continue;
            }
            std::int64_t v = 0;
            const auto r = std::from_chars(p, end, v);
            if (r.ec != std::errc() || v < 1 || v > kLargestId || (r.ptr != end && *r.ptr != ' ')) {
                fail(std::string(what) + " '" + t + "' is not a list of plate ids");
                return {};
            }
            out.push_back(v);
            p = r.ptr;
        }
        return out;
    }
    void fail(const std::string& reason)
    {
        if (error_.empty()) error_ = where_ + reason;
    }

private:
    std::vector<std::string> fields_;
    std::string where_;
    std::string& error_;
};

// Checks the header and hands every data row with the right number of fields to read.
StockTableRead readTable(const std::string& text, const char* file, const std::vector<std::string>& columns,
                         const std::function<void(Row&)>& read)
{
    std::string error;
    const std::vector<std::string> lines = linesOf(text);
    if (lines.empty()) return {std::string(file) + " line 1: the header row is missing"};
    std::vector<std::string> fields;
    if (!splitCsvLine(lines[0], fields) || fields != columns)
        return {std::string(file) + " line 1: the header row is not the table's (" + lines[0].substr(0, 80) + ")"};
    for (size_t i = 1; i < lines.size() && error.empty(); ++i) {
        if (lines[i].empty()) continue;
        Row row(file, i + 1, {}, error);
        if (!splitCsvLine(lines[i], fields)) {
            row.fail("a quoted field does not end");
            break;
        }
        if (fields.size() != columns.size()) {
            row.fail(std::to_string(fields.size()) + " fields instead of " + std::to_string(columns.size()));
            break;
        }
        const bool control = std::any_of(fields.begin(), fields.end(), [](const std::string& f) {
            return std::any_of(f.begin(), f.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
        });
        if (control) {
            row.fail("a field holds a control character");
            break;
        }
        Row full(file, i + 1, fields, error);
        read(full);
    }
    return {error};
}

// "1200 x 450" (or "1200x450").
bool readSize(const std::string& text, double& width, double& length)
{
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    auto trim = [](std::string s) {
        const size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
        return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
    };
    const std::optional<double> w = numberFromText(trim(text.substr(0, x)));
    const std::optional<double> l = numberFromText(trim(text.substr(x + 1)));
    if (!w || !l || *w < 0 || *l < 0) return false;
    width = *w;
    length = *l;
    return true;
}

} // namespace

const StockPlate* StockTables::plate(std::int64_t id) const
{
    for (const StockPlate& p : plates)
        if (p.id == id) return &p;
    return nullptr;
}

StockPlate* StockTables::plate(std::int64_t id)
{
    return const_cast<StockPlate*>(static_cast<const StockTables&>(*this).plate(id));
}

std::int64_t StockTables::nextId() const
{
    std::int64_t highest = 0;
    for (const StockPlate& p : plates) highest = std::max(highest, p.id);
    for (const StockChangeRecord& r : history) {
        for (std::int64_t id : r.taken) highest = std::max(highest, id);
        for (std::int64_t id : r.added) highest = std::max(highest, id);
    }
    return highest + 1;
}

bool splitCsvLine(const std::string& line, std::vector<std::string>& fields)
{
    fields.clear();
    std::string field;
    size_t i = 0;
    for (;;) {
        field.clear();
        if (i < line.size() && line[i] == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) return false;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i];
            }
            // Text after the closing quote belongs to the field as a spreadsheet would keep it.
            while (i < line.size() && line[i] != ',') field += line[i++];
        } else {
            while (i < line.size() && line[i] != ',') field += line[i++];
        }
        fields.push_back(field);
        if (i >= line.size()) return true;
        ++i; // the comma
    }
}

std::string csvField(const std::string& given)
{
    std::string text = given;
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    const bool quote = text.find_first_of(",\"") != std::string::npos ||
        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

StockTableRead parseStockIndex(const std::string& text, std::vector<StockPlate>& plates)
{
    std::vector<StockPlate> read;
    std::vector<std::string> header;
    const std::vector<std::string> lines = linesOf(text);
    const bool priced = !lines.empty() && splitCsvLine(lines[0], header) && header == pricedIndexColumns();
    StockTableRead result = readTable(text, kStockIndexName, priced ? pricedIndexColumns() : indexColumns(), [&](Row& row) {
        StockPlate p;
        p.id = row.whole(0, "id", 1);
        if (p.id > kLargestId) row.fail("id " + std::to_string(p.id) + " is too large");
        p.shapeFile = row.text(1);
        if (p.shapeFile.empty()) row.fail("the plate has no shape file");
        p.material = row.text(2);
        p.grade = row.text(3);
        p.thickness = row.measure(4, "thickness");
        if (!readSize(row.text(5), p.width, p.length)) row.fail("size '" + row.text(5) + "' is not WIDTH x LENGTH");
        p.area = row.measure(6, "area");
        p.quantity = row.whole(7, "quantity", 0);
        p.sourceJob = row.text(8);
        p.layout = static_cast<std::int32_t>(std::min<std::int64_t>(row.whole(9, "layout", 0, true), INT32_MAX));
        p.date = row.text(10);
        if (row.size() > 11 && !row.text(11).empty()) p.price = row.measure(11, "price");
        for (const StockPlate& other : read)
            if (other.id == p.id) row.fail("plate id " + std::to_string(p.id) + " is used twice");
        read.push_back(std::move(p));
    });
    if (result.ok()) plates = std::move(read);
    return result;
}

StockTableRead parseStockHistory(const std::string& text, std::vector<StockChangeRecord>& history)
{
    std::vector<StockChangeRecord> read;
    StockTableRead result = readTable(text, kStockHistoryName, historyColumns(), [&](Row& row) {
        StockChangeRecord r;
        r.date = row.text(0);
        r.change = row.text(1);
        r.job = row.text(2);
        r.layout = static_cast<std::int32_t>(std::min<std::int64_t>(row.whole(3, "layout", 0, true), INT32_MAX));
        r.fingerprint = row.text(4);
        r.count = row.whole(5, "count", 0, true);
        r.taken = row.ids(6, "plates taken");
        r.added = row.ids(7, "plates added");
        read.push_back(std::move(r));
    });
    if (result.ok()) history = std::move(read);
    return result;
}

std::string stockIndexText(const std::vector<StockPlate>& plates)
{
    const bool priced = std::any_of(plates.begin(), plates.end(), [](const StockPlate& p) { return p.price > 0; });
    const std::vector<std::string>& columns = priced ? pricedIndexColumns() : indexColumns();
    std::string text;
    for (size_t i = 0; i < columns.size(); ++i) text += (i ? "," : "") + columns[i];
    text += kLineEnd;
    for (const StockPlate& p : plates) {
        text += std::to_string(p.id) + "," + csvField(p.shapeFile) + "," + csvField(p.material) + "," +
            csvField(p.grade) + "," + number(p.thickness) + "," + number(p.width) + " x " + number(p.length) + "," +
            number(p.area) + "," + std::to_string(p.quantity) + "," + csvField(p.sourceJob) + "," +
            (p.layout > 0 ? std::to_string(p.layout) : std::string()) + "," + csvField(p.date) +
            (priced ? "," + (p.price > 0 ? number(p.price) : std::string()) : std::string()) + kLineEnd;
    }
    return text;
}

std::string stockHistoryText(const std::vector<StockChangeRecord>& history)
{
    std::string text;
    for (size_t i = 0; i < historyColumns().size(); ++i) text += (i ? "," : "") + historyColumns()[i];
    text += kLineEnd;
    for (const StockChangeRecord& r : history) {
        text += csvField(r.date) + "," + csvField(r.change) + "," + csvField(r.job) + "," +
            (r.layout > 0 ? std::to_string(r.layout) : std::string()) + "," + csvField(r.fingerprint) + "," +
            (r.count > 0 ? std::to_string(r.count) : std::string()) + "," + idList(r.taken) + "," + idList(r.added) +
            kLineEnd;
    }
    return text;
}

} // namespace dravenor
