#pragma once
// The push buttons and check boxes the windows build by hand: each with its object name,
// its caption and, when it has one, the Tag (text number) that LocaliseForm puts in the
// suite's language. A button made here is never a dialog's automatic default.

class QCheckBox;
class QPushButton;
class QWidget;

namespace k2k {

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const char* tag = nullptr);
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* caption,
                        const char* tag = nullptr);

} // namespace k2k
