#pragma once

#include <QByteArray>

#include <optional>

// The settings and results of the virtual 4400 that *RST returns to their defaults.
struct Virtual4400State {
    enum class CallSystem { None, Gsm, Generator, Gprs };

    CallSystem callSystem = CallSystem::None;
    QByteArray networkType = "GSM9001800";
    int readyPollsLeft = 0; // condition queries still answered "not ready"

    bool couplingOn = false;
    QByteArray couplingName;

    bool generatorOn = false; // switched on, or given a frequency or level
    double generatorHz = 947.4e6;
    double generatorDbm = -60.0;
    QByteArray modulation = "GMSK";
    QByteArray signalType = "BURS";
    QByteArray bitPattern = "PRBS9";
    int burstTimeslot = 0;
    QByteArray trainingSequenceState = "ON";
    int trainingSequence = 0;
    double analyzerHz = 0.0; // 0: the uplink of the traffic channel

    double baseStationDbm = -60.0;
    int tchArfcn = 30;
    int bchArfcn = 20;
    int msPowerLevel = 5;
    int tchTimeslot = 2;
    int gprsArfcn = 1;
    int gprsPowerLevel = 0;

    bool bsOriginated = false;
    bool released = false; // a call the base station released, until the target gives it up

    struct Statistics {
        double mean;
        double minimum;
        double maximum;
    };
    std::optional<double> txPowerDbm;
    std::optional<Statistics> txPowerArray;
};
