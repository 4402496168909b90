#include "EnvelopeEditor.h"

#include "core/spectral/SplineCurves.h"

namespace EO = EnvelopeOutline;

bool EnvelopeEditor::Open(const WaveSamples& wave, long long s0, long long length, int x1, int x2, int width,
                          int height, int zoom)
{
    if (length <= 0 || width <= 0)
        return false;
    m_nWidth = width;
    m_nHeight = height;
    const long long a = static_cast<long long>(static_cast<double>(x1) * length / width + s0);
    const long long b = static_cast<long long>(static_cast<double>(x2) * length / width + s0);
    const auto blocks =
        EnvelopeDetector::DetectBlocks(wave, a, b, s0 + length, EnvelopeDetector::OffsetScale{zoom, height - 20});
    const auto points = EnvelopeDetector::ViewPoints(blocks, s0, length, width, height);
    m_arUpper = points.upper;
    m_arLower = points.lower;

    const bool bReplace = m_collected.upper.size() <= 1;
    EO::Merge(m_collected, EO::ScaleOntoView(m_arUpper, m_arLower, x1, width, height));
    if (bReplace)
        m_supports = {};
    EnvelopeDetector::MergeSupports(m_supports, EnvelopeDetector::Supports(blocks));
    m_arContour = EO::Contour(m_collected);
    m_shown = ContourPicture();
    return true;
}

EnvelopePicture EnvelopeEditor::ContourPicture() const
{
    return {0, m_nWidth, m_nHeight, m_arContour, {}};
}

void EnvelopeEditor::ShowCurve()
{
    EO::Points kept = EO::KeptPoints(m_arContour, m_nWidth);
    EO::ApplyEdits(kept, m_arEdits, m_nHeight);
    m_arKept = EO::WithAnchors(kept);
    m_shown = {1, m_nWidth, m_nHeight, m_arKept, BetaSplinePoints(m_arKept)};
}

void EnvelopeEditor::LeftClick(PlotPoint p)
{
    if (EO::NearPoint(m_arKept, p) < 0)
        m_arEdits.push_back({false, p, 0});
    ShowCurve();
}

void EnvelopeEditor::RightClick(PlotPoint p)
{
    const int k = EO::NearPoint(m_arKept, p);
    if (k >= 0)
        m_arEdits.push_back({true, {}, k});
    ShowCurve();
}

void EnvelopeEditor::DrawCurve()
{
    ShowCurve();
    m_arEdits.clear();
}

void EnvelopeEditor::Optimise()
{
    EO::Optimise(m_arContour, m_nWidth, m_nHeight);
    m_shown = ContourPicture();
}

void EnvelopeEditor::ClearCollected()
{
    m_collected = {};
    m_supports = {};
}
