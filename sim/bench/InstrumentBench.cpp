#include "InstrumentBench.h"

#include "Virtual4400.h"
#include "ScpiServer.h"

InstrumentBench::InstrumentBench(RadioPath& radio) : radio_(radio), context_(new QObject) {
    context_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
    thread_.start();
}

InstrumentBench::~InstrumentBench() {
    // Sockets and servers belong to the thread: they go there, before it ends.
    QMetaObject::invokeMethod(
        context_,
        [this] {
            wt4400Server_.reset();
            wt4400_.reset();
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

bool InstrumentBench::Start(QString* error) {
    bool listening = false;
    QMetaObject::invokeMethod(
        context_,
        [this, &listening] {
            wt4400_ = std::make_unique<Virtual4400>(radio_);
            wt4400Server_ = std::make_unique<ScpiServer>(*wt4400_);
            listening = wt4400Server_->Listen();
            wt4400Port_ = wt4400Server_->Port();
        },
        Qt::BlockingQueuedConnection);
    if (!listening)
        *error = QStringLiteral("the virtual Willtek 4400 cannot listen on a loopback port");
    return listening;
}

QStringList InstrumentBench::VisaAliases() const {
    return {QStringLiteral("%1=TCPIP0::127.0.0.1::%2::SOCKET")
                .arg(QLatin1String(kWt4400Address))
                .arg(wt4400Port_)};
}

void InstrumentBench::Run(const std::function<void(Virtual4400& wt4400)>& work) {
    QMetaObject::invokeMethod(
        context_, [this, &work] { work(*wt4400_); }, Qt::BlockingQueuedConnection);
}
