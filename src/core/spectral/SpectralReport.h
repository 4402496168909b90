// Text reports of the frame spectrum, its autocorrelation and the FFT view's peak list for the
// note image with the names of its notes, as resoni-analyze prints them: CSV with a header line or JSON, numbers with full
// double precision in the C locale. The numbers come from the same routines the program uses.
#pragma once

#include "FFTViewSettings.h"

#include <ostream>
#include <span>

struct SpectralReportInput
{
    std::span<const double> frame; // the analysed samples as the document keeps them
    int nFFTSize = 0;              // power of two; shorter frames are zero-padded
    double dSampleRate = 44100.0;  // bin k lies at k·fs/N Hz
    int nBitsPerSample = 16;       // dBr reference F = 2^bits
    bool bJson = false;
    double dCentre = 0.0;          // subtracted from the samples for the autocorrelation (128 for 8-bit data)
};

// CSV "bin,frequency_hz,magnitude,level_dbr" for k = 0 .. N/2: frequency k·fs/N, magnitude
// |X(k)|/N, level 20·log10(magnitude/F) (-inf for 0); JSON {"fft_size", "sample_rate",
// "frequency_hz": [...], "magnitude": [...], "level_dbr": [...]} (null for -inf).
void WriteSpectrumReport(const SpectralReportInput& in, std::ostream& out);

// CSV "lag,value" for m = 0 .. N/2 (R(m)/N² of the samples less dCentre); JSON {"fft_size",
// "first_min_lag", "value": [...]}. Returns the first-minimum lag (0 when the frame is all silence).
int WriteAutocorrReport(const SpectralReportInput& in, std::ostream& out);

// The peak list as the note image receives it from an FFT view with the given settings and a
// client area of nWidth × nHeight pixels (exact frequencies and levels of the detected peaks),
// each named against a' = dA4Hz: CSV "frequency_hz,level_dbr,note,scientific,cents" (note in
// Helmholtz names, "a'"; scientific "A4"; cents a whole number with its sign; the three empty
// where no note is named); JSON {"fft_size", "width", "height", "a4_hz", "peaks":
// [{"frequency_hz", "level_dbr", "note", "scientific", "cents"}, ...]} (null where unnamed).
void WritePeaksReport(const SpectralReportInput& in, const FFTViewSettings& settings, int nWidth, int nHeight,
                      double dA4Hz, std::ostream& out);
