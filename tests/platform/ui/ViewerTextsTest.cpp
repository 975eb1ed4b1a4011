// Long texts of the viewers and the message boxes: nothing a person needs is cut off.
#include "platform/ui/PackageViewer.h"
#include "platform/ui/QtMessageBoxes.h"
#include "platform/ui/SymbolViewer.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace k2k {
namespace {

ObjectViewer::Reader Reading(ViewerContent content) {
    return [content] { return std::optional<ViewerContent>(content); };
}

// Does the label show its whole text in the room it was given?
::testing::AssertionResult ShowsWhole(const QLabel& label) {
    const QFontMetrics metrics = label.fontMetrics();
    const bool laidOutWhole = label.hasHeightForWidth()
                                  ? label.height() >= label.heightForWidth(label.width())
                                  : label.width() >= metrics.horizontalAdvance(label.text());
    if (laidOutWhole && label.width() >= label.minimumSizeHint().width())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << label.objectName().toStdString() << " " << label.width() << "x" << label.height()
           << " cuts \"" << label.text().toStdString() << "\"";
}

// Most real package names are one long word, wider than a fixed panel.
TEST(ViewerTextsTest, LongNamesAndValuesWrapAndThePanelGrowsWithTheWindow) {
    const std::string name = "QFN-56-1EP_7x7mm_P0.4mm_EP5.6x5.6mm_ThermalVias_HandSoldering";
    const std::string value = "Quad flat no-lead package, 56 pins, 7x7mm body, 0.4mm pitch, "
                              "exposed pad 5.6x5.6mm with thermal vias";
    PackageViewer viewer;
    viewer.Open(Reading({name,
                         "C:\\KALDE\\LIB\\QFN_THERMAL_VIAS_HAND_SOLDERING.PACKAGE",
                         {{"Description", value}},
                         "K2KDRAW 1 PACKAGE\nRECT -140 140 140 -140"}));
    viewer.resize(820, 540);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    auto* shownName = viewer.findChild<QLabel*>("lblName");
    auto* shownValue = viewer.findChild<QLabel*>("lblField1");
    ASSERT_TRUE(shownName && shownValue);
    EXPECT_EQ(viewer.ObjectName().toStdString(), name);
    EXPECT_TRUE(ShowsWhole(*shownName));
    EXPECT_TRUE(ShowsWhole(*shownValue));
    EXPECT_TRUE(ShowsWhole(*viewer.findChild<QLabel*>("lblLibrary")));
    const int narrowPanel = viewer.findChild<QWidget*>("picInfo")->width();

    viewer.resize(1400, 700);
    QTest::qWait(20);
    EXPECT_GT(viewer.findChild<QWidget*>("picInfo")->width(), narrowPanel + 150)
        << "the panel takes its share of a wider window";
    EXPECT_TRUE(ShowsWhole(*shownName));
    EXPECT_LT(shownName->height(), 3 * shownName->fontMetrics().height() + 10)
        << "a wide panel needs fewer lines";
}

// A package description of 662 characters (an LED of the real libraries) was cut mid-line
// at the viewer's size: the panel scrolls to the end of a description taller than the
// window, and the drawing's note is shown.
TEST(ViewerTextsTest, ALongDescriptionIsWhollyReachableAtTheDefaultSize) {
    std::string description = "LED, ,";
    for (int i = 0; i < 20; ++i)
        description += "  diameter 1.8mm size 1.8x2.4mm^2 z-position of LED center 1.6mm, 2 pins,";
    description += " end of the description";
    PackageViewer viewer;
    viewer.Open(Reading({"LED_D1.8mm_W1.8mm_H2.4mm_Horizontal_O6.35mm_Z8.2mm",
                         "C:\\KALDE\\LIB\\LED_THT.PACKAGE",
                         {{"Description", description}, {"Package type", "LED,THT"}},
                         "K2KDRAW 1 PACKAGE\nNOTE body outline from the fabrication layer (F.Fab)\n"
                         "RECT -140 140 140 -140"}));
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    QTest::qWait(20);
    EXPECT_EQ(viewer.NoteText(), "Note: body outline from the fabrication layer (F.Fab)");
    EXPECT_TRUE(viewer.findChild<QLabel*>("lblNotes")->isVisible());

    auto* scroll = viewer.findChild<QScrollArea*>("scrInfo");
    auto* shown = viewer.findChild<QLabel*>("lblField1");
    auto* type = viewer.findChild<QLabel*>("lblField2");
    ASSERT_TRUE(scroll && shown && type);
    EXPECT_EQ(shown->text().toStdString(), description);
    EXPECT_TRUE(ShowsWhole(*shown)) << "the panel gives the text every line it needs";
    EXPECT_TRUE(ShowsWhole(*type));
    EXPECT_LE(viewer.height(), 540) << "the window keeps its size";
    QScrollBar* bar = scroll->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0) << "the panel is taller than the window";
    EXPECT_TRUE(bar->isVisible());
    scroll->ensureWidgetVisible(type, 0, 0);
    const QRect inView(type->mapTo(scroll->viewport(), QPoint(0, 0)), type->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(inView))
        << "the field after the description is scrolled into sight";
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "the texts wrap: no sideways scroll";
}

// A symbol with a row of pins on its top and bottom (a 100-pin part) once showed its pin
// names level and running together: "VBATVDD...VDDVDDA".
TEST(ViewerTextsTest, NamesOfARowOfTopAndBottomPinsNeverRunTogether) {
    std::string drawing = "K2KDRAW 1 SYMBOL\nRECT -1300 300 1300 -300\n";
    QStringList names;
    for (int i = 0; i < 25; ++i) {
        const int x = -1200 + 100 * i;
        const QString top = QStringLiteral("PA%1_TIM1_CH%2").arg(i).arg(i % 4 + 1);
        const QString bottom = i % 2 ? QStringLiteral("VDDA") : QStringLiteral("VBAT_%1").arg(i);
        names << top << bottom;
        drawing += "PIN " + std::to_string(i + 1) + " " + top.toStdString() + " T " +
                   std::to_string(x) + " 600 300\n";
        drawing += "PIN " + std::to_string(i + 51) + " " + bottom.toStdString() + " B " +
                   std::to_string(x) + " -600 300\n";
    }
    SymbolViewer viewer;
    viewer.Open(Reading({"STM-LIKE-100", "", {}, drawing}));
    EXPECT_TRUE(viewer.ProblemText().isEmpty()) << viewer.ProblemText().toStdString();

    std::vector<std::pair<QString, QRectF>> boxes;
    for (QGraphicsItem* item : viewer.Scene().items())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            if (names.contains(text->text()))
                boxes.emplace_back(text->text(), text->sceneBoundingRect());
    ASSERT_EQ(boxes.size(), std::size_t(names.size())) << "every name is drawn";
    const QRectF body(-1300, -300, 2600, 600);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(body.contains(boxes[i].second)) << boxes[i].first.toStdString();
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].second.intersects(boxes[j].second))
                << boxes[i].first.toStdString() << " runs into " << boxes[j].first.toStdString();
    }
}

// A window manager cut a short box's title: "Kalde 2000 - Library Brow...".
TEST(ViewerTextsTest, AMessageBoxIsWideEnoughForItsTitle) {
    const auto box = MakeMessageBox({"Not found", "Kalde 2000 - Library Browser (DEMO PROJECT)",
                                     MsgIcon::Information, MsgButtons::Ok, false},
                                    nullptr);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    QFont bold = box->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    EXPECT_GE(box->width(), metrics.horizontalAdvance(box->windowTitle()) + 4 * metrics.height())
        << "the title in a frame's bold face, beside its icon and buttons";
    box->close();
}

} // namespace
} // namespace k2k
