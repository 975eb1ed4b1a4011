#include "browser/ui/frmSplash.h"

#include "platform/ui/HelpKey.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/PaintedImages.h"
#include "platform/ui/SuiteText.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace k2k {

namespace {

QPixmap DrawPicture(const QSize& size) {
    QPixmap picture = SharpPixmap(size);
    const QRect area(QPoint(0, 0), size);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(0, 0, 128));
    gradient.setColorAt(1, QColor(0, 128, 128));
    painter.fillRect(area, gradient);
    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPointSize(qMax(10, size.height() / 12));
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(area.adjusted(0, 0, 0, -size.height() / 3), Qt::AlignCenter,
                     QStringLiteral("Kalde 2000\nLibrary Browser"));
    return picture;
}

} // namespace

frmSplash::frmSplash(const SuiteServices& services, const QFont& font, QWidget* parent)
    // A frameless dialog rather than a splash-screen window: Qt leaves a modal splash-screen
    // window's event loop running after it is closed, and the About box is modal.
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_imgPicture(new QLabel(this)), m_lblMsg(new QLabel(this)), m_cmdOk(new QPushButton(this)) {
    new HelpKey(*this, [this] {
        if (m_showHelp)
            m_showHelp();
    });
    setObjectName(QStringLiteral("frmSplash"));
    m_imgPicture->setObjectName(QStringLiteral("imgPicture"));
    m_lblMsg->setObjectName(QStringLiteral("lblMsg"));
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_lblMsg->setText(QStringLiteral("Loading application..."));
    SetTag(*m_lblMsg, "10301");
    m_cmdOk->setText(QStringLiteral("OK"));
    SetTag(*m_cmdOk, "991451");

    // The picture lies under the label and the button, over the whole window.
    m_imgPicture->lower();
    m_lblMsg->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_lblMsg);
    layout->addWidget(m_cmdOk, 0, Qt::AlignRight);
    m_cmdOk->hide();
    connect(m_cmdOk, &QPushButton::clicked, this, &frmSplash::cmdOk_Click);

    LocaliseForm(*this, services, font);
    resize(420, 260);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + std::abs(area.width() - width()) / 2,
             area.y() + std::abs(area.height() - height()) / 2);
    }
    StretchPicture();
}

void frmSplash::ShowAsSplash(bool lblVisible) {
    m_lblMsg->setVisible(lblVisible);
    m_cmdOk->hide();
    setModal(false);
    show();
    raise();
    repaint();
}

void frmSplash::ShowAsAbout(bool lblVisible) {
    m_lblMsg->setVisible(lblVisible);
    m_cmdOk->show();
    exec();
}

void frmSplash::ShowProgress(const std::string& text) {
    m_lblMsg->setText(FromSuiteText(text));
    m_lblMsg->repaint();
}

void frmSplash::cmdOk_Click() {
    m_lblMsg->show();
    accept();
}

void frmSplash::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    StretchPicture();
}

void frmSplash::StretchPicture() {
    m_imgPicture->setGeometry(rect());
    m_imgPicture->setPixmap(DrawPicture(size()));
}

void frmSplash::hideEvent(QHideEvent* event) {
    // However the window closes (OK, Escape, unloaded), the button goes with it.
    m_cmdOk->hide();
    QDialog::hideEvent(event);
}

} // namespace k2k
