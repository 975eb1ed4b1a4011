#pragma once
// The table model of one list of the simulation-reference dialog. It adapts and never
// copies: every cell reads the SimulationPicker's list when the view asks. The column
// captions are given in the suite's language; a row's tool tip is the picker's. After the picker's
// list changed (a filter, a sort, a new start-up) the dialog calls Reset.

#include "simulation/SimulationPicker.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace k2k {

class SimulationListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    SimulationListModel(SimulationPicker& picker, SimulationTab tab, QStringList captions,
                        QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    SimulationTab Tab() const noexcept { return m_tab; }
    void Reset();

private:
    SimulationPicker& m_picker;
    SimulationTab m_tab;
    QStringList m_captions;
};

} // namespace k2k
