#include "HostWindow.h"

#include "browser/DropRecords.h"
#include "platform/Kernel.h"
#include "platform/ui/SuiteText.h"
#include "services/AppMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <string>

namespace k2k {

namespace {

// The applications of the suite that the browser sends commands to, each with the caption
// of its status record and a stand-in for its main-window handle.
struct SuiteApplication {
    const char* name;
    const char* title;
    const char* caption;
    int handle;
};

constexpr SuiteApplication kApplications[] = {
    {"Kalde2000", "Main application", "Kalde 2000", 0x10010},
    {"K2KSCHED", "Schematic editor", "Kalde 2000 Schematic", 0x10020},
    {"K2KLAYED", "Layout editor", "Kalde 2000 Layout", 0x10030},
    {"K2KEXPLR", "Library explorer", "Kalde 2000 Library Explorer", 0x10040},
};
constexpr int kOtherHandle = 0x10100;

} // namespace

MsgAnswer LoggedMessageBoxes::Show(const MessageRequest& request) {
    QString line = QStringLiteral("message box");
    if (!request.title.empty())
        line += QStringLiteral(" \"") + FromSuiteText(request.title) + QStringLiteral("\"");
    line += QStringLiteral(": ") + FromSuiteText(request.text).replace(u'\n', u' ');
    if (request.buttons == MsgButtons::YesNo)
        line += QStringLiteral(" -> No");
    m_log(line);
    return request.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

HostWindow::HostWindow(Kernel& kernel, QWidget* parent)
    : QMainWindow(parent), m_kernel(kernel), m_commands(new QTreeWidget(this)),
      m_log(new QPlainTextEdit(this)), m_command(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmKalde2000"));
    setWindowTitle(QStringLiteral("Kalde 2000"));
    setAcceptDrops(true);

    auto* applications = new QGroupBox(QStringLiteral("Running applications"), this);
    applications->setObjectName(QStringLiteral("fraRunning"));
    auto* applicationRow = new QHBoxLayout(applications);
    for (const SuiteApplication& app : kApplications) {
        const QString name = QLatin1String(app.name);
        auto* box = new QCheckBox(QStringLiteral("%1 (%2)").arg(QLatin1String(app.title), name),
                                  applications);
        box->setObjectName(QStringLiteral("chkRunning") + name);
        box->setToolTip(QStringLiteral("Ticked: the suite value %1 holds the status record of "
                                       "the %2, and MW_%1 its main window")
                            .arg(name, QString::fromLatin1(app.title).toLower()));
        applicationRow->addWidget(box);
        m_running.insert(name, box);
        connect(box, &QCheckBox::toggled, this, [this, name](bool on) { SetRunning(name, on); });
    }
    applicationRow->addStretch();

    m_commands->setObjectName(QStringLiteral("lstCommands"));
    m_commands->setRootIsDecorated(false);
    m_commands->setUniformRowHeights(true);
    m_commands->setAlternatingRowColors(true);
    m_commands->setHeaderLabels(
        {QStringLiteral("Aname"), QStringLiteral("Command"), QStringLiteral("The suite")});
    m_commands->setColumnWidth(0, 110);
    m_commands->setColumnWidth(1, 260);
    auto* commandsLabel = new QLabel(QStringLiteral("Commands from the browser:"), this);
    commandsLabel->setBuddy(m_commands);
    // A list and a text box read no label of theirs: each is named as its label reads.
    m_commands->setAccessibleName(QStringLiteral("Commands from the browser"));

    m_log->setObjectName(QStringLiteral("txtLog"));
    m_log->setReadOnly(true);
    m_log->setAccessibleName(QStringLiteral("Log"));
    m_command->setObjectName(QStringLiteral("txtCommand"));
    m_command->setPlaceholderText(QStringLiteral("K2KBRWSR,MN"));
    m_command->setAccessibleName(QStringLiteral("Command"));

    auto* send = new QPushButton(QStringLiteral("NotifyMe"), this);
    send->setObjectName(QStringLiteral("cmdNotifyMe"));
    auto* show = new QPushButton(QStringLiteral("Load"), this);
    show->setObjectName(QStringLiteral("cmdLoad"));

    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(new QLabel(QStringLiteral("Command:"), this));
    commandRow->addWidget(m_command, 1);
    commandRow->addWidget(send);
    commandRow->addWidget(show);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(applications);
    layout->addWidget(commandsLabel);
    layout->addWidget(m_commands, 3);
    layout->addWidget(m_log, 1);
    layout->addLayout(commandRow);
    setCentralWidget(central);
    resize(760, 480);
    // At the work area's left, its frame included, where the browser opens beside it
    // (MainWidth).
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        create();
        windowHandle()->setFramePosition(screen->availableGeometry().topLeft());
    }

    connect(send, &QPushButton::clicked, this, &HostWindow::SendTypedCommand);
    connect(m_command, &QLineEdit::returnPressed, this, &HostWindow::SendTypedCommand);
    connect(show, &QPushButton::clicked, this, [this] {
        if (m_browser)
            Log(m_browser->Load(0) ? QStringLiteral("Load: true") : QStringLiteral("Load: false"));
    });

    // This program is the suite's main application.
    SetRunning(QLatin1String(kMainApp.data(), kMainApp.size()), true);
}

void HostWindow::Log(const QString& line) {
    m_log->appendPlainText(line);
}

void HostWindow::SetRunning(const QString& app, bool running) {
    const SuiteApplication* known = nullptr;
    for (const SuiteApplication& candidate : kApplications)
        if (app == QLatin1String(candidate.name))
            known = &candidate;
    const std::string name = app.toStdString();
    // The status record: caption, window state, 0, busy, 0.
    const std::string caption = known ? known->caption : name;
    m_kernel.E_SetString(name, running ? caption + ",0,0,0,0" : std::string());
    // The suite keeps each running application's main-window handle under "MW_<name>".
    const int handle = known ? known->handle : kOtherHandle;
    m_kernel.E_SetString("MW_" + name, running ? std::to_string(handle) : std::string());
    if (QCheckBox* box = m_running.value(app); box && box->isChecked() != running) {
        box->setChecked(running); // its toggled signal calls back with the same state
        return;
    }
    Log(app + (running ? QStringLiteral(" is running") : QStringLiteral(" is not running")));
}

bool HostWindow::IsRunning(const QString& app) const {
    return !m_kernel.E_GetString(app.toStdString()).value_or(std::string()).empty();
}

void HostWindow::Attach(clsKldbrwsr& browser) {
    m_browser = &browser;
    connect(&browser, &clsKldbrwsr::NotifyServer, this, &HostWindow::Heard);
    connect(&browser, &clsKldbrwsr::LoadDropData, this, &HostWindow::HeardDropData);
}

void HostWindow::HeardDropData(const QList<BWR_SEARCHRESULT>& results) {
    // The log has each record whole; the list names each object and its library file.
    QStringList records;
    QStringList objects;
    for (const BWR_SEARCHRESULT& result : results) {
        const QString library = FromSuiteText(result.Library);
        records << QStringLiteral("%1 (%2, status %3)")
                       .arg(FromSuiteText(result.Name), library)
                       .arg(result.Status);
        objects << QStringLiteral("%1 (%2)").arg(FromSuiteText(result.Name),
                                                 library.section(u'\\', -1));
    }
    m_lastDropCount = static_cast<int>(results.size());
    Log(QStringLiteral("LoadDropData: ") + records.join(QStringLiteral("; ")));
    AddCommandRow(
        QStringLiteral("LoadDropData"), objects.join(QStringLiteral(", ")),
        QStringLiteral("the main application takes %1 drop record(s)").arg(m_lastDropCount));
}

void HostWindow::AddCommandRow(const QString& aname, const QString& command,
                               const QString& reaction) {
    auto* row = new QTreeWidgetItem(m_commands, {aname, command, reaction});
    row->setToolTip(1, command);
    row->setToolTip(2, reaction);
    m_commands->setCurrentItem(row);
    m_commands->scrollToItem(row);
}

QString HostWindow::Reaction(const QString& aname, const QString& command) {
    const QString browser = QLatin1String(kBrowserApp.data(), kBrowserApp.size());
    if (aname == browser && command == QLatin1String("SHUTDOWN"))
        return QStringLiteral("the browser has shut down");
    if (command.startsWith(QLatin1String("SHELL,")))
        return QStringLiteral("the main application starts ") + aname;
    if (command.startsWith(QLatin1String("All,")))
        return QStringLiteral("every running application gets \"%1\"").arg(command.mid(4));
    const QString drop = QStringLiteral("%1 dropped object(s)").arg(m_lastDropCount);
    if (aname == browser) {
        const QString verb = command.section(u',', 0, 0);
        if (verb == QLatin1String("PART"))
            return QStringLiteral("the main application opens the part editor on the ") + drop;
        if (verb == QLatin1String("PAD"))
            return QStringLiteral("the main application opens the padstack editor on the ") + drop;
        if (verb == QLatin1String("NEWPART"))
            return QStringLiteral("the main application opens the part editor on a new part");
        if (verb == QLatin1String("NEWPAD"))
            return QStringLiteral(
                "the main application opens the padstack editor on a new padstack");
        return {};
    }
    if (!command.startsWith(aname + QLatin1Char(',')))
        return {};
    const QString verb = command.section(u',', 1, 1);
    QString title = aname;
    for (const SuiteApplication& app : kApplications)
        if (aname == QLatin1String(app.name))
            title = QStringLiteral("the ") + QString::fromLatin1(app.title).toLower();
    if (aname == QLatin1String(kMainApp.data(), kMainApp.size()) && verb == QLatin1String("EXP")) {
        // The main application opens its library explorer, which then runs.
        SetRunning(QLatin1String(kExplorerApp.data(), kExplorerApp.size()), true);
        return QStringLiteral("the main application opens the library explorer");
    }
    if (verb == QLatin1String("SENDTO"))
        return title + QStringLiteral(" places the ") + drop;
    if (verb == QLatin1String("SSQ"))
        return title + QStringLiteral(" reads the search sequence again");
    if (verb == QLatin1String("UP"))
        return title + QStringLiteral(" reads its libraries again");
    return title + QStringLiteral(" gets \"%1\"").arg(command.section(u',', 1));
}

void HostWindow::Heard(const QString& aname, const QString& command) {
    Log(QStringLiteral("NotifyServer: ") + aname + QStringLiteral("\t") + command);
    if (onNotifyServer)
        onNotifyServer(aname, command);
    AddCommandRow(aname, command, Reaction(aname, command));
    if (aname == QLatin1String(kBrowserApp.data(), kBrowserApp.size()) &&
        command == QLatin1String("SHUTDOWN")) {
        m_shutDown = true;
        Log(QStringLiteral("the browser has shut down"));
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }
}

void HostWindow::SendTypedCommand() {
    const QString command = m_command->text().trimmed();
    if (command.isEmpty() || !m_browser)
        return;
    Log(QStringLiteral("NotifyMe: ") + command);
    m_command->clear();
    m_browser->NotifyMe({}, command);
}

void HostWindow::closeEvent(QCloseEvent* event) {
    // The suite's main application closes the browser as it exits; its "SHUTDOWN" ends
    // the program.
    if (m_browser && !m_shutDown && m_browser->Window())
        m_browser->NotifyMe({}, QStringLiteral("K2KBRWSR,EX"));
    event->accept();
    QTimer::singleShot(0, qApp, &QApplication::quit);
}

void HostWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(QLatin1String(kDropRecordsMimeType)))
        event->acceptProposedAction();
}

// Taking the drop's data is what the suite's editors do; the browser hears of it and raises
// LoadDropData with the records.
void HostWindow::dropEvent(QDropEvent* event) {
    if (event->mimeData()->data(QLatin1String(kDropRecordsMimeType)).isEmpty())
        return;
    event->acceptProposedAction();
}

} // namespace k2k
