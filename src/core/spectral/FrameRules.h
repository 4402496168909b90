// Which samples form the document's analysed frame and with which transform size: from a
// selection of the waveform, from live capture (every k-th block) and from the playback position
// (a window of 40000 samples). Pure arithmetic; the document applies it to its own arrays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// --- selection ------------------------------------------------------------------------------

// Transform size of a selection of n samples: 2^floor(log2 n) (1000 -> 512, 1024 -> 1024),
// at most 2^30; 0 for n <= 0.
int SelectionFFTSize(std::int64_t nSamples);

// A selection [first, end) as the document takes it over: for data that is not 8-bit, first is
// made even (lowest bit cleared); the frame is samples first .. end-1 and nFFTSize =
// SelectionFFTSize(end - first).
struct SelectionFrame
{
    std::int64_t first = 0;
    std::int64_t end = 0;
    int nFFTSize = 0;
};
SelectionFrame SelectionFrameFor(std::int64_t first, std::int64_t end, int nBitsPerSample);

// --- live capture ---------------------------------------------------------------------------

// k = floor(floor(fs / N) / 25) (integer divisions): a spectrum is computed on every (k+1)-th
// block, about 25 a second at most (44100 Hz: N = 1024 -> k = 1, N = 256 -> k = 6). k = 0 (slow
// rates or large N, e.g. 8000 Hz with N = 1024) means every block. 0 also for fs <= 0 or N <= 0.
int CaptureSpectrumThreshold(int nSampleRate, int nFFTSize);

// One captured block arrives: returns true when it becomes the analysed frame, which is when the
// counter has reached k (then the counter restarts: set to -1); in every case the counter then
// goes up by one. Starting from any value <= k, this gives every (k+1)-th block. A counter above
// k (k lowered while counting) counts as reached, so the frames never stop.
bool CountCaptureBlock(int& nBlockCounter, int nSampleRate, int nFFTSize);

// --- playback -------------------------------------------------------------------------------

constexpr int kPlayWindowSamples = 40000; // samples of the frame during playback (only the first N enter the transform)

// First sample s of the playback frame for the play cursor's byte position P: with a converted
// playback copy (bPlayCopyResampled) P is first multiplied by nSampleRate / nPlayRate and
// truncated; for data of more than 8 bits it is then halved to a sample index. Nothing when
// s + 40000 exceeds nSamples (the data's sample count), for a negative P, or for a copy rate <= 0.
std::optional<std::int64_t> PlayWindowStart(std::int64_t nBytePosition, int nBitsPerSample, bool bPlayCopyResampled,
                                            int nSampleRate, int nPlayRate, std::int64_t nSamples);

// The document's samples [first, first + count) of raw one-channel PCM as the frame holds them
// (8-bit: unsigned byte value 0..255; otherwise signed 16-bit little-endian values). The frame is
// resized to the samples that exist in that range (fewer when it runs past the data).
void CopyFrameSamples(const std::uint8_t* pData, std::size_t nBytes, int nBitsPerSample, std::int64_t first,
                      std::int64_t count, std::vector<double>& frame);
