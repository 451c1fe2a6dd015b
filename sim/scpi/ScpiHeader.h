#pragma once

#include "sim/scpi/ScpiMessage.h"

#include <QByteArray>
#include <QList>

#include <span>

// A node a header pattern names by what it may be rather than by its mnemonic: "<band>".
struct ScpiPlaceholder {
    const char* name;
    bool (*accepts)(const QByteArray& node);
};

// A header in the notation of the instruments' manuals: nodes in SCPI notation joined by ':'
// ("CALL:TCHannel"), each accepted in its short form (the capitals) or its long form; optional
// nodes in brackets, with their colon inside ("[:LEVel]", "[SOURce:]"); alternatives joined by
// '|' ("TXPower|PFERror", "[:SELected|:<band>]"); placeholders; or a common command ("*IDN").
class ScpiHeader {
public:
    // Not explicit: command tables list their headers as the manual writes them.
    ScpiHeader(const char* pattern, std::span<const ScpiPlaceholder> placeholders = {});

    // Whether unit's header is this one, whether or not it is a query.
    bool Matches(const ScpiUnit& unit) const;

private:
    struct Alternative {
        QByteArray mnemonic;
        bool (*placeholder)(const QByteArray& node);
    };
    struct Element {
        bool optional;
        QList<Alternative> alternatives;
    };
    void AddElement(QByteArray text, bool optional, std::span<const ScpiPlaceholder> placeholders);
    bool MatchesFrom(const QList<QByteArray>& path, qsizetype element, qsizetype node) const;

    QByteArray common_;
    QList<Element> elements_;
};

// The first of settings whose header (its member pattern) is unit's, or none.
template <typename Setting>
const Setting* FindSetting(const ScpiUnit& unit, std::span<const Setting> settings,
                           std::span<const ScpiPlaceholder> placeholders = {}) {
    for (const Setting& setting : settings) {
        if (ScpiHeader(setting.pattern, placeholders).Matches(unit))
            return &setting;
    }
    return nullptr;
}
