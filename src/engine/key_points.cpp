#include <algorithm>
#include <cstddef>

#include "engine/key_point_draws.h"
#include "engine/placement.h"
#include "engine/wide_vectors.h"
#include "job/number_format.h"

namespace dravenor {

KeyPoints makeKeyPoints(const Raster& part, UniformRandom& random, size_t kept)
{
    const int W = part.W();
    const int H = part.H();
    const std::int32_t count = std::min(toWhole(W * 0.08 * H), 32000);
    if (count <= 0) return {};
    KeyPointDraws job;
    job.cells = part.row(0);
    job.stride = part.stride();
    // Each draw is a row in 1..H and a column in 1..W: always stored cells.
    job.rowSpan = H - 1;
    job.columnSpan = W - 1;
    job.count = count;
    // A point not found within this many draws means the part is too sparse for key points.
    job.drawLimit = 2LL * (W - 1) * (H - 1);
    // Points past the kept ones are not written out; they are still drawn, so that the random
    // sequence goes on from the same place.
    job.stored = std::min(static_cast<size_t>(count), kept);
    KeyPoints keys(job.stored + 1);
    const KeyPointOutcome outcome = wideVectorsAvailable()
                                        ? drawKeyPointsWide(job, random.counter(), keys.data())
                                        : drawKeyPointsOneByOne(job, random.counter(), keys.data());
    random.skip(outcome.draws);
    if (!outcome.complete) return {};
    keys.pop_back();
    return keys;
}

KeyPoints makeKeyPointsFor(const NestingRun& run, const Raster& part, UniformRandom& random)
{
    return makeKeyPoints(part, random, run.fitTest ? SIZE_MAX : kKeyPointsUsed);
}

} // namespace dravenor
