#include "platform/ui/QtMessageBoxes.h"

#include "platform/ui/SuiteText.h"

#include <QMessageBox>

namespace k2k {

namespace {

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

} // namespace

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
