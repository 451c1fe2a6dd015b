#include "SupplyText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace supplies {

namespace {

// from_chars takes no plus sign, which NR3 replies ("+1.234E-01") carry; "+-1" stays refused.
const char* SkipPlus(const char* begin, const char* end) {
    return end - begin >= 2 && begin[0] == '+' && begin[1] != '-' ? begin + 1 : begin;
}

} // namespace

QByteArray ScpiNumber(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? QByteArray(buffer, end - buffer) : QByteArray();
}

bool ParseNumber(const QByteArray& reply, double* value) {
    const QByteArray text = reply.trimmed();
    const char* end = text.constData() + text.size();
    const char* begin = SkipPlus(text.constData(), end);
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, parsed);
    if (error != std::errc() || stop != end || !std::isfinite(parsed))
        return false;
    *value = parsed;
    return true;
}

bool ParseErrorEntry(const QByteArray& reply, ViInt32* code, QByteArray* text) {
    const qsizetype comma = reply.indexOf(',');
    const QByteArray number = (comma < 0 ? reply : reply.left(comma)).trimmed();
    const char* end = number.constData() + number.size();
    const char* begin = SkipPlus(number.constData(), end);
    ViInt32 parsed = 0;
    const auto [stop, error] = std::from_chars(begin, end, parsed);
    if (number.isEmpty() || error != std::errc() || stop != end)
        return false;
    *code = parsed;
    QByteArray message = comma < 0 ? QByteArray() : reply.mid(comma + 1).trimmed();
    // A text cut short by the instrument may have lost its closing quote.
    if (message.startsWith('"'))
        message.remove(0, 1);
    if (message.endsWith('"'))
        message.chop(1);
    *text = message.replace("\"\"", "\"");
    return true;
}

void CopyText(const QByteArray& text, ViChar out[], int size) {
    if (size <= 0)
        return;
    const qsizetype length = std::min<qsizetype>(text.size(), size - 1);
    std::memcpy(out, text.constData(), static_cast<size_t>(length));
    out[length] = '\0';
}

} // namespace supplies
