// The point arithmetic of the envelope editor, in pixels of the waveform view's client area
// (W × H): the detected points stretched onto the whole view, merged with those of earlier
// openings, joined into a closed contour, thinned to the kept points of the curve with the
// user's edits and anchors, and the "Optimiere Punktmenge" pass.
#pragma once

#include "core/common/PlotPrimitives.h"

#include <vector>

namespace EnvelopeOutline {

using Points = std::vector<PlotPoint>;

// The detected points stretched onto the view: m = min(H/2, smallest upper y, H − largest lower
// y); xe = the larger x of the two last points; sx = W/(xe − x1), sy = H/(H − 2m); a point
// becomes (trunc((x − x1)·sx), trunc((y − m)·sy)) and is kept when it is not the first of its
// list and its new x exceeds the new x of the point before it. x1 is marker 1. A zero
// denominator (nothing right of the marker, a flat outline) leaves that factor at 1.
struct Scaled
{
    Points upper;
    Points lower;
};
Scaled ScaleOntoView(const Points& upper, const Points& lower, int x1, int width, int height);

// Adds the points of one opening to the collected lists: when the collected upper list holds
// at most one point both are replaced; otherwise each point goes before the first collected
// point of greater x (or to the end), and is dropped when its x is already there.
void Merge(Scaled& collected, const Scaled& scaled);

// The closed outline: the upper points left to right, then the lower ones right to left.
Points Contour(const Scaled& collected);

// The points of the contour the curve is drawn through: every 3rd while x < W/8, every 10th while
// x < W/4, every 30th while x < 3W/4, then (round the right end and back along the lower edge)
// every 10th while x > 3W/4, every 30th while x > W/4, every 10th while x > W/8, and every 3rd
// for the rest. W/8, W/4 and 3W/4 in integer division.
Points KeptPoints(const Points& contour, int width);

// A mouse edit in the dialog: an insertion of a point, or the removal of the point at an index
// of the kept list as shown, which counts the two anchors in front.
struct Edit
{
    bool bRemove = false;
    PlotPoint point;   // the inserted point
    int index = 0;     // the removed point's index in the shown list
    friend bool operator==(const Edit&, const Edit&) = default;
};
inline constexpr int kAnchorCount = 2;
// Replays the edits in order. A removal with index − 2 ≥ 1 and index below the number of kept
// points removes kept point index − 2; other removals do nothing. An insertion below the middle
// (y > H/2) goes, searching from the first kept point below the middle, before the first point
// whose x is not greater than its own; one in the upper half before the first point whose x is
// not smaller; without such a point it is appended.
void ApplyEdits(Points& kept, const std::vector<Edit>& edits, int height);
// The first point twice more in front, the last twice more at the end (nothing for an empty list).
Points WithAnchors(const Points& kept);

// Index of the first point closer than 10 pixels (Euclidean) to p, or −1.
int NearPoint(const Points& points, PlotPoint p);

// "Optimiere Punktmenge": for each point P (in order, skipping points already marked) and every
// other unmarked point Q: 0 < |PQ| < 2 marks Q for deletion; otherwise, with |dx|, |dy| < 40
// (dx = Q.x − P.x, dy = Q.y − P.y), Q is a left (dx < 0, |dy| ≤ |dx|), right (dx ≥ 0, |dy| ≤ |dx|),
// upper (dy ≤ 0, |dx| ≤ |dy|) or lower (dy > 0, |dx| ≤ |dy|) neighbour. P moves one pixel
// towards the side with more than 4 neighbours and 4 more than the opposite side, within
// x in [1, W] and y in [1, H]. The counts use the positions before the pass; then the marked
// points are removed.
void Optimise(Points& contour, int width, int height);

} // namespace EnvelopeOutline
