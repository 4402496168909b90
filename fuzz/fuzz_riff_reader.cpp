// libFuzzer target for everything that reads a WAV file from outside: the RIFF reader itself,
// the command-line tool's sample reader and the document's whole load path. Besides staying
// clean under AddressSanitizer and UndefinedBehaviorSanitizer it checks invariants: reads never
// exceed the data chunk, a truncated chunk fails, a parsed file survives a write/read round
// trip, and the loader's samples equal the direct reader's.
#include "core/audio/RiffWaveFile.h"
#include "core/audio/WaveLoader.h"
#include "core/audio/WaveRules.h"
#include "core/audio/WaveSource.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

void FuzzReader(const Scratch& s, const std::uint8_t* data, std::size_t size)
{
    CRiffWaveFile file;
    if (FAILED(file.Open(s.input, nullptr, WAVEFILE_READ)))
        return;
    const WaveFormat format = *file.GetFormat();
    Check(format.extra.size() == format.cbSize);
    const std::size_t declared = file.GetSize();
    const std::uint64_t available = file.GetSizeAvailable();
    Check(available <= declared);

    // Read in steps chosen by the input, never beyond the chunk.
    const std::size_t step = 1 + (size ? data[size - 1] : 0) * 37u;
    std::vector<std::uint8_t> buf(step);
    std::vector<std::uint8_t> all;
    bool failed = false;
    for (;;) {
        std::size_t got = 0;
        const HRESULT hr = file.Read(buf.data(), step, &got);
        Check(got <= step);
        all.insert(all.end(), buf.begin(), buf.begin() + static_cast<long>(got));
        if (FAILED(hr)) {
            failed = true;
            break;
        }
        if (got == 0)
            break;
    }
    // Every byte that lies in the file is delivered; a chunk cut short fails at its end.
    Check(all.size() == available);
    Check(failed == (available < declared));

    // Again from the start: the same first bytes.
    Check(SUCCEEDED(file.ResetFile()));
    std::size_t got = 0;
    std::vector<std::uint8_t> again(std::min<std::size_t>(all.size(), 64));
    if (!again.empty()) {
        Check(SUCCEEDED(file.Read(again.data(), again.size(), &got)));
        Check(got == again.size() && std::memcmp(again.data(), all.data(), got) == 0);
    }
    std::size_t wrote = 0;
    Check(file.Write(1, buf.data(), &wrote) == E_NOTIMPL);
    Check(SUCCEEDED(file.Close()));

    // Round trip through the writer.
    const std::string copy = s.dir + "/roundtrip.wav";
    {
        CRiffWaveFile out;
        Check(SUCCEEDED(out.Open(copy, &format, WAVEFILE_WRITE)));
        if (!all.empty())
            Check(SUCCEEDED(out.Write(all.size(), all.data(), &wrote)) && wrote == all.size());
        Check(SUCCEEDED(out.Close()));
    }
    CRiffWaveFile back;
    Check(SUCCEEDED(back.Open(copy, nullptr, WAVEFILE_READ)));
    Check(*back.GetFormat() == format);
    Check(back.GetSize() == all.size());
    std::vector<std::uint8_t> readBack(all.size() + 1);
    Check(SUCCEEDED(back.Read(readBack.data(), readBack.size(), &got)) && got == all.size());
    readBack.resize(got);
    Check(readBack == all);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Scratch s("riff-input");
    Check(ftruncate(s.fd, 0) == 0);
    Check(size == 0 || pwrite(s.fd, data, size, 0) == static_cast<ssize_t>(size));
    FuzzReader(s, data, size);
    FuzzLoad(s, true);
    FuzzLoad(s, false);
    return 0;
}
