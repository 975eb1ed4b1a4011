#include "browser/ui/ResultColumnWidths.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QTableView>

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

void ResultColumnWidths::Lay() {
    const QScopedValueRollback laying(m_laying, true);
    QHeaderView* header = m_view.horizontalHeader();
    const bool hasRows = m_view.model()->rowCount() > 0;
    for (int column = 0; column < m_view.model()->columnCount(); ++column) {
        // The header's hint holds the caption and, the indicator being on, the sort arrow.
        const int caption = header->sectionSizeHint(column);
        if (const int chosen = ChosenWidth(Caption(column)))
            header->resizeSection(column, chosen);
        else if (m_fit && hasRows)
            m_view.resizeColumnToContents(column);
        else
            header->resizeSection(column, qMax(header->defaultSectionSize(), caption));
    }
}

} // namespace k2k
