// The edge points of the envelope editor: the stretch [a, b) of the signal is read in blocks of
// seven oscillation cycles; each block gives one point on the upper and one on the lower edge of
// the waveform view's drawing. The same blocks, as sample indices and raw sample values, are the
// support points that "Daten kopieren" and `resoni-analyze envelope` print.
#pragma once

#include "core/common/PlotPrimitives.h"
#include "core/waveform/WaveSamples.h"

#include <string>
#include <vector>

namespace EnvelopeDetector {

inline constexpr int kCyclesPerBlock = 7;

// How the signal is turned into vertical offsets: d(i) = trunc(zoom·height/2)·v/32768 (16-bit)
// or ·(v − 128)/128 (8-bit), as the waveform view draws it with height = client height − 20.
struct OffsetScale
{
    int zoom = 1;
    int height = 0;
    // The scale at which every offset is the centred sample value itself (no rounding to 0).
    static OffsetScale SampleResolution(const WaveSamples& wave) { return {1, wave.eightBit() ? 256 : 65536}; }
};

// One block: its first sample, its middle c = s − (s − first)/2 (s the sample after the block),
// the largest offset p ≥ 0 and the smallest q ≤ 0 met in it, and the raw value of the first
// sample that reached each (the value of silence where p or q stayed 0).
struct Block
{
    long long first = 0;
    long long middle = 0;
    int p = 0;
    int q = 0;
    int upperValue = 0;
    int lowerValue = 0;
    friend bool operator==(const Block&, const Block&) = default;
};

// The blocks between a and b (a < b; for 16-bit data both lowered to even). Each cycle walks a
// run of positive offsets (ending at b), then runs of zero, negative and zero offsets (ending at
// shownEnd, the end of the shown range); once a run has reached its end the block closes after
// at most one further cycle. Blocks follow each other until the walk reaches b. Nothing is read
// at or beyond shownEnd or the end of the data; empty for a ≥ b or fewer than 2 bytes of data.
std::vector<Block> DetectBlocks(const WaveSamples& wave, long long a, long long b, long long shownEnd,
                                const OffsetScale& scale);

// The blocks as points of a view W × H showing [s0, s0 + L): x = trunc((c − s0)·W/L),
// upper y = (H − 20)/2 − p + 10, lower y = (H − 20)/2 − q + 10.
struct EdgePoints
{
    std::vector<PlotPoint> upper;
    std::vector<PlotPoint> lower;
};
EdgePoints ViewPoints(const std::vector<Block>& blocks, long long s0, long long length, int width, int height);

// A support point as sample index in the file and raw sample value.
struct SupportPoint
{
    long long sample = 0;
    int value = 0;
    friend bool operator==(const SupportPoint&, const SupportPoint&) = default;
};
struct SupportPoints
{
    std::vector<SupportPoint> upper;
    std::vector<SupportPoint> lower;
};
// Upper: (c, value of p); lower: (c, value of q).
SupportPoints Supports(const std::vector<Block>& blocks);
// Adds the points of another stretch: each goes before the first point of a later sample,
// dropped when its sample is already there.
void MergeSupports(SupportPoints& into, const SupportPoints& more);
// CSV "edge,sample,value": the upper points, then the lower ones, one line each.
std::string SupportCsv(const SupportPoints& points);

} // namespace EnvelopeDetector
