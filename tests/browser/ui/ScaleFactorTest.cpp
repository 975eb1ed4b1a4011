// The window at any scale factor: its pictures have the pixels the screen shows them with,
// and no caption of the command panel is cut. The tests also run at QT_SCALE_FACTOR=2 (as on
// a 4K screen; see tests/CMakeLists.txt), where a picture painted for one pixel a unit would
// be drawn blurred at twice its size.

#include "browser/ui/BrowserImages.h"
#include "support/ui/LoadedBrowserFixture.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace k2k {
namespace {

using ScaleFactorTest = test::LoadedBrowserTest;

TEST_F(ScaleFactorTest, PicturesHaveThePixelsOfTheScreenAndNoCaptionIsCut) {
    Load();
    const qreal ratio = qGuiApp->devicePixelRatio();
    for (const QString& key : BrowserImageKeys()) {
        const QPixmap image = BrowserImage(key.toStdString());
        EXPECT_EQ(image.devicePixelRatio(), ratio) << key.toStdString();
        EXPECT_EQ(image.width(), qRound(image.deviceIndependentSize().width() * ratio))
            << key.toStdString();
    }
    EXPECT_EQ(ClearImage().devicePixelRatio(), ratio);
    for (const char* name : {"cmdFindNow", "cmdEditNewPart", "cmdFindInList", "cmdNewSearch",
                             "chkSearchCond", "MatchCase", "chkIntelli"}) {
        const QAbstractButton* control = Child<QAbstractButton>(name);
        EXPECT_GE(control->width(), control->sizeHint().width())
            << name << " \"" << control->text().toStdString() << "\" is cut at " << ratio;
    }
}

} // namespace
} // namespace k2k
