#pragma once

#include <QByteArray>
#include <QList>

// The label printer's job for one phone, line by line, each ending in a line feed. scanned is the
// IMEI as scanned (fifteen digits); the barcode carries "C" and its first fourteen digits, the
// text line reads "IMEI: 356789-01-234567 /8". Region 1 ("HK") prints one label of a fixed
// layout; any other region prints count labels with the barcode three times, shifted by the
// vertical and horizontal offsets.
struct LabelSettings {
    int count = 1;        // 0..10000
    int vertical = 10;    // 0..600
    int horizontal = 200; // 0..600
};

QList<QByteArray> LabelJobLines(const QByteArray& scanned, const LabelSettings& settings,
                                int regionCode);
