#pragma once
// frmSplash, the picture window shown while the browser starts (its label carries the
// progress texts of the start-up) and usable as an About box. The picture is drawn, not
// read from a file, and always fills the whole window. The main window's StatusFeedback
// hands it the start-up's progress texts.

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace k2k {

class SuiteServices;

class frmSplash final : public QDialog {
    Q_OBJECT
public:
    frmSplash(const SuiteServices& services, const QFont& font, QWidget* parent = nullptr);

    // Modeless, without the OK button.
    void ShowAsSplash(bool lblVisible = true);
    // Modal, with the OK button; returns when it is closed.
    void ShowAsAbout(bool lblVisible = true);

    // The start-up's progress texts go into the label, painted at once.
    void ShowProgress(const std::string& text);

    // Ctrl+F1 shows the browser's help topic through this.
    void SetHelpHandler(std::function<void()> showHelp) { m_showHelp = std::move(showHelp); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void cmdOk_Click();
    void StretchPicture();

    QLabel* m_imgPicture;
    QLabel* m_lblMsg;
    QPushButton* m_cmdOk;
    std::function<void()> m_showHelp;
};

} // namespace k2k
