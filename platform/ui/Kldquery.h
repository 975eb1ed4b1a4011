#pragma once
// Kldquery, the modal question box that asks for one value: typed (style 1, and any style
// other than 2 and 3), typed or chosen (style 2), or chosen from a list (style 3).
//
// QUERY takes the values with the current text in values[0] and the list in values[1..N].
// On Accept (the button, or Enter) the answer is the visible control's text; style 3 also
// answers the chosen list position + 1 as its index. Cancel answers an empty text. Either
// way values[0] receives the answer and index the answer index, which starts at 0 on
// every call as the answer starts empty.

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace k2k {

class SuiteServices;

class Kldquery final : public QDialog {
    Q_OBJECT
public:
    Kldquery(const SuiteServices& services, const QFont& font, QWidget* parent = nullptr);

    std::string QUERY(const std::string& title, const std::string& prompt,
                      std::vector<std::string>& values, int style, int& index);

    bool Cancelled() const noexcept { return m_cancelled; }
    // Ctrl+F1, wherever the focus is in the box, shows the browser's help topic through this.
    void SetHelpHandler(std::function<void()> showHelp) { m_showHelp = std::move(showHelp); }

private:
    void Prepare(const std::string& title, const std::string& prompt,
                 const std::vector<std::string>& values, int style, int index);
    void SetForm();
    void cmdAccept_Click();
    void cmdCancel_Click();

    QLabel* m_lblPrompt;
    QLineEdit* m_txtText;
    QComboBox* m_cboCombo;
    QComboBox* m_cboDropdown;
    QPushButton* m_cmdAccept;
    QPushButton* m_cmdCancel;

    int m_style = 1;
    std::string m_answer;
    int m_answerIndex = 0;
    bool m_cancelled = false;
    std::function<void()> m_showHelp;
};

} // namespace k2k
