#include "common/Messages.h"

#include "platform/SuiteServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

class MessagesTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services{dir / "suite.ini", boxes};
};

TEST_F(MessagesTest, ComposesTextsNamesAndSecondTexts) {
    EXPECT_EQ(ErrorMessage(services, 200, "\\LIB\\TTL.PART").text,
              "Library File: /LIB/TTL.PART not found");
    EXPECT_EQ(ErrorMessage(services, 18, "74LS00").text,
              "Can't delete Part: 74LS00 from disk library");
    EXPECT_EQ(ErrorMessage(services, 80, "C:\\LIB\\X.PART").text,
              "Can't open library: /LIB/X.PART");
    EXPECT_EQ(ErrorMessage(services, 2, "ignored").text, "Can't quit at this time");
    EXPECT_EQ(ErrorMessage(services, 120, "\\SYS\\elements.spc").text,
              "Element Template File Invalid.\r\n\\SYS\\elements.spc");
}

TEST_F(MessagesTest, IconsTitleAndModality) {
    const MessageRequest profile = ErrorMessage(services, 8, "");
    EXPECT_EQ(profile.icon, MsgIcon::Critical);
    EXPECT_EQ(profile.buttons, MsgButtons::Ok);
    EXPECT_TRUE(profile.systemModal);
    EXPECT_EQ(profile.title, "Kalde 2000 - Library Browser");
    EXPECT_EQ(ErrorMessage(services, 21, "7400").icon, MsgIcon::Exclamation);

    for (int unknown : {0, 3, 9999, -1}) {
        const MessageRequest box = ErrorMessage(services, unknown, "x");
        EXPECT_EQ(box.text, "Unknown Error") << unknown;
        EXPECT_EQ(box.icon, MsgIcon::Critical) << unknown;
    }
}

TEST_F(MessagesTest, TranslatedTextsReplaceTheDefaults) {
    test::WriteFile(dir / "LANG" / "TEXTS.LNG",
                    "; German\r\n3341=Bibliotheksdatei: \r\n99962= nicht gefunden\r\n"
                    "4811=Bibliotheks-Browser\r\n");
    services.SetLanguagePath(dir.SuitePath() + "\\LANG");
    ShowError(services, 200, "A.PART");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Bibliotheksdatei: A.PART nicht gefunden");
    EXPECT_EQ(boxes.shown[0].title, "Kalde 2000 - Bibliotheks-Browser");
}

// Every box carries the same title; the suite's suffix follows in parentheses only when it
// gives one, never as an empty "()".
TEST_F(MessagesTest, TheTitleCarriesTheSuffixOnlyWhenTheSuiteGivesOne) {
    EXPECT_EQ(MessageTitle(services), "Kalde 2000 - Library Browser");
    EXPECT_EQ(ErrorMessage(services, 200, "A.PART").title, MessageTitle(services));
    services.SetDialogTitleSuffix("DEMO");
    EXPECT_EQ(MessageTitle(services), "Kalde 2000 - Library Browser (DEMO)");
    boxes.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(AskYesNo(services, "Delete anyway ?"));
    EXPECT_EQ(boxes.shown.back().title, "Kalde 2000 - Library Browser (DEMO)");
}

} // namespace
} // namespace k2k
