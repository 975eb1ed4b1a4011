#include "browser/ui/LibraryPathChange.h"

#include "browser/ui/BrowserMainWindow.h"
#include "common/Messages.h"
#include "platform/ui/SuiteText.h"
#include "system/NativePath.h"

#include <QFileDialog>

namespace k2k {

LibraryPathChange::LibraryPathChange(BrowserMainWindow& window,
                                     std::function<void()> resetSearchState,
                                     std::function<bool()> editSearchSequence)
    : m_window(window), m_resetSearchState(std::move(resetSearchState)),
      m_editSearchSequence(std::move(editSearchSequence)) {
}

void LibraryPathChange::Run() {
    ChangeLibraryPath(m_window.Component(), m_window.Exchange().Messages(), *this);
}

std::string LibraryPathChange::ChooseFolder(const std::string& title,
                                            const std::string& startFolder) {
    return m_chooseFolder ? m_chooseFolder(title, startFolder)
                          : ChooseFolderWithDialog(title, startFolder);
}

void LibraryPathChange::ShowHourglass(bool on) {
    m_window.SetHourglass(on);
}

void LibraryPathChange::ShowLibraryDirectory() {
    m_window.SetCaption(MainWindowCaption(m_window.Component().Dirs().libDir));
    m_window.RefillLibraryLists();
}

std::string LibraryPathChange::ChooseFolderWithDialog(const std::string& title,
                                                      const std::string& startFolder) {
    const QString chosen = QFileDialog::getExistingDirectory(
        &m_window, FromSuiteText(title), FromSuiteText(DisplayPath(startFolder)));
    if (chosen.isEmpty())
        return {};
    const auto folder = SuitePath(std::filesystem::path(chosen.toStdString()));
    if (folder)
        return *folder;
    // The sentence names the character the suite cannot hold; it is shown as "?".
    QString shown;
    for (const QChar c : QString::fromStdString(folder.Message()))
        shown += ToSuiteText(QString(c)) ? c : QChar(u'?');
    m_window.Boxes().Show({ToSuiteText(shown).value_or(std::string()),
                           MessageTitle(m_window.Component().Services()), MsgIcon::Exclamation});
    return {};
}

} // namespace k2k
