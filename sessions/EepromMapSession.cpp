#include "sessions/EepromMapSession.h"

#include "base/MessageService.h"
#include "link/ReplyOpcodes.h"

#include <QDir>

namespace {

constexpr int kEepromIndex = 55;

} // namespace

EepromMapSession::EepromMapSession(CComm& comm, QObject* parent)
    : QObject(parent), target_(comm, kReplyTimeoutMs, this) {
    connect(&target_, &TargetSession::replied, this, &EepromMapSession::OnReply);
    connect(&target_, &TargetSession::timedOut, this, &EepromMapSession::OnTimeout);
}

bool EepromMapSession::Read() {
    resultFileFailed_ = false;
    return RequestBlock();
}

void EepromMapSession::Clear() {
    map_.clear();
    emit cleared();
}

bool EepromMapSession::Save(const QString& path, EepromMapFormat format, QString* error) const {
    return SaveEepromMap(path, map_, format, error);
}

bool EepromMapSession::RequestBlock() {
    if (!target_.Send(QStringLiteral("spw 55 %1").arg(ReadAddress())))
        return false;
    requestedAddress_ = ReadAddress();
    return true;
}

void EepromMapSession::OnReply(const TargetReply& reply) {
    if (reply.Class() != REPLY_SUCCESS || reply.Index() != kEepromIndex)
        return;
    if (reply.Opcode() == kOpSpw)
        target_.Send(QStringLiteral("str 55"));
    else if (reply.Opcode() == kOpStr)
        OnBlock(reply.Data());
}

void EepromMapSession::OnBlock(const QByteArray& data) {
    // Cleared while this block was on its way: its bytes belong to another address than the
    // one the list goes on from, so they are not listed, and the walk starts again there.
    if (requestedAddress_ != ReadAddress()) {
        RequestBlock();
        return;
    }
    if (data.size() != kBlockBytes) {
        ShowMessage(QStringLiteral("The EEPROM block at %1 came with %2 bytes instead of %3; "
                                   "reading stopped.")
                        .arg(requestedAddress_)
                        .arg(data.size())
                        .arg(kBlockBytes),
                    MessageIcon::Exclamation);
        emit walkEnded(EepromWalkEnd::BadBlock);
        return;
    }
    ListBlock(data);
    if (ReadAddress() < kEndAddress)
        RequestBlock();
    else
        emit walkEnded(EepromWalkEnd::Complete);
}

void EepromMapSession::ListBlock(const QByteArray& data) {
    const int firstAddress = ReadAddress();
    for (const char byte : data) {
        const int address = ReadAddress();
        map_.append(byte);
        emit byteListed(address, EepromMapLine(address, static_cast<std::uint8_t>(byte)));
    }
    QString error;
    const QString path = resultDirectory_.isEmpty()
                             ? QString::fromLatin1(kResultFile)
                             : QDir(resultDirectory_).filePath(QString::fromLatin1(kResultFile));
    // Once per READ: the list still shows every block, and Save can keep the whole map.
    if (!AppendResultBlock(path, firstAddress, data, &error) && !resultFileFailed_) {
        resultFileFailed_ = true;
        ShowMessage(QStringLiteral("The blocks read are not kept in %1.\n%2")
                        .arg(QString::fromLatin1(kResultFile), error),
                    MessageIcon::Exclamation);
    }
}

void EepromMapSession::OnTimeout() {
    emit walkEnded(EepromWalkEnd::NoReply);
}
