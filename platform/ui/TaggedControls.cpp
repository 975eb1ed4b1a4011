#include "platform/ui/TaggedControls.h"

#include "platform/ui/LocaliseForm.h"

#include <QCheckBox>
#include <QPushButton>

namespace k2k {

namespace {

template <typename Control>
Control* MakeTagged(QWidget* parent, const char* name, const char* caption, const char* tag) {
    auto* control = new Control(QString::fromLatin1(caption), parent);
    control->setObjectName(QString::fromLatin1(name));
    if (tag)
        SetTag(*control, tag);
    return control;
}

} // namespace

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* tag) {
    auto* button = MakeTagged<QPushButton>(parent, name, caption, tag);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* caption, const char* tag) {
    return MakeTagged<QCheckBox>(parent, name, caption, tag);
}

} // namespace k2k
