#pragma once
// The browser's image list: small pictures drawn in code, one per key, in the list's order
// ("PART", "SYMBOLGROUPS", "PACKAGE", "PADSTACK", "BLANKGREY", "STAT_LOCAL_LIB",
// "STAT_USEDIN_PROJECT"). The tabs show the first four, the result rows the status images.

#include <QIcon>
#include <QPixmap>
#include <QStringList>

#include <string_view>

namespace k2k {

inline constexpr int kBrowserImageSize = 16;

// The keys in the image list's order.
const QStringList& BrowserImageKeys();

// The picture of a key; a null pixmap for a key the list does not hold (and for "", the
// row without a status image).
QPixmap BrowserImage(std::string_view key);
QIcon BrowserIcon(std::string_view key);
// A clear picture of the images' size: a row without a status image keeps its text in line
// with the rows that have one.
QPixmap ClearImage();

} // namespace k2k
