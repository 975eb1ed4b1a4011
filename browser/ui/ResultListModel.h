#pragma once
// The table model of one kind's result list. It adapts and never copies: row r shows the
// result the list's row order names (search/RowOrder.h), and every cell reads the list when
// the view asks. Column 0 is "Name"; then come the kind's optional columns that the display
// options show (browser/ResultColumns.h). A row is drawn in the colour of the search that
// found it and carries its status image and its key ("PART|3|12").
//
// Results reach the view in batches: during a search the window's StatusFeedback calls
// SyncNewRows (about every 100 ms and at the end), which inserts the results added since
// the last call in one step. Reset lists everything again (New Search, removals, other
// display options).

#include "browser/ResultColumns.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <string_view>
#include <vector>

namespace k2k {

class ResultList;
struct DisplayOptions;
class SuiteServices;

class ResultListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int KeyRole = Qt::UserRole;        // the row key, "PART|3|12"
    static constexpr int ResultRole = Qt::UserRole + 1; // the result number, from 1

    ResultListModel(ResultList& results, const DisplayOptions& options, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Sorts the rows by a column through the list's row order; rows with equal texts keep
    // their order. Selected rows stay selected.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Inserts the rows of the results appended since the last call (or Reset), in one step.
    void SyncNewRows();
    // The columns from the display options again, and every result of the list.
    void Reset();
    // The headings in the suite's language from now on (the stored captions without it).
    void LocaliseCaptions(const SuiteServices& services);

    ResultList& Results() noexcept { return m_results; }
    const ResultList& Results() const noexcept { return m_results; }
    const ResultColumns& Columns() const noexcept { return m_columns; }
    // The result a row shows (rows from 0, results from 1).
    int ResultOfRow(int row) const;

private:
    void CaptionsAgain();

    ResultList& m_results;
    const DisplayOptions& m_options;
    ResultColumns m_columns;
    const SuiteServices* m_services = nullptr;
    QStringList m_captions;                          // the headings shown
    int m_shown = 0;                                 // rows the view has been told of
    mutable std::vector<std::string_view> m_scratch; // a row's optional values
};

} // namespace k2k
