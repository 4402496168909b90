#include "core/nonlinear/AnalysePlot.h"

#include "core/nonlinear/DigitText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

const char* const kAnalyseTooShortText =
    "Entweder haben Sie noch keinen Ausschnitt aus der Zeitreihe ausgewählt, oder die ausgewählte Zeitreihe ist "
    "zu kurz für eine sinnvolle Auswertung, da sie weniger als 50 Datenpunkte enthält.\nBitte versuchen Sie es "
    "erneut.";

namespace {

int Trunc(double v)
{
    // Pixels far outside any window are kept in a range the painter can take.
    return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

// Draws a polyline with "move to" and "draw to" steps into strokes.
class Pen
{
public:
    Pen(AnalysePicture& picture, Rgb colour) : m_picture(picture), m_colour(colour) {}
    void moveTo(int x, int y) { m_at = {x, y}; }
    void lineTo(int x, int y)
    {
        m_picture.strokes.push_back({m_at, {x, y}, m_colour});
        m_at = {x, y};
    }

private:
    AnalysePicture& m_picture;
    Rgb m_colour;
    PlotPoint m_at;
};

void Line(AnalysePicture& p, int x0, int y0, int x1, int y1, int width = 1)
{
    p.strokes.push_back({{x0, y0}, {x1, y1}, kAnalyseBlack, width});
}

void Text(AnalysePicture& p, int x, int y, std::string text, TextAnchor anchor = TextAnchor::Left, bool vertical = false,
          const char* font = "Century Gothic", int height = 16)
{
    p.labels.push_back({{x, y}, std::move(text), anchor, font, height, vertical});
}

AnalysePicture Blank(int width, int height, const char* title)
{
    AnalysePicture p;
    p.fills.push_back({0, 0, width, height, kAnalyseWhite});
    Text(p, width, 0, title, TextAnchor::Right);
    return p;
}

Rgb CurveColour(int index)
{
    return index == 0 ? kAnalyseRed : index == 1 ? kAnalyseBlue : kAnalyseGreen;
}

} // namespace

AnalysePicture AnalyseTooShortPicture(int width, int height)
{
    AnalysePicture p;
    p.fills.push_back({0, 0, width, height, kAnalyseWhite});
    p.labels.push_back({{0, 0}, kAnalyseTooShortText, TextAnchor::Left, "Century Gothic", 20, false, width});
    return p;
}

MaxExponentScale MaxExponentPlotScale(const MaxExponentResult& r, unsigned radiiDrawn, int width, int height)
{
    MaxExponentScale s;
    double smallest = 0.0;
    if (r.hasEntries())
        for (unsigned m = r.minDimension; m <= r.maxDimension; ++m)
            for (unsigned e = 0; e < std::min(radiiDrawn, r.radiusCount); ++e)
                for (unsigned dn = 0; dn <= r.steps; ++dn)
                    smallest = std::min(smallest, r.S(m, e, dn));
    s.M = smallest < 0.0 ? -smallest : 1.0;
    s.h = std::max((width - 40) / static_cast<int>(r.steps + 1), 1);
    s.v = (height - 30) / s.M;
    return s;
}

AnalysePicture MaxExponentPlot(const MaxExponentResult& r, unsigned radiiDrawn, int W, int H)
{
    AnalysePicture p = Blank(W, H, "Maximaler Lyapunovexponent");
    const MaxExponentScale s = MaxExponentPlotScale(r, radiiDrawn, W, H);
    Line(p, 40, 5, 40, H - 25);
    Text(p, 4, H / 2, "Stretchfaktor S(dn)", TextAnchor::Left, true);
    for (int i = 1; i * s.v < H - 30 && i < 4 * s.M; ++i) {
        const int y = Trunc(i * s.v);
        Line(p, 40, y, 36, y);
        Text(p, 22, y, "-" + std::to_string(i), TextAnchor::Left, true);
    }
    Line(p, 5, H - 30, W - 5, H - 30);
    Text(p, W / 2, H - 18, "Iterationen");
    for (unsigned t = 0; t <= r.steps; t += 10) {
        const int x = Trunc(t * s.h + 40.0);
        Line(p, x, H - 30, x, H - 26);
        Text(p, Trunc(t * s.h + 37.0), H - 28, std::to_string(t));
    }
    if (!r.hasEntries())
        return p;
    for (unsigned e = 0; e < std::min(radiiDrawn, r.radiusCount); ++e)
        for (unsigned m = r.minDimension; m <= r.maxDimension; ++m) {
            Pen pen(p, CurveColour(static_cast<int>(m - r.minDimension)));
            pen.moveTo(40, H - 30);
            for (unsigned n = 0; n < r.steps; ++n)
                pen.lineTo(Trunc(n * s.h + 40.0), Trunc(std::abs(r.S(m, e, n + 1)) * s.v));
        }
    return p;
}

AnalyseSlope MaxExponentSlope(const MaxExponentScale& scale, PlotPoint start, PlotPoint end)
{
    const double n0 = (start.x - 40.0) / scale.h, s0 = -start.y / scale.v;
    const double n1 = (end.x - 40.0) / scale.h, s1 = -end.y / scale.v;
    AnalyseSlope out;
    out.value = (s1 - s0) / (n1 - n0);
    out.text = "Steigung: " + formatSignificantPrefix(out.value, 10, 6);
    return out;
}

void AddSlopeLine(AnalysePicture& p, PlotPoint start, PlotPoint end, const std::string& text, int width)
{
    p.strokes.push_back({start, end, kAnalyseBlack, 3});
    Text(p, width / 2, 0, text, TextAnchor::Centre, false, "Arial", 16);
}

long long SpectrumRowsToDraw(const SpectrumResult& r)
{
    const long long planned = r.iterations - static_cast<long long>(r.exponentCount) * r.delay;
    return std::clamp(planned, 0LL, r.rowCount);
}

AnalysePicture SpectrumPlot(const SpectrumResult& r, long long c, long long last, int W, int H, bool withText)
{
    AnalysePicture p = Blank(W, H, "Lyapunov Spektrum");
    c = std::clamp(c, 0LL, static_cast<long long>(r.rows.size()));
    const int N = r.exponentCount;
    double mx = 0.0, mn = 0.0;
    if (c > 20)
        for (long long row = 20; row < c; ++row)
            for (int k = 0; k < N; ++k) {
                mx = std::max(mx, r.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(k)]);
                mn = std::min(mn, r.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(k)]);
            }
    const double h = last > 0 ? (W - 40.0) / static_cast<double>(last) : 0.0;
    const double v = mx > mn ? (H - 70.0) / (mx - mn) : 0.0;
    const int y0 = Trunc(std::abs(mx) * v + 40.0);
    Line(p, 5, y0, W, y0);
    Text(p, W - 75, Trunc(std::abs(mx) * v + 60.0), "Iterationen");
    const long long step = std::max(last / 5 - (last / 5) % 100, 20LL);
    for (long long t = step; t < last; t += step) {
        const int x = Trunc(t * h + 40.0);
        Line(p, x, y0, x, Trunc(std::abs(mx) * v + 44.0));
        Text(p, Trunc(t * h + 37.0), Trunc(std::abs(mx) * v + 44.0), std::to_string(t));
    }
    Line(p, 40, 3, 40, H);
    const bool dotted = c > 0 && c == last - static_cast<long long>(N) * r.delay;
    for (int k = 0; k < N && c > 0; ++k) {
        const auto at = [&](long long row) { return r.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(k)]; };
        Pen pen(p, CurveColour(k));
        pen.moveTo(40, Trunc((mx - at(0)) * v + 40.0));
        for (long long row = 0; row < c; ++row) {
            const int y = Trunc((mx - at(row)) * v + 40.0), x = Trunc(row * h + 40.0);
            if (y >= 40 && y < H)
                pen.lineTo(x, y);
            else
                pen.moveTo(x, y > H ? H : 40);
        }
        double sum = 0.0;
        for (long long row = c / 2; row < c; ++row)
            sum += at(row);
        const double mean = sum / static_cast<double>(c - c / 2);
        const int ym = Trunc((mx - mean) * v + 32.0);
        Text(p, 2, ym, formatSignificantPrefix(mean, 4, 6));
        if (dotted)
            p.strokes.push_back({{40, ym + 8}, {W, ym + 8}, kAnalyseBlack, 1, true});
    }
    if (withText && r.completed && !r.kaplanYorkeText.empty())
        Text(p, W / 2, 0, r.kaplanYorkeText, TextAnchor::Centre);
    return p;
}

AnalysePicture CorrelationPlot(const CorrelationResult& r, int m1, int m2, int W, int H, std::vector<double>* means)
{
    AnalysePicture p = Blank(W, H, "Korrelationsdimension");
    const int K = r.radiusCount, D = r.maxDimension;
    const int Hu = H - H / 2 - 30;
    Text(p, W - 150, H - H / 2 - 18, "Radien");
    double mx = 0.0, mn = 0.0;
    for (const auto& dim : r.entries)
        for (int k = 0; k + 4 <= K && k < static_cast<int>(dim.size()); ++k)
            if (std::abs(dim[static_cast<std::size_t>(k)].slope) < 1e50) {
                mx = std::max(mx, dim[static_cast<std::size_t>(k)].slope);
                mn = std::min(mn, dim[static_cast<std::size_t>(k)].slope);
            }
    double smallest = 0.0;
    if (K >= 2 && !r.entries.empty() && static_cast<int>(r.entries[0].size()) >= K - 1)
        smallest = r.entries[0][static_cast<std::size_t>(K - 2)].radius;
    const double lnSmallest = smallest > 0.0 ? std::abs(std::log(smallest)) : 0.0;
    const double u = lnSmallest > 0.0 ? (W - 40.0) / lnSmallest : 0.0;
    const auto xOf = [&](double radius) { return radius > 0.0 ? Trunc(W - std::abs(std::log(radius)) * u) : 40; };
    const double vs = mx > mn ? ((H - 30) / 2.0) / (mx - mn) : 0.0;
    const auto yOf = [&](double slope) { return Trunc(Hu - (slope - mn) * vs); };

    Line(p, 5, Hu, W, Hu);
    for (double decade : {0.001, 0.01, 0.1})
        for (int i = 1; i <= 10; ++i) {
            const double radius = decade * i;
            const int x = xOf(radius);
            Line(p, x, Hu, x, Hu + 4);
            if (i == 10)
                Text(p, x - 8, H / 2 - 25, formatSignificantPrefix(radius, 4, 4));
        }
    Text(p, 4, H / 2 - 40, "Korrelationsdimension", TextAnchor::Left, true);
    Line(p, 40, 0, 40, H - H / 2);
    for (int i = 1; i <= 6 && vs > 0.0; ++i) {
        const int y = yOf(i);
        if (y < 0 || y > Hu)
            continue;
        Line(p, 40, y, 36, y);
        Text(p, 26, y - 6, std::to_string(i));
    }
    Line(p, 0, H / 2, W, H / 2, 3);
    Line(p, 5, H - 30, W - 5, H - 30);
    for (int i = 1; i <= D; ++i) {
        const int x = (W - 40) * i / D + 40;
        Line(p, x, H - 30, x, H - 26);
        Text(p, x - 3, H - 28, std::to_string(i));
    }
    Text(p, W - 150, H - 16, "Einbettungsdimension");
    Line(p, 40, H / 2 + 5, 40, H - 5);
    for (int i = 1; i <= 5; ++i) {
        const int y = H - (H - 30) * i / 14 - 30;
        Line(p, 40, y, 36, y);
        Text(p, 26, y - 6, std::to_string(i));
    }
    Text(p, 4, H - 40, "Korrelationsdimension", TextAnchor::Left, true);

    std::vector<double> averages;
    for (int d = 0; d < static_cast<int>(r.entries.size()); ++d) {
        const auto& dim = r.entries[static_cast<std::size_t>(d)];
        Pen pen(p, CurveColour((d + 1) % 3 == 1 ? 0 : (d + 1) % 3 == 2 ? 1 : 2));
        bool drawing = false;
        double sum = 0.0;
        int count = 0;
        for (int k = 0; k + 1 < K && k < static_cast<int>(dim.size()); ++k) {
            const CorrelationEntry& entry = dim[static_cast<std::size_t>(k)];
            if (!(std::abs(entry.slope) < 1e50) || entry.radius <= 0.0)
                continue;
            const int x = xOf(entry.radius);
            int y = vs > 0.0 ? yOf(entry.slope) : Hu;
            if (y > Hu) {
                drawing = false; // below the baseline: skipped, the curve breaks
            } else {
                y = std::max(y, 0);
                if (drawing)
                    pen.lineTo(x, y);
                else
                    pen.moveTo(x, y);
                drawing = true;
            }
            if (m1 > 0 && m2 > 0 && m1 < x && x < m2) {
                sum += entry.slope;
                ++count;
            }
        }
        averages.push_back(count > 0 ? sum / count : 0.0);
    }
    if (m1 > 0 && m2 > 0 && D > 0 && !averages.empty()) {
        const double unit = (H - 30) / 14.0;
        Pen pen(p, kAnalyseBlack);
        for (int d = 0; d < static_cast<int>(averages.size()); ++d) {
            const int x = (W - 40) * (d + 1) / D + 40, y = Trunc(H - 30 - averages[static_cast<std::size_t>(d)] * unit);
            if (d == 0)
                pen.moveTo(x, y);
            else
                pen.lineTo(x, y);
        }
        const int yLast = Trunc(H - 30 - averages.back() * unit);
        p.strokes.push_back({{40, yLast}, {W - 5, yLast}, kAnalyseBlack, 1, true});
        Text(p, 44, yLast - 18, formatSignificantPrefix(averages.back(), 4, 6));
    }
    if (means)
        *means = (m1 > 0 && m2 > 0) ? averages : std::vector<double>{};
    return p;
}

void MoveRangeMarkers(int& m1, int& m2, int pressX, int x)
{
    if (m1 > 0 && std::abs(x - m1) <= 5)
        m1 = pressX;
    else if (m2 > 0 && std::abs(x - m2) <= 5)
        m2 = pressX;
    else if (m1 == 0)
        m1 = x;
    else if (m2 == 0)
        m2 = x;
    else if (std::abs(x - m1) < std::abs(x - m2))
        m1 = x;
    else
        m2 = x;
    if (m2 > 0 && m1 > m2)
        std::swap(m1, m2);
}
