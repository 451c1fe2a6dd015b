#include "visa/BuiltInOpen.h"

#include "visa/LinuxGpibIo.h"
#include "visa/PrologixIo.h"
#include "visa/SocketIo.h"
#include "visa/VisaConfig.h"
#include "visa/VisaResource.h"
#include "visa/Vxi11Io.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// A board's interface form, an example of it for error texts, and its backend.
struct BoardForm {
    const char* pattern;
    const char* example;
    BoardOpener open;
};

const BoardForm kBoardForms[] = {
    {"^TCPIP\\d*::.+::VXI11$", "TCPIP0::host::gpib0::VXI11", OpenVxi11Board},
    {"^PRLGX-(TCPIP\\d*|ASRL)::", "PRLGX-TCPIP0::host::1234", OpenPrologix},
    {"^LINUXGPIB::\\d+$", "LINUXGPIB::0", OpenLinuxGpib},
};

QString BoardExamples() {
    QStringList examples;
    for (const BoardForm& form : kBoardForms)
        examples << QLatin1String(form.example);
    return examples.join(QStringLiteral(", "));
}

std::unique_ptr<InstrumentIo> OpenSocket(const SocketResource& socket, ViStatus* status,
                                         QString* detail) {
    return SocketIo::Connect(socket.host, socket.port,
                             static_cast<int>(IoAttributes::kDefaultTimeoutMs), status, detail);
}

std::unique_ptr<InstrumentIo> OpenOnBoard(int board, int address, ViStatus* status,
                                          QString* detail) {
    const QString interfaceText = VisaConfig::Instance().Board(board);
    if (const BoardOpener open = FindBoardOpener(interfaceText))
        return open(interfaceText, address, status, detail);
    *status = VI_ERROR_INV_SETUP;
    *detail = QStringLiteral("GPIB%1 is mapped to \"%2\", an interface that is not supported yet "
                             "(supported: %3)")
                  .arg(board)
                  .arg(interfaceText, BoardExamples());
    return nullptr;
}

std::unique_ptr<InstrumentIo> BadPort(ViStatus* status, QString* detail) {
    *status = VI_ERROR_INV_RSRC_NAME;
    *detail = QStringLiteral("the port is not a number from 1 to 65535");
    return nullptr;
}

} // namespace

BoardOpener FindBoardOpener(const QString& interfaceText) {
    for (const BoardForm& form : kBoardForms) {
        const QRegularExpression pattern(QLatin1String(form.pattern),
                                         QRegularExpression::CaseInsensitiveOption);
        if (pattern.match(interfaceText.trimmed()).hasMatch())
            return form.open;
    }
    return nullptr;
}

std::unique_ptr<InstrumentIo> OpenBuiltIn(const QString& target, ViAccessMode mode, bool* served,
                                          ViStatus* status, QString* detail) {
    SocketResource socket;
    Vxi11Address vxi11;
    bool valid = false;
    int board = 0;
    int address = 0;
    const bool isSocket = ParseSocketResource(target, &socket, &valid);
    const bool isVxi11 = !isSocket && ParseVxi11Resource(target, &vxi11, &valid);
    const bool onBoard = !isSocket && !isVxi11 && ParseGpibAddress(target, &board, &address) &&
                         !VisaConfig::Instance().Board(board).isEmpty();
    *served = isSocket || isVxi11 || onBoard;
    if (!*served)
        return nullptr;
    if (mode != VI_NO_LOCK && mode != VI_LOAD_CONFIG) {
        *status = VI_ERROR_INV_ACC_MODE;
        *detail = isSocket ? QStringLiteral("socket resources cannot be locked")
                           : QStringLiteral("VXI-11 and GPIB board resources cannot be locked");
        return nullptr;
    }
    if ((isSocket || isVxi11) && !valid)
        return BadPort(status, detail);
    if (isSocket)
        return OpenSocket(socket, status, detail);
    if (isVxi11)
        return OpenVxi11(vxi11, status, detail);
    return OpenOnBoard(board, address, status, detail);
}
