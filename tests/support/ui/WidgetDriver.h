#pragma once
// What the window tests do with widgets, written once: find a named child (a missing one
// fails the test), click a button or a row of a list, and act on a dialog while it is shown
// modally.
//
// A modal dialog runs its own event loop, so the test cannot act after the call that opens
// it. WhenModal schedules the acting first: the opening call then runs, and user gets the
// dialog inside that loop. A dialog that user leaves open is a failure and is cancelled, so
// a failed check never hangs the test.
//
//   test::WhenModal<frmOptions>([](frmOptions& dialog) { test::Click(dialog, "cmdOK"); });
//   test::Child<QAction>(*window, "mnuOptions")->trigger();

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

// Readable failures for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace k2k::test {

template <class T = QWidget>
T* Child(const QObject& parent, const QString& name) {
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}
template <class T = QWidget>
T* Child(const QObject& parent, const char* name) {
    return Child<T>(parent, QString::fromLatin1(name));
}

// A left click (or button) on the named button, or on the centre of a list's row.
void Click(const QObject& parent, const char* button);
void ClickRow(QAbstractItemView& view, int row, Qt::MouseButton button = Qt::LeftButton);
// Clicks the enabled tool button that a cell of the table inside parent holds.
void ClickCellButton(const QWidget& parent, int row, int column);

// The shown dialog that cast accepts: the active modal window, or else any visible window.
QDialog* ShownDialog(const std::function<QDialog*(QWidget*)>& cast);

// Runs user on the dialog of type T once the next modal call has shown it (at the first
// turn of the event loop). When no such dialog is shown then, user does not run: a test
// that expects none counts the runs.
void WhenModal(const std::function<QDialog*(QWidget*)>& cast,
               const std::function<void(QDialog&)>& user);
template <class T = QDialog>
void WhenModal(std::function<void(T&)> user) {
    WhenModal([](QWidget* widget) -> QDialog* { return qobject_cast<T*>(widget); },
              [user = std::move(user)](QDialog& dialog) { user(static_cast<T&>(dialog)); });
}

} // namespace k2k::test
