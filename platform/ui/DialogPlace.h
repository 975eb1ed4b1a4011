#pragma once
// Where a dialog opens: centred over the window it belongs to (its parent's window, frame
// included), moved in so that its whole frame lies on that window's screen; a dialog
// without a parent opens centred on the primary screen's work area. Called just before the
// dialog is shown, when its size is known.

class QWidget;

namespace k2k {

void CentreOverParent(QWidget& dialog);

} // namespace k2k
