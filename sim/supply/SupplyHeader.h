#pragma once

#include "ScpiMessage.h"

#include <QByteArray>
#include <QList>

// A header in the notation of the instruments' manuals, optional nodes in brackets:
// "[SOURce:]VOLTage[:LEVel][:IMMediate][:AMPLitude]", or a common command such as "*IDN".
// Every node is accepted in its short form (the capitals) or its long form.
class SupplyHeader {
public:
    explicit SupplyHeader(const char* pattern);

    // Whether unit's header is this one, ignoring whether it is a query.
    bool Matches(const ScpiUnit& unit) const;

private:
    struct Node {
        QByteArray name;
        bool optional;
    };
    bool MatchesFrom(const QList<QByteArray>& path, qsizetype at, qsizetype node) const;

    QByteArray common_;
    QList<Node> nodes_;
};
