// resoni-analyze demo-sound OUT.wav: writes the demo sound the program opens at the first start
// (a chord with overtones and a glide, 3 s, 16-bit mono at 44100 Hz). The build runs it.
#include "CliArgs.h"
#include "CliCommand.h"

#include "core/audio/DemoSound.h"

#include <stdexcept>

namespace {

int RunDemoSound(const std::vector<std::string>& argv)
{
    const CliArgs args(argv, {}, {});
    if (args.positional().size() != 1)
        throw CliUsageError("expects exactly one output FILE");
    if (!DemoSound::Write(args.positional()[0]))
        throw std::runtime_error("cannot write " + args.positional()[0]);
    return 0;
}

const CliRegistrar kRegistrar({"demo-sound", "write the demo sound of the first start as a WAV file",
                               "OUT.wav", RunDemoSound});

} // namespace
