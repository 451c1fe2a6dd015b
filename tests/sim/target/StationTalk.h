#pragma once

#include "link/Bcommand.h"
#include "link/FrameCodec.h"
#include "link/ReplyDecoder.h"
#include "sim/model/UnitModel.h"
#include "sim/target/VirtualTarget.h"

#include <gtest/gtest.h>

#include <string>

// The station's real encoder and decoder talking to the virtual target, to prove that the two
// sides, written apart, agree.
struct StationTalk {
    UnitModel unit;
    VirtualTarget target{unit};
    qint64 now = 0;

    explicit StationTalk(const UnitOptions& options = {}) : unit(options) {}

    std::vector<QByteArray> Send(const std::string& line) {
        EXPECT_EQ(EncodeLine(line), ENCODE_ACCEPTED) << line;
        std::uint8_t body[kFrameStoreSize] = {};
        const int length = FetchFrame(body);
        QByteArray packet(1, static_cast<char>(STX));
        packet.append(reinterpret_cast<const char*>(body), length);
        packet.append(static_cast<char>(STX));
        return target.Receive(packet, now);
    }

    // The one reply to the line, checked to be the station's success.
    QByteArray Ask(const std::string& line) {
        const std::vector<QByteArray> frames = Send(line);
        EXPECT_EQ(frames.size(), 1u) << line;
        if (frames.empty())
            return {};
        const QByteArray& frame = frames.front();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame.constData());
        EXPECT_EQ(ClassifyReply(bytes, static_cast<int>(frame.size()), GetLastOpcode()),
                  REPLY_SUCCESS)
            << line;
        return frame;
    }

    // What the manual command window shows for the reply.
    QStringList Texts(const std::string& line) {
        const QByteArray frame = Ask(line);
        return DecodeSuccessReply(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                                  static_cast<int>(frame.size()));
    }

    // The reply unstuffed in the station's work area, to read positions from.
    ReplyWorkArea Area(const std::string& line) {
        const QByteArray frame = Ask(line);
        return ReplyWorkArea(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                             static_cast<int>(frame.size()));
    }
};
