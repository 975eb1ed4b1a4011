#include "platform/ui/LocaliseForm.h"

#include "platform/SuiteServices.h"
#include "platform/ui/ComboBoxAccessible.h"
#include "platform/ui/SuiteText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

namespace k2k {

namespace {

// The caption for the control's Tag, its current caption as the default; nullopt when the
// control has no Tag.
std::optional<QString> Translated(const QObject& control, const QString& caption,
                                  const SuiteServices& services,
                                  const char* property = kTagProperty) {
    const QString tag = control.property(property).toString().trimmed();
    if (tag.isEmpty())
        return std::nullopt;
    // A caption that the suite's encoding cannot hold is its own default already.
    const std::optional<std::string> defaultText = ToSuiteText(caption);
    const std::optional<std::string> id = ToSuiteText(tag);
    if (!defaultText || !id)
        return std::nullopt;
    return FromSuiteText(services.GetText(*defaultText, *id));
}

void TranslateCaption(QWidget& widget, const SuiteServices& services) {
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        if (const auto text = Translated(widget, button->text(), services))
            button->setText(*text);
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        if (const auto text = Translated(widget, label->text(), services))
            label->setText(*text);
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        if (const auto text = Translated(widget, group->title(), services))
            group->setTitle(*text);
    } else if (auto* menu = qobject_cast<QMenu*>(&widget)) {
        if (const auto text = Translated(widget, menu->title(), services))
            menu->setTitle(*text);
    }
}

// A combo box is read by its name, its text as the value (ComboBoxAccessible.h); its line
// edit, which the focus goes to, bears the same name.
void NameControl(QWidget& control, const QString& name) {
    if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        ReadByItsName(*combo);
        if (combo->lineEdit())
            combo->lineEdit()->setAccessibleName(name);
    }
    control.setAccessibleName(name);
}

} // namespace

void SetAccessibleName(QWidget& control, const QString& name, const char* textId) {
    NameControl(control, name);
    if (textId)
        control.setProperty(kAccessibleTagProperty, QString::fromLatin1(textId));
}

void NameTabPages(QTabWidget& tabs) {
    for (int i = 0; i < tabs.count(); ++i)
        for (QAbstractItemView* view :
             tabs.widget(i)->findChildren<QAbstractItemView*>(Qt::FindDirectChildrenOnly))
            view->setAccessibleName(tabs.tabText(i));
}

void SetTag(QObject& control, const char* textId) {
    control.setProperty(kTagProperty, QString::fromLatin1(textId));
}

void LocaliseForm(QWidget& window, const SuiteServices& services, const QFont& font) {
    if (const auto title = Translated(window, window.windowTitle(), services))
        window.setWindowTitle(*title);
    QFont plain(font);
    plain.setBold(false);
    for (QWidget* control : window.findChildren<QWidget*>()) {
        control->setFont(plain);
        TranslateCaption(*control, services);
        if (const auto name =
                Translated(*control, control->accessibleName(), services, kAccessibleTagProperty))
            NameControl(*control, *name);
    }
    for (QAction* action : window.findChildren<QAction*>())
        if (const auto text = Translated(*action, action->text(), services))
            action->setText(*text);
}

} // namespace k2k
