#pragma once

#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>

class RadioPath;
class Virtual4400;
class ScpiServer;

// The bench's virtual instruments, each an SCPI server on a loopback port, run on a thread of
// their own so that a station in the same process may block in an instrument call while they
// answer.
class InstrumentBench {
public:
    // The address the station's Willtek 4400 driver opens.
    static constexpr const char* kWt4400Address = "GPIB0::4";

    explicit InstrumentBench(RadioPath& radio);
    ~InstrumentBench();
    InstrumentBench(const InstrumentBench&) = delete;
    InstrumentBench& operator=(const InstrumentBench&) = delete;

    bool Start(QString* error);

    quint16 Wt4400Port() const { return wt4400Port_; }
    // "GPIB0::4=TCPIP0::127.0.0.1::PORT::SOCKET": what the station's --visa-alias takes.
    QStringList VisaAliases() const;

    // Runs work on the instruments' thread and waits for it: the only safe way to reach them.
    void Run(const std::function<void(Virtual4400& wt4400)>& work);

private:
    RadioPath& radio_;
    QThread thread_;
    QObject* context_;
    std::unique_ptr<Virtual4400> wt4400_;
    std::unique_ptr<ScpiServer> wt4400Server_;
    quint16 wt4400Port_ = 0;
};
