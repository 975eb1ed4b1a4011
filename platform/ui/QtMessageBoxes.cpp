#include "platform/ui/QtMessageBoxes.h"

#include "platform/ui/SuiteText.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace k2k {

namespace {

constexpr double kTitleFontScale = 1.1;
constexpr int kTitleBarExtras = 6; // line heights: the icon, three buttons and the spacing

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Keeps the box at least as wide as its title needs in a window manager's frame: the box
// sizes itself to its layout whenever it is shown or restyled, and a short text alone would
// leave the title cut.
void HoldTitleWidth(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    int wanted = MessageBoxTitleWidth(box.windowTitle(), box.font());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = std::min(wanted, screen->availableGeometry().width() * 3 / 4);
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

int MessageBoxTitleWidth(const QString& title, const QFont& font) {
    // Frames draw titles in a bold face, a little larger than the text's, beside an icon and
    // three buttons.
    QFont titleFont = font;
    titleFont.setBold(true);
    if (titleFont.pointSizeF() > 0)
        titleFont.setPointSizeF(titleFont.pointSizeF() * kTitleFontScale);
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(title) + kTitleBarExtras * metrics.height();
}

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(IconOf(request.icon));
    box->setText(FromSuiteText(request.text));
    box->setWindowTitle(FromSuiteText(request.title));
    if (request.buttons == MsgButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    // A system-modal box stops every window of the application until it is answered.
    box->setWindowModality(request.systemModal ? Qt::ApplicationModal : Qt::WindowModal);
    HoldTitleWidth(*box);
    return box;
}

MsgAnswer QtMessageBoxes::Show(const MessageRequest& request) {
    const auto box = MakeMessageBox(request, m_parent);
    const int answer = box->exec();
    if (request.buttons == MsgButtons::YesNo)
        return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    return MsgAnswer::Ok;
}

} // namespace k2k
