#include "platform/ui/HelpWindow.h"

#include "platform/ui/SuiteText.h"
#include "system/NativePath.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>

namespace k2k {

namespace {

constexpr int kHelpTopic = 0;
constexpr int kHelpQuit = 2;
constexpr int kHelpCommand = 258;
constexpr double kMacroScreenUnits = 1024.0;

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_lstTopics(new QListWidget(this)), m_lblTitle(new QLabel(this)),
      m_txtTopic(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help"));
    m_lstTopics->setObjectName(QStringLiteral("lstTopics"));
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_txtTopic->setObjectName(QStringLiteral("txtTopic"));
    m_txtTopic->setReadOnly(true);
    m_lstTopics->setAccessibleName(QStringLiteral("Topics"));
    m_txtTopic->setAccessibleName(QStringLiteral("Topic"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);

    auto* right = new QVBoxLayout;
    right->addWidget(m_lblTitle);
    right->addWidget(m_txtTopic, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_lstTopics, 1);
    layout->addLayout(right, 2);
    resize(640, 420);

    connect(m_lstTopics, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Show(item->data(Qt::UserRole).toInt()); });
    connect(m_lstTopics, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Show(item->data(Qt::UserRole).toInt()); });
}

void HelpWindow::Attach(KernelValues& kernel) {
    kernel.SetHelpListener([this](const KernelValues::HelpRequest& request) { Handle(request); });
}

void HelpWindow::Handle(const KernelValues::HelpRequest& request) {
    switch (request.command) {
    case kHelpTopic:
        ShowTopic(request.helpFile, request.topic);
        return;
    case kHelpCommand:
        Position(request.macro);
        return;
    case kHelpQuit:
        if (request.helpFile == m_loadedFile)
            hide();
        return;
    default:
        return;
    }
}

void HelpWindow::ShowTopic(const std::string& helpFile, int topic) {
    // The file is read on every request, so an edited help file shows at once.
    Load(helpFile);
    Show(topic);
    show();
    raise();
}

bool HelpWindow::Load(const std::string& helpFile) {
    m_loadedFile = helpFile;
    m_loadError = m_file.Read(NativePath(helpFile));
    m_lstTopics->clear();
    setWindowTitle(QStringLiteral("Help - ") + FromSuiteText(DisplayPath(helpFile)));
    for (const auto& [number, topic] : m_file.Topics()) {
        auto* item = new QListWidgetItem(FromSuiteText(topic.title), m_lstTopics);
        item->setData(Qt::UserRole, number);
    }
    return m_loadError.empty();
}

void HelpWindow::Show(int topic) {
    m_shownTopic = topic;
    if (!m_loadError.empty()) {
        m_lblTitle->setText(QStringLiteral("The help file cannot be shown"));
        m_txtTopic->setPlainText(FromSuiteText(m_loadError));
        return;
    }
    const HelpTopicText* text = m_file.Topic(topic);
    QString prefix;
    if (!text) {
        if (topic != 0)
            prefix = QStringLiteral("There is no help on topic %1.\n\n").arg(topic);
        m_shownTopic = 0;
        text = m_file.Topic(0);
    }
    m_lblTitle->setText(text ? FromSuiteText(text->title) : QStringLiteral("Contents"));
    m_txtTopic->setPlainText(prefix +
                             (text ? FromSuiteText(HelpParagraphs(text->body)) : QString()));
    for (int row = 0; row < m_lstTopics->count(); ++row)
        if (m_lstTopics->item(row)->data(Qt::UserRole).toInt() == m_shownTopic)
            m_lstTopics->setCurrentRow(row);
}

void HelpWindow::Position(const std::string& macro) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*PositionWindow\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,)"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(macro.c_str()));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!match.hasMatch() || !screen)
        return;
    const QRect area = screen->availableGeometry();
    const auto scaled = [](const QString& number, int extent) {
        return static_cast<int>(number.toInt() * extent / kMacroScreenUnits);
    };
    setGeometry(area.x() + scaled(match.captured(1), area.width()),
                area.y() + scaled(match.captured(2), area.height()),
                qMax(200, scaled(match.captured(3), area.width())),
                qMax(150, scaled(match.captured(4), area.height())));
}

} // namespace k2k
