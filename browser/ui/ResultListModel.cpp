#include "browser/ui/ResultListModel.h"

#include "browser/ResultColours.h"
#include "browser/ui/BrowserImages.h"
#include "formats/TextMarkup.h"
#include "options/DisplayOptions.h"
#include "platform/ui/SuiteText.h"
#include "search/ResultList.h"
#include "search/ResultRows.h"

#include <QBrush>
#include <QColor>

namespace k2k {

ResultListModel::ResultListModel(ResultList& results, const DisplayOptions& options,
                                 QObject* parent)
    : QAbstractTableModel(parent), m_results(results), m_options(options),
      m_columns(options, results.Kind()) {
    m_shown = m_results.Count();
    CaptionsAgain();
}

void ResultListModel::LocaliseCaptions(const SuiteServices& services) {
    m_services = &services;
    CaptionsAgain();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void ResultListModel::CaptionsAgain() {
    m_captions.clear();
    for (int column = 0; column < m_columns.Count(); ++column) {
        const std::string_view caption = m_columns.Caption(column);
        m_captions << (m_services ? FromSuiteText(LocalColumnCaption(*m_services, caption))
                                  : FromSuiteText(caption));
    }
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shown;
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns.Count();
}

int ResultListModel::ResultOfRow(int row) const {
    return m_results.Rows().Result(row + 1);
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shown || index.column() >= m_columns.Count())
        return {};
    const int i = ResultOfRow(index.row());
    switch (role) {
    case Qt::DisplayRole: {
        // A text with the overbar markup reads without it, as the viewers draw it.
        const std::string_view text = m_columns.Text(m_results, i, index.column(), m_scratch);
        if (text.find("~{") == std::string_view::npos)
            return FromSuiteText(text);
        return FromSuiteText(PlainText(text));
    }
    case Qt::ForegroundRole: {
        const ResultColour colour = ResultColourOf(m_results.Colour(i));
        return QBrush(QColor(colour.red, colour.green, colour.blue));
    }
    case Qt::DecorationRole:
        if (index.column() == 0) {
            const QPixmap image = BrowserImage(StatusImage(m_results.Status(i)));
            return image.isNull() ? ClearImage() : image;
        }
        return {};
    case KeyRole:
        return QString::fromStdString(RowKey(m_results.Kind(), i));
    case ResultRole:
        return i;
    default:
        return {};
    }
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_captions.size())
        return {};
    return m_captions[section];
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

void ResultListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= m_columns.Count())
        return;
    // The order covers every result, so the rows not yet shown come in first.
    SyncNewRows();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> resultsBefore;
    resultsBefore.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
        resultsBefore.push_back(ResultOfRow(index.row()));

    const bool ascending = order == Qt::AscendingOrder;
    if (column == 0)
        m_results.SortRowsByName(ascending);
    else
        m_results.SortRows(
            [this, column](const ResultList& results, int i) {
                return m_columns.Text(results, i, column, m_scratch);
            },
            ascending);

    std::vector<int> rowOf(static_cast<std::size_t>(m_results.Count()) + 1, 0);
    for (int row = 0; row < m_shown; ++row)
        rowOf[static_cast<std::size_t>(ResultOfRow(row))] = row;
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype p = 0; p < before.size(); ++p)
        after.push_back(
            index(rowOf[static_cast<std::size_t>(resultsBefore[p])], before[p].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultListModel::SyncNewRows() {
    const int count = m_results.Count();
    if (count < m_shown) {
        // The list lost results behind the model's back (a new search emptied it).
        Reset();
        return;
    }
    if (count == m_shown)
        return;
    beginInsertRows({}, m_shown, count - 1);
    m_shown = count;
    endInsertRows();
}

void ResultListModel::Reset() {
    beginResetModel();
    m_columns = ResultColumns(m_options, m_results.Kind());
    CaptionsAgain();
    m_shown = m_results.Count();
    endResetModel();
}

} // namespace k2k
