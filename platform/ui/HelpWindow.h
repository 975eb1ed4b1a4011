#pragma once
// The help display: the window in which the kernel's help requests are shown. It reads the
// help file named in each request (formats/HelpFile), lists its topics and shows the one
// asked for; topic 0, or a topic the file lacks, shows the contents. The macro
// "PositionWindow(x, y, width, height, state, "main")" places it, its numbers in
// thousand-and-twenty-fourths of the screen as the suite's help macros count; quit hides it.

#include "formats/HelpFile.h"
#include "platform/KernelValues.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace k2k {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // From now on every help request of the kernel comes here.
    void Attach(KernelValues& kernel);
    void Handle(const KernelValues::HelpRequest& request);

    // helpFile in the suite's form.
    void ShowTopic(const std::string& helpFile, int topic);
    int ShownTopic() const noexcept { return m_shownTopic; }

private:
    bool Load(const std::string& helpFile);
    void Show(int topic);
    void Position(const std::string& macro);

    QListWidget* m_lstTopics;
    QLabel* m_lblTitle;
    QPlainTextEdit* m_txtTopic;
    HelpFile m_file;
    std::string m_loadedFile;
    std::string m_loadError;
    int m_shownTopic = -1;
};

} // namespace k2k
