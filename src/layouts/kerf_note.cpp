#include "layouts/kerf_note.h"

#include "job/number_format.h"

namespace dravenor {

namespace {

std::string reasonFor(double enteredKerf, const KerfScale& plan)
{
    if (plan.smallPartRule) return "the smallest part needs a finer grid (two cells across it)";
    if (enteredKerf <= 0 && plan.actKerf == kZeroKerfDefault) return "no kerf was entered";
    return "the largest sheet is too large for a finer grid";
}

} // namespace

std::string kerfUsedNote(double enteredKerf, const KerfScale& plan)
{
    if (plan.actKerf == enteredKerf) return {};
    return "Kerf used " + formatGeneral(plan.actKerf) + " (entered " + formatGeneral(enteredKerf) +
           "): " + reasonFor(enteredKerf, plan);
}

std::string kerfUsedNote(const NestingState& state)
{
    const BasicDetails& d = state.details;
    if (state.deepLayouts)
        return d.ActKerf == d.Kerf ? std::string()
                                   : "Spacing " + formatGeneral(d.ActKerf) + " between parts (kerf entered " +
                                         formatGeneral(d.Kerf) + ")";
    return kerfUsedNote(state.details.Kerf, planKerfAndScale(state));
}

} // namespace dravenor
