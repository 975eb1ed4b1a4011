#include "HostWindow.h"

#include "host/AppMessages.h"
#include "platform/Kernel.h"
#include "platform/ui/SuiteText.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <iostream>

namespace k2k {

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
    : QMainWindow(parent), m_kernel(kernel), m_log(new QPlainTextEdit(this)),
      m_command(new QLineEdit(this)), m_schematic(new QCheckBox(QStringLiteral("K2KSCHED"), this)),
      m_layout(new QCheckBox(QStringLiteral("K2KLAYED"), this)) {
    setObjectName(QStringLiteral("frmKalde2000"));
    setWindowTitle(QStringLiteral("Kalde 2000"));
    m_log->setObjectName(QStringLiteral("txtLog"));
    m_log->setReadOnly(true);
    m_command->setObjectName(QStringLiteral("txtCommand"));
    m_command->setPlaceholderText(QStringLiteral("K2KBRWSR,MN"));
    m_schematic->setObjectName(QStringLiteral("chkSchematicRunning"));
    m_layout->setObjectName(QStringLiteral("chkLayoutRunning"));

    auto* send = new QPushButton(QStringLiteral("NotifyMe"), this);
    send->setObjectName(QStringLiteral("cmdNotifyMe"));
    auto* show = new QPushButton(QStringLiteral("Load"), this);
    show->setObjectName(QStringLiteral("cmdLoad"));

    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(new QLabel(QStringLiteral("Command:"), this));
    commandRow->addWidget(m_command, 1);
    commandRow->addWidget(send);
    auto* runningRow = new QHBoxLayout;
    runningRow->addWidget(new QLabel(QStringLiteral("Running:"), this));
    runningRow->addWidget(m_schematic);
    runningRow->addWidget(m_layout);
    runningRow->addStretch();
    runningRow->addWidget(show);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_log, 1);
    layout->addLayout(commandRow);
    layout->addLayout(runningRow);
    setCentralWidget(central);
    resize(560, 360);

    connect(send, &QPushButton::clicked, this, &HostWindow::SendTypedCommand);
    connect(m_command, &QLineEdit::returnPressed, this, &HostWindow::SendTypedCommand);
    connect(show, &QPushButton::clicked, this, [this] {
        if (m_browser)
            Log(m_browser->Load(0) ? QStringLiteral("Load: true") : QStringLiteral("Load: false"));
    });
    connect(m_schematic, &QCheckBox::toggled, this,
            [this](bool on) { SetRunning(QStringLiteral("K2KSCHED"), on); });
    connect(m_layout, &QCheckBox::toggled, this,
            [this](bool on) { SetRunning(QStringLiteral("K2KLAYED"), on); });
}

void HostWindow::Log(const QString& line) {
    m_log->appendPlainText(line);
}

void HostWindow::SetRunning(const QString& app, bool running) {
    const std::string name = app.toStdString();
    m_kernel.E_SetString(name, running ? name + ",0,0,0,0" : std::string());
    QCheckBox* box = app == QLatin1String("K2KSCHED")   ? m_schematic
                     : app == QLatin1String("K2KLAYED") ? m_layout
                                                        : nullptr;
    if (box && box->isChecked() != running)
        box->setChecked(running);
    Log(app + (running ? QStringLiteral(" is running") : QStringLiteral(" is not running")));
}

void HostWindow::Attach(clsKldbrwsr& browser) {
    m_browser = &browser;
    connect(&browser, &clsKldbrwsr::NotifyServer, this, &HostWindow::Heard);
    connect(&browser, &clsKldbrwsr::LoadDropData, this,
            [this](const QList<BWR_SEARCHRESULT>& results) {
                QStringList objects;
                for (const BWR_SEARCHRESULT& result : results)
                    objects << QStringLiteral("%1 (%2, status %3)")
                                   .arg(FromSuiteText(result.Name), FromSuiteText(result.Library))
                                   .arg(result.Status);
                Log(QStringLiteral("LoadDropData: ") + objects.join(QStringLiteral("; ")));
            });
}

void HostWindow::Heard(const QString& aname, const QString& command) {
    Log(QStringLiteral("NotifyServer: ") + aname + QStringLiteral("\t") + command);
    if (onNotifyServer)
        onNotifyServer(aname, command);
    // What the main application does with what is meant for it.
    if (aname == QLatin1String("Kalde2000") && command.startsWith(QLatin1String("Kalde2000,EXP,")))
        Log(QStringLiteral("  the main application would open the library explorer"));
    else if (command.startsWith(QLatin1String("SHELL,")))
        Log(QStringLiteral("  the main application would start ") + aname);
    if (aname == QLatin1String("K2KBRWSR") && command == QLatin1String("SHUTDOWN")) {
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

} // namespace k2k
