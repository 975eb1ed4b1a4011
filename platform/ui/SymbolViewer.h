#pragma once
// The symbol viewer ("K2KSMBVIEWER"): the symbol's body graphics and its pins, each a line
// from its outer end (a small circle, where a net connects) towards the body, its number
// along the line outside the body and its name inside, next to the pin's inner end. Names
// on the top or bottom stand level under or over their pin while they have room, and turn to
// run along the pins when a row of them would run together; crowded texts shrink.

#include "platform/ui/ObjectViewer.h"

namespace k2k {

class SymbolViewer final : public ObjectViewer {
    Q_OBJECT
public:
    explicit SymbolViewer(QWidget* parent = nullptr);

protected:
    void DrawKind(const Drawing& drawing, QStringList& problems) override;
};

} // namespace k2k
