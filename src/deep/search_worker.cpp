#include "deep/search_worker.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "deep/collision_exact.h"
#include "deep/constructive.h"

namespace dravenor::deep {

namespace {

// Squeezing: the least used sheet's used length shrinks by this share at first; after a failure
// the share falls, and below the least one squeezing has stalled.
constexpr double kFirstStep = 0.05;
constexpr double kStepFall = 0.7;
constexpr double kLeastStep = 0.001;
// After a stall squeezing starts again from the least step: the length is close to what it can
// be, and every try at a larger step is one not made where gains are still likely.
constexpr double kStepAfterStall = kLeastStep;
constexpr std::int64_t kMeetEvery = 25;
// Rounds of squeezing between attempts to drop a sheet or take a smaller one.
constexpr int kRoundsBetweenBigMoves = 4;
constexpr int kLongestWait = 64;
// Parts grown by half the spacing fill no more than this share of the sheets' free space: beyond
// it dropping a sheet or taking a smaller one is not tried.
constexpr double kMostDensity = 0.9;
// Stalls without a better arrangement after which a thread at the fewest sheets the job can need
// has little left to gain: it compresses, as at the end of a run, until this many compressions in a
// row have failed, and ends. A stall after one at the least step comes after a single length's
// retries, so that it takes two dozen to be sure the valley holds.
constexpr int kStallsBeforeDone = 24;
constexpr int kClosingFailures = 40;
// Steps above this share fall by half after one failure; smaller ones are tried again at the same
// length before they fall.
constexpr double kRetriesBelow = 0.005;
constexpr double kBigStepFall = 0.5;
// Tries at one length before the squeeze falls back to a smaller step: each starts from another
// arrangement the failures left, so that many tries explore more than a smaller step would. A try
// costs more the more items a job has, so that jobs beyond kRetryItems items get fewer, down to
// kLeastRetries.
constexpr int kRetriesPerLength = 24;
constexpr int kRetryItems = 64;
constexpr int kLeastRetries = 3;

int retriesFor(int items)
{
    return std::clamp(kRetriesPerLength * kRetryItems / std::max(items, 1), kLeastRetries, kRetriesPerLength);
}
// How strongly a retry favours the arrangements of least loss.
constexpr double kPoolBias = 0.25;
// Threads after the first start from a shuffled order.
constexpr double kShuffle = 0.3;
// Jobs up to this many items start from both ways of filling, start afresh when stalled, and make
// each pass of a separation three times, keeping the best: passes over a few large parts keep
// falling back into the same arrangement, and the best of three tries finds ways out that more
// passes do not.
constexpr int kSmallJob = 300;
constexpr int kSmallJobPassTries = 3;
// Rounds in a row that found nothing to try.
constexpr int kMostIdleRounds = 1000;
// Squeezing takes most of a run: refining the best two candidates of a move instead of three
// buys about a quarter more passes, which pays more than the third candidate.
constexpr int kSqueezeRefined = 2;
// The last share of a run compresses: the least used sheet shrinks by a step that falls from the
// first to the last share of its used length as the run nears its end, each separation given more
// patience; stalls no longer disrupt the arrangement, which is close to its best by then.
constexpr double kCompressFrom = 0.8;
constexpr double kCompressFirst = 0.0005;
constexpr double kCompressLast = 0.00001;

double freeArea(const SheetType& sheet)
{
    double area = sheet.free.area();
    for (const Region& hazard : sheet.hazards) area -= hazard.area;
    return area;
}

// The area the placed parts take, each grown by half the spacing.
double placedArea(const Arrangement& a)
{
    double area = 0;
    for (int item = 0; item < a.itemCount(); ++item)
        if (a.placement(item).placed()) area += a.orientation(item, 0).spacing.area;
    return area;
}

SeparationSettings squeezeSettings()
{
    SeparationSettings s;
    s.passesWithoutGain = 50;
    s.strikes = 3;
    s.samples.refined = kSqueezeRefined;
    return s;
}

// Small squeezes come close to the best arrangement: each is given more patience.
SeparationSettings compressionSettings()
{
    SeparationSettings s = squeezeSettings();
    s.passesWithoutGain = 100;
    s.strikes = 5;
    return s;
}

SeparationSettings spreadSettings()
{
    SeparationSettings s;
    s.passesWithoutGain = 50;
    s.strikes = 4;
    return s;
}

} // namespace

SearchWorker::SearchWorker(const DeepJob& job, int thread, std::uint64_t seed, Budget& budget, Exchange& exchange)
    : job_(job), thread_(thread), random_(seed), budget_(budget), exchange_(exchange), a_(job),
      separator_(a_, tracker_, random_, budget_, work_), step_(kFirstStep), tightenStep_(kFirstStep), nextMeet_(kMeetEvery)
{
}

void SearchWorker::run()
{
    start();
    stalledAt_ = bestScore_;
    int idle = 0;
    while (!budget_.exhausted() && idle < kMostIdleRounds) {
        const std::int64_t before = budget_.spent();
        if (!round()) break;
        // Every round costs at least one pass, so that a run of fixed work always ends.
        idle = budget_.spent() == before ? idle + 1 : 0;
        if (idle > 0) budget_.spend();
    }
    exchange_.leave();
}

bool SearchWorker::round()
{
    meetIfDue();
    if (insertLeftOut()) return true;
    if (--roundsToElimination_ <= 0) {
        if (eliminate()) {
            eliminationWait_ = kRoundsBetweenBigMoves;
            roundsToElimination_ = 0;
            step_ = kFirstStep;
            return true;
        }
        // Each failure puts the next attempt off further.
        eliminationWait_ = std::min(2 * eliminationWait_, kLongestWait);
        roundsToElimination_ = eliminationWait_;
    }
    if (downsizeDue_) {
        downsizeDue_ = false;
        if (downsize()) {
            downsizeDue_ = true;
            return true;
        }
    }
    if (closingFailures_ >= 0 || budget_.share() >= kCompressFrom) backToBest();
    loadCurrent();
    if (closingFailures_ >= 0) {
        const double t = static_cast<double>(closingFailures_) / kClosingFailures;
        closingFailures_ = compressFinal(std::max(t, closingShare())) ? 0 : closingFailures_ + 1;
        return closingFailures_ < kClosingFailures;
    }
    if (budget_.share() >= kCompressFrom) {
        compressFinal(closingShare());
        return true;
    }
    compress(leastUsedBin(a_), step_, false);
    tightenNext();
    if (++rounds_ % kRoundsBetweenBigMoves == 0) downsizeDue_ = true;
    if (step_ < kLeastStep) {
        record(DeepWork::kStall, bestScore_);
        stalls_ = bestScore_.usesLessThan(stalledAt_) ? 0 : stalls_ + 1;
        wantsLead_ = true;
        stalledAt_ = bestScore_;
        if (stalls_ >= kStallsBeforeDone && currentScore_.sheets <= job_.fewestSheets) {
            closingFailures_ = 0;
            return true;
        }
        // Out of the valley: where that is cheap, every other stall starts afresh in another order,
        // even from a worse arrangement (a squeeze from a new start often ends in a deeper valley
        // than more tries in the old one find; the best stays kept); else two parts change places.
        const bool fresh = a_.itemCount() <= kSmallJob && stalls_ % 2 == 1 &&
                           restart(placingOrder(job_, kShuffle, random_),
                                   random_.chance(0.5) ? FillWay::AlongFirst : FillWay::AcrossFirst, true);
        if (!fresh) disrupt();
        // A fresh start squeezes from the first step, its own way rather than after the other
        // threads' best.
        if (fresh) wantsLead_ = false;
        step_ = fresh ? kFirstStep : kStepAfterStall;
    }
    return true;
}

void SearchWorker::start()
{
    // Both ways of filling a sheet where the job is small enough to try both at once; threads take
    // turns at which comes first.
    const std::vector<int> order = placingOrder(job_, thread_ == 0 ? 0 : kShuffle, random_);
    const FillWay first = thread_ % 2 == 0 ? FillWay::AlongFirst : FillWay::AcrossFirst;
    const FillWay second = first == FillWay::AlongFirst ? FillWay::AcrossFirst : FillWay::AlongFirst;
    lastKind_ = DeepWork::kStart;
    construct(a_, order, first, random_, budget_);
    accept();
    if (a_.itemCount() <= kSmallJob && !budget_.over()) restart(order, second);
}

bool SearchWorker::restart(const std::vector<int>& order, FillWay way, bool anyway)
{
    Solution empty;
    empty.items.assign(current_.items.size(), {});
    a_.load(empty);
    lastKind_ = DeepWork::kStart;
    construct(a_, order, way, random_, budget_);
    if (budget_.over()) return false;
    const Score fresh = scoreOf(a_);
    // Taken anyway only when it places as much on no more sheets: squeezing wins back length, not
    // parts or sheets.
    const bool asGood = fresh.placedByClass == currentScore_.placedByClass && fresh.sheets <= currentScore_.sheets;
    if (!fresh.betterThan(currentScore_) && !(anyway && asGood)) return false;
    accept();
    return true;
}

void SearchWorker::backToBest()
{
    if (!bestScore_.betterThan(currentScore_)) return;
    current_ = best_;
    currentScore_ = bestScore_;
    failed_.clear();
}

bool SearchWorker::separateFor(DeepWork::Attempt kind, const SeparationSettings& settings)
{
    const std::int64_t before = budget_.spent();
    lastKind_ = kind;
    SeparationSettings chosen = settings;
    if (a_.itemCount() <= kSmallJob) chosen.triesPerPass = kSmallJobPassTries;
    const bool done = separator_.separate(chosen);
    ++work_.tried[kind];
    work_.succeeded[kind] += done ? 1 : 0;
    work_.passes[kind] += budget_.spent() - before;
    return done;
}

void SearchWorker::record(int kind, const Score& best)
{
    int placed = 0;
    for (int count : best.placedByClass) placed += count;
    work_.events.push_back({budget_.seconds(), thread_, kind, placed, best.sheets - 1 + best.leastShare});
}

void SearchWorker::loadCurrent()
{
    a_.load(current_);
    tracker_ = CollisionTracker();
    tracker_.reset(a_);
}

void SearchWorker::dropEmptyBins()
{
    for (int b = a_.binCount() - 1; b >= 0; --b)
        if (a_.itemsIn(b).empty()) a_.removeBin(b);
}

void SearchWorker::accept()
{
    dropEmptyBins();
    for (int b = 0; b < a_.binCount(); ++b) a_.setLimit(b, kInfinity);
    current_ = a_.solution();
    currentScore_ = scoreOf(a_);
    failed_.clear();
    if (!hasBest_ || currentScore_.betterThan(bestScore_)) {
        bestScore_ = currentScore_;
        best_ = current_;
        hasBest_ = true;
        exchange_.publish(thread_, current_, currentScore_);
        record(lastKind_, bestScore_);
        leftOutTried_ = 0;
    }
}

void SearchWorker::meetIfDue()
{
    if (budget_.spent() < nextMeet_) return;
    nextMeet_ = (budget_.spent() / kMeetEvery + 1) * kMeetEvery;
    const std::optional<Published> better = exchange_.meet(bestScore_);
    if (!better) return;
    // Threads go their own ways, which finds more than all following one, until one stalls or
    // another saves a sheet.
    if (!wantsLead_ && better->score.sheets >= currentScore_.sheets) return;
    wantsLead_ = false;
    failed_.clear();
    a_.load(better->solution);
    current_ = better->solution;
    currentScore_ = better->score;
    bestScore_ = currentScore_;
    best_ = current_;
    step_ = kFirstStep;
}

bool SearchWorker::insertLeftOut()
{
    std::vector<int> leftOut;
    int lowest = std::numeric_limits<int>::max();
    for (int item = 0; item < static_cast<int>(current_.items.size()); ++item)
        if (!current_.items[static_cast<std::size_t>(item)].placed()) lowest = std::min(lowest, a_.partOf(item).priority);
    for (int item = 0; item < static_cast<int>(current_.items.size()); ++item)
        if (!current_.items[static_cast<std::size_t>(item)].placed() && a_.partOf(item).priority == lowest)
            leftOut.push_back(item);
    if (leftOut.empty() || leftOutTried_ >= static_cast<int>(leftOut.size())) return false;
    const int item = leftOut[static_cast<std::size_t>(leftOutTried_++)];
    loadCurrent();
    lastKind_ = DeepWork::Insert;
    if (placeWithoutOverlap(a_, item, FillWay::AlongFirst, random_)) {
        accept();
        return true;
    }
    if (a_.binCount() == 0) return true;
    separator_.moveItem(item, SampleCounts{});
    if (separateFor(DeepWork::Insert, spreadSettings())) accept();
    return true;
}

bool SearchWorker::eliminate()
{
    if (currentScore_.sheets <= job_.fewestSheets || current_.bins.size() < 2) return false;
    loadCurrent();
    const int b = leastUsedBin(a_);
    double room = 0;
    for (int k = 0; k < a_.binCount(); ++k)
        if (k != b) room += freeArea(a_.sheetOf(k));
    if (placedArea(a_) > kMostDensity * room) return false;
    std::vector<int> items = a_.itemsIn(b);
    for (int item : items) a_.lift(item);
    a_.removeBin(b);
    tracker_.reset(a_);
    std::stable_sort(items.begin(), items.end(), [&](int x, int y) { return a_.partOf(x).area > a_.partOf(y).area; });
    SampleCounts counts;
    counts.container = 100;
    counts.focused = 0;
    for (int item : items) separator_.moveItem(item, counts);
    for (int item : items)
        if (!a_.placement(item).placed()) return false;
    if (!separateFor(DeepWork::Eliminate, spreadSettings())) return false;
    accept();
    return true;
}

bool SearchWorker::retrySqueeze(int b)
{
    // The better arrangements come first: a half-normal pick over the pool.
    const double pick = std::min(std::fabs(random_.normal()) * kPoolBias, 0.999);
    a_.load(failed_[static_cast<std::size_t>(pick * static_cast<double>(failed_.size()))].solution);
    swapLargeParts();
    a_.setLimit(b, failedLimit_);
    tracker_ = CollisionTracker();
    tracker_.reset(a_);
    if (separateFor(DeepWork::Retry, squeezeSettings())) {
        accept();
        return true;
    }
    failed_.insert(std::upper_bound(failed_.begin(), failed_.end(), tracker_.totalLoss(),
                                    [](double l, const Failed& f) { return l < f.loss; }),
                   Failed{a_.solution(), tracker_.totalLoss()});
    return false;
}

bool SearchWorker::compress(int b, double& step, bool alone)
{
    const int retries = retriesFor(a_.itemCount());
    if (!alone && !failed_.empty() && failedBin_ == b && retries_ < retries) {
        ++retries_;
        if (retrySqueeze(b)) return true;
        if (retries_ >= retries) step *= kStepFall;
        return false;
    }
    loadCurrent();
    if (b < 0 || b >= a_.binCount()) return false;
    const SheetType& sheet = a_.sheetOf(b);
    const int axis = sheet.axis;
    const double start = sheet.free.low(axis), end = a_.usedEnd(b);
    const double shift = step * (end - start);
    if (!(shift > 0)) return false;
    // Parts beyond a random line move back by the shift: the squeeze is felt where they meet.
    const double split = random_.between(start, end);
    const std::vector<int> items = a_.itemsIn(b);
    for (int item : items) {
        Placement p = a_.placement(item);
        const Box box = a_.marginBox(item, p);
        if ((box.low(axis) + box.high(axis)) / 2 <= split) continue;
        a_.lift(item);
        (axis == 0 ? p.x : p.y) -= shift;
        a_.place(item, p);
    }
    a_.setLimit(b, end - shift);
    tracker_.reset(a_);
    separator_.keepWithin(alone ? std::vector<int>{b} : std::vector<int>{});
    const bool done = finalPhase_ ? separateFor(DeepWork::Compress, compressionSettings())
                                  : separateFor(alone ? DeepWork::Tighten : DeepWork::Squeeze, squeezeSettings());
    separator_.keepWithin({});
    if (done) {
        accept();
        return true;
    }
    if (alone) {
        step *= kStepFall;
        return false;
    }
    // Far from the least length a smaller step pays better than more tries at this one.
    if (step > kRetriesBelow) {
        step *= kBigStepFall;
        return false;
    }
    failed_.assign(1, Failed{a_.solution(), tracker_.totalLoss()});
    failedBin_ = b;
    failedLimit_ = end - shift;
    retries_ = 0;
    return false;
}

double SearchWorker::closingShare() const
{
    return std::clamp((budget_.share() - kCompressFrom) / (1 - kCompressFrom), 0.0, 1.0);
}

bool SearchWorker::compressFinal(double t)
{
    double step = kCompressFirst + (kCompressLast - kCompressFirst) * std::clamp(t, 0.0, 1.0);
    failed_.clear();
    finalPhase_ = true;
    return compress(leastUsedBin(a_), step, false);
}

void SearchWorker::tightenNext()
{
    if (current_.bins.size() < 2) return;
    loadCurrent();
    const int least = leastUsedBin(a_);
    tightenNext_ = (tightenNext_ + 1) % a_.binCount();
    if (tightenNext_ == least) tightenNext_ = (tightenNext_ + 1) % a_.binCount();
    compress(tightenNext_, tightenStep_, true);
    if (tightenStep_ < kLeastStep) tightenStep_ = kFirstStep;
}

bool SearchWorker::downsize()
{
    loadCurrent();
    const int b = leastUsedBin(a_);
    if (b < 0) return false;
    const SheetType& now = a_.sheetOf(b);
    int choice = -1;
    for (std::size_t s = 0; s < job_.sheets.size(); ++s) {
        const SheetType& t = job_.sheets[s];
        if (t.priority != now.priority || !(t.area < now.area)) continue;
        int inUse = 0;
        for (int k = 0; k < a_.binCount(); ++k) inUse += a_.bin(k).sheet == static_cast<int>(s) ? 1 : 0;
        if (inUse >= t.stock) continue;
        if (choice < 0 || t.area > job_.sheets[static_cast<std::size_t>(choice)].area) choice = static_cast<int>(s);
    }
    if (choice < 0) return false;
    double inBin = 0;
    for (int item : a_.itemsIn(b)) inBin += a_.orientation(item, 0).spacing.area;
    if (inBin > kMostDensity * freeArea(job_.sheets[static_cast<std::size_t>(choice)])) return false;
    a_.changeSheet(b, choice);
    tracker_.reset(a_);
    if (!separateFor(DeepWork::Downsize, squeezeSettings())) return false;
    accept();
    return true;
}

void SearchWorker::disrupt()
{
    loadCurrent();
    // Every sheet keeps its used length: with the whole sheet open the two parts would be pushed
    // out to its far end, and squeezing them back costs more than the swap gains.
    for (int b = 0; b < a_.binCount(); ++b) a_.setLimit(b, a_.usedEnd(b));
    swapLargeParts();
    tracker_.reset(a_);
    // The new valley is where squeezing goes on, even when it is no better yet.
    if (separateFor(DeepWork::Disrupt, squeezeSettings())) accept();
}

void SearchWorker::swapLargeParts()
{
    std::vector<int> placed;
    for (int item = 0; item < a_.itemCount(); ++item)
        if (a_.placement(item).placed()) placed.push_back(item);
    if (placed.size() < 2) return;
    std::stable_sort(placed.begin(), placed.end(), [&](int x, int y) { return a_.partOf(x).area > a_.partOf(y).area; });
    const int large = std::max(2, static_cast<int>(placed.size()) / 2);
    const int first = placed[static_cast<std::size_t>(random_.below(large))];
    int second = -1;
    for (int tries = 0; tries < 8 && second < 0; ++tries) {
        const int other = placed[static_cast<std::size_t>(random_.below(large))];
        if (a_.typeOf(other) != a_.typeOf(first)) second = other;
    }
    if (second < 0) return;
    // Each takes the other's place: its box centred where the other's was.
    const Placement p1 = a_.placement(first), p2 = a_.placement(second);
    const Box b1 = a_.spacingBox(first, p1), b2 = a_.spacingBox(second, p2);
    Placement n1 = p1, n2 = p2;
    n1.bin = p2.bin;
    n1.x += (b2.x0 + b2.x1 - b1.x0 - b1.x1) / 2;
    n1.y += (b2.y0 + b2.y1 - b1.y0 - b1.y1) / 2;
    n2.bin = p1.bin;
    n2.x -= (b2.x0 + b2.x1 - b1.x0 - b1.x1) / 2;
    n2.y -= (b2.y0 + b2.y1 - b1.y0 - b1.y1) / 2;
    a_.lift(first);
    a_.lift(second);
    a_.place(first, n1);
    a_.place(second, n2);
    // Parts the swapped ones now cover, their deepest point inside, go to the place the swapped
    // part left: a large part swapped with a small one would bury the small one's neighbours.
    const std::vector<int> under1 = coveredBy(first, second), under2 = coveredBy(second, first);
    carry(under1, n1, p1);
    carry(under2, n2, p2);
}

std::vector<int> SearchWorker::coveredBy(int item, int other) const
{
    const Placement& p = a_.placement(item);
    const Region& cover = a_.orientation(item, p.orient).spacing;
    std::vector<int> covered;
    a_.forEachNear(p.bin, a_.spacingBox(item, p), item, [&](int c) {
        const Placement& pc = a_.placement(c);
        const Region& r = a_.orientation(c, pc.orient).spacing;
        if (c != other && !r.poles.empty() &&
            materialHolds(cover, {r.poles.x()[0] + pc.x - p.x, r.poles.y()[0] + pc.y - p.y}))
            covered.push_back(c);
        return true;
    });
    return covered;
}

void SearchWorker::carry(const std::vector<int>& items, const Placement& from, const Placement& to)
{
    for (int c : items) {
        Placement pc = a_.placement(c);
        pc.bin = to.bin;
        pc.x += to.x - from.x;
        pc.y += to.y - from.y;
        a_.lift(c);
        a_.place(c, pc);
    }
}

} // namespace dravenor::deep
