#pragma once
// How a screen reader reads our combo boxes. Qt on Linux reads a combo box's text as its
// name (it leaves the naming to labels beside it, which a grid's cells are not), so a box
// named "Part Name" that holds "74*" would be read as "74*" alone. A combo box marked here
// is read with its own accessible name as its name and its text as its value, like any
// other control; its line edit is its child, and its list, a window of its own, opens by
// the reader's "show menu" action and is read when it opens.

class QComboBox;

namespace k2k {

// From now on the box is read by its accessible name (set before or after this).
void ReadByItsName(QComboBox& combo);

} // namespace k2k
