#pragma once

#include "sim/scpi/ScpiHeader.h"
#include "sim/scpi/ScpiMessage.h"

#include <QByteArray>

#include <span>

// One entry of a virtual instrument's command table: the header, whether it is the query, how
// many parameters it takes and the member that carries it out (0 or the error to queue).
template <typename Instrument> struct ScpiCommand {
    ScpiHeader header;
    bool query;
    int minParameters;
    int maxParameters;
    int (Instrument::*handler)(const ScpiUnit& unit, QByteArray* reply);
};

// The first command of the table that unit names, or none.
template <typename Instrument>
const ScpiCommand<Instrument>* FindCommand(std::span<const ScpiCommand<Instrument>> commands,
                                           const ScpiUnit& unit) {
    for (const ScpiCommand<Instrument>& command : commands) {
        if (command.query == unit.query && command.header.Matches(unit))
            return &command;
    }
    return nullptr;
}

// Carries command out on instrument once the parameters are counted: 0 or the error to queue.
template <typename Instrument>
int RunCommand(Instrument& instrument, const ScpiCommand<Instrument>& command, const ScpiUnit& unit,
               QByteArray* reply) {
    if (unit.parameters.size() < command.minParameters)
        return ScpiError::kMissingParameter;
    if (unit.parameters.size() > command.maxParameters)
        return ScpiError::kParameterNotAllowed;
    return (instrument.*command.handler)(unit, reply);
}

// Carries out the command of the table that unit names; a header it has not is undefined.
template <typename Instrument>
int RunCommand(Instrument& instrument, std::span<const ScpiCommand<Instrument>> commands,
               const ScpiUnit& unit, QByteArray* reply) {
    const ScpiCommand<Instrument>* command = FindCommand(commands, unit);
    return command ? RunCommand(instrument, *command, unit, reply) : ScpiError::kUndefinedHeader;
}
