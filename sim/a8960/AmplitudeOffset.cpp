#include "sim/a8960/AmplitudeOffset.h"

#include <algorithm>
#include <utility>
#include <vector>

double AmplitudeOffset::GainDb(double hz) const {
    const qsizetype count = std::min(frequenciesHz_.size(), gainsDb_.size());
    if (!enabled_ || count == 0)
        return 0.0;
    std::vector<std::pair<double, double>> points;
    for (qsizetype i = 0; i < count; ++i)
        points.emplace_back(frequenciesHz_[i], gainsDb_[i]);
    std::sort(points.begin(), points.end());
    if (hz <= points.front().first)
        return points.front().second;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const auto& [f1, g1] = points[i];
        if (hz <= f1) {
            const auto& [f0, g0] = points[i - 1];
            return g0 + (g1 - g0) * (hz - f0) / (f1 - f0);
        }
    }
    return points.back().second;
}
