#pragma once
// The message boxes of the windows: each request becomes a real QMessageBox with its
// icon, buttons and title, its 8-bit texts turned into Qt's text at this edge.

#include "platform/MessageBoxes.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace k2k {

// The box a request asks for, not yet shown.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest& request, QWidget* parent);

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    MsgAnswer Show(const MessageRequest& request) override;

private:
    QWidget* m_parent;
};

} // namespace k2k
