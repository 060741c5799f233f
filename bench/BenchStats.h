#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

// Small helpers the benchmarks share.
namespace bench {

// The value below which `share` (0..1) of the samples lie; 0 without samples.
inline double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(std::lround(share * static_cast<double>(values.size() - 1)));
    return values[std::min(index, values.size() - 1)];
}

// Milliseconds one run of `work` takes.
template <typename Work> double MillisecondsOf(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace bench
