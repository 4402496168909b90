#include "NoteNames.h"

#include <cmath>

namespace {

const char* const kPitchClasses[12] = {"c", "cis", "d", "dis", "e", "f", "fis", "g", "gis", "a", "b", "h"};
const char* const kScientificClasses[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

std::string HelmholtzName(int midi)
{
    const int octave = FloorDiv(midi, 12) - 1; // scientific octave: c' = C4
    std::string name = kPitchClasses[midi - 12 * FloorDiv(midi, 12)];
    if (octave >= 3)
        return name + std::string(static_cast<std::size_t>(octave - 3), '\'');
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name + std::string(static_cast<std::size_t>(2 - octave), ',');
}

std::string ScientificName(int midi)
{
    return kScientificClasses[midi - 12 * FloorDiv(midi, 12)] + std::to_string(FloorDiv(midi, 12) - 1);
}

std::optional<NoteName> NameOfFrequency(double hz, double a4Hz)
{
    if (!(hz > 0.0) || !std::isfinite(hz) || !(a4Hz > 0.0))
        return std::nullopt;
    const double semitones = 69.0 + 12.0 * std::log2(hz / a4Hz);
    const double nearest = std::round(semitones);
    if (nearest < 0.0 || nearest > 127.0)
        return std::nullopt;
    NoteName note;
    note.midi = static_cast<int>(nearest);
    note.helmholtz = HelmholtzName(note.midi);
    note.scientific = ScientificName(note.midi);
    note.cents = static_cast<int>(std::lround(100.0 * (semitones - nearest)));
    return note;
}

std::string NoteLabel(const NoteName& note)
{
    const std::string sign = note.cents > 0 ? "+" : note.cents < 0 ? "\u2212" : "\u00b1";
    return note.helmholtz + " " + sign + std::to_string(std::abs(note.cents)) + " ct";
}
