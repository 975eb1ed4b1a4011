#include "support/ui/WidgetDriver.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace k2k::test {

void Click(const QObject& parent, const char* button) {
    if (auto* pressed = Child<QAbstractButton>(parent, button))
        QTest::mouseClick(pressed, Qt::LeftButton);
}

void ClickRow(QAbstractItemView& view, int row, Qt::MouseButton button) {
    const QRect rect = view.visualRect(view.model()->index(row, 0));
    EXPECT_TRUE(rect.isValid()) << "row " << row << " is not shown";
    QTest::mouseClick(view.viewport(), button, {}, rect.center());
}

void ClickCellButton(const QWidget& parent, int row, int column) {
    auto* table = parent.findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr) << "no table";
    QWidget* cell = table->cellWidget(row, column);
    auto* button = cell ? cell->findChild<QToolButton*>() : nullptr;
    ASSERT_TRUE(button && button->isEnabled()) << "no enabled button in row " << row;
    QTest::mouseClick(button, Qt::LeftButton);
}

QDialog* ShownDialog(const std::function<QDialog*(QWidget*)>& cast) {
    if (QDialog* modal = cast(QApplication::activeModalWidget()); modal && modal->isVisible())
        return modal;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (QDialog* dialog = cast(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

void WhenModal(const std::function<QDialog*(QWidget*)>& cast,
               const std::function<void(QDialog&)>& user) {
    QTimer::singleShot(0, [cast, user] {
        QPointer<QDialog> dialog = ShownDialog(cast);
        if (!dialog)
            return;
        dialog->activateWindow();
        user(*dialog);
        if (dialog && dialog->isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            dialog->reject();
        }
    });
}

} // namespace k2k::test
