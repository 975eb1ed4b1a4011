#pragma once
// The package viewer ("K2KPACKAGEVIEWER"): the package's outline, its origin mark and its
// pads. A pad is drawn from its padstack's top layer (the bottom or inner layer, or the
// first, when it has none) with its drill hole; a padstack that cannot be found or drawn
// gives a round default pad and says so.

#include "platform/ui/ObjectViewer.h"

#include <functional>
#include <optional>
#include <string>

namespace k2k {

class PackageViewer final : public ObjectViewer {
    Q_OBJECT
public:
    // The drawing text of a padstack by name; nullopt when it is not known.
    using PadstackSource = std::function<std::optional<std::string>(const std::string&)>;

    explicit PackageViewer(QWidget* parent = nullptr);

    // Where the pads' padstacks come from; set before Open.
    void SetPadstackSource(PadstackSource source) { m_padstacks = std::move(source); }

protected:
    void DrawKind(const Drawing& drawing, QStringList& problems) override;

private:
    PadstackSource m_padstacks;
};

} // namespace k2k
