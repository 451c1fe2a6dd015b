#include "sim/scpi/ScpiQuantity.h"

#include "sim/scpi/ScpiMessage.h"

#include <cctype>

namespace {

struct Suffix {
    Unit unit;
    const char* name;
    double scale;
};

const Suffix kSuffixes[] = {
    {Unit::Hertz, "HZ", 1.0},  {Unit::Hertz, "KHZ", 1e3},  {Unit::Hertz, "MHZ", 1e6},
    {Unit::Hertz, "GHZ", 1e9}, {Unit::Decibel, "DB", 1.0}, {Unit::DecibelMilliwatt, "DBM", 1.0},
    {Unit::Second, "S", 1.0},  {Unit::Second, "MS", 1e-3},
};

bool ScaleOf(const QByteArray& suffix, Unit unit, double* scale) {
    if (suffix.isEmpty()) {
        *scale = 1.0;
        return true;
    }
    for (const Suffix& known : kSuffixes) {
        if (known.unit == unit && suffix == known.name) {
            *scale = known.scale;
            return true;
        }
    }
    return false;
}

} // namespace

bool ParseQuantity(const QByteArray& text, Unit unit, double* value) {
    qsizetype end = text.size();
    while (end > 0 && std::isalpha(static_cast<unsigned char>(text[end - 1])))
        --end;
    double scale = 1.0;
    double number = 0.0;
    if (!ScaleOf(text.mid(end).toUpper(), unit, &scale) ||
        !ParseNumber(text.left(end).trimmed(), &number))
        return false;
    *value = number * scale;
    return true;
}
