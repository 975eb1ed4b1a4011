#include "browser/ui/frmSearchSeq.h"

#include "browser/ui/clsKldbrwsr.h"
#include "browser/ui/frmK32_LibBrowser.h"
#include "platform/Kernel.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ui/LoadedBrowserFixture.h"
#include "support/ui/WidgetDriver.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace k2k {
namespace {

using test::Click;
using test::ClickRow;
using test::ReadFile;
using test::WriteFile;

// The small suite (part libraries A.PART, EMPTY.PART, B.PART in LIB; the catalogue names A,
// MISSING, EMPTY and B) with the real main window. The schematic editor, the layout editor
// and the library explorer are running, so the commands sent to them are heard.
class frmSearchSeqTest : public test::LoadedBrowserTest {
protected:
    void SetUp() override {
        LoadedBrowserTest::SetUp();
        for (const char* app : {"K2KSCHED", "K2KLAYED", "K2KEXPLR"})
            m_kernel.E_SetString(app, "Running,0,0,0,0");
    }

    // Loads the window and forgets what the start said.
    void Load() {
        LoadedBrowserTest::Load();
        m_heard.clear();
    }

    // The user acts on the dialog while it is shown modally; whatever opens it runs after.
    // Counts the openings; a dialog left open is a failure and is closed.
    void WhileOpen(std::function<void(frmSearchSeq&)> user) {
        test::WhenModal<frmSearchSeq>([this, user](frmSearchSeq& dialog) {
            ++m_openings;
            user(dialog);
        });
    }

    static QListWidget& List(frmSearchSeq& dialog, int kind) {
        return *Child<QListWidget>(dialog, QStringLiteral("lstSearchSeq%1").arg(kind).toLatin1());
    }
    // The entries, an unmarked one with a "-" before it.
    static QStringList Shown(QListWidget& list) {
        QStringList shown;
        for (int row = 0; row < list.count(); ++row)
            shown << (list.item(row)->checkState() == Qt::Checked ? "" : "-") +
                         list.item(row)->text();
        return shown;
    }
    static bool Enabled(frmSearchSeq& dialog, const char* button) {
        return Child<QPushButton>(dialog, button)->isEnabled();
    }

    LibraryCatalogue SavedCatalogue() {
        SuiteServices services(DirectorySettingsOf(m_dir.Path()), m_boxes);
        services.SetIniFile(m_dir.SuitePath() + "\\kalde2000.ini");
        LibraryCatalogue catalogue;
        catalogue.Load(services);
        return catalogue;
    }

    void ChooseSearchSequence() { Child<QAction>(*m_window, "mnuSearchSeq")->trigger(); }

    int m_openings = 0;
};

using Names = std::vector<std::string>;

// Up and Down reorder, the pop-up menu and the keys mark the shown kind; OK saves the
// sequence and announces it.
TEST_F(frmSearchSeqTest, ReorderingAndMarkingAreSavedOnOkAndAnnounced) {
    Load();
    m_window->SelectTab(LibraryKind::Package);
    WhileOpen([](frmSearchSeq& dialog) {
        auto* tabs = Child<QTabWidget>(dialog, "tabSearchSeq");
        EXPECT_EQ(tabs->currentIndex(), 2) << "the browser's current kind";
        tabs->setCurrentIndex(0);
        QListWidget& parts = List(dialog, 0);
        EXPECT_EQ(Shown(parts), (QStringList{"A.PART", "EMPTY.PART", "B.PART"}))
            << "the catalogue's order; MISSING.PART has no file";
        EXPECT_EQ(parts.currentRow(), 0);
        EXPECT_TRUE(!Enabled(dialog, "cmdUp") && Enabled(dialog, "cmdDown"));

        ClickRow(parts, 2);
        EXPECT_TRUE(Enabled(dialog, "cmdUp") && !Enabled(dialog, "cmdDown")) << "the last entry";
        Click(dialog, "cmdUp");
        Click(dialog, "cmdUp");
        EXPECT_EQ(Shown(parts), (QStringList{"B.PART", "A.PART", "EMPTY.PART"}));
        EXPECT_EQ(parts.currentRow(), 0) << "the moved entry stays current";
        EXPECT_FALSE(Enabled(dialog, "cmdUp"));

        // The pop-up menu and Ctrl+A mark the shown kind only.
        QTest::mouseClick(parts.viewport(), Qt::RightButton, {},
                          parts.visualItemRect(parts.item(0)).center());
        auto* menu = Child<QMenu>(dialog, "mnuOptions");
        ASSERT_TRUE(menu->isVisible()) << "the band pops up over the list";
        QAction* unselect = Child<QAction>(*menu, "ATB_UnSelectAll");
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(unselect).center());
        EXPECT_EQ(Shown(parts), (QStringList{"-B.PART", "-A.PART", "-EMPTY.PART"}));
        QTest::keyClick(&parts, Qt::Key_A, Qt::ControlModifier);
        ClickRow(parts, 2);
        QTest::keyClick(&parts, Qt::Key_Space); // its mark off
        EXPECT_EQ(Shown(parts), (QStringList{"B.PART", "A.PART", "-EMPTY.PART"}));

        tabs->setCurrentIndex(1);
        QListWidget& symbols = List(dialog, 1);
        EXPECT_EQ(Shown(symbols), (QStringList{"LOGIC.SYMBOL"})) << "untouched";
        EXPECT_EQ(symbols.currentRow(), 0);
        EXPECT_FALSE(Enabled(dialog, "cmdUp") || Enabled(dialog, "cmdDown"));
        QTest::keyClick(&symbols, Qt::Key_U, Qt::ControlModifier);
        Click(dialog, "cmdOK");
    });
    ChooseSearchSequence();
    EXPECT_EQ(m_openings, 1);

    EXPECT_EQ(SavedCatalogue().Entries(LibraryKind::Part), (Names{"B.PART", "A.PART"}));
    EXPECT_EQ(SavedCatalogue().Count(LibraryKind::Symbol), 0);
    EXPECT_EQ(m_window->Component().Catalogue().Entries(LibraryKind::Part),
              (Names{"B.PART", "A.PART"}))
        << "the searches walk the new sequence at once";
    EXPECT_EQ(m_heard,
              (QStringList{"K2KBRWSR,All,SSQ", "K2KSCHED,K2KSCHED,UP", "K2KLAYED,K2KLAYED,UP"}));
}

TEST_F(frmSearchSeqTest, CancelAndEscapeLeaveTheFileAsItWasAndSendNothing) {
    Load();
    const std::string before = ReadFile(m_dir / "kalde2000.ini");
    for (const bool escape : {false, true}) {
        WhileOpen([escape](frmSearchSeq& dialog) {
            QListWidget& parts = List(dialog, 0);
            ClickRow(parts, 1);
            Click(dialog, "cmdDown");
            QTest::keyClick(&parts, Qt::Key_U, Qt::ControlModifier);
            EXPECT_EQ(Shown(parts), (QStringList{"-A.PART", "-B.PART", "-EMPTY.PART"}));
            if (escape)
                QTest::keyClick(&parts, Qt::Key_Escape);
            else
                Click(dialog, "cmdCancel");
        });
        ChooseSearchSequence();
        EXPECT_FALSE(m_window->SearchSequenceWindow().Changed());
    }
    EXPECT_EQ(m_openings, 2);
    EXPECT_EQ(ReadFile(m_dir / "kalde2000.ini"), before) << "not a byte changed";
    EXPECT_EQ(m_window->Component().Catalogue().Count(LibraryKind::Part), 4);
    EXPECT_TRUE(m_heard.isEmpty()) << m_heard.join(QLatin1Char(' ')).toStdString();

    // The next opening shows the sequence as it was, not the dropped edit.
    WhileOpen([](frmSearchSeq& dialog) {
        EXPECT_EQ(Shown(List(dialog, 0)), (QStringList{"A.PART", "EMPTY.PART", "B.PART"}));
        Click(dialog, "cmdCancel");
    });
    ChooseSearchSequence();
    EXPECT_EQ(m_openings, 3);
}

TEST_F(frmSearchSeqTest, ChangeLibPathOpensTheDialogOnlyForANewFolder) {
    Load();
    const std::string settings = ReadFile(m_dir / "suite.ini");
    const std::string libDir = m_window->Component().Dirs().libDir;
    std::vector<std::string> asked;
    std::string answer;
    m_window->SetFolderChooser([&](const std::string& title, const std::string& start) {
        asked.push_back(title + " | " + start);
        return answer;
    });
    QAction* changePath = Child<QAction>(*m_window, "mnuChgLibPth");

    // Cancelled, the same folder, a folder that is not there: nothing happens.
    for (const std::string& given : {std::string("  "), libDir, m_dir.SuitePath() + "\\NOWHERE"}) {
        answer = given;
        WhileOpen([](frmSearchSeq& dialog) { dialog.done(QDialog::Rejected); });
        changePath->trigger();
        QApplication::processEvents();
    }
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked.front(), "Select Location of Library files | " + libDir);
    EXPECT_EQ(m_openings, 0);
    EXPECT_TRUE(m_heard.isEmpty());
    EXPECT_EQ(ReadFile(m_dir / "suite.ini"), settings);

    // A new folder with a part library.
    WriteFile(m_dir / "NEWLIB" / "X.PART", "x");
    answer = m_dir.SuitePath() + "\\NEWLIB";
    WhileOpen([](frmSearchSeq& dialog) {
        EXPECT_TRUE(Enabled(dialog, "cmdCancel")) << "Cancel goes back to the old folder";
        QListWidget& parts = List(dialog, 0);
        EXPECT_EQ(Shown(parts), (QStringList{"-X.PART"})) << "no catalogued part library is here";
        QTest::keyClick(&parts, Qt::Key_Space);
        Click(dialog, "cmdOK");
    });
    changePath->trigger();
    EXPECT_EQ(m_openings, 1);
    EXPECT_TRUE(m_window->SearchSequenceWindow().findChild<QPushButton*>("cmdCancel")->isEnabled())
        << "Cancel is enabled again";
    EXPECT_EQ(m_window->Component().Dirs().libDir, answer);
    EXPECT_EQ(SavedCatalogue().Entries(LibraryKind::Part), (Names{"X.PART"}));
    EXPECT_TRUE(m_window->windowTitle().contains(QStringLiteral("NEWLIB")));
    EXPECT_EQ(m_heard, (QStringList{"K2KEXPLR,K2KEXPLR,SSQ"}));
}

// Another application left a search sequence to settle: the dialog opens during the
// start, only OK closes it, and the pending mark is cleared.
TEST_F(frmSearchSeqTest, APendingSequenceOpensTheDialogAtStartAndIsClearedAfterwards) {
    m_kernel.E_SetString("SSQ", "1");
    WhileOpen([](frmSearchSeq& dialog) {
        EXPECT_FALSE(Enabled(dialog, "cmdCancel"));
        Click(dialog, "cmdOK");
    });
    Load();
    EXPECT_EQ(m_openings, 1);
    EXPECT_EQ(m_kernel.E_GetString("SSQ"), "0");
    EXPECT_TRUE(m_window->SearchSequenceWindow().findChild<QPushButton*>("cmdCancel")->isEnabled());
    EXPECT_EQ(SavedCatalogue().Entries(LibraryKind::Part),
              (Names{"A.PART", "EMPTY.PART", "B.PART"}));
}

} // namespace
} // namespace k2k
