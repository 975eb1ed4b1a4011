#include "browser/ui/ResultColumnWidths.h"

#include "browser/ColumnWidths.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <limits>

namespace k2k {

ResultColumnWidths::ResultColumnWidths(QTableView& view) : QObject(&view), m_view(view) {
    QHeaderView* header = m_view.horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!m_laying)
            m_chosen.insert(Caption(column), width);
    });
    // The view fits the column on a double click of its edge first; then it is fitted again
    // after each search.
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int column) { m_chosen.remove(Caption(column)); });
    QAbstractItemModel* model = m_view.model();
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_laying = true; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_laying = false;
        Lay();
    });
}

QString ResultColumnWidths::Caption(int column) const {
    return m_view.model()->headerData(column, Qt::Horizontal).toString();
}

void ResultColumnWidths::Fit(bool fit) {
    m_fit = fit;
    Lay();
}

int ResultColumnWidths::VisibleWidth() const {
    int width = m_view.viewport()->width();
    // Rows that will not fit the height bring the vertical scroll bar, which takes its width.
    const QScrollBar* vertical = m_view.verticalScrollBar();
    if (!vertical->isVisible() && m_view.verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
        m_view.model()->rowCount() * m_view.verticalHeader()->defaultSectionSize() >
            m_view.viewport()->height())
        width -= m_view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vertical);
    return width;
}

void ResultColumnWidths::Lay() {
    const QScopedValueRollback laying(m_laying, true);
    QHeaderView* header = m_view.horizontalHeader();
    const bool hasRows = m_view.model()->rowCount() > 0;
    std::vector<ColumnWant> wants;
    for (int column = 0; column < m_view.model()->columnCount(); ++column) {
        // The header's hint holds the caption and, the indicator being on, the sort arrow.
        const int caption = header->sectionSizeHint(column);
        ColumnWant want{qMax(header->defaultSectionSize(), caption), caption,
                        ChosenWidth(Caption(column)), column == 0};
        if (m_fit && hasRows && want.chosen == 0)
            want.content = qMax(
                static_cast<const QAbstractItemView&>(m_view).sizeHintForColumn(column), caption);
        wants.push_back(want);
    }
    // Fitted columns share the visible width; a list laid to its default widths keeps them.
    const std::vector<int> widths =
        ShareWidth(wants, m_fit && hasRows ? VisibleWidth() : std::numeric_limits<int>::max());
    for (int column = 0; column < static_cast<int>(widths.size()); ++column)
        header->resizeSection(column, widths[static_cast<std::size_t>(column)]);
}

} // namespace k2k
