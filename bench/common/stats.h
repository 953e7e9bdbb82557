// The figures every benchmark prints: the median of its rounds and their
// noise.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace bench {

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Half the spread between the first and the third quartile (of the whole
// range, with fewer than four rounds).
inline double halfSpread(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    if (v.size() < 4)
        return v.empty() ? 0 : (v.back() - v.front()) / 2;
    return (v[v.size() * 3 / 4] - v[v.size() / 4]) / 2;
}

} // namespace bench
