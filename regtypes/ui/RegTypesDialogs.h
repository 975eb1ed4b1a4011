#pragma once
// The browser window's four registered-types dialogs, each made on first use and kept:
// the menu commands open one for editing and have the profile written when it is closed
// with OK; the pick buttons of the option grids open the one that shows a table and take
// the path picked on it.

#include "regtypes/RegTypesEditor.h"

#include <QFont>
#include <QPointer>

#include <array>
#include <functional>
#include <string>

class QWidget;

namespace k2k {

class FileOps;
class RegTypesDialog;
class SuiteServices;

struct RegTypesContext {
    RegTypeTables* tables = nullptr;
    SuiteServices* services = nullptr;
    FileOps* files = nullptr;
    QWidget* owner = nullptr; // the dialogs' parent, which deletes them
    QFont font;
    bool maintenanceMode = false;
    std::function<void()> showHelp; // Ctrl+F1
};

class RegTypesDialogs final {
public:
    explicit RegTypesDialogs(RegTypesContext context) : m_context(std::move(context)) {}
    RegTypesDialogs(const RegTypesDialogs&) = delete;
    RegTypesDialogs& operator=(const RegTypesDialogs&) = delete;

    RegTypesDialog& Dialog(RegTypesKind kind);

    // The menu command: the localised caption, centred and modal; when the dialog is closed
    // with OK the profile is written. True when it was.
    bool OpenForEditing(RegTypesKind kind);
    // A pick button: the dialog that shows the table, with the caller's title (8-bit text);
    // answers the path picked on the table's tree at the last OK.
    std::string Pick(int table, const std::string& title);

private:
    RegTypesContext m_context;
    std::array<QPointer<RegTypesDialog>, 4> m_dialogs{};
};

} // namespace k2k
