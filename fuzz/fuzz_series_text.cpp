// libFuzzer target for the one-column text import: parsing and scaling any bytes never reads
// out of bounds and always yields samples inside the 16-bit range, one per value.
#include "core/audio/TimeSeriesImport.h"

#include <cmath>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TimeSeriesValues series = ParseTimeSeries(text);
    const std::vector<std::int16_t> q = ScaleTimeSeries(series);
    if (q.size() != series.values.size() || series.dMax < 0 || !std::isfinite(series.dMax))
        __builtin_trap();
    return 0;
}
