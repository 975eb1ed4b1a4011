#include "regtypes/ui/RegTypesDialogs.h"

#include "platform/SuiteServices.h"
#include "platform/ui/SuiteText.h"
#include "regtypes/ui/RegTypesDialog.h"

namespace k2k {

RegTypesDialog& RegTypesDialogs::Dialog(RegTypesKind kind) {
    QPointer<RegTypesDialog>& dialog = m_dialogs[static_cast<std::size_t>(kind)];
    if (!dialog) {
        dialog = new RegTypesDialog(kind, *m_context.tables, *m_context.services, m_context.font,
                                    m_context.owner);
        dialog->Editor().SetMaintenanceMode(m_context.maintenanceMode);
        dialog->SetHelpHandler(m_context.showHelp);
    }
    return *dialog;
}

bool RegTypesDialogs::OpenForEditing(RegTypesKind kind) {
    RegTypesDialog& dialog = Dialog(kind);
    const RegTypesForm& form = FormOf(kind);
    dialog.setWindowTitle(FromSuiteText(m_context.services->GetText(form.caption, form.captionId)));
    if (!dialog.OpenForEditing())
        return false;
    SaveAfterEditing(kind, *m_context.tables, *m_context.files, *m_context.services);
    return true;
}

std::string RegTypesDialogs::Pick(int table, const std::string& title) {
    RegTypesDialog& dialog = Dialog(DialogOfTable(table));
    dialog.setWindowTitle(FromSuiteText(title));
    return dialog.Pick(table);
}

} // namespace k2k
