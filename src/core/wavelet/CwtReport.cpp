#include "core/wavelet/CwtReport.h"

#include "core/common/NumberText.h"
#include "core/wavelet/Cwt.h"
#include "core/wavelet/WaveletFactory.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace {

bool positiveFinite(double value)
{
    return std::isfinite(value) && value > 0.0;
}

} // namespace

std::string cwtReportOptionsProblem(const CwtReportOptions& options)
{
    if (!createWavelet(options.wavelet)) {
        std::string known;
        for (const char* name : kWaveletShortNames)
            known += (known.empty() ? "" : ", ") + std::string(name);
        return "unknown wavelet '" + options.wavelet + "' (it must begin with one of " + known + ")";
    }
    if (!positiveFinite(options.minFrequency) || !positiveFinite(options.maxFrequency))
        return "frequencies must be positive numbers of Hz (a frequency of 0 is an infinite scale)";
    const float scaleLow = static_cast<float>(1.0 / options.minFrequency);
    const float scaleHigh = static_cast<float>(1.0 / options.maxFrequency);
    if (!std::isfinite(scaleLow) || !std::isfinite(scaleHigh) || scaleLow == 0.0f || scaleHigh == 0.0f)
        return "frequencies out of range (their reciprocals must be single-precision numbers above 0)";
    if (options.rows < 1 || options.columns < 1)
        return "rows and columns must be at least 1";
    if (options.division < 0 || options.division > 2)
        return "the division must be linear, reziprok or exponentiell";
    if (options.resolution < 0)
        return "the resolution must be a positive number of points";
    return {};
}

void writeCwtReport(const std::vector<double>& samples, double rate, const CwtReportOptions& options,
                    std::ostream& out, const MessageCallback& diagnostics)
{
    const std::string problem = cwtReportOptionsProblem(options);
    if (!problem.empty())
        throw std::invalid_argument(problem);
    if (!positiveFinite(rate))
        throw std::invalid_argument("the sampling rate must be a positive number");

    CCwt cwt;
    cwt.setDiagnostics(diagnostics);
    CwtRequest& request = cwt.request();
    request.wavelet = options.wavelet;
    request.scaleLow = static_cast<float>(1.0 / options.minFrequency);
    request.scaleHigh = static_cast<float>(1.0 / options.maxFrequency);
    request.rows = options.rows;
    request.columns = options.columns;
    request.division = options.division;
    if (options.resolution > 0) {
        request.resolution = options.resolution;
        request.fixedResolution = true;
    }
    request.rate = static_cast<float>(rate);
    request.startTime = 0.0f;
    request.endTime = static_cast<float>(static_cast<double>(samples.size()) / rate);
    std::vector<float> result;
    if (!cwt.Transform(samples.data(), samples.size(), result))
        throw std::invalid_argument("unknown wavelet '" + options.wavelet + "'");

    const long n = static_cast<long>(result[0]);
    const long m = static_cast<long>(result[1]);
    const std::vector<float>& scales = cwt.rowScales();
    std::string text;
    if (options.json) {
        text = "{\"wavelet\":" + jsonString(options.wavelet) + ",\"rate\":" + formatJsonNumber(request.rate) +
               ",\"rows\":" + std::to_string(n) + ",\"cols\":" + std::to_string(m) + ",\"frequency_hz\":[";
        for (long q = 0; q < n; ++q)
            text += (q ? "," : "") + formatJsonNumber(1.0 / static_cast<double>(scales[static_cast<size_t>(q)]));
        text += "],\"values\":[";
        for (long q = 0; q < n; ++q) {
            text += q ? ",[" : "[";
            for (long k = 0; k < m; ++k)
                text += (k ? "," : "") + formatJsonNumber(result[static_cast<size_t>(2 + q * m + k)]);
            text += "]";
        }
        text += "]}\n";
    } else {
        text = "row,col,frequency_hz,value\n";
        for (long q = 0; q < n; ++q) {
            const std::string rowStart = std::to_string(q) + ",";
            const std::string frequency = formatNumber(1.0 / static_cast<double>(scales[static_cast<size_t>(q)]));
            for (long k = 0; k < m; ++k)
                text += rowStart + std::to_string(k) + "," + frequency + "," +
                        formatNumber(result[static_cast<size_t>(2 + q * m + k)]) + "\n";
        }
    }
    out << text;
}
