#include "core/nonlinear/MutualInformation.h"

#include "core/nonlinear/DigitText.h"
#include "core/nonlinear/MaxLyapunov.h"

#include <algorithm>
#include <cmath>

MutualInformationResult computeMutualInformation(std::span<const double> series, int boxes, int maxDelay,
                                                 AbortToken& abort, const MessageCallback& onMessage)
{
    MutualInformationResult result;
    const long long n = static_cast<long long>(series.size());
    const int B = std::max(boxes, 1);
    long long T = std::max(maxDelay, 0);
    result.boxes = B;
    result.maxDelay = static_cast<int>(T);
    if (n <= 100)
        return result;

    MaxLyapunov engine(abort, NonlinearCallbacks{onMessage, {}, {}, {}, {}});
    std::vector<double> x;
    std::vector<int> box;
    std::vector<long long> count1, count2, joint;
    if (!engine.check_alloc(x, series.size(), 0.0))
        return result;
    std::copy(series.begin(), series.end(), x.begin());
    double minimum = 0.0;
    double range = 0.0;
    if (!engine.rescale_data(x, minimum, range))
        return result;
    if (!engine.check_alloc(box, series.size(), 0) || !engine.check_alloc(count1, static_cast<std::size_t>(B), 0LL)
        || !engine.check_alloc(count2, static_cast<std::size_t>(B), 0LL)
        || !engine.check_alloc(joint, static_cast<std::size_t>(B) * static_cast<std::size_t>(B), 0LL))
        return result;
    for (long long i = 0; i < n; ++i) {
        const double v = x[static_cast<std::size_t>(i)];
        // NaN (not a number in the input) counts in box 0 rather than indexing anywhere.
        box[static_cast<std::size_t>(i)] = v >= 1.0 ? B - 1 : (v > 0.0 ? static_cast<int>(B * v) : 0);
    }

    auto information = [&](long long tau) {
        std::fill(count1.begin(), count1.end(), 0);
        std::fill(count2.begin(), count2.end(), 0);
        std::fill(joint.begin(), joint.end(), 0);
        for (long long i = tau; i < n; ++i) {
            const int a = box[static_cast<std::size_t>(i - tau)];
            const int d = box[static_cast<std::size_t>(i)];
            ++count1[a];
            ++count2[d];
            ++joint[static_cast<std::size_t>(a) * B + d];
        }
        const double pairs = static_cast<double>(n - tau);
        double sum = 0.0;
        for (int a = 0; a < B; ++a) {
            const double p1 = static_cast<double>(count1[a]) / pairs;
            if (!(p1 > 0.0))
                continue;
            for (int d = 0; d < B; ++d) {
                const double p2 = static_cast<double>(count2[d]) / pairs;
                const double p12 = static_cast<double>(joint[static_cast<std::size_t>(a) * B + d]) / pairs;
                if (p2 > 0.0 && p12 > 0.0)
                    sum += p12 * std::log(p12 / p2 / p1);
            }
        }
        return sum;
    };

    const double entropy = information(0);
    if (T >= n)
        T = n - 1;
    result.maxDelay = static_cast<int>(T);
    if (!engine.check_alloc(result.information, static_cast<std::size_t>(T) + 1, 0.0))
        return result;
    result.information[0] = entropy;
    for (long long tau = 1; tau <= T; ++tau) {
        if (abort.isRaised())
            return result;
        result.information[static_cast<std::size_t>(tau)] = information(tau);
        result.largestDelayed = std::max(result.largestDelayed, result.information[static_cast<std::size_t>(tau)]);
    }
    result.entropy = entropy;
    result.firstMinimum = firstMinimumOf(result.information);
    result.computed = true;
    return result;
}

int firstMinimumOf(std::span<const double> information)
{
    const std::size_t T = information.empty() ? 0 : information.size() - 1;
    if (T < 1 || !(information[0] > information[1]))
        return 0;
    for (std::size_t tau = 1;; ++tau) {
        if (tau == T)
            return 0;
        if (information[tau] <= information[tau + 1])
            return static_cast<int>(tau);
    }
}

std::string entropyLabel(double entropy)
{
    return "Shannon Entropie: " + formatSignificantPrefix(entropy, 10, 6);
}

std::string firstMinimumLabel(int firstMinimum)
{
    return "1.Minimum: " + (firstMinimum == 0 ? std::string("nicht gefunden") : std::to_string(firstMinimum));
}
