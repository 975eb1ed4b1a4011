#include "browser/ui/frmSplash.h"

#include "platform/SuiteServices.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace k2k {
namespace {

// Services whose language file holds the splash's first line in German.
class frmSplashTest : public test::ServicesTest {
protected:
    void SetUp() override {
        test::WriteFile(dir / "TEXTS.LNG", "10301=Lade Anwendung ...\r\n");
        services.SetLanguagePath(dir.SuitePath());
    }
};

TEST_F(frmSplashTest, ShowsProgressAsASplashAndWaitsForOkAsAbout) {
    frmSplash splash(services, QApplication::font());
    auto* message = splash.findChild<QLabel*>("lblMsg");
    auto* ok = splash.findChild<QPushButton*>("cmdOk");
    ASSERT_TRUE(message && ok);
    EXPECT_EQ(message->text(), "Lade Anwendung ...") << "in the suite's language";

    splash.ShowAsSplash(true);
    EXPECT_TRUE(splash.isVisible() && !splash.isModal() && !ok->isVisible());
    splash.ShowProgress("Parsing Spice Circuit Element Profiles ...");
    EXPECT_EQ(message->text(), "Parsing Spice Circuit Element Profiles ...");
    splash.close();

    bool okShown = false;
    QTimer::singleShot(0, &splash, [&] {
        okShown = ok->isVisible();
        EXPECT_FALSE(message->isVisible());
        ok->click();
    });
    splash.ShowAsAbout(false);
    EXPECT_TRUE(okShown);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(ok->isVisibleTo(&splash)) << "closing hides the OK button";
    EXPECT_TRUE(message->isVisibleTo(&splash)) << "OK shows the message line again";
}

} // namespace
} // namespace k2k
