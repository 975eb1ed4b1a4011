#pragma once
// frmSimulation, the modal dialog that picks a simulation reference: a simulation function
// (tab 0), a Spice element code with its model and variant (tab 1) or a Spice subcircuit
// (tab 2). Each entry point shows its own tab only; the caller sets the caption first.
//
// Tab pages picSimulation0 to 2 each hold their filters and their list (lvwSimulation0 to
// 2): chkAnalog and chkDigital, chkStandardCkt and chkCodeModel, the frame fraFamily with
// cboFamily. cmdOK ("Accept") takes the selected row, cmdCancel keeps what was picked
// before; a double click on a row accepts it. The lists, filters, sort and picked values
// are the component's SimulationPicker, so they outlast the dialog's uses; the window only
// shows them and hands the clicks in.
//
// The dialog is made on first use and kept: closing it only hides it, and it goes with the
// window that owns it.

#include "simulation/SimulationPicker.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTabWidget;
class QTreeView;

namespace k2k {

class SimulationListModel;
class SuiteServices;

class frmSimulation final : public QDialog {
    Q_OBJECT
public:
    frmSimulation(SimulationPicker& picker, const SuiteServices& services, const QFont& font,
                  QWidget* parent = nullptr);
    ~frmSimulation() override;

    // The entry points: each shows its one tab modally and answers the picked values
    // (those of an earlier use when this one was cancelled or nothing was selected).
    std::int32_t GetSimFunction();
    void GetElementCode(std::string& ElementCode, std::string& ModelCode,
                        std::string& ModelVariant);
    void GetSubcircuit(std::string& ElementCode, std::string& ModelCode, std::string& ModelVariant);
    // True when the last use ended with OK (or a double click on a row) on a selected row.
    bool Accepted() const noexcept { return m_accepted; }

    // What Ctrl+F1 runs: the browser's help topic.
    void SetHelpHandler(std::function<void()> handler) { m_help = std::move(handler); }

    QTreeView* List(SimulationTab tab) const { return m_lists[Index(tab)]; }

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void done(int result) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static std::size_t Index(SimulationTab tab) { return static_cast<std::size_t>(tab); }
    QWidget* BuildPage(SimulationTab tab, QWidget* filters);
    void ShowOnly(SimulationTab tab);
    // The controls and lists as the picker holds them (a start-up may have refilled it).
    void SyncFromPicker();
    void ListChanged(SimulationTab tab);
    void RowSelected(SimulationTab tab);
    void Activated();

    SimulationPicker& m_picker;
    QTabWidget* m_tabs;
    std::array<QWidget*, kSimulationTabCount> m_pages{};
    std::array<QTreeView*, kSimulationTabCount> m_lists{};
    std::array<SimulationListModel*, kSimulationTabCount> m_models{};
    QCheckBox* m_chkAnalog;
    QCheckBox* m_chkDigital;
    QCheckBox* m_chkStandardCkt;
    QCheckBox* m_chkCodeModel;
    QGroupBox* m_fraFamily;
    QComboBox* m_cboFamily;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdCancel;
    std::function<void()> m_help;
    bool m_accepted = false;
    bool m_syncing = false; // the picker is being shown: the controls' signals change nothing
};

} // namespace k2k
