// Note names of frequencies, one convention for every read-out of the program: German Helmholtz
// names (c cis d dis e f fis g gis a b h, where "b" is B flat and "h" is B; C,, = C0 … H, = B1,
// C … H = C2–B2, c … h = C3–B3, c' = C4, c'' = C5, …), the scientific name (C4, A#4), and the
// deviation from the nearest equal-tempered note in cents, against a reference a' (A4).
#pragma once

#include <optional>
#include <string>

constexpr double kDefaultA4Hz = 440.0;
constexpr int kMinA4Hz = 415; // the reference pitches the program offers, in whole Hz
constexpr int kMaxA4Hz = 466;

struct NoteName
{
    int midi = 69;            // the nearest note: 69 = a' (A4), 60 = c' (C4)
    std::string helmholtz;    // "a'", "Cis,", "b''"
    std::string scientific;   // "A4", "C#1", "A#5"
    int cents = 0;            // round(1200·log2(f / f_note)), −50 … +50
};

// The note nearest to hz with A4 = a4Hz: m = round(69 + 12·log2(hz / a4Hz)); none for a frequency
// that is not positive and finite or lies outside MIDI notes 0 … 127 (C-1 … G9).
std::optional<NoteName> NameOfFrequency(double hz, double a4Hz = kDefaultA4Hz);

// The Helmholtz name of MIDI note m (octave m / 12 − 1, scientific numbering).
std::string HelmholtzName(int midi);
std::string ScientificName(int midi);

// "a' +3 ct", "c'' −12 ct", "e ±0 ct": the name and its deviation in whole cents.
std::string NoteLabel(const NoteName& note);
