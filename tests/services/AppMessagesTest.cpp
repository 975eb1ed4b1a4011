#include "services/AppMessages.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

struct Sent {
    std::string aname;
    std::string command;
    bool operator==(const Sent&) const = default;
};

class AppMessagesTest : public ::testing::Test {
protected:
    KernelValues kernel;
    std::vector<Sent> sent;
    AppMessages messages{kernel, [this](const std::string& a, const std::string& c) {
                             sent.push_back({a, c});
                         }};
};

TEST_F(AppMessagesTest, SendsOnlyToRunningApplicationsAndNeverToItself) {
    messages.SendToApp("K2KSCHED", "SENDTO,74LS00");
    EXPECT_TRUE(sent.empty()) << "the schematic editor has no status value";

    kernel.E_SetString("K2KSCHED", "Schematic,0,0,0,0");
    kernel.E_SetString("K2KBRWSR", "Library Browser,0,0,0,0");
    messages.SendToApp("K2KSCHED", "SENDTO,74LS00");
    messages.SendToApp("K2KBRWSR", "UP");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (Sent{"K2KSCHED", "K2KSCHED,SENDTO,74LS00"}));

    messages.SendToAll("SSQ");
    messages.AP_Shell("notepad", 1, "Partlst.txt");
    messages.AP_Shell("calc", 0);
    EXPECT_EQ(sent[1], (Sent{"K2KBRWSR", "All,SSQ"}));
    EXPECT_EQ(sent[2], (Sent{"notepad", "SHELL,1,Partlst.txt"}));
    EXPECT_EQ(sent[3], (Sent{"calc", "SHELL,0,"}));
}

TEST_F(AppMessagesTest, PublishedStatusIsReadBackByTheBusyTest) {
    messages.PublishStatus(true, -1, "Library Browser : ( \\LIB )", 0);
    EXPECT_EQ(kernel.E_GetString("K2KBRWSR"), "Library Browser : ( \\LIB ),0,0,-1,0");
    EXPECT_TRUE(messages.IsAppBusy("K2KBRWSR"));

    messages.PublishStatus(true, 0, "Library Browser", 2);
    EXPECT_EQ(kernel.E_GetString("K2KBRWSR"), "Library Browser,2,0,0,0");
    EXPECT_FALSE(messages.IsAppBusy("K2KBRWSR"));

    messages.PublishStatus(false, 0, "ignored", 0);
    EXPECT_EQ(kernel.E_GetString("K2KBRWSR"), "");
    EXPECT_FALSE(messages.IsAppBusy("K2KBRWSR"));
}

TEST_F(AppMessagesTest, AnyOfTheLastThreeFieldsMakesAnApplicationBusy) {
    EXPECT_FALSE(messages.IsAppBusy("K2KLAYED")) << "absent";
    kernel.E_SetString("K2KLAYED", "Layout,0,0,0,1");
    EXPECT_TRUE(messages.IsAppBusy("K2KLAYED"));
    kernel.E_SetString("K2KLAYED", "Layout,0,3,0,0");
    EXPECT_TRUE(messages.IsAppBusy("K2KLAYED"));
    kernel.E_SetString("K2KLAYED", "Layout,1"); // a short record
    EXPECT_FALSE(messages.IsAppBusy("K2KLAYED"));
    // A caption with a comma must be quoted, or its second half is taken as a field.
    kernel.E_SetString("K2KLAYED", "\"Layout, board 1\",0,0,0,0");
    EXPECT_FALSE(messages.IsAppBusy("K2KLAYED"));
}

TEST(DecodeBrowserCommandTest, AddresseeAndVerbAreExact) {
    EXPECT_EQ(DecodeBrowserCommand("K2KBRWSR,MN"), BrowserVerb::Minimise);
    EXPECT_EQ(DecodeBrowserCommand("All,DF"), BrowserVerb::Restore);
    EXPECT_EQ(DecodeBrowserCommand("K2KBRWSR,EX"), BrowserVerb::Exit);
    EXPECT_EQ(DecodeBrowserCommand("K2KBRWSR,RF,extra"), BrowserVerb::Refresh);
    EXPECT_EQ(DecodeBrowserCommand("k2kbrwsr,mn"), std::nullopt);
    EXPECT_EQ(DecodeBrowserCommand("K2KBRWSR,mn"), std::nullopt);
    EXPECT_EQ(DecodeBrowserCommand("ALL,MN"), std::nullopt);
    EXPECT_EQ(DecodeBrowserCommand("K2KSCHED,MN"), std::nullopt);
    EXPECT_EQ(DecodeBrowserCommand("K2KBRWSR"), std::nullopt);
    EXPECT_EQ(DecodeBrowserCommand("K2KBRWSR,"), std::nullopt);
    EXPECT_EQ(DecodeBrowserCommand(""), std::nullopt);
}

TEST(ClassifyViewerNoticeTest, ShutdownReleasesTheNamedViewerAndTheRestIsForwarded) {
    EXPECT_EQ(ClassifyViewerNotice("K2KSmbViewer", " shut down"),
              ViewerNoticeAction::ReleaseSymbolViewer);
    EXPECT_EQ(ClassifyViewerNotice("K2KPACKAGEVIEWER", "SHUTDOWN"),
              ViewerNoticeAction::ReleasePackageViewer);
    EXPECT_EQ(ClassifyViewerNotice("K2KPSTACKVIEWER", "Shutdown,now"),
              ViewerNoticeAction::ReleasePadstackViewer);
    EXPECT_EQ(ClassifyViewerNotice("SOMEONE", "SHUTDOWN"), ViewerNoticeAction::Ignore);
    EXPECT_EQ(ClassifyViewerNotice("K2KSMBVIEWER", "shell,1,x"), ViewerNoticeAction::Ignore);
    EXPECT_EQ(ClassifyViewerNotice("K2KSMBVIEWER", "All,UP"), ViewerNoticeAction::Ignore);
    EXPECT_EQ(ClassifyViewerNotice("K2KSCHED", "K2KSCHED,PLACE,7400"), ViewerNoticeAction::Forward);
}

} // namespace
} // namespace k2k
