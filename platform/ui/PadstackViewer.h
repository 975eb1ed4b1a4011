#pragma once
// The padstack viewer ("K2KPSTACKVIEWER"): each layer's pad side by side, named under it
// with its shape and size, the drill as a hole in the copper layers and written above.

#include "platform/ui/ObjectViewer.h"

namespace k2k {

class PadstackViewer final : public ObjectViewer {
    Q_OBJECT
public:
    explicit PadstackViewer(QWidget* parent = nullptr);

protected:
    void DrawKind(const Drawing& drawing, QStringList& problems) override;
};

} // namespace k2k
