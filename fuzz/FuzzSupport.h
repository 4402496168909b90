// What the file-reading fuzz targets share: an invariant check that stops the run, the fuzz input
// as a file in memory with a scratch folder for working copies, and a loader whose dialogs answer
// without a user, and the check of the whole load against the direct reader.
#pragma once

#include "core/audio/WaveLoader.h"
#include "core/audio/WaveRules.h"
#include "core/audio/WaveSource.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

inline void CheckAt(bool ok, int line)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken at line %d\n", line);
        __builtin_trap();
    }
}
#define Check(ok) CheckAt((ok), __LINE__)

struct Scratch
{
    int fd = -1;
    std::string input; // the fuzz input as a file
    std::string dir;   // working copies and round-trip files
    explicit Scratch(const char* name)
    {
        fd = memfd_create(name, 0);
        Check(fd >= 0);
        input = "/proc/self/fd/" + std::to_string(fd);
        const char* base = std::getenv("TMPDIR");
        std::string templ = std::string(base && *base ? base : "/tmp") + "/resoni-fuzz-XXXXXX";
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        Check(mkdtemp(buf.data()) != nullptr);
        dir = buf.data();
    }
};

class FuzzLoader : public CWaveLoader
{
public:
    using CWaveLoader::CWaveLoader;
    bool bLeft = true;

protected:
    void ShowMessage(const std::string&) override {}
    bool AskStereoChannel(const CStereoDialogModel& dialog, bool& bLeftOut) override
    {
        bLeftOut = bLeft;
        return dialog.bOkEnabled;
    }
};

// The document's whole load of the input against the command-line tool's direct reader: loaded
// exactly when the reader accepts, the same samples, conversion text and clipped count, one
// playback buffer; a refused load leaves nothing behind.
inline void FuzzLoad(const Scratch& s, bool bLeft)
{
    std::vector<double> direct;
    const WaveSourceInfo info = ReadWaveSamples(s.input, bLeft, direct);

    FuzzLoader loader(s.dir);
    loader.bLeft = bLeft;
    loader.m_strWaveFile = s.input;
    const WaveLoadOutcome outcome = loader.LoadWaveFile(s.input);
    Check((outcome == WaveLoadOutcome::Loaded) == (info.refusal == WaveRefusal::None));
    if (outcome != WaveLoadOutcome::Loaded) {
        Check(loader.m_strConversion.empty() && !loader.m_pWaveData);
        return;
    }
    const std::vector<double> loaded =
        DecodeSamples(loader.m_pWaveData.get(), loader.m_nWaveDataBytes, loader.m_nBitsPerSample);
    Check(loaded == direct);
    Check(loader.m_strConversion == info.strConversion && loader.m_nClippedSamples == info.nClipped);
    Check(loader.m_nClippedSamples <= loaded.size());
    Check(loader.m_pPlayBuffer != nullptr && loader.m_pPlayBuffer->GetNumBuffers() == 1);
}

