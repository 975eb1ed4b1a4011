#include "support/ui/AccessibilityWalk.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QMetaEnum>
#include <QSet>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace k2k::test {

namespace {

// A list or table is read far enough to meet its headings and first cells; a screen reader
// reads the rest the same way.
constexpr int kChildrenOfAView = 400;

bool IsView(QAccessible::Role role) {
    return role == QAccessible::Table || role == QAccessible::List || role == QAccessible::Tree;
}

// A cell a person types into; the cells of lists that only show rows are read as they show.
bool IsEditableCell(QAccessibleInterface& cell) {
    QAccessibleTableCellInterface* place = cell.tableCellInterface();
    const auto* view = place && cell.parent()
                           ? qobject_cast<QAbstractItemView*>(cell.parent()->object())
                           : nullptr;
    if (!view || !view->model())
        return false;
    const QModelIndex index = view->model()->index(place->rowIndex(), place->columnIndex());
    return view->model()->flags(index).testFlag(Qt::ItemIsEditable);
}

bool IsInteractive(QAccessibleInterface& control) {
    switch (control.role()) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::ColumnHeader:
    case QAccessible::PageTabList:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Grip:
    case QAccessible::Splitter:
        return true;
    case QAccessible::Cell:
        return IsEditableCell(control);
    default:
        break;
    }
    // A control that hands its focus on (a tab widget to its tabs) is read as that one.
    const auto* widget = qobject_cast<const QWidget*>(control.object());
    return widget && widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy();
}

QString Describe(QAccessibleInterface& control) {
    const QObject* object = control.object();
    QString where;
    if (!object && control.parent()) { // a cell or heading: its view
        object = control.parent()->object();
        where = QStringLiteral(" in");
    }
    const QString role =
        QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(control.role()));
    if (!object)
        return QStringLiteral("? (") + role + QLatin1Char(')');
    return object->objectName() + QStringLiteral(" (") + role + where + QLatin1Char(' ') +
           QString::fromLatin1(object->metaObject()->className()) + QLatin1Char(')');
}

// The window's widgets a person can come to: its own, not hidden, not other windows.
std::vector<QWidget*> WidgetsOf(QWidget& window) {
    std::vector<QWidget*> widgets{&window};
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        bool shown = widget->window() == &window;
        for (QWidget* up = widget; shown && up != &window; up = up->parentWidget())
            shown = !up->isHidden();
        if (shown)
            widgets.push_back(widget);
    }
    return widgets;
}

class NameCheck {
public:
    explicit NameCheck(const QWidget& window) : m_window(&window) {}
    void Walk(QAccessibleInterface* control) {
        if (!control || !control->isValid() || m_seen.contains(control))
            return;
        m_seen.insert(control);
        const QString name = control->text(QAccessible::Name).trimmed();
        if (IsInteractive(*control) && name.isEmpty())
            m_unnamed << Describe(*control);
        // A box read as what it holds leaves the listener guessing what it is for.
        else if (control->role() == QAccessible::ComboBox && !name.isEmpty() &&
                 name == control->text(QAccessible::Value).trimmed())
            m_unnamed << Describe(*control) + QStringLiteral(" read as its text");
        const int count = IsView(control->role())
                              ? std::min(control->childCount(), kChildrenOfAView)
                              : control->childCount();
        for (int i = 0; i < count; ++i) {
            QAccessibleInterface* child = control->child(i);
            // A pop-up (a menu, a combo box's list) is a window of its own, read when it opens.
            const auto* widget = child ? qobject_cast<const QWidget*>(child->object()) : nullptr;
            if (child && (!widget || widget->window() == m_window))
                Walk(child);
        }
    }
    QStringList Unnamed() const { return m_unnamed; }

private:
    const QWidget* m_window;
    QSet<QAccessibleInterface*> m_seen;
    QStringList m_unnamed;
};

bool TakesTab(const QWidget& widget) {
    return (widget.focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget.isVisible() &&
           widget.isEnabled();
}

QWidget* FocusTarget(QWidget* widget) {
    while (widget->focusProxy())
        widget = widget->focusProxy();
    return widget;
}

} // namespace

QStringList UnnamedControls(QWidget& window) {
    NameCheck check(window);
    check.Walk(QAccessible::queryAccessibleInterface(&window));
    for (QWidget* widget : WidgetsOf(window))
        check.Walk(QAccessible::queryAccessibleInterface(widget));
    return check.Unnamed();
}

QStringList UnreachedByTab(QWidget& window) {
    std::vector<QWidget*> expected;
    for (QWidget* widget : WidgetsOf(window))
        if (widget != &window && TakesTab(*widget))
            expected.push_back(FocusTarget(widget));
    if (expected.empty())
        return {};
    // A dialog over an active window counts as active itself, yet the keys go to the other.
    if (QApplication::activeWindow() != &window && window.windowHandle()) {
        window.windowHandle()->requestActivate();
        if (!QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }))
            return {QStringLiteral("the window, which is not active")};
    }
    expected.front()->setFocus(Qt::TabFocusReason);
    QWidget* const first = QApplication::focusWidget();
    std::vector<QWidget*> reached{first};
    for (std::size_t press = 0; press < 3 * expected.size() + 20; ++press) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != &window)
            break;
        QTest::keyClick(focus, Qt::Key_Tab);
        if (QApplication::focusWidget() == first)
            break;
        reached.push_back(QApplication::focusWidget());
    }
    QStringList unreached;
    for (QWidget* widget : expected) {
        bool found = false;
        for (QWidget* focus : reached)
            found = found || (focus && (focus == widget || widget->isAncestorOf(focus)));
        if (!found)
            unreached << widget->objectName() + QStringLiteral(" (") +
                             QString::fromLatin1(widget->metaObject()->className()) +
                             QLatin1Char(')');
    }
    unreached.removeDuplicates();
    return unreached;
}

} // namespace k2k::test
