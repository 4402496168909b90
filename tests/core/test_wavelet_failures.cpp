// How the wavelet engine refuses a request: the exact message of every invalid argument, the
// success diagnostics, the guards against unbounded allocations, and the process-ending entry
// point (exit code 1, the message alone on standard error), run in a child process.
#include "core/wavelet/Cwt.h"
#include "core/wavelet/CwtError.h"
#include "core/wavelet/CwtExit.h"
#include "core/wavelet/wavelet_bspline.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct ChildOutcome
{
    int exitCode = -1; // -1 when the child did not exit normally
    int signal = 0;
    std::string err;
};

// Runs body in a forked child whose standard error is captured; the child exits with 0 when
// body returns.
ChildOutcome runInChild(const std::function<void()>& body)
{
    ChildOutcome outcome;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return outcome;
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        dup2(pipeFds[1], 2);
        close(pipeFds[1]);
        if (std::freopen("/dev/null", "w", stdout) == nullptr)
            _exit(99);
        body();
        std::fflush(stderr);
        _exit(0);
    }
    close(pipeFds[1]);
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n > 0)
            outcome.err.append(buffer, static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    return outcome;
}

std::vector<double> sineSeries(size_t count, double frequency, double amplitude = 10000.0)
{
    std::vector<double> samples(count);
    for (size_t k = 0; k < count; ++k)
        samples[k] = std::trunc(amplitude * std::sin(2.0 * M_PI * frequency * static_cast<double>(k) / 44100.0));
    return samples;
}

// The message a transform with `wavelet` throws ("" when it succeeds); diagnostics collected.
std::string failureOf(const std::string& wavelet, std::string* diagnostics = nullptr)
{
    CCwt cwt;
    std::string collected;
    cwt.setDiagnostics([&](const std::string& text) { collected += text; });
    cwt.request().wavelet = wavelet;
    const std::vector<double> series = sineSeries(4410, 440.0);
    std::vector<float> out;
    std::string message;
    try {
        cwt.request().endTime = 0.1f;
        cwt.Transform(series.data(), series.size(), out);
    } catch (const CwtError& error) {
        message = error.what();
    }
    if (diagnostics)
        *diagnostics = collected;
    return message;
}

} // namespace

TEST(WaveletFailures, InvalidArgumentsGiveTheirExactMessages)
{
    struct Case { const char* wavelet; const char* message; };
    const Case cases[] = {
        {"haar,1", "The Haar wavelet doesn't expect any arguments.\n"},
        {"mexicanhat,", "The Mexican hat wavelet doesn't expect any arguments.\n"},
        {"sinusoid", "The Sinus wavelet doesn't expect any arguments.\n"},
        {"poisson 2", "The Poisson wavelet doesn't expect any arguments.\n"},
        {"morlet,2,3", "Morlet wavelet accepts only one float argument for frequency, but not <2,3>\n"},
        {"morlet,x", "Morlet wavelet accepts only one float argument for frequency, but not <x>\n"},
        {"morlet,0", "Morlet wavelet accepts only one float argument for frequency, but not <0>\n"},
        {"morlet,-1", "Morlet wavelet accepts only one float argument for frequency, but not <-1>\n"},
        {"cauchy,-1", "Cauchy wavelet accepts only one non-negative argument for the order, but not <-1>\n"},
        {"cauchy,1,2", "Cauchy wavelet accepts only one non-negative argument for the order, but not <1,2>\n"},
        // Order 0 would have an unbounded support; it is refused before anything is allocated.
        {"cauchy,0", "Cauchy wavelet accepts only one non-negative argument for the order, but not <0>\n"},
        {"cauchy,", "Cauchy wavelet accepts only one non-negative argument for the order, but not <>\n"},
        {"cauchy,0.001", "Cauchy wavelet accepts only one non-negative argument for the order, but not <0.001>\n"},
        {"spinning", "Two arguments required for spinning wavelet.\n"},
        {"spinning,1", "Spinning wavelet requires two arguments but not <1>\n"},
        {"spinning,1,2,3", "Spinning wavelet requires two arguments but not <1,2,3>\n"},
        {"spinning,1;2", "Spinning wavelet requires two arguments but not <1;2>\n"},
        {"spinning,1,0.2",
         "To get an admissible wavelet it must hold mu2 >= 1/4, but for mu2=0.200000 this does not hold.\n"},
        {"spinning,1,-3",
         "To get an admissible wavelet it must hold mu2 >= 1/4, but for mu2=-3.000000 this does not hold.\n"},
        {"bspline", "At least one window width argument is required for the B-spline wavelet.\n"},
        {"bspline,10,0", "B-Spline wavelet accepts a comma separated list of positive floats, but not <10,0>\n"},
        {"bspline,10,-1", "B-Spline wavelet accepts a comma separated list of positive floats, but not <10,-1>\n"},
        {"bspline,10,ten", "B-Spline wavelet accepts a comma separated list of positive floats, but not <10,ten>\n"},
        {"bspline,inf", "B-Spline wavelet accepts a comma separated list of positive floats, but not <inf>\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failureOf(c.wavelet), c.message) << c.wavelet;
}

TEST(WaveletFailures, SuccessDiagnosticsAreWrittenAsSpecifiedLines)
{
    // One second at 44100 Hz: first = 0, end = 44100. Morlet (s = 1): support ±2π, largest
    // scale S = 0.05 s · 44100 = 2205 samples, S·2π = 13854.4 → bmin = −13855, bmax = 13855.
    CCwt cwt;
    std::string diagnostics;
    cwt.setDiagnostics([&](const std::string& text) { diagnostics += text; });
    cwt.request().wavelet = "morlet";
    cwt.request().endTime = 1.0f;
    const std::vector<double> series = sineSeries(44100, 440.0);
    std::vector<float> out;
    ASSERT_TRUE(cwt.Transform(series.data(), series.size(), out));
    EXPECT_EQ(diagnostics, "size 71810\n"
                           "leadingzeros 13855, skipdata 0\n"
                           "bmin -13855, bmax 13855, sparebegin 13855, spareend 13855\n"
                           "\n----------------------------\n");

    // The wavelets' own lines come first: 20 / (4π/3) = 15/π = 4.77465 for cauchy,1.
    std::string text;
    EXPECT_EQ(failureOf("cauchy,1", &text), "");
    EXPECT_EQ(text.rfind("Cauchy: lsupp -4.77465, rsupp 4.77465\nsize ", 0), 0u) << text;
    EXPECT_EQ(failureOf("bspline,10,10", &text), "");
    EXPECT_EQ(text.rfind("B-Spline: lsupp -10, rsupp 10\nsize ", 0), 0u) << text;
    EXPECT_EQ(failureOf("spinning,2,2", &text), "");
    EXPECT_EQ(text.rfind("Spinning: mu1 2, mu2 2\nSpinning: lsupp -0.75", 0), 0u) << text;
    // Without arguments the Cauchy wavelet reports nothing of its own.
    EXPECT_EQ(failureOf("cauchy", &text), "");
    EXPECT_EQ(text.rfind("size ", 0), 0u) << text;
}

TEST(WaveletFailures, HugeRequestsAreRefusedBeforeAllocating)
{
    // A large order widens the support to about (2α + 1) / (4π): the window would need
    // hundreds of millions of samples.
    const std::string huge = failureOf("cauchy,1e6");
    EXPECT_EQ(huge.rfind("Could not allocate space for 1 x ", 0), 0u) << huge;
    EXPECT_EQ(huge.substr(huge.size() - 23), " wavelet coefficients.\n");

    CCwt cwt;
    cwt.setDiagnostics({});
    cwt.request().rows = 1L << 20;
    cwt.request().columns = 1L << 20;
    const std::vector<double> series = sineSeries(100, 440.0);
    std::vector<float> out{7.0f};
    try {
        cwt.Transform(series.data(), series.size(), out);
        ADD_FAILURE() << "no error";
    } catch (const CwtError& error) {
        EXPECT_STREQ(error.what(), "Could not allocate space for 1048576 x 1048576 wavelet coefficients.\n");
    }
    EXPECT_EQ(out, std::vector<float>{7.0f});

    cwt.request().rows = -3;
    cwt.request().columns = 20;
    EXPECT_THROW(cwt.Transform(series.data(), series.size(), out), CwtError);

    // Scales of opposite signs or 0 cannot form a geometric grid.
    cwt.request().rows = 10;
    cwt.request().scaleLow = 0.0f;
    EXPECT_THROW(cwt.Transform(series.data(), series.size(), out), CwtError);
    cwt.request().scaleLow = -0.01f;
    EXPECT_THROW(cwt.Transform(series.data(), series.size(), out), CwtError);
    cwt.request().scaleLow = 0.01f;
    cwt.request().rate = NAN;
    EXPECT_THROW(cwt.Transform(series.data(), series.size(), out), CwtError);
    EXPECT_EQ(out, std::vector<float>{7.0f});
}

TEST(WaveletFailures, BsplineRefusesPointwiseEvaluation)
{
    wavelet_bspline wavelet;
    wavelet.init();
    try {
        wavelet.evaluate(0.0f);
        ADD_FAILURE() << "no error";
    } catch (const CwtError& error) {
        EXPECT_STREQ(error.what(),
                     "wavelet_bspline::evaluate is not implemented - use wavelet_bspline::discretize instead\n");
    }
}

TEST(WaveletFailures, ProcessEndsWithExitCodeOneAndTheMessageAlone)
{
    struct Case { const char* wavelet; const char* err; };
    const Case cases[] = {
        {"spinning,1,0.2",
         "To get an admissible wavelet it must hold mu2 >= 1/4, but for mu2=0.200000 this does not hold.\n"},
        {"spinning", "Two arguments required for spinning wavelet.\n"},
        {"morlet,2,2", "Morlet wavelet accepts only one float argument for frequency, but not <2,2>\n"},
    };
    const std::vector<double> series = sineSeries(4410, 440.0);
    for (const Case& c : cases) {
        const ChildOutcome outcome = runInChild([&] {
            CCwt cwt; // diagnostics to standard error, as in the program
            cwt.request().wavelet = c.wavelet;
            std::vector<std::int32_t> out;
            transformOrExit(cwt, series, 0.0f, 0.1f, 44100.0f, out);
        });
        EXPECT_EQ(outcome.signal, 0) << c.wavelet;
        EXPECT_EQ(outcome.exitCode, 1) << c.wavelet;
        EXPECT_EQ(outcome.err, c.err) << c.wavelet;
    }

    const ChildOutcome evaluate = runInChild([] {
        runCwtOrExit([] {
            wavelet_bspline wavelet;
            wavelet.init();
            wavelet.evaluate(0.5f);
        });
    });
    EXPECT_EQ(evaluate.exitCode, 1);
    EXPECT_EQ(evaluate.err,
              "wavelet_bspline::evaluate is not implemented - use wavelet_bspline::discretize instead\n");

    // A valid request does not end the process; its diagnostics end with the separator line.
    const ChildOutcome fine = runInChild([&] {
        CCwt cwt;
        cwt.request().wavelet = "morlet,2";
        std::vector<std::int32_t> out;
        if (!transformOrExit(cwt, series, 0.0f, 0.1f, 44100.0f, out) || out.size() != 2002)
            _exit(3);
    });
    EXPECT_EQ(fine.exitCode, 0);
    EXPECT_EQ(fine.err.rfind("size ", 0), 0u) << fine.err;
    EXPECT_EQ(fine.err.substr(fine.err.size() - 30), "\n----------------------------\n");
}

TEST(WaveletFailures, OddWaveletStringsNeverCrash)
{
    // Each either computes a complete output or is refused with a message; none may crash,
    // hang or read out of bounds (the sanitizer build runs this too).
    const char* strings[] = {
        "morlet,1e-30", "morlet,1e30",  "morlet,nan",      "morlet,inf",       "morlet,-inf",
        "cauchy,1e30",  "cauchy,1e-30", "cauchy,nan",      "cauchy,inf",       "cauchy,1e6",
        "spinning,1e30,1e30", "spinning,nan,1", "spinning,1,nan", "spinning,-1e30,0.25", "spinning,0,1e30",
        "bspline,1e-40", "bspline,1e38,1e38", "bspline,1e-30,1", "bspline,0.001,0.001,0.001",
        "bspline,1e-7,5", "haar\n", "morlet,2\0x", "sinus,,,,", "poisson,1e400",
    };
    const std::vector<double> series = sineSeries(2205, 440.0);
    for (const char* text : strings) {
        CCwt cwt;
        cwt.setDiagnostics({});
        cwt.request().wavelet = text;
        cwt.request().rows = 8;
        cwt.request().columns = 5;
        std::vector<float> out;
        try {
            if (cwt.Transform(series.data(), series.size(), out)) {
                EXPECT_EQ(out.size(), 2u + 40u) << text;
            }
        } catch (const CwtError& error) {
            const std::string message = error.what();
            EXPECT_FALSE(message.empty()) << text;
            EXPECT_EQ(message.back(), '\n') << text;
        }
    }
}
