#include "drivers/wt4400/Wt4400Text.h"

#include <charconv>
#include <limits>

QByteArray Fixed(double value) {
    return QByteArray::number(value, 'f', 6);
}

QByteArray Short(double value) {
    return QByteArray::number(value, 'g', 6);
}

QByteArray Number(ViInt32 value) {
    return QByteArray::number(value);
}

void ReplyScanner::SkipSpace() {
    while (at_ < text_.size() && (text_.at(at_) == ' ' || text_.at(at_) == '\t' ||
                                  text_.at(at_) == '\r' || text_.at(at_) == '\n'))
        ++at_;
}

bool ReplyScanner::Double(double* value) {
    SkipSpace();
    if (at_ < text_.size() && text_.at(at_) == '+')
        ++at_;
    const char* begin = text_.constData() + at_;
    const auto [end, error] = std::from_chars(begin, text_.constData() + text_.size(), *value);
    if (error != std::errc())
        return false;
    at_ += end - begin;
    return true;
}

bool ReplyScanner::Int(ViInt32* value) {
    SkipSpace();
    if (at_ < text_.size() && text_.at(at_) == '+')
        ++at_;
    const char* begin = text_.constData() + at_;
    long long wide = 0;
    const auto [end, error] = std::from_chars(begin, text_.constData() + text_.size(), wide);
    if (error != std::errc() || wide < std::numeric_limits<ViInt32>::min() ||
        wide > std::numeric_limits<ViInt32>::max())
        return false;
    *value = static_cast<ViInt32>(wide);
    at_ += end - begin;
    return true;
}

bool ReplyScanner::SkipOne() {
    SkipSpace();
    if (at_ >= text_.size())
        return false;
    ++at_;
    return true;
}

bool ReplyScanner::Literal(char c) {
    if (at_ >= text_.size() || text_.at(at_) != c)
        return false;
    ++at_;
    return true;
}

QByteArray ReplyScanner::Until(char stop) {
    const qsizetype found = text_.indexOf(stop, at_);
    const qsizetype end = found < 0 ? text_.size() : found;
    const QByteArray field = text_.mid(at_, end - at_);
    at_ = end;
    return field;
}

bool ScanValues(const QByteArray& text, ViReal64 values[], int count, int integerAt) {
    ReplyScanner scanner(text);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !scanner.SkipOne())
            return false;
        ViInt32 integer = 0;
        if (i == integerAt) {
            if (!scanner.Int(&integer))
                return false;
            values[i] = integer;
        } else if (!scanner.Double(&values[i])) {
            return false;
        }
    }
    return true;
}
