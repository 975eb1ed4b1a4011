#pragma once
// frmOptions, the options dialog: a tab per object kind (tabOptions 0 to 3) whose list
// (lstOptions0 to 3, several items selectable) names the kind's display options with the
// shown ones selected, and the General tab (4) with the grid KldOptions of the general
// options; OK (cmdOK) and Cancel (cmdCancel). A right-button release over a list pops up
// the menu mnuOptions: Select All (ATB_SelectAll) and UnSelect All (ATB_UnSelectAll) act
// on the current tab's list.
//
// The window holds no rule: each opening (LoadForm) fills the controls from a working
// copy of the tables (OptionsDialogState); OK reads the controls into one and hands it to
// ConfirmOptions (options/OptionsDialogState.h), which stores it and says whether
// anything changed. The dialog is made once and kept; each opening starts from the
// tables again, so what a Cancel dropped never comes back.

#include "options/OptionsDialogState.h"

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;

namespace k2k {

class K2kGrid;
class SuiteServices;
class UserSettings;

class frmOptions final : public QDialog {
    Q_OBJECT
public:
    // The tables and the general options are the browser's; OK changes and stores them.
    frmOptions(DisplayOptions& tables, GeneralOptions& general, SuiteServices& services,
               UserSettings& settings, const QFont& font, QWidget* parent = nullptr);
    ~frmOptions() override;

    // OK refuses to store below kOptionsEditMode; the browser's menu sets the edit mode.
    int Mode() const noexcept { return m_mode; }
    void SetMode(int mode) noexcept { m_mode = mode; }

    // The form's load: captions, and the lists and the grid from the tables.
    void LoadForm();
    // Loads the form, shows the tab (0 to 4), centred on the screen, and waits until the
    // dialog closes. True when OK stored a change.
    bool ShowModal(int tabIndex);
    // What the last OK of this opening answered: true when anything differed.
    bool Changed() const noexcept { return m_changed; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void SelectAll(bool select); // the pop-up menu's tools, on the current tab's list

    QMenu& PopupMenu() const { return *m_popup; }
    // Ctrl+F1 shows the browser's help topic through this.
    void SetHelpHandler(std::function<void()> showHelp) { m_showHelp = std::move(showHelp); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitToContents();
    void BuildPopupMenu();
    void FillLists(const OptionsDialogState& working);
    void FillGeneralGrid(const OptionsDialogState& working);
    void ReadControls(OptionsDialogState& state) const;
    QListWidget* ListOfViewport(QObject* watched) const;

    DisplayOptions& m_tables;
    GeneralOptions& m_general;
    SuiteServices& m_services;
    UserSettings& m_settings;
    QTabWidget* m_tabOptions;
    std::array<QLabel*, kObjectKinds> m_lblDisp{};
    std::array<QListWidget*, kObjectKinds> m_lstOptions{};
    K2kGrid* m_kldOptions = nullptr;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdCancel;
    QMenu* m_popup = nullptr;
    int m_mode = 0;
    bool m_changed = false;
    std::function<void()> m_showHelp;
};

} // namespace k2k
