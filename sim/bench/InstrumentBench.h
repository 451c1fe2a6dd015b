#pragma once

#include "sim/bench/BenchFace.h"
#include "sim/supply/SupplyModels.h"

#include <QList>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>

class Portmapper;
class RadioPath;
class ScpiServer;
class SupplyLoad;
class Virtual4400;
class Virtual8960;
class VirtualSupply;
class Vxi11Server;

// What the bench's instruments are: the supply's model and the RF cable's loss by band, which
// the virtual test sets apply and the 4400's coupling table "viable.cpl" makes up for; and the
// measurements of each test set that fail, numbered from 1 (none by default); and the face the
// station reaches them through.
struct InstrumentOptions {
    VirtualSupplyModel supply = VirtualSupplyModel::kE3632A;
    double gsmCableLossDb = 1.3;
    double dcsCableLossDb = 1.8;
    QList<int> failedMeasurements;
    BenchFaceOptions face;
};

// The GPIB faces the bench can show besides its sockets: a Prologix GPIB-ETHERNET on a loopback
// port or a GPIB-USB on a pseudo-terminal.
enum class PrologixFace { kTcp, kSerial };

// The bench's virtual instruments, each an SCPI server on a loopback port, run on a thread of
// their own so that a station in the same process may block in an instrument call while they
// answer.
class InstrumentBench {
public:
    // The addresses the station's drivers open.
    static constexpr const char* k8960Address = "GPIB0::14::INSTR";
    static constexpr const char* kWt4400Address = "GPIB0::4";
    static constexpr const char* kSupplyAddress = "GPIB::5::INSTR";
    static constexpr const char* kCouplingTable = "viable.cpl";

    InstrumentBench(RadioPath& radio, SupplyLoad& supplyLoad, const InstrumentOptions& options);
    ~InstrumentBench();
    InstrumentBench(const InstrumentBench&) = delete;
    InstrumentBench& operator=(const InstrumentBench&) = delete;

    bool Start(QString* error);

    quint16 A8960Port() const { return a8960Port_; }
    quint16 Wt4400Port() const { return wt4400Port_; }
    quint16 SupplyPort() const { return supplyPort_; }
    // Connections open now at each instrument; safe from any thread once started.
    int Connections8960() const;
    int Connections4400() const;
    int ConnectionsSupply() const;
    // "GPIB0::14::INSTR=TCPIP0::127.0.0.1::PORT::SOCKET" and so on, the 8960 first, then the
    // 4400 and the supply: what the station's --visa-alias takes on the socket face.
    QStringList VisaAliases() const;
    // "GPIB0=TCPIP0::127.0.0.1,PORT::gpib0::VXI11" on the VXI-11 face, "GPIB0=PRLGX-..." on a
    // Prologix face: what --visa-board takes.
    QStringList VisaBoards() const;
    // The VXI-11 portmapper's port, and that of the core channel, which "inst0" (the 8960) and
    // "gpib0,N" (each instrument at its address) reach; 0 on the socket face.
    quint16 PortmapperPort() const { return portmapperPort_; }
    quint16 Vxi11Port() const { return vxi11Port_; }

    // Puts a Prologix adapter in front of the instruments at their GPIB addresses and returns the
    // station's board mapping ("GPIB0=PRLGX-TCPIP0::127.0.0.1::PORT"), or empty with *error.
    QString StartPrologix(PrologixFace face, QString* error);

    // Run work on the instruments' thread and wait for it: the only safe way to reach them.
    void Run(const std::function<void(Virtual4400& wt4400)>& work);
    void Run8960(const std::function<void(Virtual8960& a8960)>& work);
    void RunSupply(const std::function<void(VirtualSupply& supply)>& work);

private:
    void OnThread(const std::function<void()>& work);
    void CreateInstruments();
    bool Listen();
    bool ListenOnFace(QString* error);
    // On the instruments' thread.
    QString OpenPrologix(PrologixFace face, QString* error);

    RadioPath& radio_;
    SupplyLoad& supplyLoad_;
    InstrumentOptions options_;
    QThread thread_;
    QObject* context_;
    std::unique_ptr<Virtual8960> a8960_;
    std::unique_ptr<Virtual4400> wt4400_;
    std::unique_ptr<VirtualSupply> supply_;
    std::unique_ptr<ScpiServer> a8960Server_;
    std::unique_ptr<ScpiServer> wt4400Server_;
    std::unique_ptr<ScpiServer> supplyServer_;
    std::unique_ptr<QObject> prologix_;
    QString prologixBoard_;
    quint16 a8960Port_ = 0;
    quint16 wt4400Port_ = 0;
    quint16 supplyPort_ = 0;
    std::unique_ptr<Vxi11Server> vxi11Server_;
    std::unique_ptr<Portmapper> portmapper_;
    quint16 vxi11Port_ = 0;
    quint16 portmapperPort_ = 0;
};
