#pragma once

#include "sim/wt4400/Virtual4400State.h"

#include <QByteArray>
#include <QList>

#include <span>

// The plain settings of the virtual 4400: a header, what it accepts and where it is kept. Each
// also answers its query.
struct WordSetting {
    const char* pattern;
    QList<QByteArray> words;
    QByteArray Virtual4400State::*field;
};

struct NumberSetting {
    const char* pattern;
    int low;
    int high;
    int Virtual4400State::*field;
};

struct RealSetting {
    const char* pattern;
    double low;
    double high;
    double Virtual4400State::*field;
    bool switchesGeneratorOn; // the generator's frequency or level: it is meant to send
};

std::span<const WordSetting> WordSettings();
std::span<const NumberSetting> NumberSettings();
std::span<const RealSetting> RealSettings();

// The instrument's ranges.
inline constexpr double kMinLevelDbm = -130.0;
inline constexpr double kMaxLevelDbm = 0.0;
inline constexpr double kMinHz = 400e6;
inline constexpr double kMaxHz = 2700e6;
