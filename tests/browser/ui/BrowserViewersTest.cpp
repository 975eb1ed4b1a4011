#include "browser/ui/frmK32_LibBrowser.h"

#include "browser/ViewCommands.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/ObjectViewer.h"
#include "search/InfoText.h"
#include "support/SmallSuite.h"
#include "support/ui/LoadedBrowserFixture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::WriteFile;

constexpr const char* kOpamp = "K2KDRAW 1 SYMBOL\nLINE 0 0 0 400\nLINE 0 0 300 200\n"
                               "PIN 2 IN- L -200 300 200\nPIN 3 IN+ L -200 100 200\n"
                               "PIN 6 OUT R 500 200 200\nPIN 1 BAD";

// Stands in for the desktop's handler of links: records what it is asked to open.
class LinkRecorder final : public QObject {
    Q_OBJECT
public:
    QStringList links;
public slots:
    void Open(const QUrl& url) { links << url.toString(); }
};

// The small suite with drawings in its symbol, package and padstack libraries, opened by
// the host class with the real main window.
class BrowserViewersTest : public test::LoadedBrowserTest {
protected:
    void PrepareSuite() override {
        const std::array<std::string_view, kPartInfoFields> opamp = {"Op amp", "", "", "", "",
                                                                     "",       "", "", "", "OPAMP"};
        const std::array<std::string_view, kPartInfoFields> nor = {
            "Quad NOR", "", "", "", "", "", "", "", "", "7402,PWR2"};
        Library("A.PART", LibraryKind::Part,
                {{"LM741", ComposePartInfo("DIP8", opamp, {"opamp", "www.ti.com/lm741.pdf"}), ""},
                 {"74LS02", ComposePartInfo("DIP14", nor, {"nor", "~"}), ""}});
        WriteSymbols(kOpamp);
        Library("P.PACKAGE", LibraryKind::Package,
                {{"DIP14", ComposeInfo({"DIL 14", "PMD,DIP", "MS-001"}),
                  "K2KDRAW 1 PACKAGE\nRECT -50 -50 650 350\nPAD 1 PAD60R 0 0 0\n"
                  "PAD 2 PAD60R 100 0 0\nORIGIN 0 0"}});
        Library("T.PADSTACK", LibraryKind::Padstack,
                {{"PAD60R", ComposeInfo({"", "Through-hole,Round", "Round"}),
                  "K2KDRAW 1 PADSTACK\nLAYER TOP ROUND 60 60\nDRILL 32 PLATED"}});
    }

    void SetUp() override {
        LoadedBrowserTest::SetUp();
        Load();
        m_libraries = QString::fromStdString(m_window->Component().Dirs().libDir);
    }

    void Library(const char* file, LibraryKind kind, const std::vector<LibraryObject>& objects) {
        test::WriteSuiteLibrary(m_dir.Path(), file, kind, objects);
    }
    void WriteSymbols(const std::string& opamp) {
        Library("LOGIC.SYMBOL", LibraryKind::Symbol,
                {{"7400", ComposeInfo({"NAND", "Digital,Gates", "7", ""}), ""},
                 {"OPAMP", ComposeInfo({"Op amp", "Analog", "-12", ""}, {"", "/doc/opamp.pdf"}),
                  opamp}});
    }

    // Searches a tab for name and focuses its row (a search adds to the rows there).
    ResultListView& Focus(LibraryKind kind, const QString& name) {
        m_window->SelectTab(kind);
        m_window->Grid(kind).Grid().SetCellText(1, 1, name);
        m_window->findChild<QPushButton*>("cmdFindNow")->click();
        ResultListView& view = m_window->ResultView(kind);
        for (int row = 0; row < view.Model().rowCount(); ++row)
            if (view.Model().data(view.Model().index(row, 0)).toString() == name)
                view.setCurrentIndex(view.Model().index(row, 0));
        EXPECT_EQ(view.currentIndex().data().toString(), name);
        return view;
    }

    void DeleteLater() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QString m_libraries;
};

TEST_F(BrowserViewersTest, ViewSymbolOpensTheSymbolViewerWithItsLibraryOrSaysItIsMissing) {
    Focus(LibraryKind::Part, "LM741").RunTool(ResultTool::ViewSymbol);
    ObjectViewer* viewer = m_window->Viewer(LibraryKind::Symbol);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->Notification(), "K2KSMBVIEWER,LIB," + m_libraries + "\\LOGIC.SYMBOL");
    EXPECT_TRUE(viewer->ProblemText().contains("statement 7")) << "the bad pin is reported";
    EXPECT_EQ(m_kernel.O_GetName(m_kernel.S_Symbol(kSymbolScratchIndex)), "OPAMP");
    EXPECT_TRUE(m_heard.isEmpty());

    // A symbol of the project is shown from there, in a new viewer.
    const QPointer<ObjectViewer> first = viewer;
    Focus(LibraryKind::Symbol, "7400").RunTool(ResultTool::ViewSymbol);
    DeleteLater();
    EXPECT_TRUE(first.isNull());
    ObjectViewer* project = m_window->Viewer(LibraryKind::Symbol);
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->Notification(), "K2KSMBVIEWER,LIB,Project library");
    EXPECT_EQ(project->ProblemText(), "Not drawn: no drawing");

    // The symbol groups menu views the symbol it names.
    emit Focus(LibraryKind::Part, "LM741").toolChosen(ResultTool::ViewSymbolGroup, " OPAMP ");
    ASSERT_NE(m_window->Viewer(LibraryKind::Symbol), nullptr);
    EXPECT_EQ(m_window->Viewer(LibraryKind::Symbol)->ObjectName(), "OPAMP");

    // An object no library holds is reported and leaves no viewer.
    Focus(LibraryKind::Part, "74LS02").RunTool(ResultTool::ViewSymbol);
    EXPECT_EQ(m_boxes.Texts().back(), "Can't find Symbol/Package: 7402")
        << "the first of 7402,PWR2";
    EXPECT_EQ(m_window->Viewer(LibraryKind::Symbol), nullptr) << "the open one was released";
}

TEST_F(BrowserViewersTest, AViewerOpensOverTheBrowserWithItsWholeFrameOnTheScreen) {
    const QRect area = m_window->screen()->availableGeometry();
    WaitUntilSettled();
    m_window->resize(area.width() / 2, area.height() / 2);
    m_window->move(area.left(), area.top());
    Focus(LibraryKind::Part, "LM741").RunTool(ResultTool::ViewSymbol);
    ObjectViewer* viewer = m_window->Viewer(LibraryKind::Symbol);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(area.contains(viewer->frameGeometry()))
        << "a viewer larger than the room left of the browser's centre is moved in";

    m_window->move(area.center() - m_window->frameGeometry().center() + m_window->pos());
    Focus(LibraryKind::Part, "LM741").RunTool(ResultTool::ViewSymbol);
    DeleteLater();
    viewer = m_window->Viewer(LibraryKind::Symbol);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(area.contains(viewer->frameGeometry()));
    EXPECT_LE(
        (viewer->frameGeometry().center() - m_window->frameGeometry().center()).manhattanLength(),
        2)
        << "centred over the browser";
}

TEST_F(BrowserViewersTest, PackagesAndPadstacksOpenTheirOwnViewers) {
    Focus(LibraryKind::Package, "DIP14").RunTool(ResultTool::ViewPackage);
    ObjectViewer* package = m_window->Viewer(LibraryKind::Package);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(package->Notification(), "K2KPACKAGEVIEWER,LIB," + m_libraries + "\\P.PACKAGE");
    EXPECT_TRUE(package->ProblemText().isEmpty()) << "its pads' padstack was found";

    Focus(LibraryKind::Padstack, "PAD60R").RunTool(ResultTool::ViewPadstack);
    ObjectViewer* padstack = m_window->Viewer(LibraryKind::Padstack);
    ASSERT_NE(padstack, nullptr);
    EXPECT_EQ(padstack->Notification(), "K2KPSTACKVIEWER,LIB," + m_libraries + "\\T.PADSTACK,");
    EXPECT_EQ(m_window->Viewer(LibraryKind::Package), package) << "each kind has its own";
}

TEST_F(BrowserViewersTest, ClosingAViewerReleasesItAndUnloadReleasesTheRest) {
    Focus(LibraryKind::Part, "LM741").RunTool(ResultTool::ViewSymbol);
    Focus(LibraryKind::Part, "LM741").RunTool(ResultTool::ViewPackage);
    QPointer<ObjectViewer> symbol = m_window->Viewer(LibraryKind::Symbol);
    QPointer<ObjectViewer> package = m_window->Viewer(LibraryKind::Package);
    ASSERT_TRUE(symbol && package);
    EXPECT_EQ(package->Notification(), "K2KPACKAGEVIEWER,LIB,Project library");

    symbol->close();
    EXPECT_EQ(m_window->Viewer(LibraryKind::Symbol), nullptr);
    DeleteLater();
    EXPECT_TRUE(symbol.isNull());
    EXPECT_TRUE(m_heard.isEmpty()) << "a viewer's SHUTDOWN is the browser's own business";

    m_window->ShutDown();
    DeleteLater();
    EXPECT_TRUE(package.isNull());
    EXPECT_EQ(m_heard, QStringList{"K2KBRWSR,SHUTDOWN"});
}

// "UP" reads the symbol and package viewers' objects again; a viewer's request to place
// goes on to the application it names.
TEST_F(BrowserViewersTest, UpRefreshesTheSymbolAndPackageViewersAndRequestsGoOn) {
    Focus(LibraryKind::Part, "LM741").RunTool(ResultTool::ViewSymbol);
    Focus(LibraryKind::Padstack, "PAD60R").RunTool(ResultTool::ViewPadstack);
    ObjectViewer* symbol = m_window->Viewer(LibraryKind::Symbol);
    ObjectViewer* padstack = m_window->Viewer(LibraryKind::Padstack);
    ASSERT_TRUE(symbol && padstack);
    ASSERT_FALSE(symbol->ProblemText().isEmpty());

    WriteSymbols("K2KDRAW 1 SYMBOL\nLINE 0 0 0 400");
    Library("T.PADSTACK", LibraryKind::Padstack, {{"PAD60R", "", ""}});
    m_browser->NotifyMe({}, "K2KBRWSR,UP");
    EXPECT_EQ(m_window->Viewer(LibraryKind::Symbol), symbol);
    EXPECT_TRUE(symbol->ProblemText().isEmpty()) << "read again from its library";
    EXPECT_TRUE(padstack->ProblemText().isEmpty()) << "the padstack viewer is not touched";

    m_kernel.E_SetString("K2KSCHED", "Schematic,0,0,0,0");
    emit symbol->NotifyServer("K2KSCHED", "PLACE,OPAMP");
    emit symbol->NotifyServer("K2KSCHED", "SHELL,1,x");
    EXPECT_EQ(m_heard, QStringList{"K2KSCHED,K2KSCHED,PLACE,OPAMP"});
    EXPECT_EQ(m_window->Viewer(LibraryKind::Symbol), symbol);
}

TEST_F(BrowserViewersTest, OpenDatasheetHandsTheLinkToTheDesktopsHandler) {
    LinkRecorder recorder;
    for (const char* scheme : {"https", "file"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "Open");
    ResultListView& parts = Focus(LibraryKind::Part, "LM741");
    QTest::keyClick(&parts, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(recorder.links, QStringList{"https://www.ti.com/lm741.pdf"});
    EXPECT_TRUE(m_window->Feedback().StatusText().contains("lm741.pdf"))
        << m_window->Feedback().StatusText().toStdString();

    QTest::keyClick(&Focus(LibraryKind::Part, "74LS02"), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(recorder.links.size(), 1) << "a part without a datasheet opens nothing";

    Focus(LibraryKind::Symbol, "OPAMP").RunTool(ResultTool::OpenDatasheet);
    EXPECT_EQ(recorder.links.value(1), "file:///doc/opamp.pdf") << "the menu's tool, on a symbol";
    for (const char* scheme : {"https", "file"})
        QDesktopServices::unsetUrlHandler(scheme);
}

} // namespace
} // namespace k2k

#include "BrowserViewersTest.moc"
