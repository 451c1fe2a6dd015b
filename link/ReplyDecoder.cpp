#include "link/ReplyDecoder.h"

#include "link/ReplyOpcodes.h"
#include "link/TargetReply.h"

#include <algorithm>
#include <array>

namespace {

struct OpcodeText {
    std::uint8_t opcode;
    const char* text;
};

// The special table commands (0x52, 0x53) have error texts of the IMEI tool's only: the manual
// window shows nothing for them.
constexpr std::array kErrorTexts = {
    OpcodeText{kOpTi, "tm init command error"},
    OpcodeText{kOpTms, "test mode set command error"},
    OpcodeText{kOpRfe, "RF enable command error"},
    OpcodeText{kOpSr, "stats_read command error"},
    OpcodeText{kOpScw, "stats_config_write command error"},
    OpcodeText{kOpScr, "stats_config_read command error"},
    OpcodeText{kOpRfpw, "rf_param_write command error"},
    OpcodeText{kOpRfpr, "rf_param_read command error"},
    OpcodeText{kOpRftw, "rf_table_write command error"},
    OpcodeText{kOpRftr, "rf_table_read command error"},
    OpcodeText{kOpRxpw, "rx_param_write command error"},
    OpcodeText{kOpRxpr, "rx_param_read command error"},
    OpcodeText{kOpTxpw, "txpw command error"},
    OpcodeText{kOpTxpr, "TXPR command error"},
    OpcodeText{kOpTtw, "tx_templete_write command error"},
    OpcodeText{kOpTtr, "tx_templete_read command error"},
    OpcodeText{kOpSpw, "special_param_write command error"},
    OpcodeText{kOpSpr, "special_param_read command error"},
    OpcodeText{kOpSe, "special enable command error"},
};

// Successful replies that the manual window acknowledges with nothing.
constexpr std::array kSilentOpcodes = {kOpTi,  kOpVg,  kOpRfe,  kOpTxpw, kOpRfpw, kOpRftw,
                                       kOpSpw, kOpTtw, kOpRxpw, kOpStw,  kOpScw,  kOpScr};

bool IsSilent(std::uint8_t opcode) {
    if (opcode >= kOpMw && opcode <= kOpLastMemory)
        return true;
    return std::find(kSilentOpcodes.begin(), kSilentOpcodes.end(), opcode) != kSilentOpcodes.end();
}

struct IndexedFormat {
    std::uint8_t opcode;
    int index;
    const char* format;
};

// Parameter reads that carry one unsigned word at byte 5, labelled by the echoed index.
constexpr std::array kWordFormats = {
    IndexedFormat{kOpTxpr, 1, "Tx level is %d"},
    IndexedFormat{kOpTxpr, 4, "APC DAC value is %d"},
    IndexedFormat{kOpRfpr, 1, "BCH Channel is %d"},
    IndexedFormat{kOpRfpr, 2, "TCH Channel is %d"},
    IndexedFormat{kOpSpr, 11, "Reading Rx AGC value is %d"},
    IndexedFormat{kOpSpr, 21, " Battery ADC value is %d"},
    IndexedFormat{kOpRxpr, 1, "AGC Gain = %d"},
    IndexedFormat{kOpRxpr, 2, "rx timeslot = %d"},
    IndexedFormat{kOpRxpr, 8, "AGC algorithm Enable = %d"},
    IndexedFormat{kOpRxpr, 10, "rx_frontdelay = %d"},
};

// AFC values, shown in whole units with three decimals.
constexpr std::array kAfcFormats = {
    IndexedFormat{kOpRfpr, 9, "AFC DAC : %13.3f"},
    IndexedFormat{kOpRfpr, 10, "INIT_AFC : %13.3f"},
};

constexpr const char* kGmagicHeader =
    "G_magic   Ina_att   cal_freq1    Ina_switch_thr_low     Ina_switch_thr_high";
constexpr const char* kGmagicValues =
    "   %d           %d           %d                    %d                          %d";
constexpr const char* kPmFormat = "PM value is %10.2f";
constexpr const char* kRxLevelFormat = "RX level is %d";
constexpr const char* kUpRampFormat = "Up Ramp Templete #%d";
constexpr const char* kDownRampFormat = "Down Ramp Templete #%d";
constexpr const char* kCommandError = "command error";

const IndexedFormat* FindFormat(const auto& table, std::uint8_t opcode, int index) {
    const auto* row = std::find_if(table.begin(), table.end(), [&](const IndexedFormat& f) {
        return f.opcode == opcode && f.index == index;
    });
    return row == table.end() ? nullptr : row;
}

QStringList DecodeParameterRead(const ReplyWorkArea& reply) {
    if (const auto* row = FindFormat(kWordFormats, reply.Opcode(), reply.Index()))
        return {QString::asprintf(row->format, reply.Word())};
    if (const auto* row = FindFormat(kAfcFormats, reply.Opcode(), reply.Index()))
        return {QString::asprintf(row->format, reply.Afc())};
    if (reply.Opcode() == kOpSpr)
        return {QString::asprintf("Unknown value : %d", reply.Word())};
    return {};
}

QStringList DecodeRfTable(const ReplyWorkArea& reply) {
    // Only the GMAGIC tables are laid out for display.
    if (reply.Index() != 31 && reply.Index() != 47)
        return {};
    const auto v = reply.GmagicRow();
    return {QString(kGmagicHeader), QString::asprintf(kGmagicValues, v[0], v[1], v[2], v[3], v[4])};
}

QStringList DecodeStatsRead(const ReplyWorkArea& reply) {
    if (reply.Index() != 1)
        return {};
    QStringList texts;
    if (const auto level = reply.RxLevel())
        texts << QString::asprintf(kRxLevelFormat, *level);
    if (const auto pm = reply.PmValue())
        texts << QString::asprintf(kPmFormat, *pm);
    return texts;
}

QStringList DecodeSpecialEnable(const ReplyWorkArea& reply) {
    switch (reply.Index()) {
    case 1:
        return {QString("Saved to EEPROM")};
    case 5:
        return {QString("Target Resetted")};
    default:
        return {};
    }
}

using RampValues = std::array<int, ReplyWorkArea::kRampValues>;

// One direction's sixteen steps, eight to a row.
QString TemplateRows(const RampValues& values, int first) {
    const auto v = [&](int i) { return values[static_cast<std::size_t>(first + i)]; };
    return QString::asprintf("%8d%8d%8d%8d%8d%8d%8d%8d\r\n%8d%8d%8d%8d%8d%8d%8d%8d", v(0), v(1),
                             v(2), v(3), v(4), v(5), v(6), v(7), v(8), v(9), v(10), v(11), v(12),
                             v(13), v(14), v(15));
}

QStringList DecodeTemplateRead(const ReplyWorkArea& reply) {
    const RampValues values = reply.RampTemplate();
    return {QString::asprintf(kUpRampFormat, reply.Index()), TemplateRows(values, 0),
            QString::asprintf(kDownRampFormat, reply.Index()),
            TemplateRows(values, ReplyWorkArea::kRampSteps)};
}

QString SignedBytes(const ReplyWorkArea& reply) {
    QString text;
    for (int i = 0; i < reply.DataCount(); ++i)
        text += QString::number(reply.S8(ReplyWorkArea::kDataStart + i));
    return text;
}

QStringList DecodeSpecialTableRead(const ReplyWorkArea& reply) {
    switch (reply.Index()) {
    case 10:
        return {reply.Characters(ReplyWorkArea::kDataStart, 9)};
    case 11:
    case 20:
        return {reply.Characters(ReplyWorkArea::kDataStart, 3)};
    case 55:
        return {SignedBytes(reply)};
    case 60:
        return {reply.ImeiDigits()};
    case 61:
        return {QString::number(reply.SerialNumber())};
    default:
        return {};
    }
}

// The sixteen values of a direction share one line, five columns each.
QString ResultTemplateRow(const RampValues& values, int first) {
    QString row;
    for (int i = first; i < first + ReplyWorkArea::kRampSteps; ++i)
        row += QString::asprintf("%5d", values[static_cast<std::size_t>(i)]);
    return row;
}

QStringList ResultDisplayForm(const ReplyWorkArea& reply) {
    switch (reply.Opcode()) {
    case kOpTi:
        return {QString("ti command success")};
    case kOpTms:
        return {QString("tms command success")};
    case kOpRfe:
        return {QString("rfe command success")};
    case kOpRfpw:
        return {QString("rfpw command success")};
    case kOpRfpr:
    case kOpTxpr:
    case kOpSpr:
        return {QString::asprintf("index = %d , value = %d", reply.Index(), reply.Word())};
    case kOpTxpw:
    case kOpSpw:
    case kOpSe:
        return {QString::asprintf("index = %d ", reply.Index())};
    case kOpTtr: {
        const RampValues values = reply.RampTemplate();
        return {QString::asprintf(kUpRampFormat, reply.Index()), ResultTemplateRow(values, 0),
                QString::asprintf(kDownRampFormat, reply.Index()),
                ResultTemplateRow(values, ReplyWorkArea::kRampSteps)};
    }
    default:
        return {};
    }
}

} // namespace

QString ReplyErrorText(std::uint8_t opcode) {
    const auto* row = std::find_if(kErrorTexts.begin(), kErrorTexts.end(),
                                   [&](const OpcodeText& t) { return t.opcode == opcode; });
    return row == kErrorTexts.end() ? QString() : QString(row->text);
}

QStringList DecodeSuccessReply(const std::uint8_t* frame, int length) {
    const ReplyWorkArea reply(frame, length);
    switch (reply.Opcode()) {
    case kOpTestCode:
        return {QString("test code success")};
    case kOpTms:
        return {QString("testmode set")};
    case kOpTxpr:
    case kOpRfpr:
    case kOpSpr:
    case kOpRxpr:
        return DecodeParameterRead(reply);
    case kOpRftr:
        return DecodeRfTable(reply);
    case kOpSr:
        return DecodeStatsRead(reply);
    case kOpSe:
        return DecodeSpecialEnable(reply);
    case kOpTtr:
        return DecodeTemplateRead(reply);
    case kOpStr:
        return DecodeSpecialTableRead(reply);
    default:
        break;
    }
    if (IsSilent(reply.Opcode()))
        return {};
    return {QString(kCommandError)};
}

ManualReplyOutcome DispatchManualReply(ReplyClass result, const std::uint8_t* frame, int length) {
    ManualReplyOutcome outcome;
    const TimerStops stops = TimerStopsFor(result);
    outcome.stopPollTimer = stops.poll;
    outcome.stopReplyTimer = stops.reply;
    switch (result) {
    case REPLY_OTHER_OPCODE: {
        const QString text = ReplyErrorText(ReplyWorkArea(frame, length).Opcode());
        if (!text.isEmpty())
            outcome.texts << text;
        break;
    }
    case REPLY_STATUS_ERROR:
        // The timers keep running, so "No Response" follows when the reply timer expires.
        outcome.texts << QString(kStatusErrorText);
        break;
    case REPLY_SUCCESS:
        outcome.texts = DecodeSuccessReply(frame, length);
        break;
    case REPLY_NOT_A_REPLY:
    default:
        break;
    }
    return outcome;
}

QStringList ResultDisplayLines(const std::uint8_t* unstuffed, int length) {
    const ReplyWorkArea reply(unstuffed, length, ReplyWorkArea::Stuffing::Removed);
    QStringList lines{QString(68, QLatin1Char('-'))};
    if (reply.Status() != 0)
        lines << QString(kCommandError);
    else
        lines << ResultDisplayForm(reply);
    return lines;
}
