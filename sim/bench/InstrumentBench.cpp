#include "sim/bench/InstrumentBench.h"

#include "sim/a8960/Virtual8960.h"
#include "sim/prologix/PrologixFaces.h"
#include "sim/scpi/ScpiServer.h"
#include "sim/supply/VirtualSupply.h"
#include "sim/vxi11/Portmapper.h"
#include "sim/vxi11/Vxi11Server.h"
#include "sim/wt4400/Virtual4400.h"

namespace {

QString Alias(const char* address, quint16 port) {
    return QStringLiteral("%1=TCPIP0::127.0.0.1::%2::SOCKET").arg(QLatin1String(address)).arg(port);
}

} // namespace

InstrumentBench::InstrumentBench(RadioPath& radio, SupplyLoad& supplyLoad,
                                 const InstrumentOptions& options)
    : radio_(radio), supplyLoad_(supplyLoad), options_(options), context_(new QObject) {
    context_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
    thread_.start();
}

InstrumentBench::~InstrumentBench() {
    // Sockets and servers belong to the thread: they go there, before it ends.
    OnThread([this] {
        prologix_.reset();
        portmapper_.reset();
        vxi11Server_.reset();
        a8960Server_.reset();
        wt4400Server_.reset();
        supplyServer_.reset();
        a8960_.reset();
        wt4400_.reset();
        supply_.reset();
    });
    thread_.quit();
    thread_.wait();
}

bool InstrumentBench::Start(QString* error) {
    bool listening = false;
    bool onFace = false;
    QString faceError;
    OnThread([this, &listening, &onFace, &faceError] {
        CreateInstruments();
        listening = Listen();
        onFace = listening && ListenOnFace(&faceError);
    });
    if (!listening)
        *error = QStringLiteral("the virtual instruments cannot listen on loopback ports");
    else if (!onFace)
        *error = faceError;
    return listening && onFace;
}

void InstrumentBench::CreateInstruments() {
    const double gsmDb = options_.gsmCableLossDb;
    const double dcsDb = options_.dcsCableLossDb;
    a8960_ = std::make_unique<Virtual8960>(radio_);
    a8960_->SetCableLossDb(gsmDb, dcsDb);
    a8960_->FailMeasurements(options_.failedMeasurements);
    wt4400_ = std::make_unique<Virtual4400>(radio_);
    wt4400_->SetCableLossDb(gsmDb, dcsDb);
    wt4400_->SetCouplingTable(kCouplingTable, gsmDb, dcsDb);
    wt4400_->FailMeasurements(options_.failedMeasurements);
    supply_ = std::make_unique<VirtualSupply>(options_.supply, supplyLoad_);
}

bool InstrumentBench::Listen() {
    a8960Server_ = std::make_unique<ScpiServer>(*a8960_);
    wt4400Server_ = std::make_unique<ScpiServer>(*wt4400_);
    supplyServer_ = std::make_unique<ScpiServer>(*supply_);
    const bool listening =
        a8960Server_->Listen() && wt4400Server_->Listen() && supplyServer_->Listen();
    a8960Port_ = a8960Server_->Port();
    wt4400Port_ = wt4400Server_->Port();
    supplyPort_ = supplyServer_->Port();
    return listening;
}

bool InstrumentBench::ListenOnFace(QString* error) {
    switch (options_.face.kind) {
    case BenchFace::kSocket:
        return true;
    case BenchFace::kVxi11:
        vxi11Server_ = std::make_unique<Vxi11Server>();
        vxi11Server_->SetFaults(options_.face.vxi11);
        vxi11Server_->AddDevice(QStringLiteral("inst0"), *a8960_);
        vxi11Server_->AddDevice(QStringLiteral("gpib0,14"), *a8960_);
        vxi11Server_->AddDevice(QStringLiteral("gpib0,4"), *wt4400_);
        vxi11Server_->AddDevice(QStringLiteral("gpib0,5"), *supply_);
        if (!vxi11Server_->Listen()) {
            *error = QStringLiteral("the VXI-11 gateway cannot listen on a loopback port");
            return false;
        }
        vxi11Port_ = vxi11Server_->Port();
        portmapper_ = std::make_unique<Portmapper>(vxi11Port_);
        if (!portmapper_->Listen(options_.face.portmapperPort, error))
            return false;
        portmapperPort_ = portmapper_->Port();
        return true;
    case BenchFace::kPrologixTcp:
        prologixBoard_ = OpenPrologix(PrologixFace::kTcp, error);
        return !prologixBoard_.isEmpty();
    case BenchFace::kPrologixSerial:
        prologixBoard_ = OpenPrologix(PrologixFace::kSerial, error);
        return !prologixBoard_.isEmpty();
    }
    return false;
}

QStringList InstrumentBench::VisaAliases() const {
    switch (options_.face.kind) {
    case BenchFace::kSocket:
        return {Alias(k8960Address, a8960Port_), Alias(kWt4400Address, wt4400Port_),
                Alias(kSupplyAddress, supplyPort_)};
    case BenchFace::kVxi11:
    case BenchFace::kPrologixTcp:
    case BenchFace::kPrologixSerial:
        return {};
    }
    return {};
}

QStringList InstrumentBench::VisaBoards() const {
    switch (options_.face.kind) {
    case BenchFace::kSocket:
        return {};
    case BenchFace::kVxi11:
        return {QStringLiteral("GPIB0=TCPIP0::127.0.0.1,%1::gpib0::VXI11").arg(vxi11Port_)};
    case BenchFace::kPrologixTcp:
    case BenchFace::kPrologixSerial:
        return {prologixBoard_};
    }
    return {};
}

QString InstrumentBench::StartPrologix(PrologixFace face, QString* error) {
    QString mapping;
    OnThread([this, face, error, &mapping] { mapping = OpenPrologix(face, error); });
    return mapping;
}

QString InstrumentBench::OpenPrologix(PrologixFace face, QString* error) {
    // The addresses the drivers open: 14, 4 and 5 on board 0.
    const QMap<int, ScpiInstrument*> board{
        {14, a8960_.get()}, {4, wt4400_.get()}, {5, supply_.get()}};
    if (face == PrologixFace::kTcp) {
        auto tcp = std::make_unique<PrologixTcpFace>(board);
        QString mapping;
        if (!tcp->Listen())
            *error = QStringLiteral("the Prologix adapter cannot listen on a loopback port");
        else
            mapping = QStringLiteral("GPIB0=") + tcp->InterfaceText();
        prologix_ = std::move(tcp);
        return mapping;
    }
    auto serial = std::make_unique<PrologixSerialFace>(board);
    QString mapping;
    if (serial->Open(error))
        mapping = QStringLiteral("GPIB0=") + serial->InterfaceText();
    prologix_ = std::move(serial);
    return mapping;
}

void InstrumentBench::Run(const std::function<void(Virtual4400& wt4400)>& work) {
    OnThread([this, &work] { work(*wt4400_); });
}

void InstrumentBench::Run8960(const std::function<void(Virtual8960& a8960)>& work) {
    OnThread([this, &work] { work(*a8960_); });
}

void InstrumentBench::RunSupply(const std::function<void(VirtualSupply& supply)>& work) {
    OnThread([this, &work] { work(*supply_); });
}

void InstrumentBench::OnThread(const std::function<void()>& work) {
    QMetaObject::invokeMethod(context_, work, Qt::BlockingQueuedConnection);
}

int InstrumentBench::Connections8960() const {
    return a8960Server_->ConnectionCount();
}

int InstrumentBench::Connections4400() const {
    return wt4400Server_->ConnectionCount();
}

int InstrumentBench::ConnectionsSupply() const {
    return supplyServer_->ConnectionCount();
}
