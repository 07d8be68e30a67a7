#include "device/port_choice.h"
#include "device/serial_transport.h"
#include "device/sim_transport.h"

#include <gtest/gtest.h>

TEST(PortChoice, CommandLineThenSettingsThenAuto)
{
    EXPECT_EQ(choosePort("", ""), "auto");
    EXPECT_EQ(choosePort("", "/dev/ttyUSB3"), "/dev/ttyUSB3");
    EXPECT_EQ(choosePort("sim", "/dev/ttyUSB3"), "sim");
    EXPECT_EQ(choosePort("", "sim:nonsense"), "auto");   // a setting the program cannot use
}

TEST(PortChoice, TransportForAPortName)
{
    EXPECT_NE(dynamic_cast<CSimTransport*>(makeTransport("sim").get()), nullptr);
    EXPECT_NE(dynamic_cast<CSimTransport*>(makeTransport("sim:fast,seed=3").get()), nullptr);
    EXPECT_NE(dynamic_cast<CSerialTransport*>(makeTransport("auto").get()), nullptr);
    EXPECT_NE(dynamic_cast<CSerialTransport*>(makeTransport("/dev/ttyUSB0").get()), nullptr);
    std::string error;
    EXPECT_EQ(makeTransport("sim:nonsense", &error), nullptr);
    EXPECT_NE(error.find("nonsense"), std::string::npos);
    EXPECT_FALSE(checkPortName("sim:nonsense").ok());
    EXPECT_FALSE(checkPortName("").ok());
    EXPECT_TRUE(checkPortName("/dev/ttyACM0").ok());
}
