#include "platform/ui/HelpWindow.h"

#include "services/HelpTopic.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>

#include <gtest/gtest.h>

namespace k2k {
namespace {

// The help context asks the kernel; the window the kernel tells shows the sample's file.
class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.Attach(m_kernel);
        const auto source = SuitePath(std::filesystem::path(K2K_SOURCE_DIR) / "sample" / "suite");
        ASSERT_TRUE(source);
        m_help.SetHelpFile(*source, "K2Kbrwsr");
    }

    QString Title() { return m_window.findChild<QLabel*>("lblTitle")->text(); }
    QString Text() { return m_window.findChild<QPlainTextEdit*>("txtTopic")->toPlainText(); }

    KernelValues m_kernel;
    test::RecordingMessageBoxes m_boxes;
    HelpContext m_help{m_kernel, m_boxes};
    HelpWindow m_window;
};

TEST_F(HelpWindowTest, ShowsTheTopicAskedForAndTheContentsForOneItLacks) {
    m_help.SetHelpTopic(2, 2, 0, 0, true);
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(m_window.ShownTopic(), 13436);
    EXPECT_EQ(Title(), "Search Sequence");
    EXPECT_TRUE(Text().startsWith("Chooses which libraries")) << Text().toStdString();

    // The placing macro sent with it: thousand-and-twenty-fourths of the screen.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(m_window.geometry().x(), area.x() + 600 * area.width() / 1024);
    EXPECT_EQ(m_window.geometry().width(), 400 * area.width() / 1024);

    m_help.SetHelpTopic(11, 100, 11, 11, true);
    EXPECT_EQ(m_window.ShownTopic(), 0);
    EXPECT_EQ(Title(), "Library Browser Help");
    EXPECT_TRUE(Text().startsWith("There is no help on topic")) << Text().toStdString();

    m_help.CloseHelp();
    EXPECT_FALSE(m_window.isVisible());
}

TEST_F(HelpWindowTest, AFileThatCannotBeReadIsSaidInTheWindow) {
    test::TempDir dir;
    test::WriteFile(dir / "K2Kbrwsr.HLP", "#0 Contents\r\n");
    m_help.SetHelpFile(dir.SuitePath(), "K2Kbrwsr");
    m_help.SetHelpTopic(0, 0, 0, 0, true);
    EXPECT_EQ(Title(), "The help file cannot be shown");
    EXPECT_NE(Text().indexOf("K2KHELP 1"), -1) << Text().toStdString();
}

} // namespace
} // namespace k2k
