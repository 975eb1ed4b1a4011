#include "browser/ui/ResultListModel.h"

#include "browser/ui/BrowserImages.h"
#include "search/ResultList.h"
#include "support/ui/BrowserFixtures.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QItemSelectionModel>
#include <QPixmap>

#include <utility>

namespace k2k {
namespace {

class ResultListModelTest : public test::ResultListFixture {
protected:
    QString Text(const ResultListModel& model, int row, int column) const {
        return model.data(model.index(row, column)).toString();
    }
    QColor Colour(const ResultListModel& model, int row, int column = 0) const {
        return model.data(model.index(row, column), Qt::ForegroundRole).value<QBrush>().color();
    }
    QImage Image(const ResultListModel& model, int row) const {
        return model.data(model.index(row, 0), Qt::DecorationRole).value<QPixmap>().toImage();
    }
    QStringList Column(const ResultListModel& model, int column) const {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << Text(model, row, column);
        return texts;
    }
};

TEST_F(ResultListModelTest, RowsShowTheShownColumnsInTheColourOfTheirSearch) {
    ShowColumns(LibraryKind::Part, {"Library", "Description", "Symbols", "Package", "Typ"},
                {true, false, true, false, false});
    ResultListModel model(Results(LibraryKind::Part), m_browser.State().displayOptions);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Symbols");

    Search(LibraryKind::Part, "LM*");
    Search(LibraryKind::Part, "74LS0?");
    model.SyncNewRows();
    EXPECT_EQ(Column(model, 0), (QStringList{"LM741", "LM358", "74LS00", "74LS02"}));
    EXPECT_EQ(Column(model, 1), (QStringList{"A.PART", "B.PART", "A.PART", "A.PART"}));
    EXPECT_EQ(Text(model, 1, 2), "OPAMP,OPAMP_PWR");
    EXPECT_EQ(model.data(model.index(3, 0), ResultListModel::KeyRole).toString(), "PART|3|4");

    // The first search draws in entry 1 of the colour table, the next in entry 2.
    EXPECT_EQ(Colour(model, 1), QColor(255, 0, 0));
    EXPECT_EQ(Colour(model, 2), QColor(128, 0, 0));
    EXPECT_EQ(Colour(model, 2, 2), QColor(128, 0, 0)) << "every column in the row's colour";

    // LM741 and 74LS00 are placed in the project; LM358 and 74LS02 are not.
    EXPECT_EQ(Image(model, 0), BrowserImage("STAT_USEDIN_PROJECT").toImage());
    EXPECT_EQ(Image(model, 1), ClearImage().toImage());
    EXPECT_TRUE(model.data(model.index(2, 1), Qt::DecorationRole).isNull());

    // A text marked for a bar over it reads without the markup.
    Results(LibraryKind::Part)
        .Append("A.PART", "~{RESET}_IC", test::PartInfo("", "", "~{Q}"), 0, 0);
    model.SyncNewRows();
    EXPECT_EQ(Text(model, 4, 0), "RESET_IC");
    EXPECT_EQ(Text(model, 4, 2), "Q");
}

TEST_F(ResultListModelTest, ProjectResultsAreLabelledAndOtherDisplayOptionsTakeEffectOnReset) {
    ResultListModel model(Results(LibraryKind::Part), m_browser.State().displayOptions);
    Search(LibraryKind::Part, "*", kProjectLibrary);
    model.SyncNewRows();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(Results(LibraryKind::Part).Library(3), "Project Library")
        << "the list itself is labelled";
    // SPARE is in the project but placed nowhere.
    EXPECT_EQ(Image(model, 2), BrowserImage("STAT_LOCAL_LIB").toImage());

    ShowColumns(LibraryKind::Part, {"Bibliothek"}, {true});
    EXPECT_EQ(model.columnCount(), 1) << "the columns change only when the list is set up anew";
    model.Reset();
    ASSERT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Bibliothek");
    EXPECT_EQ(Column(model, 1),
              (QStringList{"Project Library", "Project Library", "Project Library"}));
}

// The window fills the view from the search feedback while the search runs; every batch
// arrives as one insertion, and rows are never told twice.
TEST_F(ResultListModelTest, NewRowsArriveInBatchesDuringASearch) {
    ResultListModel model(Results(LibraryKind::Part), m_browser.State().displayOptions);
    std::vector<std::pair<int, int>> inserted;
    QObject::connect(
        &model, &QAbstractItemModel::rowsInserted,
        [&](const QModelIndex&, int first, int last) { inserted.emplace_back(first, last); });
    int pending = 0;
    m_feedback.pending = [&] {
        if (++pending % 3 == 0)
            model.SyncNewRows();
    };
    m_feedback.resultsChanged = [&](LibraryKind) { model.SyncNewRows(); };

    Search(LibraryKind::Part, "*");
    model.SyncNewRows();
    model.SyncNewRows();
    ASSERT_EQ(model.rowCount(), 7);
    ASSERT_GT(inserted.size(), 1u) << "the rows came while the search ran";
    int next = 0;
    for (const auto& [first, last] : inserted) {
        EXPECT_EQ(first, next) << "each batch follows the one before";
        EXPECT_GE(last, first);
        next = last + 1;
    }
    EXPECT_EQ(next, 7) << "every row was inserted once";

    // New Search empties the list: the next sync lists it afresh.
    ASSERT_TRUE(m_browser.Engine().NewSearch(LibraryKind::Part));
    model.SyncNewRows();
    EXPECT_EQ(model.rowCount(), 0);
    Search(LibraryKind::Part, "LM*");
    EXPECT_EQ(model.rowCount(), 2);
}

TEST_F(ResultListModelTest, SortingMovesRowsAndKeepsTheSelectionOnItsResults) {
    ShowColumns(LibraryKind::Part, {"Library"}, {true});
    ResultListModel model(Results(LibraryKind::Part), m_browser.State().displayOptions);
    Search(LibraryKind::Part, "74*");
    Search(LibraryKind::Part, "LM*");
    model.SyncNewRows();
    QItemSelectionModel selection(&model);
    selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(Column(model, 0),
              (QStringList{"74HC00", "74HCT00", "74LS00", "74LS02", "LM358", "LM741"}));
    model.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(Column(model, 1),
              (QStringList{"B.PART", "B.PART", "A.PART", "A.PART", "A.PART", "A.PART"}));
    EXPECT_EQ(Column(model, 0).mid(0, 2), (QStringList{"74HCT00", "LM358"}))
        << "equal libraries keep the name order of the sort before";
    const QModelIndexList selected = selection.selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(Text(model, selected[0].row(), 0), "74HC00") << "the selection follows its row";

    // Results found after a sort come last, whatever the order.
    Search(LibraryKind::Part, "SN*");
    model.SyncNewRows();
    EXPECT_EQ(Text(model, 6, 0), "SN74LS00N");
    EXPECT_EQ(model.data(model.index(6, 0), ResultListModel::KeyRole).toString(), "PART|3|7");
}

} // namespace
} // namespace k2k
