// libFuzzer target for the INI reader: arbitrary bytes as an INI file. Checks, besides the
// sanitizers, that parsing keeps every byte, that a written key reads back as written while no
// other line is touched or merged, and that a profile loaded from the bytes writes and reloads to the same text.
#include "core/profiles/IniFile.h"
#include "core/profiles/IniText.h"
#include "core/profiles/ProfileLayout.h"
#include "core/profiles/ProfileSettings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_ini_reader: %s\n", what);
        std::abort();
    }
}

void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::string& scratch()
{
    static const std::string path = "/tmp/fuzz_ini_reader_" + std::to_string(getpid()) + ".ini";
    return path;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// What Find returns for a value written with Set: line breaks as blanks, blanks at the ends cut.
std::string expectedValue(std::string_view value)
{
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n')
            c = ' ';
    return std::string(IniTrim(v));
}

// Set must change one line's content at most: no line break of the old text may disappear.
void checkOnlyOneLineChanged(const std::string& before, const std::string& after)
{
    size_t p = 0;
    while (p < before.size() && p < after.size() && before[p] == after[p])
        ++p;
    size_t q = 0;
    while (q < before.size() - p && q < after.size() - p &&
           before[before.size() - 1 - q] == after[after.size() - 1 - q])
        ++q;
    const std::string_view removed = std::string_view(before).substr(p, before.size() - p - q);
    check(removed.find_first_of("\r\n") == std::string_view::npos, "Set removed a line break");
}

// Lines as the reader splits them: at "\r\n", "\r" or "\n"; a final line end adds no line.
size_t countLines(std::string_view text)
{
    size_t lines = 0;
    for (size_t pos = 0; pos < text.size(); ++lines) {
        const size_t e = text.find_first_of("\r\n", pos);
        if (e == std::string_view::npos)
            pos = text.size();
        else
            pos = e + ((text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

void fuzzText(std::string_view input)
{
    // Split the input: the first bytes name a section, a key and a value to write.
    const size_t cut1 = input.size() / 4, cut2 = input.size() / 3, cut3 = input.size() / 2;
    const std::string_view section = input.substr(0, std::min<size_t>(cut1, 40));
    const std::string_view key = input.substr(cut1, std::min<size_t>(cut2 - cut1, 40));
    const std::string_view value = input.substr(cut2, std::min<size_t>(cut3 - cut2, 300));

    CIniText ini{std::string(input)};
    check(ini.Text() == input, "parsing changed the bytes");

    const char* probes[][2] = {{"Dokument", "IniDokumentNumFFTPoints"}, {"FFT", "IniFFTDelay"},
                               {"MainWindow", "wp->showCmd"}, {"A", "a"}};
    std::string before[std::size(probes)];
    bool had[std::size(probes)];
    for (size_t i = 0; i < std::size(probes); ++i) {
        const auto v = ini.Find(probes[i][0], probes[i][1]);
        had[i] = v.has_value();
        if (v)
            before[i] = std::string(*v);
    }
    const bool keyExisted = ini.Find(section, key).has_value();

    const std::string old = ini.Text();
    if (ini.Set(section, key, value)) {
        // Replacing keeps the number of lines; adding a key adds one line, a new section two.
        const size_t added = countLines(ini.Text()) - countLines(old);
        check(keyExisted ? added == 0 : (added == 1 || added == 2), "Set changed the number of lines wrongly");
        const auto found = ini.Find(section, key);
        check(found.has_value(), "written key not found");
        check(*found == expectedValue(value), "written value reads back differently");
        checkOnlyOneLineChanged(old, ini.Text());
        for (size_t i = 0; i < std::size(probes); ++i) {
            if (equalsNoCase(IniTrim(section), probes[i][0]) && equalsNoCase(IniTrim(key), probes[i][1]))
                continue; // the key just written
            const auto v = ini.Find(probes[i][0], probes[i][1]);
            check(v.has_value() == had[i] && (!v || *v == before[i]), "Set changed another key");
        }
    } else {
        check(ini.Text() == old, "a refused Set changed the text");
    }
}

void fuzzProfile(std::string_view input)
{
    // One read through a real file, so that loading arbitrary bytes from disk is covered too.
    writeFile(scratch(), input);
    CIniFile file(scratch(), "Dokument");
    (void)file.ReadInt("IniDokumentNumFFTPoints", 1024);
    (void)file.ReadString("wp->showCmd", "", "MainWindow");

    ProfileSettings s;
    CIniFile ini = CIniFile::InMemory(std::string(input), "Dokument");
    ExchangeProfile(ini, true, s);
    const int n = s.IniDokumentNumFFTPoints;
    check(n == 0 || (n >= kMinFFTSize && n <= kMaxFFTSize && (n & (n - 1)) == 0), "FFT size not normalised");

    // The placement arithmetic on whatever was loaded.
    const WindowPlacement fitted = FitMainPlacement(s.placements[0], PixelRect{0, 0, 1920, 1040});
    check(fitted == DefaultMainPlacement() || (fitted.left >= 0 && fitted.right <= 1920 && fitted.top >= 0 &&
                                               fitted.bottom <= 1040),
          "main window not fitted");
    for (const WindowPlacement& wp : s.placements) {
        const WindowPlacement pct = PlacementToPercent(wp, s.placements[1].right, s.placements[1].bottom);
        (void)PlacementToPixels(pct, s.placements[2].right, s.placements[2].bottom);
    }

    // Whatever was loaded writes and loads back to the same text (floats settle after one write).
    // Writing a whole profile twice costs far more than reading, so only one input in eight
    // (picked by its last byte, which mutations change freely) takes this path.
    if (input.empty() || (static_cast<unsigned char>(input.back()) & 7u) != 0)
        return;
    CIniFile first = CIniFile::InMemory(std::string(), "Dokument");
    ExchangeProfile(first, false, s);
    ProfileSettings again;
    CIniFile reread = CIniFile::InMemory(*first.MemoryText(), "Dokument");
    ExchangeProfile(reread, true, again);
    CIniFile second = CIniFile::InMemory(std::string(), "Dokument");
    ExchangeProfile(second, false, again);
    check(*first.MemoryText() == *second.MemoryText(), "profile text not stable after a reload");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 1 << 16)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzzText(input);
    fuzzProfile(input);
    return 0;
}
