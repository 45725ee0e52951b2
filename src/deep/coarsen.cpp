#include "deep/coarsen.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <queue>
#include <tuple>

#include "deep/collision_exact.h"

namespace dravenor::deep {

namespace {

// Beyond this many corners a component is left as it is: each change is checked against every
// edge.
constexpr std::size_t kMostCorners = 5000;

double cross(Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// The closed triangle holds the point.
bool triangleHolds(Point a, Point b, Point c, Point p)
{
    const double d1 = cross(a, b, p), d2 = cross(b, c, p), d3 = cross(c, a, p);
    return !((d1 < 0 || d2 < 0 || d3 < 0) && (d1 > 0 || d2 > 0 || d3 > 0));
}

// The rings of one component as linked corners, so that a corner goes in constant time.
class Corners {
public:
    explicit Corners(const Component& c)
    {
        add(c.outer, signedArea(c.outer) > 0 ? 1 : -1);
        for (const Ring& hole : c.holes) add(hole, signedArea(hole) > 0 ? -1 : 1);
    }
    std::size_t size() const { return at_.size(); }

    // What the cheapest change at corner v (taking v, or v and the corner after it) adds; the
    // change is remembered for apply().
    double price(int v)
    {
        const int p = prev_[v], n = next_[v], nn = next_[n];
        const double turn = side_[v] * cross(at_[p], at_[v], at_[n]);
        double best = kInfinity;
        kind_[v] = Kind::None;
        if (turn <= 0 && count_[ring_[v]] > 3) {
            best = std::fabs(cross(at_[p], at_[v], at_[n])) / 2;
            kind_[v] = Kind::Notch;
        }
        // Two corners of a bulge: the edges before v and after its next corner meet ahead of both.
        if (count_[ring_[v]] > 4 && turn > 0 && side_[v] * cross(at_[v], at_[n], at_[nn]) > 0) {
            const Point d1{at_[v].x - at_[p].x, at_[v].y - at_[p].y}, d2{at_[n].x - at_[nn].x, at_[n].y - at_[nn].y};
            const double det = d1.x * (-d2.y) - d1.y * (-d2.x);
            if (det != 0) {
                const double rx = at_[n].x - at_[v].x, ry = at_[n].y - at_[v].y;
                const double t = (rx * (-d2.y) - ry * (-d2.x)) / det, u = (d1.x * ry - d1.y * rx) / det;
                if (t > 0 && u > 0) {
                    const Point apex{at_[v].x + t * d1.x, at_[v].y + t * d1.y};
                    const double added = std::fabs(cross(at_[v], apex, at_[n])) / 2;
                    if (added < best) {
                        best = added;
                        kind_[v] = Kind::Bulge;
                        apex_[v] = apex;
                    }
                }
            }
        }
        return best;
    }

    bool alive(int v) const { return alive_[v]; }

    // Makes the change priced at v when it leaves the rings simple; the corners whose price it
    // changed come back in `near`.
    bool apply(int v, std::vector<int>& near)
    {
        if (kind_[v] == Kind::None) return false;
        const int p = prev_[v], n = next_[v];
        if (kind_[v] == Kind::Notch) {
            if (!clear(at_[p], at_[v], at_[n], {p, v, n}, {{at_[p], at_[n]}})) return false;
            unlink(v);
        } else {
            const int nn = next_[n];
            const Point apex = apex_[v];
            if (!clear(at_[v], apex, at_[n], {p, v, n, nn}, {{at_[p], apex}, {apex, at_[nn]}})) return false;
            at_[v] = apex;
            unlink(n);
        }
        // Prices look two corners ahead and one back: those around the change are due again.
        int w = kind_[v] == Kind::Notch ? p : v;
        for (int k = 0; k < 3; ++k) w = prev_[w];
        near.clear();
        for (int k = 0; k < 7; ++k, w = next_[w]) near.push_back(w);
        return true;
    }

    Component component() const
    {
        Component c;
        for (std::size_t r = 0; r < first_.size(); ++r) {
            Ring ring;
            const int start = first_[r];
            int v = start;
            do {
                ring.push_back(at_[v]);
                v = next_[v];
            } while (v != start);
            (r == 0 ? c.outer : c.holes.emplace_back()) = std::move(ring);
        }
        return c;
    }

private:
    enum class Kind { None, Notch, Bulge };

    void add(const Ring& ring, int side)
    {
        const int base = static_cast<int>(at_.size()), n = static_cast<int>(ring.size());
        for (int i = 0; i < n; ++i) {
            at_.push_back(ring[static_cast<std::size_t>(i)]);
            prev_.push_back(base + (i + n - 1) % n);
            next_.push_back(base + (i + 1) % n);
            ring_.push_back(static_cast<int>(first_.size()));
            side_.push_back(side);
            alive_.push_back(true);
            kind_.push_back(Kind::None);
            apex_.push_back({});
        }
        first_.push_back(base);
        count_.push_back(n);
    }

    void unlink(int v)
    {
        next_[prev_[v]] = next_[v];
        prev_[next_[v]] = prev_[v];
        alive_[v] = false;
        --count_[ring_[v]];
        if (first_[static_cast<std::size_t>(ring_[v])] == v) first_[static_cast<std::size_t>(ring_[v])] = next_[v];
    }

    // No other corner inside the triangle the change adds, and no other edge across its new edges.
    bool clear(Point a, Point b, Point c, std::initializer_list<int> own, std::initializer_list<std::pair<Point, Point>> fresh) const
    {
        for (int w = 0; w < static_cast<int>(at_.size()); ++w) {
            if (!alive_[w] || std::find(own.begin(), own.end(), w) != own.end()) continue;
            if (triangleHolds(a, b, c, at_[w])) return false;
            const int x = next_[w];
            // Edges that end at a corner of the change share its end points.
            if (std::find(own.begin(), own.end(), x) != own.end()) continue;
            for (const auto& [s, e] : fresh)
                if (segmentsMeet(s, e, at_[w], at_[x])) return false;
        }
        return true;
    }

    std::vector<Point> at_;
    std::vector<int> prev_, next_, ring_, side_, first_, count_;
    std::vector<bool> alive_;
    std::vector<Kind> kind_;
    std::vector<Point> apex_;
};

Component coarsenedComponent(const Component& component, double areaShare)
{
    Corners corners(component);
    if (corners.size() > kMostCorners) return component;
    double area = std::fabs(signedArea(component.outer));
    for (const Ring& hole : component.holes) area -= std::fabs(signedArea(hole));
    double budget = areaShare * area;
    using Entry = std::tuple<double, int, int>;  // price, corner, version
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    std::vector<int> version(corners.size(), 0);
    for (int v = 0; v < static_cast<int>(corners.size()); ++v) queue.push({corners.price(v), v, 0});
    std::vector<int> near;
    while (!queue.empty()) {
        const auto [price, v, seen] = queue.top();
        queue.pop();
        if (!corners.alive(v) || seen != version[static_cast<std::size_t>(v)]) continue;
        if (price > budget) break;
        // Its change is priced afresh: prices of others may have been taken since.
        if (corners.price(v) != price || !corners.apply(v, near)) continue;
        budget -= price;
        for (int w : near)
            if (corners.alive(w)) queue.push({corners.price(w), w, ++version[static_cast<std::size_t>(w)]});
    }
    return corners.component();
}

} // namespace

Material coarsened(const Material& material, double areaShare)
{
    Material out;
    for (const Component& c : material) out.push_back(coarsenedComponent(c, areaShare));
    return out;
}

} // namespace dravenor::deep
