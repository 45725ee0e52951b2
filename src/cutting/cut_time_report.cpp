#include "cutting/cut_time_report.h"

#include <cstdio>

#include "cutting/parallel_layouts.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor::cutting {

namespace {

std::string row(const std::string& layout, const std::string& sheets, const std::string& cut, const std::string& rapid,
                const std::string& pierces, const std::string& each, const std::string& all)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%-8s %7s %12s %10s %8s %16s %16s\r\n", layout.c_str(), sheets.c_str(),
                  cut.c_str(), rapid.c_str(), pierces.c_str(), each.c_str(), all.c_str());
    return buffer;
}

} // namespace

std::string cutTimeSection(const NestingState& state, const NcSetup& setup)
{
    std::string text = "\r\nEstimated Cutting Time\r\n";
    if (!setup.ok()) return text + "not estimated: " + setup.error + "\r\n";
    const CutSettings& c = setup.cut;
    text += "feed " + formatGeneral(c.feed) + " per minute, pierce delay " + formatGeneral(c.pierceDelay) +
            " s, kerf " + formatGeneral(c.kerf) + "\r\n";
    text += row("Layout", "Sheets", "Cut Length", "Rapids", "Pierces", "Per Sheet", "All Sheets");
    double total = 0;
    const std::vector<int> layoutNos = layoutNumbers(state);
    const std::vector<CutPlanResult> plans = planLayoutCuts(state, layoutNos, c);
    for (size_t i = 0; i < layoutNos.size(); ++i) {
        const int layoutNo = layoutNos[i];
        const CutPlanResult& r = plans[i];
        if (!r.plan) {
            text += std::to_string(layoutNo) + "        not cut: " + r.error + "\r\n";
            continue;
        }
        const CutPlan& p = *r.plan;
        total += p.seconds * p.sheetCount;
        text += row(std::to_string(layoutNo), std::to_string(p.sheetCount), formatMask(p.cutLength, "0.0"),
                    formatMask(p.rapidLength, "0.0"), std::to_string(p.pierces), durationText(p.seconds),
                    durationText(p.seconds * p.sheetCount));
    }
    return text + row("Total", "", "", "", "", "", durationText(total));
}

std::string appendCutTimes(const NestingState& state, const NcSetup& setup, const std::string& reportPath)
{
    return appendFileAtomically(reportPath, cutTimeSection(state, setup));
}

} // namespace dravenor::cutting
