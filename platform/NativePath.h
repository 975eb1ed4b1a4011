#pragma once
// Paths. Every path the browser composes, shows or compares is in the suite's form:
// directory & "\" & name, with an optional drive "X:". This is the one place that turns
// such a path into a path of this file system, and back.

#include <filesystem>
#include <string>
#include <string_view>

namespace k2k {

// "C:\Kalde 2000\LIB\TTL.PART" -> "/Kalde 2000/LIB/TTL.PART": a backslash becomes "/",
// a leading drive "X:" stands for the file-system root. A relative path stays relative.
std::filesystem::path NativePath(std::string_view suitePath);

// The inverse for folders handed in from outside (command line, file pickers):
// "/work/suite" -> "\work\suite".
std::string SuitePath(const std::filesystem::path& nativePath);

// True for "\x", "/x" and "X:..." (a path that does not depend on the current folder).
bool IsAbsoluteSuitePath(std::string_view suitePath) noexcept;

// directory & "\" & name, exactly as the suite composes paths.
std::string JoinPath(std::string_view directory, std::string_view name);

} // namespace k2k
