#pragma once
// The message boxes of the windows: each request becomes a real QMessageBox with its
// icon, buttons and title, its 8-bit texts turned into Qt's text at this edge.

#include "platform/MessageBoxes.h"

#include <memory>

class QFont;
class QMessageBox;
class QString;
class QWidget;

namespace k2k {

// The width a box needs for a window manager to show its whole title in the frame: the
// title in a frame's bold face of the box's font, beside the frame's icon and buttons.
int MessageBoxTitleWidth(const QString& title, const QFont& font);

// The box a request asks for, not yet shown; when shown it is at least as wide as its title
// needs (up to three quarters of the screen's width).
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest& request, QWidget* parent);

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    MsgAnswer Show(const MessageRequest& request) override;

private:
    QWidget* m_parent;
};

} // namespace k2k
