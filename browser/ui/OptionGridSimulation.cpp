// The simulation pick buttons of the part and symbol grids.
#include "browser/ui/OptionGrid.h"

#include "browser/BrowserComponent.h"
#include "browser/SimulationPicks.h"
#include "browser/ui/BrowserMainWindow.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/SuiteText.h"
#include "simulation/ui/frmSimulation.h"

namespace k2k {

namespace {

constexpr int kValueCol = 1;

// The one simulation dialog of the window that holds the grids (a grid's window may be the
// grid itself): made on first use, then kept, so its lists and picks outlast each use.
frmSimulation& SimulationDialog(QWidget& owner, BrowserComponent& browser) {
    if (auto* dialog = owner.findChild<frmSimulation*>(QString(), Qt::FindDirectChildrenOnly))
        return *dialog;
    auto* window = qobject_cast<BrowserMainWindow*>(&owner);
    auto* dialog = new frmSimulation(browser.State().simulationPicker, browser.Services(),
                                     window ? window->WindowFont() : owner.font(), &owner);
    if (window)
        dialog->SetHelpHandler(
            [window, dialog] { window->Help().ShowHelpTopic(static_cast<long>(dialog->winId())); });
    return *dialog;
}

} // namespace

void OptionGrid::PickSimulationReference(int row) {
    const std::optional<SimulationPickButton> button = SimulationPickAt(m_kind, row);
    if (!button)
        return;
    frmSimulation& dialog = SimulationDialog(*m_grid.window(), m_browser);
    dialog.setWindowTitle(Text(button->title, button->titleId));
    PickedSimulationRef picked;
    switch (button->tab) {
    case SimulationTab::Function:
        picked.simFunction = dialog.GetSimFunction();
        break;
    case SimulationTab::ElementCode:
        dialog.GetElementCode(picked.elementCode, picked.modelCode, picked.modelVariant);
        break;
    case SimulationTab::Subcircuit:
        dialog.GetSubcircuit(picked.elementCode, picked.modelCode, picked.modelVariant);
        break;
    }
    if (!dialog.Accepted())
        return; // a cancelled pick keeps the cells
    for (const GridWrite& write : SimulationPickWrites(m_kind, button->pick, picked))
        m_grid.SetCellText(write.row, kValueCol, FromSuiteText(write.value));
}

} // namespace k2k
