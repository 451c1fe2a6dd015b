#include "sessions/RampTable.h"

#include <QStringList>

#include <cstdint>

namespace {
constexpr double kFullStep = 31.0; // a step of 31 raises the ramp by one chart unit
constexpr int kPlottedSteps = RampTable::kSteps - 1;
constexpr int kHeldSteps = 2;
} // namespace

int RampTable::Value(Row row, int slot) const {
    return values_[static_cast<std::size_t>(row)][static_cast<std::size_t>(slot)];
}

void RampTable::SetValue(Row row, int slot, int value) {
    values_[static_cast<std::size_t>(row)][static_cast<std::size_t>(slot)] = value;
}

qint64 RampTable::Total(Row row) const {
    qint64 total = 0;
    for (const int value : values_[static_cast<std::size_t>(row)])
        total += value;
    return total;
}

QString RampTable::WriteLine(const QString& indexText) const {
    QStringList values;
    for (const auto& row : values_)
        for (const int value : row)
            values << QString::number(static_cast<std::uint8_t>(value));
    return QStringLiteral("ttw ") + indexText + QLatin1Char(' ') + values.join(QLatin1Char(','));
}

QList<float> RampTable::ChartHeights() const {
    // Each quotient in double, the running height a float, as the chart has always summed it.
    QList<float> heights;
    float height = 0.0F;
    for (int i = 0; i < kPlottedSteps; ++i) {
        height = static_cast<float>(height + Value(Up, i) / kFullStep);
        heights << height;
    }
    for (int i = 0; i < kPlottedSteps; ++i) {
        height = static_cast<float>(height - Value(Down, i) / kFullStep);
        heights << height;
    }
    for (int i = 0; i < kHeldSteps; ++i)
        heights << height;
    return heights;
}
