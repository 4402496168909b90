// libFuzzer target for the files that go through libsndfile: the decoding and 16-bit conversion
// (CSoundFileReader) and the document's whole load of them. Besides staying clean under the
// sanitizers it checks invariants: one or two kept channels with whole frames, clipped counts
// within the samples, a failed read leaves nothing behind, and the loader's samples equal the
// command-line tool's direct reader's.
#include "core/audio/SoundFileReader.h"
#include "core/audio/WaveLoader.h"
#include "core/audio/WaveRules.h"
#include "core/audio/WaveSource.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

void FuzzReader(const Scratch& s)
{
    CSoundFileReader reader;
    if (!reader.Read(s.input)) {
        Check(!reader.Error().empty() && reader.Samples().empty());
        return;
    }
    const auto channels = static_cast<std::size_t>(reader.Channels());
    Check(channels == 1 || channels == 2);
    Check(reader.Samples().size() % channels == 0);
    const std::size_t frames = reader.Samples().size() / channels;
    Check(reader.Clipped(0) <= frames && reader.Clipped(1) <= frames);
    Check(reader.Source().nRate > 0 && reader.Source().nChannels >= reader.Channels());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Scratch s("sound-input");
    Check(ftruncate(s.fd, 0) == 0);
    Check(size == 0 || pwrite(s.fd, data, size, 0) == static_cast<ssize_t>(size));
    FuzzReader(s);
    FuzzLoad(s, true);
    FuzzLoad(s, false);
    return 0;
}
