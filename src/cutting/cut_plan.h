#pragma once
// The cut plan of one layout: every contour of every placed part with its torch path (half the
// kerf into the waste), its pierce point, lead-in, overcut and lead-out, in the order the torch
// takes them, and the estimated time. Holes come before the outer contour that holds them, and
// a part lying in another part's hole is cut before that hole. A layout whose parts stand closer
// than the kerf is refused, naming them. With common lines, a stretch where two parts stand the
// kerf apart along facing straight edges is cut once, and the second part's remaining outline
// starts in that kerf without a pierce.
#include <optional>
#include <string>
#include <vector>

#include "cutting/path_piece.h"
#include "cutting/post_settings.h"
#include "job/nesting_state.h"
#include "layouts/remnant_marks.h"

namespace dravenor::cutting {

// Everything the plan needs, lengths in the job's unit.
struct CutSettings {
    double kerf = 3;
    double leadIn = 5, leadOut = 3, overcut = 1;
    bool arcLeadIn = true;
    StartCorner startCorner = StartCorner::BottomLeft;
    // False: the path follows the drawn contour and the controller offsets it (G41).
    bool compensate = true;
    double feed = 1000;       // per minute
    double pierceDelay = 0.5; // seconds
    double rapidSpeed = 20000; // per minute
    // A kept remnant is parted off by a last cut across the plate: its minimums, its clearance
    // from the parts and its stock ids. Without them no remnant is cut.
    std::optional<RemnantMarks> remnants;
    bool remnantEdgeStart = false; // that cut fires on the plate's edge, not the lead-in beyond it
    // Facing straight edges the kerf apart (within 0.01) are cut once, midway between the parts
    // (only where the program runs the compensated path).
    bool commonLine = false;
    // Above 0: after every part, cuts across the waste so that no piece of the skeleton is longer
    // than this (only where the program runs the compensated path).
    double skeletonPiece = 0;
    // Microjoints: material of this width left uncut on each outer contour (and hole, where
    // asked), `joints` of them spread evenly or one every `jointEvery` (only where the program
    // runs the compensated path). Without jointByController the torch goes off and on again over
    // each, with a pierce; with it the controller breaks the cut itself at a program word.
    double jointWidth = 0;
    int joints = 0;
    double jointEvery = 0;
    bool jointHoles = false;
    bool jointByController = false;
};

struct CutContour {
    int part = 0;        // placement number within the layout (1-based); 0 for an extra cut line
    std::string label;   // what an extra cut line is for
    bool hole = false;
    Vec2 pierce;
    PiecePath leadIn;    // pierce to start
    PiecePath cut;       // the closed path, start to start (up to the first microjoint)
    std::vector<PiecePath> rest; // the stretches after each microjoint, to the start
    PiecePath overcut;   // along the start of the path again
    PiecePath leadOut;
    double rapidBefore = 0; // travel from the previous position to the pierce
    // An open stretch of an outline that starts in a kerf already cut (its shared stretch), or a
    // cut-up of the skeleton from a kerf or the plate's edge: the torch lights there without a
    // pierce, lead-in, overcut or lead-out.
    bool inKerf = false;
    std::vector<int> onto; // parts whose outlines the torch goes on to without a stop
};

struct CutPlan {
    int layoutNo = 0;
    int sheetCount = 1;               // identical sheets cut by this plan
    std::string sheetName;
    std::vector<std::string> partNames; // per placement number - 1
    Vec2 home;                        // the start corner
    std::vector<CutContour> contours; // in cut order
    std::vector<std::string> warnings;
    PiecePath commonCuts;             // the stretches two parts share, each cut once
    double cutLength = 0, rapidLength = 0, seconds = 0;
    int pierces = 0;
    int kerfStarts = 0;               // cuts starting in a kerf or at the plate's edge, without a pierce
};

struct CutPlanResult {
    std::optional<CutPlan> plan;
    std::string error; // why there is no plan
};

// The plan of layout layoutNo of the state's entity list (instance 0 the sheet, 1.. the parts).
CutPlanResult planLayoutCut(const NestingState& state, int layoutNo, const CutSettings& settings);

// The number of plan.contours[index] in the cut order, from 1: the cut plan drawing shows it at
// the pierce and the NC program's comment names it.
inline int cutNumber(size_t index)
{
    return static_cast<int>(index) + 1;
}

// Where the torch stands after the contour.
Vec2 contourEnd(const CutContour& c);

// Travel of the torch through the contours in the given order from home (rapids only).
double rapidTravel(Vec2 home, const std::vector<CutContour>& contours);
// Fills the lengths, pierce count, rapids and time of the plan from its contours.
void measurePlan(CutPlan& plan, const CutSettings& settings);

} // namespace dravenor::cutting
