#include "RealFft.h"

#include "RealFftPasses.h"

#include <cmath>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

namespace {

constexpr int kMaxLength = 1 << 30;
// Tables up to this length stay in the process-wide cache (at most about 1 MB in all); longer
// transforms (long selections) build their own, which are freed with the transform.
constexpr int kMaxCachedLength = 1 << 16;

bool IsPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

std::shared_ptr<const RealFftTables> TablesFor(int nLength)
{
    if (nLength > kMaxCachedLength)
        return std::make_shared<const RealFftTables>(nLength);
    static std::mutex mutex;
    static std::map<int, std::shared_ptr<const RealFftTables>> cache;
    const std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<const RealFftTables>& entry = cache[nLength];
    if (!entry)
        entry = std::make_shared<const RealFftTables>(nLength);
    return entry;
}

bool Overlap(const double* a, const double* b, std::size_t n)
{
    return a < b + n && b < a + n;
}

} // namespace

RealFftTables::RealFftTables(int nLengthIn) : nLength(nLengthIn)
{
    nBitCount = static_cast<int>(std::floor(std::log(static_cast<double>(nLength)) / std::log(2.0) + 0.5));
    dHalfRootTwo = std::sqrt(2.0) * 0.5;

    // Incremental bit reversal: from the previous reversed value, add one in reversed order
    // (toggle from the top bit down until a bit turns on).
    bitReversal.assign(static_cast<std::size_t>(nLength), 0);
    std::int32_t r = 0;
    for (int i = 1; i < nLength; ++i) {
        std::int32_t bit = nLength >> 1;
        while (bit != 0) {
            r ^= bit;
            if ((r & bit) != 0)
                break;
            bit >>= 1;
        }
        bitReversal[static_cast<std::size_t>(i)] = r;
    }

    if (nBitCount > 3) {
        const double pi = 4.0 * std::atan(1.0);
        cosine.resize((std::size_t{1} << (nBitCount - 1)) - 4);
        for (int level = 3; level < nBitCount; ++level) {
            const int count = 1 << (level - 1);
            const double step = pi / static_cast<double>(1 << level);
            double* block = cosine.data() + (count - 4);
            for (int i = 0; i < count; ++i)
                block[i] = std::cos(static_cast<double>(i) * step);
        }
    }
}

RealFft::RealFft(int nLength)
{
    if (!IsPowerOfTwo(nLength) || nLength > kMaxLength)
        throw std::invalid_argument("RealFft: length " + std::to_string(nLength) +
                                    " is not a power of two from 1 to 2^30");
    m_pTables = TablesFor(nLength);
    if (m_pTables->nBitCount > 2)
        m_scratch.resize(static_cast<std::size_t>(nLength));
}

void RealFft::forward(std::span<double> f, std::span<const double> x)
{
    const auto n = static_cast<std::size_t>(length());
    if (f.size() < n || x.size() < n || Overlap(f.data(), x.data(), n))
        throw std::invalid_argument("RealFft::forward: arrays too short or overlapping");
    forwardPasses(f.data(), x.data());
}

void RealFft::inverse(std::span<const double> f, std::span<double> x)
{
    const auto n = static_cast<std::size_t>(length());
    if (f.size() < n || x.size() < n || Overlap(f.data(), x.data(), n))
        throw std::invalid_argument("RealFft::inverse: arrays too short or overlapping");
    inversePasses(f.data(), x.data());
}

void RealFft::rescale(std::span<double> x) const
{
    const auto n = std::min(x.size(), static_cast<std::size_t>(length()));
    const double scale = 1.0 / static_cast<double>(length());
    for (std::size_t i = 0; i < n; ++i)
        x[i] *= scale;
}

void RealFft::forwardPasses(double* f, const double* x)
{
    const RealFftTables& t = *m_pTables;
    const int n = t.nLength;
    const int b = t.nBitCount;
    if (b <= 2) {
        if (n == 4) {
            const double sum02 = x[0] + x[2];
            const double sum13 = x[1] + x[3];
            f[1] = x[0] - x[2];
            f[3] = x[1] - x[3];
            f[0] = sum02 + sum13;
            f[2] = sum02 - sum13;
        } else if (n == 2) {
            const double x0 = x[0];
            f[0] = x0 + x[1];
            f[1] = x0 - x[1];
        } else {
            f[0] = x[0];
        }
        return;
    }
    // Ping-pong between f and the scratch buffer, arranged so that the last pass lands in f.
    double* s = (b & 1) ? f : m_scratch.data();
    double* d = (b & 1) ? m_scratch.data() : f;

    realfft::ForwardFirstTwoPasses(d, x, t.bitReversal.data(), n);
    realfft::ForwardEightPointPass(s, d, t.dHalfRootTwo, n);
    for (int level = 3; level < b; ++level) {
        realfft::ForwardLevelPass(d, s, t.cosineBlock(level), level, n);
        std::swap(s, d);
    }
}

void RealFft::inversePasses(const double* f, double* x)
{
    const RealFftTables& t = *m_pTables;
    const int n = t.nLength;
    const int b = t.nBitCount;
    if (b <= 2) {
        if (n == 4) {
            const double sum = f[0] + f[2];
            const double diff = f[0] - f[2];
            x[0] = sum + 2.0 * f[1];
            x[2] = sum - 2.0 * f[1];
            x[1] = diff + 2.0 * f[3];
            x[3] = diff - 2.0 * f[3];
        } else if (n == 2) {
            const double f0 = f[0];
            x[0] = f0 + f[1];
            x[1] = f0 - f[1];
        } else {
            x[0] = f[0];
        }
        return;
    }
    double* scratch = m_scratch.data();
    // The b - 3 level passes alternate between x and the scratch buffer so that the last of
    // them writes x; the eight-point pass then goes to the scratch buffer, and the final two
    // passes write x through the bit-reversal table.
    const double* src = f;
    double* dst = ((b - 3) & 1) ? x : scratch;
    double* other = (dst == x) ? scratch : x;
    for (int level = b - 1; level >= 3; --level) {
        realfft::InverseLevelPass(dst, src, t.cosineBlock(level), level, n);
        src = dst;
        std::swap(dst, other);
    }
    realfft::InverseEightPointPass(scratch, src, t.dHalfRootTwo, n);
    realfft::InverseLastTwoPasses(x, scratch, t.bitReversal.data(), n);
}
