#include "link/PortMap.h"

#include <gtest/gtest.h>

TEST(PrinterPort, lpt1IsMappedLikeTheComPorts) {
    PortMap& map = PortMap::Instance();
    map.Clear();
    EXPECT_TRUE(map.PrinterDeviceFor(1) == "/dev/usb/lp0" || map.PrinterDeviceFor(1) == "/dev/lp0");
    QString error;
    EXPECT_TRUE(map.ApplyOption("lpt1=/tmp/labels.prn", &error));
    EXPECT_EQ(map.PrinterDeviceFor(1), "/tmp/labels.prn");
    EXPECT_EQ(map.DeviceFor(1), "/dev/ttyS0");
    EXPECT_FALSE(map.ApplyOption("LPT=/tmp/x", &error));
    map.Clear();
}
