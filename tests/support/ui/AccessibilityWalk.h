#pragma once
// What a screen reader and a person at the keyboard find in a window, checked the same way
// for every window.
//
// Qt makes the interfaces when asked, also offscreen and with no screen reader listening
// (QAccessible::isActive() stays false there, and setActive changes neither).
//
// UnnamedControls walks the window through Qt's accessibility interface (the interfaces'
// children, recursively, and the interface of every widget in it, so the editors a table
// holds in its cells are seen too) and lists the interactive controls (buttons, check
// boxes, edits, combo boxes, lists, tables, their editable cells and headings, tab bars and
// tabs, menu items, splitter bars, and any widget that takes the focus) whose name is
// empty, as "objectName (Role Class)" (a cell or heading: "(Role in Class)" of its view). Controls
// explicitly hidden (a pool of editors not in a cell) are left out; those of pages not shown are
// not.
//
// UnreachedByTab presses Tab from the first control that takes Tab, round the window, and
// lists the visible, enabled controls that take Tab and are never given the focus, as
// "objectName (Class)". Real keys, not the focus chain, so a control that handles Tab itself
// (a grid moving between its cells) is walked as a person walks it. The window must be
// shown; it is made the active one. A control counts as reached when the focus is in it
// (an editable combo box's text) or in its focus proxy (a grid's table).

#include <QStringList>

class QWidget;

namespace k2k::test {

QStringList UnnamedControls(QWidget& window);
QStringList UnreachedByTab(QWidget& window);

} // namespace k2k::test
