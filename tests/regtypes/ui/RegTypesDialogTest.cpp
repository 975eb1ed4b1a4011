#include "regtypes/ui/RegTypesDialog.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"
#include "platform/ui/Kldquery.h"
#include "regtypes/BrowserProfile.h"
#include "regtypes/ui/RegTypesDialogs.h"
#include "support/TestSupport.h"
#include "support/ui/AccessibilityWalk.h"
#include "support/ui/WidgetDriver.h"
#include "system/NativePath.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::Child;
using test::Click;

using Entries = std::vector<RegTypeEntry>;

void FillSample(RegTypeTables& tables) {
    const auto fill = [&tables](int table, const Entries& entries) {
        for (const RegTypeEntry& entry : entries)
            tables.Append(table, entry);
    };
    fill(kPartTypeTable,
         {{0, "1", "Digital"}, {0, "1,1", "Gates"}, {0, "1,2", "Counters"}, {0, "2", "Analog"}});
    fill(kManufacturerTable, {{0, "1", "Acme"}, {1, "2", "Mine"}});
    fill(kTechnologyTable, {{0, "1", "TTL"}});
    fill(kPartPackageTypeTable, {{0, "1", "PMD"}, {0, "2", "SMD"}});
    tables.SetCountsToUpperBounds();
}

QTreeWidgetItem* ItemOf(QTreeWidget* tree, const char* text) {
    const auto found =
        tree->findItems(QString::fromLatin1(text), Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(found.size(), 1) << text;
    return found.isEmpty() ? nullptr : found.front();
}

QPoint CentreOf(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    return tree->visualItemRect(item).center();
}

// A right click on a node opens the pop-up menu.
QMenu* RightClick(RegTypesDialog& dialog, QTreeWidget* tree, QTreeWidgetItem* item) {
    const QPoint at = CentreOf(tree, item);
    QTest::mousePress(tree->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree->viewport(), &event);
    QTest::mouseRelease(tree->viewport(), Qt::RightButton, {}, at);
    QMenu* menu = dialog.PopUpMenu();
    EXPECT_TRUE(menu->isVisible()) << "the pop-up menu opens";
    return menu;
}

QAction* MenuItem(QMenu* menu, const char* name) {
    QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

void Choose(QMenu* menu, const char* name) {
    QAction* action = MenuItem(menu, name);
    ASSERT_TRUE(action->isVisible() && action->isEnabled()) << name;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    EXPECT_FALSE(menu->isVisible());
}

// Types a new label into the open label editor and presses Enter.
void TypeLabel(QTreeWidget* tree, const char* text) {
    auto* edit = tree->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr) << "no label editor is open";
    ASSERT_TRUE(edit->isVisible());
    QTest::keyClicks(edit, QString::fromLatin1(text));
    QTest::keyClick(edit, Qt::Key_Return);
    // The view ends the edit after the key, the node then moves to its place, and the
    // editor goes.
    QApplication::processEvents();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tree->viewport()->findChild<QLineEdit*>(), nullptr);
}

// The four dialogs over sample tables, whose profile is a file of the test's folder.
class RegTypesDialogTest : public test::ServicesTest {
protected:
    void SetUp() override {
        FillSample(tables);
        tables.profilePath = SuitePath(dir / "K2KBRWSR.ini").Value();
        RegTypesContext context{};
        context.tables = &tables;
        context.services = &services;
        context.files = &files;
        context.owner = &owner;
        context.font = QApplication::font();
        dialogs = std::make_unique<RegTypesDialogs>(std::move(context));
    }

    FileOps files{services, boxes};
    RegTypeTables tables;
    QWidget owner;
    std::unique_ptr<RegTypesDialogs> dialogs;
};

// Each kind's dialog is made once and kept, with one tree per table; Ctrl+F1, not F1
// alone, asks for the help topic.
TEST_F(RegTypesDialogTest, EachKindHasItsTreesAndCtrlF1AsksForHelp) {
    const std::vector<std::pair<RegTypesKind, std::vector<const char*>>> kinds{
        {RegTypesKind::Part, {"treType", "treManufacturer", "treTechnology", "trePackageType"}},
        {RegTypesKind::Symbol, {"treType"}},
        {RegTypesKind::Package, {"treType"}},
        {RegTypesKind::Padstack, {"treType", "treShape"}},
    };
    for (const auto& [kind, trees] : kinds) {
        RegTypesDialog& dialog = dialogs->Dialog(kind);
        SCOPED_TRACE(dialog.objectName().toStdString());
        EXPECT_EQ(&dialog, &dialogs->Dialog(kind)) << "made once, then kept";
        ASSERT_EQ(Child<QTabWidget>(dialog, "tabRegister")->count(),
                  static_cast<int>(trees.size()));
        for (std::size_t i = 0; i < trees.size(); ++i)
            EXPECT_EQ(dialog.Tree(static_cast<int>(i))->objectName(), trees[i]);
    }
    EXPECT_EQ(dialogs->Dialog(RegTypesKind::Padstack).windowTitle(), "Padstack Registered Types");
    EXPECT_EQ(dialogs->Dialog(RegTypesKind::Part).Tree(0)->topLevelItem(0)->text(0), "Analog")
        << "sorted";

    RegTypesDialog& padstack = dialogs->Dialog(RegTypesKind::Padstack);
    int shown = 0;
    padstack.SetHelpHandler([&shown] { ++shown; });
    QTest::keyClick(&padstack, Qt::Key_F1);
    EXPECT_EQ(shown, 0) << "F1 alone is not the key";
    QTest::keyClick(&padstack, Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(shown, 1);
}

// Cancel drops the edits and writes nothing; the profile edited with the mouse and keys is
// written on OK and reads back as the tables the dialog left.
TEST_F(RegTypesDialogTest, CancelWritesNothingAndOkWritesTheEditsToTheProfile) {
    RegTypesDialog& dialog = dialogs->Dialog(RegTypesKind::Part);
    test::WhenModal<RegTypesDialog>([&](RegTypesDialog&) {
        QTreeWidget* types = dialog.Tree(0);
        Choose(RightClick(dialog, types, ItemOf(types, "Analog")), "mnuAddNew");
        TypeLabel(types, "Op amps");
        Click(dialog, "cmdCancel");
    });
    EXPECT_FALSE(dialogs->OpenForEditing(RegTypesKind::Part));
    EXPECT_FALSE(std::filesystem::exists(dir / "K2KBRWSR.ini"));
    EXPECT_EQ(tables.UpperBound(kPartTypeTable), 4);
    EXPECT_TRUE(dialog.Tree(0)->findItems("Op amps", Qt::MatchRecursive).isEmpty())
        << "the tree shows what is kept";

    test::WhenModal<RegTypesDialog>([&](RegTypesDialog&) {
        QTreeWidget* types = dialog.Tree(0);
        QMenu* menu = RightClick(dialog, types, ItemOf(types, "Digital"));
        EXPECT_FALSE(MenuItem(menu, "mnuRename")->isEnabled()) << "a system node";
        Choose(menu, "mnuAddNew");
        TypeLabel(types, "Flip flops");
        QTreeWidgetItem* digital = ItemOf(types, "Digital");
        ASSERT_EQ(digital->childCount(), 3);
        EXPECT_EQ(digital->child(1)->text(0), "Flip flops") << "at its sorted place";

        // A system node's label cannot be edited.
        QTest::mouseClick(types->viewport(), Qt::LeftButton, {},
                          CentreOf(types, ItemOf(types, "Gates")));
        QTest::keyClick(types, Qt::Key_F2);
        EXPECT_EQ(types->viewport()->findChild<QLineEdit*>(), nullptr);

        auto* tabBar = Child<QTabWidget>(dialog, "tabRegister")->tabBar();
        QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(1).center());
        QTreeWidget* makers = dialog.Tree(1);
        Choose(RightClick(dialog, makers, ItemOf(makers, "Mine")), "mnuRename");
        TypeLabel(makers, "Ours");
        Choose(RightClick(dialog, makers, ItemOf(makers, "Acme")), "mnuAddTopLev");
        TypeLabel(makers, "Zeta");
        Click(dialog, "cmdOK");
    });
    ASSERT_TRUE(dialogs->OpenForEditing(RegTypesKind::Part));
    EXPECT_FALSE(dialog.isVisible()) << "hidden, not unloaded";
    EXPECT_FALSE(dialog.Editor().EditMode());

    EXPECT_EQ(tables.Table(kPartTypeTable).back(), (RegTypeEntry{1, "1,3", "Flip flops"}));
    EXPECT_EQ(tables.Table(kManufacturerTable),
              (Entries{{}, {0, "1", "Acme"}, {1, "2", "Ours"}, {1, "3", "Zeta"}}));
    RegTypeTables read;
    int errorFlag = -1;
    ReadBrowserProfile(read, files, services, errorFlag, tables.profilePath);
    ASSERT_EQ(errorFlag, 0);
    EXPECT_EQ(read.Table(kManufacturerTable), tables.Table(kManufacturerTable));
    EXPECT_TRUE(boxes.shown.empty());
}

// Ctrl+F asks for the pattern in the query box, F3 walks on, and after the last match the
// message comes.
TEST_F(RegTypesDialogTest, FindKeysAskOnceAndWalkTheMatches) {
    RegTypesDialog& dialog = dialogs->Dialog(RegTypesKind::Part);
    test::WhenModal<RegTypesDialog>([&](RegTypesDialog&) {
        QTreeWidget* types = dialog.Tree(0);
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        types->setFocus();
        QTimer::singleShot(0, [&] {
            auto* query = dialog.findChild<Kldquery*>();
            ASSERT_NE(query, nullptr);
            QTest::keyClicks(Child<QLineEdit>(*query, "txtText"), "*a*");
            Click(*query, "cmdAccept");
        });
        QTest::keyClick(types, Qt::Key_F, Qt::ControlModifier);
        // Offscreen, the hidden query box stays the active window; on a desktop closing it
        // gives the activation back.
        QApplication::setActiveWindow(&dialog);
        types->setFocus();
        ASSERT_NE(types->currentItem(), nullptr);
        EXPECT_EQ(types->currentItem()->text(0), "Digital");
        QTest::keyClick(types, Qt::Key_F3);
        EXPECT_EQ(types->currentItem()->text(0), "Gates");
        QTest::keyClick(types, Qt::Key_F3);
        EXPECT_EQ(types->currentItem()->text(0), "Analog");
        EXPECT_TRUE(boxes.shown.empty());
        QTest::keyClick(types, Qt::Key_F3);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"No more matches found!"});
        Click(dialog, "cmdCancel");
    });
    dialogs->OpenForEditing(RegTypesKind::Part);
}

// A pick shows the dialog on its table's tree alone and edits nothing; it answers the path
// picked with OK, and nothing after Cancel, whatever was picked before.
TEST_F(RegTypesDialogTest, APickShowsItsTreeAloneAndAnswersOnlyWhatOkTook) {
    test::WhenModal<RegTypesDialog>([](RegTypesDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select Part Type");
        auto* tabs = Child<QTabWidget>(dialog, "tabRegister");
        EXPECT_EQ(tabs->currentIndex(), 0);
        EXPECT_FALSE(tabs->isTabEnabled(1)) << "only the tree of the pick";
        QTreeWidget* types = dialog.Tree(0);
        QMenu* menu = RightClick(dialog, types, ItemOf(types, "Gates"));
        EXPECT_FALSE(MenuItem(menu, "mnuAddNew")->isVisible()) << "picking edits nothing";
        menu->close();
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(dialogs->Pick(kPartTypeTable, "Select Part Type"), "Digital,Gates");
    EXPECT_TRUE(
        Child<QTabWidget>(dialogs->Dialog(RegTypesKind::Part), "tabRegister")->isTabEnabled(1))
        << "closing enables every tab again";

    test::WhenModal<RegTypesDialog>([](RegTypesDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select Manufacturer Type");
        EXPECT_EQ(Child<QTabWidget>(dialog, "tabRegister")->currentIndex(), 1);
        Click(dialog, "cmdCancel");
    });
    EXPECT_EQ(dialogs->Pick(kManufacturerTable, "Select Manufacturer Type"), "")
        << "nothing picked on that tree yet";

    test::WhenModal<RegTypesDialog>([](RegTypesDialog& dialog) {
        dialog.Tree(0)->setCurrentItem(ItemOf(dialog.Tree(0), "Gates"));
        Click(dialog, "cmdCancel");
    });
    EXPECT_EQ(dialogs->Pick(kPartTypeTable, "Select Part Type"), "")
        << "Cancel must not bring back the earlier pick";
    EXPECT_TRUE(boxes.shown.empty());
}

// Each kind's dialog, opened for editing, reads for a screen reader on every tab, and Tab
// reaches every control it shows.
TEST_F(RegTypesDialogTest, EveryDialogIsReadableAndReachedByTab) {
    for (const RegTypesKind kind : {RegTypesKind::Part, RegTypesKind::Symbol, RegTypesKind::Package,
                                    RegTypesKind::Padstack}) {
        test::WhenModal<RegTypesDialog>([](RegTypesDialog& dialog) {
            SCOPED_TRACE(dialog.objectName().toStdString());
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            auto* tabs = Child<QTabWidget>(dialog, "tabRegister");
            for (int tab = 0; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                EXPECT_EQ(test::UnnamedControls(dialog).join(", ").toStdString(), "");
                EXPECT_EQ(test::UnreachedByTab(dialog).join(", ").toStdString(), "");
            }
            Click(dialog, "cmdCancel");
        });
        dialogs->OpenForEditing(kind);
    }
}

} // namespace
} // namespace k2k
