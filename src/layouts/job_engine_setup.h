#pragma once
// The engine's set-up redone for a job whose layouts came from a file or the layout editor
// rather than from a run: the kerf it uses and the areas of the sheet and part records.
#include "job/nesting_state.h"
#include "job/job.h"

namespace dravenor {

// The kerf the engine uses with the job's shapes, into the details and the hidden ActKerf cell;
// for a Deep Nesting job its layouts count as its own, their kerf the spacing.
void setUpActKerf(Job& job);

// Every sheet's and part's Area from its shape, as the engine counts it, records kept in their
// order. Every record's file must exist.
void recomputeRecordAreas(NestingState& state);

// Whether every sheet and part record names an existing file.
bool recordFilesExist(const NestingState& state);

} // namespace dravenor
