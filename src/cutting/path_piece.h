#pragma once
// The pieces a torch path is made of: straight lines and circular arcs, with the measuring,
// splitting and distance helpers the cut plan needs. Arcs stay arcs from the shape to the program.
#include <vector>

namespace dravenor::cutting {

struct Vec2 {
    double x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double k) { return {a.x * k, a.y * k}; }
inline double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
double length(Vec2 v);
double distance(Vec2 a, Vec2 b);
Vec2 unit(Vec2 v);
// The vector turned a quarter counter-clockwise: the left side of a direction of travel.
inline Vec2 leftOf(Vec2 v) { return {-v.y, v.x}; }

// A line from a to b, or an arc from a to b about the centre c, counter-clockwise when ccw.
// An arc whose ends coincide is a full circle.
struct PathPiece {
    Vec2 a, b;
    bool arc = false;
    Vec2 c;
    bool ccw = true;
};

PathPiece linePiece(Vec2 a, Vec2 b);
PathPiece arcPiece(Vec2 a, Vec2 b, Vec2 c, bool ccw);

double radiusOf(const PathPiece& p);
// Angle the arc turns through, in (0, 2 pi]; 0 for a line.
double sweepOf(const PathPiece& p);
double pieceLength(const PathPiece& p);
// Point at the share t (0..1) of the piece's length.
Vec2 pointAt(const PathPiece& p, double t);
// Unit direction of travel at the share t.
Vec2 tangentAt(const PathPiece& p, double t);
// The piece up to / from the share t.
PathPiece headOf(const PathPiece& p, double t);
PathPiece tailOf(const PathPiece& p, double t);
PathPiece reversed(const PathPiece& p);
// The piece as chords no further than `sag` from it (the end point last, the start left out).
void appendChordPoints(const PathPiece& p, double sag, std::vector<Vec2>& points);
// Twice the signed area the piece adds to a closed path (shoelace term plus the arc's segment).
double doubleAreaTerm(const PathPiece& p);
// Least distance from the point to the piece.
double distanceToPiece(Vec2 q, const PathPiece& p);

// Where the piece's line or circle crosses the other's, ends not considered (none for parallel lines).
std::vector<Vec2> carrierCrossings(const PathPiece& p, const PathPiece& q);
// The share (0..1) of the piece at which its point q lies.
double shareAt(const PathPiece& p, Vec2 q);

using PiecePath = std::vector<PathPiece>;
double pathLength(const PiecePath& path);
// The first `len` of the path (the whole path when it is shorter).
PiecePath pathHead(const PiecePath& path, double len);

} // namespace dravenor::cutting
