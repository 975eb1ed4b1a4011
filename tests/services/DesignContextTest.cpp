#include "services/DesignContext.h"

#include "platform/Kernel.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(DesignContextTest, NamesOfTheOpenProjectAndItsCurrentHierarchyAndPage) {
    test::RecordingMessageBoxes boxes;
    SuiteServices services(DirectorySettingsOf(K2K_SAMPLE_SUITE), boxes);
    Kernel kernel;
    ASSERT_TRUE(OpenSuite(K2K_SAMPLE_SUITE, kernel, services).ok);

    DesignContext context;
    EXPECT_EQ(ReadDesignContext(kernel, services, context), kernel.DB_DataBase());
    EXPECT_EQ(context.databaseName, "DEMO");
    EXPECT_EQ(context.hierarchyName, "TOP");
    EXPECT_EQ(context.pageName, "Main");

    ASSERT_NE(kernel.DB_SetCurHier(3), 0);
    ReadDesignContext(kernel, services, context);
    EXPECT_EQ(context.hierarchyName, "AUDIO_AMP");
    EXPECT_EQ(context.pageName, "Preamp");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(DesignContextTest, WithoutAProjectTheBrowserCannotRun) {
    test::TempDir dir;
    test::RecordingMessageBoxes boxes;
    SuiteServices services(dir / "suite.ini", boxes);
    Kernel kernel;
    DesignContext context;
    EXPECT_EQ(ReadDesignContext(kernel, services, context), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Start Main Kalde 2000 Application");
    EXPECT_EQ(boxes.shown[0].title, "Kalde 2000 - Library Search Engine");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
}

} // namespace
} // namespace k2k
