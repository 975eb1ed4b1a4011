#include "simulation/ui/SimulationListModel.h"

#include "platform/ui/SuiteText.h"

#include <QFontDatabase>
#include <QWidget>

namespace k2k {

SimulationListModel::SimulationListModel(SimulationPicker& picker, SimulationTab tab,
                                         QStringList captions, QObject* parent)
    : QAbstractTableModel(parent), m_picker(picker), m_tab(tab), m_captions(std::move(captions)) {
}

int SimulationListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_picker.RowCount(m_tab);
}

int SimulationListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_captions.size());
}

QVariant SimulationListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return FromSuiteText(m_picker.Text(m_tab, index.row(), index.column()));
    if (role == Qt::FontRole && m_tab == SimulationTab::Function && index.column() == 0) {
        // the numbers are right-aligned in their text: a fixed pitch shows it
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (const auto* view = qobject_cast<const QWidget*>(QObject::parent()))
            font.setPointSizeF(view->font().pointSizeF());
        return font;
    }
    if (role == Qt::ToolTipRole) {
        // The same text over every column of a row; none when the row has none.
        const std::string tip = m_picker.ToolTip(m_tab, index.row());
        return tip.empty() ? QVariant() : QVariant(FromSuiteText(tip));
    }
    return {};
}

QVariant SimulationListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_captions.size())
        return {};
    return m_captions.at(section);
}

void SimulationListModel::Reset() {
    beginResetModel();
    endResetModel();
}

} // namespace k2k
