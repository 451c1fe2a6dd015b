// The parameters as every virtual instrument reads them.
#include "sim/scpi/VirtualInstrument.h"

#include <cmath>

int VirtualInstrument::Number(const QByteArray& text, Unit unit, double low, double high,
                              double* value) {
    double number = 0.0;
    if (!ParseQuantity(text, unit, &number))
        return ScpiError::kDataType;
    if (number < low || number > high)
        return ScpiError::kOutOfRange;
    *value = number;
    return 0;
}

int VirtualInstrument::Integer(const QByteArray& text, int low, int high, int* value) {
    double number = 0.0;
    if (const int error = Number(text, Unit::None, low, high, &number))
        return error;
    if (number != std::floor(number))
        return ScpiError::kDataType;
    *value = static_cast<int>(number);
    return 0;
}

int VirtualInstrument::Choice(const QByteArray& text, const QList<QByteArray>& words,
                              QByteArray* word) {
    const QByteArray given = text.toUpper();
    if (!words.contains(given))
        return ScpiError::kIllegalValue;
    *word = given;
    return 0;
}

int VirtualInstrument::Boolean(const QByteArray& text, bool* value) {
    QByteArray word;
    const int error = Choice(text, {"ON", "OFF", "1", "0"}, &word);
    if (error == 0)
        *value = word == "ON" || word == "1";
    return error;
}
