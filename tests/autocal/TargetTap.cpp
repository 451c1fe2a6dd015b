#include "tests/autocal/TargetTap.h"

#include <QSocketNotifier>

namespace {
constexpr int kBaud = 115200;
constexpr int kWriteTimeoutMs = 1000;
} // namespace

TargetTap::TargetTap() {
    connect(&listener_, &FakeTarget::packetReceived, this, &TargetTap::Forward);
}

TargetTap::~TargetTap() = default;

bool TargetTap::Open(const QString& targetDevice, QString* error) {
    if (!target_.Open(targetDevice, kBaud, error))
        return false;
    notifier_ = std::make_unique<QSocketNotifier>(target_.Descriptor(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TargetTap::OnTargetReadable);
    return true;
}

void TargetTap::Forward(const QByteArray& packet) {
    target_.Write(reinterpret_cast<const std::uint8_t*>(packet.constData()),
                  static_cast<int>(packet.size()), kWriteTimeoutMs);
}

void TargetTap::OnTargetReadable() {
    std::uint8_t buffer[4096];
    const int n = target_.ReadAvailable(buffer, sizeof buffer);
    if (n > 0)
        station_.Write(QByteArray(reinterpret_cast<const char*>(buffer), n));
    else if (n < 0)
        notifier_->setEnabled(false); // the bench is gone
}
