#include "platform/ui/ComboBoxAccessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

namespace k2k {

namespace {

constexpr const char* kReadByNameProperty = "ReadByItsName";

class NamedComboAccessible final : public QAccessibleWidget {
public:
    explicit NamedComboAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            if (!Combo()->accessibleName().isEmpty())
                return Combo()->accessibleName();
            break;
        case QAccessible::Value:
            return Combo()->lineEdit() ? Combo()->lineEdit()->text() : Combo()->currentText();
        default:
            break;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = Combo()->isEditable();
        state.expandable = true;
        state.expanded = Combo()->view() && Combo()->view()->isVisible();
        return state;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction())
            Combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* NamedComboFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    auto* combo = qobject_cast<QComboBox*>(object);
    if (!combo || !combo->property(kReadByNameProperty).toBool())
        return nullptr;
    return new NamedComboAccessible(combo);
}

} // namespace

void ReadByItsName(QComboBox& combo) {
    static const bool installed = [] {
        QAccessible::installFactory(&NamedComboFactory);
        return true;
    }();
    (void)installed;
    combo.setProperty(kReadByNameProperty, true);
    // Qt may have made the box's reading already (a screen reader listening when the box was
    // made or shown); it is made again, the new way.
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(&combo);
    if (reading && !dynamic_cast<NamedComboAccessible*>(reading))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(reading));
}

} // namespace k2k
