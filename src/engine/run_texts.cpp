#include "engine/run_texts.h"

#include "job/number_format.h"

namespace dravenor {

std::string formatElapsed(double seconds)
{
    // Hundredths, without trailing zeros: "0.23 s", "15 s".
    std::string text = formatMask(seconds, "0.00");
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text + " s";
}

std::string progressTitle(int trial, int trials, bool haveBest, double bestYield, int bestLayouts)
{
    const std::string percent = formatGeneral(roundHalfEven(static_cast<double>(trial) / trials * 100));
    if (!haveBest) return "Nesting Progress : " + percent + "%  | Ov. Yield : NA | Layouts : NA";
    return "Nesting Progress : " + percent + "%  | Ov. Yield : " + formatGeneral(roundHalfEven(bestYield * 100 * 1000) / 1000) +
           "% | Layouts : " + std::to_string(bestLayouts);
}

std::string endStatusText(EndStatus status, double seconds)
{
    const std::string elapsed = " [" + formatElapsed(seconds) + "]";
    switch (status) {
    case EndStatus::Full: return "Full Optimization Done" + elapsed;
    case EndStatus::Partial: return "Partial Optimization Done" + elapsed;
    case EndStatus::Failed: break;
    }
    return "Optimization Failed" + elapsed;
}

std::string commonLineRunText(const RunResult& result)
{
    if (result.commonLineRows)
        return "Parts laid in rows the kerf apart: no more sheets and sheet length than the run's layouts";
    if (result.commonLineMoves > 0)
        return countedNoun(result.commonLineMoves, "part", "parts") + " moved to stand the kerf apart along straight edges";
    return "";
}

} // namespace dravenor
