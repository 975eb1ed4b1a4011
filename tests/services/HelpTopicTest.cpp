#include "services/HelpTopic.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(HelpTopicNumberTest, NumbersPlacesAndRefusesGaps) {
    EXPECT_EQ(HelpTopicNumber(0, 0, 0, 0), 0);
    EXPECT_EQ(HelpTopicNumber(1, 0, 0, 0), 1);
    EXPECT_EQ(HelpTopicNumber(3, 0, 0, 0), 2 * 13301 + 1);
    EXPECT_EQ(HelpTopicNumber(2, 3, 0, 0), 13301 + 2 + 266);
    EXPECT_EQ(HelpTopicNumber(2, 3, 4, 0), 13301 + 3 + 266 + 36);
    EXPECT_EQ(HelpTopicNumber(2, 3, 4, 5), 13301 + 4 + 266 + 36 + 4);
    EXPECT_EQ(HelpTopicNumber(1, 0, 2, 0), 0) << "a tool without a submenu";
    EXPECT_EQ(HelpTopicNumber(1, 2, 0, 3), 0) << "a subtool without a tool";
    EXPECT_EQ(HelpTopicNumber(0, 2, 0, 0), 0) << "a submenu without a menu";
}

TEST(HelpTopicNumberTest, LimitMessagesStartWithTheMenuAndJoinWithBlanks) {
    EXPECT_EQ(HelpLimitMessage(11, 100, 11, 11), "");
    EXPECT_EQ(HelpLimitMessage(12, 0, 0, 0), "Menu No: exceeds 11");
    EXPECT_EQ(HelpLimitMessage(1, 101, 0, 0), " SubMenu No. exceeds 100");
    EXPECT_EQ(HelpLimitMessage(12, 0, 12, 12),
              "Menu No: exceeds 11 Tool No: exceeds 11 SubTool No: exceeds 11");
}

TEST(HelpContextTest, StoresShowsAndKeepsTheTopicBeyondTheLimits) {
    KernelValues kernel;
    test::RecordingMessageBoxes boxes;
    HelpContext help(kernel, boxes);
    help.SetHelpFile("  \\Kalde 2000\\BIN ", "K2Kbrwsr");
    EXPECT_EQ(help.HelpFile(), "\\Kalde 2000\\BIN\\K2Kbrwsr.HLP");

    help.SetHelpTopic(2, 3, 0, 0, false);
    EXPECT_EQ(help.Topic(), HelpTopicNumber(2, 3, 0, 0));
    EXPECT_TRUE(kernel.HelpRequests().empty());

    help.SetHelpTopic(12, 0, 0, 0, true);
    EXPECT_EQ(help.Topic(), HelpTopicNumber(2, 3, 0, 0)) << "the previous topic stays";
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Menu No: exceeds 11");
    EXPECT_EQ(boxes.shown[0].title, "");
    EXPECT_TRUE(kernel.HelpRequests().empty());

    help.SetHelpTopic(0, 0, 0, 0, true); // the help menu: the contents
    ASSERT_EQ(kernel.HelpRequests().size(), 2u);
    EXPECT_EQ(kernel.HelpRequests()[0].topic, 0);
    EXPECT_EQ(kernel.HelpRequests()[0].helpFile, help.HelpFile());
    EXPECT_EQ(kernel.HelpRequests()[1].command, 258);
    EXPECT_EQ(kernel.HelpRequests()[1].macro, "PositionWindow(600, 150, 400, 800, 1, \"main\")");

    help.CloseHelp();
    EXPECT_EQ(kernel.HelpRequests().back().command, 2);
}

} // namespace
} // namespace k2k
