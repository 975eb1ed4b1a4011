#pragma once
// The edge between the suite's 8-bit texts and Qt's. Core keeps every text in Windows-1252,
// as the suite's files hold it; a window converts here, and only here, when it shows a text
// or reads one from a control.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace k2k {

// A suite text as Qt shows it: Windows-1252 to Unicode; CR LF line ends become LF.
QString FromSuiteText(std::string_view text);

// What a person typed, as a suite text; nullopt when it holds a character that Windows-1252
// cannot hold (the window then says so instead of storing a changed text).
std::optional<std::string> ToSuiteText(const QString& text);

} // namespace k2k
