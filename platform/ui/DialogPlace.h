#pragma once
// Where a dialog or a viewer opens: centred over the window it belongs to (that window's
// frame), no larger than that window's screen's work area allows (nor smaller than its own
// minimum), and moved in so that its whole frame lies on that screen. Without an owner it
// opens centred on the primary screen's work area. Called just before the window is shown,
// when its size is known.

class QWidget;

namespace k2k {

// owner: the window to open over; nullptr for none.
void CentreOver(QWidget& window, const QWidget* owner);
// Over the dialog's parent's window.
void CentreOverParent(QWidget& dialog);

} // namespace k2k
