#include "device/port_choice.h"
#include "device/serial_transport.h"
#include "device/sim_transport.h"
#include "document/temp_dir.h"

#include <gtest/gtest.h>

TEST(PortChoice, CommandLineThenSettingsThenAuto)
{
    TempDir dir;
    const std::string ini = dir.file("param.ini");
    EXPECT_EQ(choosePort(std::nullopt, ini), "auto");
    EXPECT_EQ(readPortSetting(ini), "auto");
    writeText(ini, "[VARNEL]\nSCALE=4\nPORT=/dev/ttyUSB3\n");
    EXPECT_EQ(choosePort(std::nullopt, ini), "/dev/ttyUSB3");
    EXPECT_EQ(choosePort(std::string(""), ini), "/dev/ttyUSB3");
    EXPECT_EQ(choosePort(std::string("sim"), ini), "sim");
    EXPECT_EQ(choosePort(std::nullopt, ""), "auto");

    writePortSetting(ini, "sim:seed=4");
    EXPECT_EQ(readPortSetting(ini), "sim:seed=4");
    EXPECT_NE(readText(ini).find("SCALE=4"), std::string::npos);   // the other keys stay
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
