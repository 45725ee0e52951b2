// The post file ("post.cfg") as the nc command reads it: the settings read must be written and
// read again unchanged, and a program written with them for a small layout must hold no line
// break the settings did not ask for.
#include "cutting/nc_program.h"
#include "cutting/post_settings.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor::cutting;
    std::vector<std::string> errors;
    const PostSettings settings = parsePostText(dravenor::fuzz::inputText(data, size), kPostFileName, errors);
    std::vector<std::string> rereadErrors;
    if (parsePostText(postFileText(settings), kPostFileName, rereadErrors) != settings || !rereadErrors.empty())
        dravenor::fuzz::finding("a written post file reads back differently");

    CutPlan plan;
    plan.partNames = {"part (1).shp"};
    CutContour c;
    c.part = 1;
    c.pierce = {10, 5};
    c.leadIn = {linePiece({10, 5}, {10, 8})};
    c.cut = {arcPiece({10, 8}, {10, 8}, {10, 20}, false)};
    plan.contours = {c};
    const std::string program = ncProgramText(plan, CutSettings{}, settings, NcJobInfo{"job.nst", "S235", 10, 1, false});
    for (size_t at = program.find('\n'); at != std::string::npos; at = program.find('\n', at + 1))
        if (at == 0 || program[at - 1] != '\r') dravenor::fuzz::finding("a program line holds a stray line break");
    return 0;
}
