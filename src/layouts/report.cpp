#include "layouts/report.h"

#include <cstdlib>
#include <utility>

#include "job/files.h"
#include "job/number_format.h"
#include "layouts/remnant_marks.h"
#include "layouts/faulty_layouts.h"
#include "layouts/report_print_text.h"

namespace dravenor {

namespace {

// The column of the first figure after a file name in the tables.
constexpr int kFirstFigureColumn = 20;
const std::string kStarLine(76, '*');
const std::string kDashLine(76, '-');

std::string lengthText(double length)
{
    return formatMask(length, ".00");
}

std::int32_t oneBased(size_t recordIndex)
{
    return static_cast<std::int32_t>(recordIndex) + 1;
}

// Sheets cut from a sheet record. The engine marks a sheet on which nothing fitted by negating
// its Remaining; the count of sheets taken is the same either way. Counted in 64 bits, so that
// the extreme counts of a damaged job file cannot overflow.
std::int64_t sheetsUsed(const SheetEntry& sheet)
{
    return std::int64_t{sheet.Qty} - std::abs(std::int64_t{sheet.Remaining});
}

class ReportBuilder {
public:
    ReportBuilder(const Job& job, const JobMetrics& metrics, FaultyLayouts faulty)
        : state_(job.nesting), metrics_(metrics), marks_(remnantMarksOf(job)), faulty_(std::move(faulty)),
          nameShift_(nameShiftFor(job.nesting))
    {
    }

    std::string build()
    {
        writeTotals();
        writeBasicDetails();
        writeSheetSummary();
        writePartSummary();
        for (const LayoutMetrics& layout : metrics_.layouts) writeLayout(layout);
        return out_.str();
    }

private:
    // File names are printed whole: the columns after them move right as far as the longest
    // needs, keeping a blank before the next column.
    static int nameShiftFor(const NestingState& state)
    {
        size_t longest = 0;
        for (const SheetEntry& e : state.sheets) longest = std::max(longest, reportDisplayName(e.FileName).size());
        for (const PartEntry& e : state.parts) longest = std::max(longest, reportDisplayName(e.FileName).size());
        for (const LayoutItem& e : state.items) longest = std::max(longest, reportDisplayName(e.Name).size());
        return std::max(0, static_cast<int>(longest) + 2 - kFirstFigureColumn);
    }
    int column(int n) const { return n + nameShift_; }

    std::string sheetWeight(std::int32_t sheetIndex, double count) const
    {
        return formatMask(metrics_.sheetWeight(sheetIndex, count), "0.00");
    }

    std::string partWeight(std::int32_t partIndex, double count) const
    {
        return formatMask(metrics_.partWeight(partIndex, count), "0.00");
    }

    const SheetEntry* sheetRecord(std::int32_t sheetIndex) const
    {
        if (sheetIndex < 1 || static_cast<size_t>(sheetIndex) > state_.sheets.size()) return nullptr;
        return &state_.sheet(sheetIndex);
    }

    const PartEntry* partRecord(std::int32_t partIndex) const
    {
        if (partIndex < 1 || static_cast<size_t>(partIndex) > state_.parts.size()) return nullptr;
        return &state_.part(partIndex);
    }

    void writeTotals()
    {
        out_.text("Overall Yield :").number(metrics_.overallYield);
        out_.text("     Overall Base Yield :").number(metrics_.overallBaseYield).endLine();
        out_.line("Total Layouts : " + std::to_string(metrics_.layouts.size()));
        out_.line("Total RLC(Running Length of Cutting) : " + lengthText(metrics_.totalRlc));
    }

    void writeBasicDetails()
    {
        const BasicDetails& d = state_.details;
        out_.line().line(kStarLine).line("Basic Details").line();
        out_.text("Mat=" + d.Mat).tab(15).text("Grade=" + d.Grade);
        out_.tab(30).text("Thk=" + formatGeneral(d.Thick)).tab(45).text("Kerf=" + formatGeneral(d.Kerf)).endLine();
        if (!metrics_.kerfNote.empty()) out_.line(metrics_.kerfNote);
        out_.line("Note=" + d.Note);
    }

    void writeSheetSummary()
    {
        out_.line(kStarLine).line("Sheet(s) Utilization Summary").line();
        out_.text("Sheet File Name").tab(column(20)).text("QtyUsed").tab(column(28)).text("Pri").tab(column(36)).text("Weight kg").endLine();
        out_.line(kDashLine);
        for (size_t i = 0; i < state_.sheets.size(); ++i) {
            const SheetEntry& sheet = state_.sheets[i];
            const std::int64_t used = sheetsUsed(sheet);
            if (used <= 0) continue;
            out_.text(reportDisplayName(sheet.FileName)).tab(column(20)).number(used);
            out_.tab(column(28)).text(reportPriorityText(sheet.Pri)).tab(column(36)).text(sheetWeight(oneBased(i), used)).endLine();
        }
    }

    void writePartSummary()
    {
        out_.line().line(kStarLine).line("Part(s) Utilization Summary").line();
        out_.text("Part File Name").tab(column(20)).text("QtyReq").tab(column(28)).text("QtyPro").tab(column(36)).text("QtyRem");
        out_.tab(column(44)).text("Pri").tab(column(52)).text("Orn").tab(column(60)).text("Weight kg").tab(column(70)).text("RLC").endLine();
        out_.line(kDashLine);
        for (size_t i = 0; i < state_.parts.size(); ++i) {
            const PartEntry& part = state_.parts[i];
            const std::int64_t produced = std::int64_t{part.Qty} - part.Remaining;
            out_.text(reportDisplayName(part.FileName)).tab(column(20)).number(part.Qty).tab(column(28)).number(produced);
            out_.tab(column(36)).number(part.Remaining).tab(column(44)).text(reportPriorityText(part.Pri));
            out_.tab(column(52)).text(reportOrientationText(part.Orn)).tab(column(60)).text(partWeight(oneBased(i), produced));
            out_.tab(column(70)).text(lengthText(produced * metrics_.rlcOfPart(oneBased(i)))).endLine();
        }
        out_.line().line(kStarLine);
    }

    void writeLayout(const LayoutMetrics& layout)
    {
        out_.line("Layout No : " + std::to_string(layout.layoutNo) + " / " + std::to_string(metrics_.layouts.size()));
        if (const std::string fault = faultyLayoutLine(faulty_, layout.layoutNo); !fault.empty()) out_.line(fault);
        out_.line();
        out_.text("Yield :").number(layout.yield).text("     Base Yield :").number(layout.baseYield).endLine();
        out_.line("RLC/Sheet : " + lengthText(layout.rlcPerSheet) + "     Total RLC : " + lengthText(layout.totalRlc));
        out_.text("Qty to cut :").number(layout.qty).endLine();
        writeLayoutSheet(layout);
        writeLayoutParts(layout);
        writeLayoutRemnant(layout);
        out_.line().line(kStarLine);
    }

    void writeLayoutSheet(const LayoutMetrics& layout)
    {
        out_.line();
        out_.text("Sheet File Name").tab(column(20)).text("Pri").tab(column(28)).text("Weight kg").endLine();
        out_.line(kDashLine);
        std::string name;
        std::int32_t sheetIndex = layout.sheetIndex;
        for (const LayoutItem& item : state_.items) {
            if (item.LayoutNo != layout.layoutNo || item.PartIndex != 0) continue;
            name = item.Name;
            sheetIndex = item.SheetIndex;
        }
        const SheetEntry* sheet = sheetRecord(sheetIndex);
        if (name.empty() && sheet) name = sheet->FileName;
        out_.text(reportDisplayName(name)).tab(column(20)).text(reportPriorityText(sheet ? sheet->Pri : 0));
        out_.tab(column(28)).text(sheetWeight(sheet ? sheetIndex : 0, 1)).endLine();
    }

    void writeLayoutParts(const LayoutMetrics& layout)
    {
        out_.line();
        out_.text("Part File Name").tab(column(20)).text("QtyPro").tab(column(28)).text("Pri").tab(column(36)).text("Orn");
        out_.tab(column(44)).text("Weight kg").tab(column(56)).text("X-Loc").tab(column(66)).text("Y-Loc").endLine();
        out_.line(kDashLine);
        for (const LayoutItem& item : state_.items) {
            if (item.LayoutNo != layout.layoutNo || item.PartIndex <= 0) continue;
            const PartEntry* part = partRecord(item.PartIndex);
            out_.text(reportDisplayName(item.Name)).tab(column(20)).text("1");
            out_.tab(column(28)).text(reportPriorityText(part ? part->Pri : 0));
            out_.tab(column(36)).text(reportOrientationText(part ? part->Orn : std::string()));
            out_.tab(column(44)).text(partWeight(item.PartIndex, 1));
            out_.tab(column(56)).text(formatMask(item.X, "0.00")).tab(column(66)).text(formatMask(item.Y, "0.00")).endLine();
        }
    }

    // The remnant each sheet of the layout leaves: size, area and weight of one, and its stock id.
    void writeLayoutRemnant(const LayoutMetrics& layout)
    {
        const std::optional<Remnant> remnant = markedRemnant(state_, layout.layoutNo, marks_);
        if (!remnant) return;
        const std::int64_t id = marks_.idOf(layout.layoutNo);
        out_.line();
        out_.line("Remnant : " + remnantSizeText(remnant->width, remnant->length) + ", area " +
                  formatMask(remnant->area, "0") + ", weight " + formatMask(metrics_.weight(remnant->area, 1), "0.00") + " kg" +
                  (id > 0 ? ", stock id " + std::to_string(id) : std::string()));
    }

    const NestingState& state_;
    const JobMetrics& metrics_;
    RemnantMarks marks_;
    const FaultyLayouts faulty_;
    ReportPrintText out_;
    int nameShift_ = 0;
};

} // namespace

std::string reportDisplayName(const std::string& path)
{
    std::string name = fileNameOnly(path);
    for (char& c : name)
        if (c == ',') c = ' ';
    return name;
}

std::string reportPriorityText(std::int32_t pri)
{
    return pri == 0 || pri == 32767 ? "-" : std::to_string(pri);
}

std::string reportOrientationText(const std::string& orn)
{
    return orn.empty() ? "-" : orn;
}

std::string reportText(const Job& job, const JobMetrics& metrics)
{
    return ReportBuilder(job, metrics, faultyLayoutsOf(job)).build();
}

std::string reportText(const Job& job, const DensityTable& densities, std::vector<std::string>* warnings)
{
    const JobMetrics metrics = computeJobMetrics(job.nesting, densityFor(densities, job.nesting.details.Mat));
    if (warnings) warnings->insert(warnings->end(), metrics.warnings.begin(), metrics.warnings.end());
    return reportText(job, metrics);
}

ReportWriteResult writeReportFile(const Job& job, const DensityTable& densities, const std::string& path)
{
    ReportWriteResult result;
    result.path = path;
    if (job.nesting.items.empty()) {
        result.error = kNoLayoutMessage;
        return result;
    }
    const std::string text = reportText(job, densities, &result.warnings);
    result.error = writeFileAtomically(path, text);
    return result;
}

ReportWriteResult writeReport(const Job& job, const DensityTable& densities, const std::string& workingFolder)
{
    return writeReportFile(job, densities, withTrailingSeparator(workingFolder) + kReportFileName);
}

} // namespace dravenor
