#include "app/port_choice_dlg.h"

#include <QListWidget>
#include <gtest/gtest.h>

TEST(PortChoiceDlg, ListsTheBridgesAndGivesThePathOfTheOneChosen)
{
    const std::vector<FtdiPort> candidates = {{"/dev/ttyUSB0", "FT232R USB UART", "A50285BI"},
                                              {"/dev/ttyUSB1", "", "FTXYZ"}};
    CPortChoiceDlg dialog(candidates);
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->item(0)->text(), QStringLiteral("/dev/ttyUSB0 (FT232R USB UART, serial A50285BI)"));
    EXPECT_EQ(dialog.list()->item(1)->text(), QStringLiteral("/dev/ttyUSB1 (serial FTXYZ)"));
    EXPECT_FALSE(dialog.list()->accessibleName().isEmpty());
    EXPECT_EQ(dialog.chosenPort(), std::optional<std::string>("/dev/ttyUSB0"));
    dialog.list()->setCurrentRow(1);
    EXPECT_EQ(dialog.chosenPort(), std::optional<std::string>("/dev/ttyUSB1"));
}
