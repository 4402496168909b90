#include "EnvelopeOutline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace EnvelopeOutline {

namespace {

Points ScaleList(const Points& list, int x1, int m, double sx, double sy)
{
    Points out;
    int prevX = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int x = static_cast<int>((list[i].x - x1) * sx);
        const int y = static_cast<int>((list[i].y - m) * sy);
        if (i > 0 && x > prevX)
            out.push_back({x, y});
        prevX = x;
    }
    return out;
}

void MergeList(Points& into, const Points& more)
{
    for (const PlotPoint& point : more) {
        auto at = std::find_if(into.begin(), into.end(), [&](const PlotPoint& p) { return p.x >= point.x; });
        if (at == into.end() || at->x != point.x)
            into.insert(at, point);
    }
}

double Distance(PlotPoint a, PlotPoint b)
{
    return std::hypot(static_cast<double>(a.x - b.x), static_cast<double>(a.y - b.y));
}

} // namespace

Scaled ScaleOntoView(const Points& upper, const Points& lower, int x1, int width, int height)
{
    if (upper.empty() || lower.empty())
        return {};
    int m = height / 2;
    for (const PlotPoint& p : upper)
        m = std::min(m, p.y);
    for (const PlotPoint& p : lower)
        m = std::min(m, height - p.y);
    const int xe = std::max(upper.back().x, lower.back().x);
    const double sx = xe != x1 ? static_cast<double>(width) / (xe - x1) : 1.0;
    const double sy = height != 2 * m ? static_cast<double>(height) / (height - 2 * m) : 1.0;
    return {ScaleList(upper, x1, m, sx, sy), ScaleList(lower, x1, m, sx, sy)};
}

void Merge(Scaled& collected, const Scaled& scaled)
{
    if (collected.upper.size() <= 1) {
        collected = scaled;
        return;
    }
    MergeList(collected.upper, scaled.upper);
    MergeList(collected.lower, scaled.lower);
}

Points Contour(const Scaled& collected)
{
    Points contour = collected.upper;
    contour.insert(contour.end(), collected.lower.rbegin(), collected.lower.rend());
    return contour;
}

Points KeptPoints(const Points& contour, int width)
{
    struct Stage
    {
        int step;
        bool bBelow; // the stage lasts while x < limit, else while x > limit
        int limit;
    };
    const Stage stages[] = {{3, true, width / 8},      {10, true, width / 4},  {30, true, 3 * width / 4},
                            {10, false, 3 * width / 4}, {30, false, width / 4}, {10, false, width / 8}};
    Points kept;
    std::size_t i = 0;
    for (const Stage& st : stages) {
        while (i < contour.size() && (st.bBelow ? contour[i].x < st.limit : contour[i].x > st.limit)) {
            kept.push_back(contour[i]);
            i += static_cast<std::size_t>(st.step);
        }
    }
    for (; i < contour.size(); i += 3)
        kept.push_back(contour[i]);
    return kept;
}

void ApplyEdits(Points& kept, const std::vector<Edit>& edits, int height)
{
    for (const Edit& edit : edits) {
        if (edit.bRemove) {
            const int k = edit.index - kAnchorCount;
            if (k >= 1 && edit.index < static_cast<int>(kept.size()))
                kept.erase(kept.begin() + k);
            continue;
        }
        const PlotPoint p = edit.point;
        auto at = kept.begin();
        if (p.y > height / 2) {
            at = std::find_if(kept.begin(), kept.end(), [&](const PlotPoint& q) { return q.y > height / 2; });
            at = std::find_if(at, kept.end(), [&](const PlotPoint& q) { return q.x <= p.x; });
        } else {
            at = std::find_if(kept.begin(), kept.end(), [&](const PlotPoint& q) { return q.x >= p.x; });
        }
        kept.insert(at, p);
    }
}

Points WithAnchors(const Points& kept)
{
    if (kept.empty())
        return {};
    Points out(kAnchorCount, kept.front());
    out.insert(out.end(), kept.begin(), kept.end());
    out.insert(out.end(), kAnchorCount, kept.back());
    return out;
}

int NearPoint(const Points& points, PlotPoint p)
{
    for (std::size_t i = 0; i < points.size(); ++i)
        if (Distance(points[i], p) < 10.0)
            return static_cast<int>(i);
    return -1;
}

void Optimise(Points& contour, int width, int height)
{
    const Points before = contour;
    std::vector<char> marked(before.size(), 0);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (marked[i])
            continue;
        const PlotPoint p = before[i];
        int left = 0, right = 0, up = 0, down = 0;
        for (std::size_t j = 0; j < before.size(); ++j) {
            if (j == i || marked[j])
                continue;
            const int dx = before[j].x - p.x, dy = before[j].y - p.y;
            const double dist = Distance(before[j], p);
            if (dist > 0.0 && dist < 2.0) {
                marked[j] = 1;
                continue;
            }
            if (std::abs(dx) >= 40 || std::abs(dy) >= 40)
                continue;
            if (std::abs(dy) <= std::abs(dx))
                ++(dx < 0 ? left : right);
            if (std::abs(dx) <= std::abs(dy))
                ++(dy <= 0 ? up : down);
        }
        PlotPoint& moved = contour[i];
        if (right + 4 < left && left > 4 && moved.x > 1)
            --moved.x;
        else if (left + 4 < right && right > 4 && moved.x < width)
            ++moved.x;
        if (down + 4 < up && up > 4 && moved.y > 1)
            --moved.y;
        else if (up + 4 < down && down > 4 && moved.y < height)
            ++moved.y;
    }
    Points kept;
    for (std::size_t i = 0; i < contour.size(); ++i)
        if (!marked[i])
            kept.push_back(contour[i]);
    contour = std::move(kept);
}

} // namespace EnvelopeOutline
