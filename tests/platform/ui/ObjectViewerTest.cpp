#include "platform/ui/ObjectViewer.h"

#include "platform/ui/DrawingView.h"
#include "platform/ui/PackageViewer.h"
#include "platform/ui/PadstackViewer.h"
#include "platform/ui/SymbolViewer.h"

#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace k2k {
namespace {

constexpr const char* kGate = "K2KDRAW 1 SYMBOL\n"
                              "RECT 0 0 400 300\n"
                              "PIN 1 A L -200 200 200\n"
                              "PIN 3 Y R 600 100 200\n"
                              "PIN 14 VCC T 200 500 200\n";

ObjectViewer::Reader Reading(ViewerContent content) {
    return [content] { return std::optional<ViewerContent>(content); };
}

// The texts of the scene, sorted, and where the one named stands.
QStringList SceneTexts(const ObjectViewer& viewer, QRectF* box = nullptr, const QString& of = {}) {
    QStringList texts;
    for (QGraphicsItem* item : viewer.Scene().items())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) {
            texts << text->text();
            if (box && text->text() == of)
                *box = text->sceneBoundingRect();
        }
    texts.sort();
    return texts;
}

TEST(ObjectViewerTest, ShowsTheObjectsPanelAndPinsAndFitsItOnOpen) {
    SymbolViewer viewer;
    viewer.Open(Reading({"7400", "LOGIC.SYMBOL", {{"Description", "NAND"}}, kGate}));
    viewer.show();
    EXPECT_EQ(viewer.ObjectName(), "7400");
    EXPECT_EQ(viewer.LibraryText(), "LOGIC.SYMBOL");
    EXPECT_EQ(viewer.findChild<QLabel*>("lblField1")->text(), "NAND");
    EXPECT_EQ(viewer.windowTitle(), "Symbol Viewer - 7400");
    EXPECT_TRUE(viewer.ProblemText().isEmpty()) << viewer.ProblemText().toStdString();
    EXPECT_EQ(SceneTexts(viewer), (QStringList{"1", "14", "3", "A", "VCC", "Y"}))
        << "each pin's number and name";

    // The whole symbol, its pins' outer ends included, lies inside the window.
    DrawingView& view = viewer.View();
    const QRectF shown = view.mapToScene(view.viewport()->rect()).boundingRect();
    EXPECT_TRUE(shown.contains(QRectF(QPointF(-200, -500), QPointF(600, 0))));
}

// The names of a top and a bottom pin of a small body once ran into each other.
TEST(ObjectViewerTest, NamesOfTopAndBottomPinsStayApartInsideTheBody) {
    SymbolViewer viewer;
    viewer.Open(Reading({"PWR2",
                         "",
                         {},
                         "K2KDRAW 1 SYMBOL\nRECT -100 100 100 -100\n"
                         "PIN 14 VCC T 0 300 200\nPIN 7 GND B 0 -300 200"}));
    QRectF vcc, gnd, number;
    SceneTexts(viewer, &vcc, "VCC");
    SceneTexts(viewer, &gnd, "GND");
    SceneTexts(viewer, &number, "14");
    EXPECT_FALSE(vcc.intersects(gnd));
    const QRectF body(-100, -100, 200, 200);
    EXPECT_TRUE(body.contains(vcc) && body.contains(gnd)) << "names stand inside the body";
    EXPECT_FALSE(body.contains(number)) << "numbers stand by the pin, outside";
}

// The lines the viewer drew over a text, in the scene.
std::vector<QLineF> BarsOver(const QGraphicsItem& text) {
    std::vector<QLineF> bars;
    for (QGraphicsItem* child : text.childItems())
        if (auto* line = dynamic_cast<QGraphicsLineItem*>(child)) {
            const QLineF l(line->mapToScene(line->line().p1()),
                           line->mapToScene(line->line().p2()));
            bars.push_back(l.x1() <= l.x2() ? l : QLineF(l.p2(), l.p1()));
        }
    return bars;
}

// Pin names of real symbols mark low-active signals "~{RESET}": the markup is never shown,
// a bar stands over the marked run only, and the names are spaced by their plain text.
TEST(ObjectViewerTest, MarkedRunsOfPinNamesAndTextsAreDrawnWithABarOverThem) {
    SymbolViewer viewer;
    viewer.Open(Reading({"74LS74",
                         "",
                         {},
                         "K2KDRAW 1 SYMBOL\nRECT 0 0 600 -400\nTEXT 0 50 40 B/~{A}\n"
                         "PIN 1 ~{CS}/A0 L -200 -100 200\nPIN 2 CLK L -200 -200 200\n"
                         "PIN 3 ~{WR}~{RD} R 800 -100 200\nPIN 4 ~{A R 800 -200 200\n"
                         "PIN 5 ~{Q} T 300 200 200"}));
    EXPECT_TRUE(viewer.ProblemText().isEmpty()) << viewer.ProblemText().toStdString();
    EXPECT_EQ(SceneTexts(viewer),
              (QStringList{"1", "2", "3", "4", "5", "B/A", "CLK", "CS/A0", "Q", "WRRD", "~{A"}));

    const auto item = [&](const QString& shown) -> const QGraphicsSimpleTextItem& {
        for (QGraphicsItem* it : viewer.Scene().items())
            if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(it);
                text && text->text() == shown)
                return *text;
        throw std::runtime_error("no text " + shown.toStdString());
    };
    const auto advance = [](const QGraphicsSimpleTextItem& text, const QString& part) {
        return QFontMetricsF(text.font()).horizontalAdvance(part);
    };
    for (const QString& plain : {QStringLiteral("CLK"), QStringLiteral("~{A")})
        EXPECT_TRUE(BarsOver(item(plain)).empty()) << plain.toStdString() << " has no bar";

    // Left pin 1: the bar spans "CS" only, above the glyphs, and the name starts where an
    // unmarked name starts.
    const QGraphicsSimpleTextItem& cs = item("CS/A0");
    const QRectF box = cs.sceneBoundingRect();
    const std::vector<QLineF> csBars = BarsOver(cs);
    ASSERT_EQ(csBars.size(), 1u);
    EXPECT_NEAR(box.left(), item("CLK").sceneBoundingRect().left(), 0.01);
    EXPECT_NEAR(csBars[0].x1(), box.left(), box.height() * 0.2);
    EXPECT_NEAR(csBars[0].x2(), box.left() + advance(cs, "CS"), box.height() * 0.2);
    EXPECT_LT(csBars[0].x2(), box.left() + advance(cs, "CS/"));
    EXPECT_NEAR(csBars[0].y1(), csBars[0].y2(), 1e-9);
    EXPECT_TRUE(csBars[0].y1() >= box.top() && csBars[0].y1() < box.center().y())
        << "over the top half of the text";

    // Two marked runs side by side keep two bars; a right pin's name still ends by its pin.
    const std::vector<QLineF> wrRd = BarsOver(item("WRRD"));
    ASSERT_EQ(wrRd.size(), 2u);
    EXPECT_LT(std::min(wrRd[0].x2(), wrRd[1].x2()), std::max(wrRd[0].x1(), wrRd[1].x1()));
    EXPECT_NEAR(item("WRRD").sceneBoundingRect().right(), item("~{A").sceneBoundingRect().right(),
                0.01);

    // A top pin's name and a TEXT statement carry their bars too.
    EXPECT_EQ(BarsOver(item("Q")).size(), 1u);
    const std::vector<QLineF> ba = BarsOver(item("B/A"));
    ASSERT_EQ(ba.size(), 1u);
    EXPECT_GT(ba[0].x1(), item("B/A").sceneBoundingRect().left() + advance(item("B/A"), "B"));
}

TEST(ObjectViewerTest, KeysZoomAndFitAndTheWheelZooms) {
    SymbolViewer viewer;
    viewer.Open(Reading({"7400", "", {}, kGate}));
    viewer.show();
    DrawingView& view = viewer.View();
    const double fitted = view.Zoom();
    QTest::keyClick(&view, Qt::Key_Plus);
    EXPECT_NEAR(view.Zoom(), fitted * 1.25, fitted * 1e-6);
    QTest::keyClick(&view, Qt::Key_Minus);
    QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_LT(view.Zoom(), fitted);
    const QPointF centre = view.mapToScene(view.viewport()->rect().center());
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Up);
    const QPointF moved = view.mapToScene(view.viewport()->rect().center());
    EXPECT_TRUE(moved.x() > centre.x() && moved.y() < centre.y()) << "the arrow keys pan";
    QTest::keyClick(&view, Qt::Key_F);
    EXPECT_NEAR(view.Zoom(), fitted, fitted * 1e-6);
    QTest::keyClick(&view, Qt::Key_Plus);
    QTest::keyClick(&view, Qt::Key_0);
    EXPECT_GT(view.Zoom(), fitted) << "0 alone does not fit";
    QTest::keyClick(&view, Qt::Key_0, Qt::ControlModifier);
    EXPECT_NEAR(view.Zoom(), fitted, fitted * 1e-6) << "Ctrl+0 fits";

    for (int i = 0; i < 60; ++i)
        QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_NEAR(view.Zoom(), fitted / 20, fitted * 1e-6) << "zooming out stops";
    EXPECT_GT(view.GridSpacing(), 100) << "the grid thins out";
    QTest::keyClick(&view, Qt::Key_Home);
    QWheelEvent wheel(QPointF(50, 50), view.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_NEAR(view.Zoom(), fitted * 1.5625, fitted * 1e-6);
}

// Refresh reads the object again, and whatever could not be drawn is said.
TEST(ObjectViewerTest, RefreshReadsTheObjectAgainAndSaysWhatCouldNotBeDrawn) {
    std::optional<ViewerContent> content =
        ViewerContent{"7400", "", {}, "K2KDRAW 1 SYMBOL\nPIN 1 A L 0 0\nRECT 0 0 10 10"};
    SymbolViewer viewer;
    viewer.Open([&] { return content; });
    EXPECT_TRUE(viewer.ProblemText().startsWith("Not drawn: statement 2: "))
        << viewer.ProblemText().toStdString();
    EXPECT_EQ(viewer.Scene().items().size(), 1) << "the rest is drawn";
    content->drawing = "K2KDRAW 1 SYMBOL\nRECT 0 0 10 10\nLINE 0 0 10 10";
    EXPECT_EQ(viewer.Scene().items().size(), 1);
    viewer.Refresh();
    EXPECT_EQ(viewer.Scene().items().size(), 2);
    EXPECT_TRUE(viewer.ProblemText().isEmpty());

    content->drawing = "";
    viewer.Refresh();
    EXPECT_EQ(viewer.ProblemText(), "Not drawn: no drawing");
    content = ViewerContent{"DIP8", "", {}, "K2KDRAW 1 PACKAGE\nRECT 0 0 10 10"};
    viewer.Refresh();
    EXPECT_TRUE(viewer.ProblemText().contains("a package's, not a symbol's"));
    content.reset();
    viewer.Refresh();
    EXPECT_EQ(viewer.ObjectName(), "DIP8") << "a gone object keeps its name";
    EXPECT_TRUE(viewer.ProblemText().contains("no longer in its library"));
}

TEST(ObjectViewerTest, ClosingRaisesShutdownAndTheNotificationSetsTheLibrary) {
    PadstackViewer viewer;
    QSignalSpy heard(&viewer, &ObjectViewer::NotifyServer);
    viewer.NotifyMe("K2KPSTACKVIEWER,LIB,\\LIB\\T.PADSTACK,");
    EXPECT_EQ(viewer.LibraryText(), "\\LIB\\T.PADSTACK") << "the closing comma is not the name's";
    EXPECT_EQ(viewer.findChild<QLabel*>("lblLibrary")->text().remove(QChar(0x200B)),
              "/LIB/T.PADSTACK")
        << "a person reads this system's form of the path";
    viewer.NotifyMe("K2KSMBVIEWER,LIB,OTHER");
    EXPECT_EQ(viewer.LibraryText(), "\\LIB\\T.PADSTACK") << "addressed to another viewer";
    EXPECT_EQ(viewer.Notification(), "K2KSMBVIEWER,LIB,OTHER");

    viewer.show();
    viewer.close();
    ASSERT_EQ(heard.count(), 1);
    EXPECT_EQ(heard[0][0].toString(), "K2KPSTACKVIEWER");
    EXPECT_EQ(heard[0][1].toString(), "SHUTDOWN");
}

TEST(ObjectViewerTest, PadsTakeTheirPadstacksShapeOrARoundDefault) {
    PackageViewer viewer;
    QStringList asked;
    viewer.SetPadstackSource([&](const std::string& name) -> std::optional<std::string> {
        asked << QString::fromStdString(name);
        if (name == "SQ80")
            return "K2KDRAW 1 PADSTACK\nLAYER MASKTOP ROUND 90 90\nLAYER TOP SQUARE 80 80\n"
                   "DRILL 40 PLATED";
        return std::nullopt;
    });
    viewer.Open(Reading({"DIP2",
                         "",
                         {},
                         "K2KDRAW 1 PACKAGE\nPAD 1 SQ80 0 0 0\nPAD 2 SQ80 300 0 0\n"
                         "PAD 3 NOPE 600 0 0\nORIGIN 0 0"}));
    EXPECT_EQ(asked, (QStringList{"SQ80", "NOPE"})) << "each padstack is asked for once";
    EXPECT_EQ(viewer.ProblemText(), "Not drawn: padstack NOPE unknown, its pads drawn round");
    EXPECT_FALSE(viewer.Scene().items(QPointF(35, 0)).isEmpty())
        << "the top layer's 80 mil square reaches x 35";
    EXPECT_TRUE(viewer.Scene().items(QPointF(635, 0)).isEmpty()) << "the default pad is 60 round";
    // Pad 1 sits on the origin: its number lies over the origin's marker and the copper.
    const QList<QGraphicsItem*> onOrigin = viewer.Scene().items(QPointF(0, 0));
    ASSERT_FALSE(onOrigin.isEmpty());
    const auto* top = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(onOrigin.front());
    ASSERT_NE(top, nullptr) << "the topmost item at the origin is a text";
    EXPECT_EQ(top->text(), "1");
    // The drill is a hole in the pad: the second pad drawn 1:1, its hole clear.
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    viewer.Scene().render(&painter, QRectF(0, 0, 100, 100), QRectF(250, -50, 100, 100));
    painter.end();
    EXPECT_EQ(qAlpha(image.pixel(65, 50)), 0) << "inside the 40 mil drill";
    EXPECT_EQ(image.pixelColor(82, 50), QColor(200, 120, 50)) << "copper outside it";
}

TEST(ObjectViewerTest, DrawingsInMicrometresAreDrawnToTheScaleOfMils) {
    // A package in micrometres with pads of a padstack in micrometres and one in mils: a
    // 2540 um square pad is 100 mils across, wherever its padstack counts.
    PackageViewer viewer;
    viewer.SetPadstackSource([](const std::string& name) -> std::optional<std::string> {
        if (name == "S2540")
            return "K2KDRAW 1 PADSTACK\nUNIT UM\nLAYER TOP SQUARE 2540 2540";
        return "K2KDRAW 1 PADSTACK\nLAYER TOP SQUARE 100 100";
    });
    viewer.Open(Reading({"METRIC",
                         "",
                         {},
                         "K2KDRAW 1 PACKAGE\nUNIT UM\nORIGIN 0 0\nPAD 1 S2540 0 0 0\n"
                         "PAD 2 S100 25400 0 0\nARC 0 0 12700 0 360"}));
    EXPECT_TRUE(viewer.ProblemText().isEmpty()) << viewer.ProblemText().toStdString();
    const auto padAt = [&](double x) {
        for (QGraphicsItem* item : viewer.Scene().items(QPointF(x, 0)))
            if (auto* path = dynamic_cast<QGraphicsPathItem*>(item);
                path && path->brush().color() == QColor(200, 120, 50))
                return true;
        return false;
    };
    for (const double x : {-45.0, 45.0, 955.0, 1045.0})
        EXPECT_TRUE(padAt(x)) << x;
    for (const double x : {-55.0, 55.0, 945.0, 1055.0})
        EXPECT_FALSE(padAt(x)) << x;
    // The circle of 12.7 mm radius is 500 mils round the origin.
    QRectF circle;
    for (QGraphicsItem* item : viewer.Scene().items())
        if (auto* path = dynamic_cast<QGraphicsPathItem*>(item);
            path && path->brush().style() == Qt::NoBrush)
            circle = circle.united(path->sceneBoundingRect());
    EXPECT_NEAR(circle.width(), 1000, 10);

    PadstackViewer padstack;
    padstack.Open(Reading({"S2540",
                           "",
                           {},
                           "K2KDRAW 1 PADSTACK\nUNIT UM\nLAYER TOP SQUARE 2540 "
                           "2540\nDRILL 1000 PLATED"}));
    EXPECT_TRUE(SceneTexts(padstack).contains(QString::fromUtf8("Drill 1000 \u00B5m, plated")))
        << SceneTexts(padstack).join(" | ").toStdString();
}

} // namespace
} // namespace k2k
