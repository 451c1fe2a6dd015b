#pragma once

#include <QList>
#include <QString>

#include <array>

// The ramp template being edited: sixteen steps up, then sixteen down. A step holds whatever
// integer the operator typed; the target keeps it as a signed byte.
class RampTable {
public:
    static constexpr int kSteps = 16;
    static constexpr int kChartHeights = 2 * kSteps; // chart steps per redraw
    enum Row { Up = 0, Down = 1 };

    int Value(Row row, int slot) const;
    void SetValue(Row row, int slot, int value);
    // Wide enough for any sixteen typed values.
    qint64 Total(Row row) const;

    // "ttw <index> " and the 32 values, up then down, separated by commas; however long. Each
    // value goes as the byte the target keeps, in decimal: the encoder reads no minus sign, so a
    // step of -1 goes as 255 and reads back as -1.
    QString WriteLine(const QString& indexText) const;

    // The heights the chart is fed on a redraw: each up step raises the ramp by a 31st of its
    // value, each down step lowers it, and the end is held for two more steps. The last step of
    // each row is not plotted.
    QList<float> ChartHeights() const;

private:
    std::array<std::array<int, kSteps>, 2> values_{};
};
