#include "browser/ui/ResultListView.h"

#include "browser/DropRecords.h"
#include "browser/ui/ResultListModel.h"
#include "search/ProjectStatus.h"
#include "search/ResultList.h"
#include "support/ui/BrowserFixtures.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <memory>

namespace k2k {
namespace {

class ResultListViewTest : public test::ResultListFixture {
protected:
    ResultListView& View(LibraryKind kind = LibraryKind::Part) {
        if (!m_view) {
            m_view = std::make_unique<ResultListView>(m_browser, kind);
            m_view->resize(500, 300);
            m_view->show();
            QObject::connect(m_view.get(), &ResultListView::statusMessage,
                             [this](const QString& text) { m_status << text; });
            QObject::connect(m_view.get(), &ResultListView::toolChosen,
                             [this](ResultTool tool, const QString& caption) {
                                 m_chosen.push_back({tool, caption});
                             });
        }
        return *m_view;
    }

    void Fill(LibraryKind kind, const std::string& pattern,
              const std::string& library = kAllLibraries) {
        Search(kind, pattern, library);
        View(kind).Model().SyncNewRows();
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_view.get(), key, modifiers);
    }

    static void Mouse(QWidget* target, QPoint at, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(target, button, modifiers, at);
    }

    void ClickRow(int row, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect rect = m_view->visualRect(m_view->Model().index(row, 0));
        Mouse(m_view->viewport(), rect.center(), button, modifiers);
    }

    void ClickHeader(int column) {
        QHeaderView* header = m_view->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        Mouse(header->viewport(), at, Qt::LeftButton);
    }

    QStringList Names() const {
        QStringList names;
        for (int row = 0; row < m_view->Model().rowCount(); ++row)
            names << m_view->Model().data(m_view->Model().index(row, 0)).toString();
        return names;
    }

    bool Enabled(const char* tool) const {
        QAction* action = m_view->Tool(QString::fromLatin1(tool));
        EXPECT_NE(action, nullptr) << tool;
        return action != nullptr && action->isEnabled();
    }

    int SelectedRows() const {
        return static_cast<int>(m_view->selectionModel()->selectedRows().size());
    }

    void TearDown() override {
        if (m_view)
            m_view->PopupMenu()->hide();
    }

    std::unique_ptr<ResultListView> m_view;
    QStringList m_status;
    std::vector<std::pair<ResultTool, QString>> m_chosen; // the tools handed to the window
};

// A column fits the first rows of a list, a screen or two of them, not every row: a search
// of many thousand rows would end in a pause to measure them all.
TEST_F(ResultListViewTest, AColumnFitsTheFirstRowsOfALongList) {
    ResultList& results = Results(LibraryKind::Part);
    const std::string wide(60, 'W');
    for (int i = 1; i <= 1000; ++i)
        results.Append("A.PART",
                       i == 40    ? "LONGER-NAME"
                       : i == 600 ? wide
                                  : "R" + std::to_string(i),
                       "", 0, 0);
    ResultListView& view = View();
    view.Model().SyncNewRows();
    view.FitColumns(true);
    const int width = view.columnWidth(0);
    const QFontMetrics metrics = view.fontMetrics();
    EXPECT_GE(width, metrics.horizontalAdvance(QStringLiteral("LONGER-NAME")))
        << "a row near the top counts";
    EXPECT_LT(width, metrics.horizontalAdvance(QString::fromStdString(wide)))
        << "the six hundredth row is not measured";
}

// A long description gives way, so the column after it is seen without scrolling; a width
// the person gave a column stays.
TEST_F(ResultListViewTest, FittedColumnsShareTheVisibleWidth) {
    ShowColumns(LibraryKind::Part, {"Library", "Description", "Symbols"}, {true, true, true});
    const std::string description(200, 'D');
    Results(LibraryKind::Part)
        .Append("A.PART", "LM741", test::PartInfo("DIP8", description, "OPAMP"), 0, 0);
    ResultListView& view = View();
    view.Model().Reset();
    view.FitColumns(true);
    QHeaderView* header = view.horizontalHeader();
    const int last = header->count() - 1;
    EXPECT_LE(header->sectionPosition(last) + header->sectionSize(last), view.viewport()->width())
        << "Symbols is seen whole";
    EXPECT_GE(header->sectionSize(last), view.fontMetrics().horizontalAdvance("OPAMP"));
    EXPECT_LT(header->sectionSize(2),
              view.fontMetrics().horizontalAdvance(QString::fromStdString(description)));

    header->resizeSection(2, 700); // the person widens the description
    view.FitColumns(true);
    EXPECT_EQ(header->sectionSize(2), 700) << "and it stays so";
}

TEST_F(ResultListViewTest, KeysSelectAllDeleteFromListAndCount) {
    ResultListView& view = View();
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(m_status.isEmpty()) << "an empty list selects nothing";

    Fill(LibraryKind::Part, "74*");
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), 4);
    EXPECT_EQ(m_status.last(), "4 Part(s) Selected");
    EXPECT_TRUE(view.MoreThanOneSelected()) << "a selection made with the keys counts too";

    ClickRow(1);
    ClickRow(3, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(m_status.last(), "2 Part(s) Selected");
    EXPECT_TRUE(view.MoreThanOneSelected());
    EXPECT_TRUE(view.AtLeastOneSelected());
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(m_status.last(), QString("%1 Objects(s) Selected").arg(SelectedRows()));

    ClickRow(1);
    ClickRow(3, Qt::LeftButton, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Names(), (QStringList{"74LS00", "74LS02"}));
    EXPECT_EQ(Results(LibraryKind::Part).Count(), 2) << "the results went, not only the rows";

    view.SetBusyCheck([] { return true; });
    view.clearSelection();
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), 0) << "no shortcut while the browser is busy";
}

TEST_F(ResultListViewTest, HeaderClicksSortAscendingThenDescending) {
    ShowColumns(LibraryKind::Part, {"Library"}, {true});
    ResultListView& view = View();
    view.Model().Reset();
    Fill(LibraryKind::Part, "LM*");
    Fill(LibraryKind::Part, "74HC*");
    ClickHeader(0);
    EXPECT_EQ(Names(), (QStringList{"74HC00", "74HCT00", "LM358", "LM741"}));
    ClickHeader(0);
    EXPECT_EQ(Names(), (QStringList{"LM741", "LM358", "74HCT00", "74HC00"}));
    ClickHeader(1);
    EXPECT_EQ(Names(), (QStringList{"LM741", "74HC00", "LM358", "74HCT00"}))
        << "the order flips on every click, whichever column: A.PART first";
}

TEST_F(ResultListViewTest, RightClickOpensTheMenuEnabledForTheSelection) {
    ResultListView& view = View();
    ClickRow(0, Qt::RightButton);
    Mouse(view.viewport(), QPoint(10, 10), Qt::RightButton);
    EXPECT_EQ(m_status.last(), "0 Part(s) Selected");
    EXPECT_FALSE(view.PopupMenu()->isVisible()) << "an empty list shows no menu";

    Fill(LibraryKind::Part, "*");
    const int lm358 = static_cast<int>(Names().indexOf("LM358"));
    ClickRow(lm358, Qt::RightButton);
    EXPECT_TRUE(view.PopupMenu()->isVisible());
    EXPECT_TRUE(Enabled("ATB_EditPart"));
    EXPECT_TRUE(Enabled("ATB_PartViewSymbol"));
    EXPECT_FALSE(Enabled("ATB_PartSendToSch")) << "no schematic editor runs";
    EXPECT_FALSE(Enabled("ATB_PartProperties"));
    QMenu* groups = view.Tool("ATB_PartViewSymbol")->menu();
    ASSERT_NE(groups, nullptr) << "LM358 has two symbols";
    ASSERT_EQ(groups->actions().size(), 2);
    EXPECT_EQ(groups->actions()[1]->text(), "OPAMP_PWR");
    groups->actions()[1]->trigger();
    view.Tool("ATB_EditPart")->trigger();
    using Chosen = std::vector<std::pair<ResultTool, QString>>;
    EXPECT_EQ(m_chosen, (Chosen{{ResultTool::ViewSymbolGroup, "OPAMP_PWR"},
                                {ResultTool::EditPart, "&Edit Part"}}));
    // A click on View Symbol itself views the first symbol; the sub-menu is for the others.
    QMenu* menu = view.PopupMenu();
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(view.Tool("ATB_PartViewSymbol")).center());
    EXPECT_FALSE(menu->isVisible());
    ASSERT_EQ(m_chosen.size(), 3u);
    EXPECT_EQ(m_chosen.back().first, ResultTool::ViewSymbol);
    view.PopupMenu()->hide();

    m_kernel.E_SetString("MW_K2KSCHED", "77");
    ClickRow(lm358 == 0 ? 1 : 0, Qt::LeftButton, Qt::ControlModifier);
    ClickRow(lm358, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), 2);
    EXPECT_FALSE(Enabled("ATB_PartViewSymbol"));
    EXPECT_TRUE(Enabled("ATB_PartSendToSch"));
    EXPECT_EQ(view.Tool("ATB_PartViewSymbol")->menu(), nullptr) << "no groups for two rows";
    view.PopupMenu()->hide();

    ClickRow(lm358);
    ClickRow(lm358, Qt::RightButton);
    EXPECT_TRUE(Enabled("ATB_PartViewSymbol")) << "available again";
    EXPECT_NE(view.Tool("ATB_PartViewSymbol")->menu(), nullptr);
}

TEST_F(ResultListViewTest, UsedByPartOffersTheNamedLibraryOfThePartGrid) {
    ResultListView& view = View(LibraryKind::Symbol);
    std::string library = "A.PART";
    view.SetPartGridLibrary([&] { return library; });
    Fill(LibraryKind::Symbol, "*");
    ClickRow(0, Qt::RightButton);
    QAction* named = view.Tool("ATB_NamedLib");
    ASSERT_NE(named, nullptr);
    EXPECT_TRUE(named->isVisible());
    named->trigger();
    ASSERT_EQ(m_chosen.size(), 1u);
    EXPECT_EQ(m_chosen[0], std::make_pair(ResultTool::UsedByPartNamedLibrary, QString("A.PART")));
    view.PopupMenu()->hide();

    library = "[all libraries]";
    ClickRow(0, Qt::RightButton);
    EXPECT_FALSE(named->isVisible());
    EXPECT_FALSE(named->isEnabled());
}

TEST_F(ResultListViewTest, ADragCarriesTheDropRecordsAndTheFocusedKey) {
    ResultListView& view = View();
    Fill(LibraryKind::Part, "LM*");
    Fill(LibraryKind::Part, "*", kProjectLibrary);
    ClickRow(4);                                      // SPARE, the project's own
    ClickRow(1, Qt::LeftButton, Qt::ControlModifier); // LM358 from B.PART
    std::vector<std::vector<BWR_SEARCHRESULT>> uploads;
    view.SetDropDataHandler([&](const auto& records) { uploads.push_back(records); });
    std::unique_ptr<QMimeData> data(view.DragMimeData());
    EXPECT_TRUE(data->hasFormat(kDropRecordsMimeType));
    EXPECT_TRUE(uploads.empty()) << "nothing goes to the host until a drop target asks";
    const QByteArray bytes = data->data(kDropRecordsMimeType);
    ASSERT_EQ(uploads.size(), 1u);
    data->data(kDropKeyMimeType);
    EXPECT_EQ(uploads.size(), 1u) << "once per drag";
    const auto records = DecodeDropRecords(std::string_view(bytes.data(), bytes.size()));
    ASSERT_TRUE(records);
    const std::string libraryDir = m_browser.Dirs().libDir;
    const std::vector<BWR_SEARCHRESULT> expected{{0, "LM358", libraryDir + "\\B.PART"},
                                                 {kInProject, "SPARE", ""}};
    EXPECT_EQ(*records, expected) << "in list order; the project's own have no library";
    EXPECT_EQ(uploads.front(), expected);
    EXPECT_EQ(data->data(kDropKeyMimeType), "PART|3|2") << "the key of the focused row";
}

TEST_F(ResultListViewTest, CtrlSSavesTheListThroughTheChosenFile) {
    ResultListView& view = View(LibraryKind::Package);
    int dialogs = 0;
    view.SetSaveFileChooser([&](const SaveListDialog& dialog) {
        ++dialogs;
        EXPECT_EQ(dialog.fileName, "Pkglst.txt");
        return m_dir / "packages.txt";
    });
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 0) << "an empty list is not saved";
    Fill(LibraryKind::Package, "DIP*");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(test::ReadFile(m_dir / "packages.txt"), "1)  DIP14\r\n2)  DIP8\r\n");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer is back";
}

// --- Delete (Shift+Delete and the menus' delete tools)

TEST_F(ResultListViewTest, DeleteAsksThenDeletesTheSelectedRowsFromTheirLibrary) {
    ResultListView& view = View();
    Fill(LibraryKind::Part, "*", "A.PART");
    const QStringList five{"74LS00", "74HC00", "SN74LS00N", "74LS02", "LM741"};
    ASSERT_EQ(Names(), five);
    const std::string library = test::ReadFile(m_dir / "LIB" / "A.PART");

    ClickRow(1);
    ClickRow(3, Qt::LeftButton, Qt::ControlModifier);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Names(), five) << "answered no";
    EXPECT_EQ(test::ReadFile(m_dir / "LIB" / "A.PART"), library);

    m_boxes.answers = {MsgAnswer::Yes};
    ClickRow(3, Qt::RightButton, Qt::ControlModifier);
    ASSERT_TRUE(Enabled("ATB_PartDelete")) << "for any number of rows";
    view.Tool("ATB_PartDelete")->trigger();
    EXPECT_EQ(Names(), (QStringList{"74LS00", "SN74LS00N", "LM741"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
    const std::string after = test::ReadFile(m_dir / "LIB" / "A.PART");
    EXPECT_EQ(after.find("74HC00"), std::string::npos);
    EXPECT_NE(after.find("SN74LS00N"), std::string::npos);
    EXPECT_EQ(m_boxes.shown.size(), 2u) << "no message after deletes that worked";
}

TEST_F(ResultListViewTest, DeletingFromTheProjectAsksAgainOnlyForAUsedPart) {
    View();
    const auto inProject = [&](const char* name) {
        return FindInProject(m_kernel, LibraryKind::Part, name) > 0;
    };
    Fill(LibraryKind::Part, "*", kProjectLibrary);
    ASSERT_EQ(Names(), (QStringList{"74LS00", "LM741", "SPARE"}));

    m_boxes.answers = {MsgAnswer::Yes};
    ClickRow(2);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_FALSE(inProject("SPARE")) << "placed nowhere: deleted without a second question";
    EXPECT_EQ(m_boxes.shown.size(), 1u);

    m_boxes.answers = {MsgAnswer::Yes, MsgAnswer::No};
    ClickRow(0);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(m_boxes.shown.size(), 3u);
    EXPECT_EQ(m_boxes.shown[2].text, "Selected Part Used in Project\r\nDeleting this Part will "
                                     "cause NetList corruption\r\nDelete anyway ?");
    EXPECT_TRUE(inProject("74LS00")) << "kept on no";
}

TEST_F(ResultListViewTest, AFailedDeleteShowsTheMessageOfItsKind) {
    Search(LibraryKind::Part, "74LS00", "A.PART");
    Search(LibraryKind::Symbol, "7400");
    std::filesystem::remove(m_dir / "LIB" / "A.PART");
    std::filesystem::remove(m_dir / "LIB" / "LOGIC.SYMBOL");
    struct Case {
        LibraryKind kind;
        const char* question;
        const char* message;
    };
    for (const Case& c : {Case{LibraryKind::Part, "Permanently Delete Selected Part(s)?",
                               "Can't delete Part: 74LS00 from disk library"},
                          Case{LibraryKind::Symbol, "Permanently Delete Selected Symbol(s)?",
                               "Can't delete Symbol/Package: 7400 from disk library"}}) {
        m_view.reset();
        m_boxes.shown.clear();
        m_boxes.answers = {MsgAnswer::Yes};
        View(c.kind).Model().SyncNewRows();
        ClickRow(0);
        Key(Qt::Key_Delete, Qt::ShiftModifier);
        EXPECT_EQ(m_boxes.Texts(), (std::vector<std::string>{c.question, c.message}));
        EXPECT_EQ(m_boxes.shown.back().icon, MsgIcon::Exclamation);
    }
}

} // namespace
} // namespace k2k
