#pragma once
// The image list of the registered-types dialogs (ilsRegister): small pictures drawn in
// code, one per image key a node can take (RegTypeImageKeys). A category has a picture of
// its own ("DIGITAL", "SMD", "THOLE", ...); its top-level key ("DIGITALMAIN") shows the same
// picture on a folder. "USER" marks the user's own nodes.

#include <QIcon>
#include <QPixmap>

#include <string_view>

namespace k2k {

inline constexpr int kRegTypeImageSize = 16;

// The picture of a key; a null pixmap for a key the list does not hold.
QPixmap RegTypeImage(std::string_view key);
QIcon RegTypeIcon(std::string_view key);

} // namespace k2k
