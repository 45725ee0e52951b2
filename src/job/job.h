#pragma once
// The job the main window edits: basic details, sheet and part grids, the engine's records
// built from them, the layout results and the nesting mode. One object, owned by the main
// window and passed by reference; nothing here touches a window.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "job/deep_settings.h"
#include "job/nesting_state.h"
#include "job/remnant_settings.h"
#include "job/text_grid.h"

namespace dravenor {

// Column titles of the three job grids.
const std::vector<std::string>& basicDetailsTitles(); // Mat Grade Thick Kerf ActKerf Note
const std::vector<std::string>& sheetGridTitles();     // "Sheet File Name" Qty Pri
const std::vector<std::string>& partGridTitles();      // "Part File Name" Qty Pri Orn Mirror

// Grid numbers as the main window orders them.
enum JobGridIndex : int { BasicGrid = 0, SheetGrid = 1, PartGrid = 2 };

struct Job {
    Job();

    TextGrid basic;   // exactly one data row
    TextGrid sheets;  // one row per sheet type plus the blank entry row
    TextGrid parts;   // one row per part type plus the blank entry row

    // Basic details, engine records and layout lists: what optimisation reads and leaves.
    NestingState nesting;

    NestingMode mode = NestingMode::Free;
    // Spacing, margin and time limit of Deep Nesting, kept with the job in every mode.
    DeepSettings deep;
    // The least remnant worth keeping, kept with the job.
    RemnantSettings remnants;
    // The stock ids of the layouts' remnants by layout number, once they were cut (looked up in the
    // stock; not saved with the job).
    std::vector<std::int64_t> remnantIds;
    std::string jobFileName; // empty for a new job
    bool modified = false;

    TextGrid& grid(int index);
    const TextGrid& grid(int index) const;

    bool hasLayouts() const { return !nesting.entities.empty() || !nesting.items.empty(); }
    // Empties the engine records and both layout lists (the grids stay).
    void discardResults();
    // New job: empty grids (one data row each, ActKerf hidden), no results, Free nesting with
    // the default Deep Nesting settings, parts inside holes allowed, no file name, not modified.
    void reset();
};

// BasicDetails from row 1 of the basic-details grid (text as is, numbers by decimal
// conversion, empty giving 0).
BasicDetails readBasicDetails(const TextGrid& basic);
// Sheet and part grid rows whose file exists and whose Qty (rounded half to even) is above 0
// become engine records, in row order; Remaining = Qty, Area left 0. Grids are not changed.
std::vector<SheetEntry> sheetEntriesFromGrid(const TextGrid& sheets);
std::vector<PartEntry> partEntriesFromGrid(const TextGrid& parts);
// Both of the above plus the basic details, into the job's records.
void copyGridsToRecords(Job& job);

// Empties the records and layout lists and deletes the working files "*.tlf" of the working
// folder (errors ignored): what is thrown away whenever the job changes.
void discardResultsAndWorkingFiles(Job& job, const std::string& workingFolder);

// Guards the results before a change to the job (a grid key, Esc putting typed text back, a
// menu command). When layouts exist, askToContinue is called ("You are about to change data,
// Continue?"); false means nothing may change and is returned. Otherwise the results are
// discarded, the working files "*.tlf" of the working folder are deleted (errors ignored) and the
// job is marked modified; returns true.
bool protectResultsBeforeEdit(Job& job, const std::string& workingFolder, const std::function<bool()>& askToContinue);

// Whether a change to a cell of the job's grid leaves the layouts as they are: the basic
// details' Grade and Note describe the job for reports and the stock without changing what is
// nested or how it is cut.
bool cellLeavesLayouts(const Job& job, const TextGrid& grid, int column);
// Grade and Note of the layouts' details taken from the basic-details grid, so reports and
// printouts of layouts kept through such a change show it.
void refreshDescriptiveDetails(Job& job);

// Window caption: the title alone for a new job (or file), else title + " - " + the file name.
std::string fileCaption(const std::string& title, const std::string& fileName);
std::string jobCaption(const std::string& title, const Job& job);

} // namespace dravenor
