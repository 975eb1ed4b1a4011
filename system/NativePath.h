#pragma once
// Paths. Every path the browser composes, shows or compares is in the suite's form:
// directory & "\" & name, with an optional drive "X:", in the suite's 8-bit encoding
// (Windows-1252). This is the one place that turns such a path into a path of this file
// system, and back, and into the form a person reads.
//
// This file system tells "LIB\A.PART" from "lib\a.part"; the suite's does not. NativePath
// finds a file or folder whose name differs only in case when the exact name is absent,
// so every reader and writer agrees on which file a suite path names.

#include "system/Result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace k2k {

// "C:\Kalde 2000\LIB\TTL.PART" -> "/Kalde 2000/LIB/TTL.PART": a backslash becomes "/",
// a leading drive "X:" stands for the file-system root, the name becomes UTF-8. A relative
// path stays relative. Each component that does not exist as given is replaced by the
// entry of its folder whose name equals it without regard to case (the first in byte
// order when several do); from the first component that has none on, the path stays as
// given, so a file written new gets the name it was given. An exact hit costs one stat;
// only a miss lists folders.
std::filesystem::path NativePath(std::string_view suitePath);

// The inverse for paths handed in from outside (command line, file pickers):
// "/home/jürgen/suite" -> "\home\j\xFCrgen\suite". Refused when a name holds a character
// that Windows-1252 has no byte for (or is not UTF-8): the suite cannot name that file. The
// problem says so in a sentence for the message where the path came in.
Result<std::string> SuitePath(const std::filesystem::path& nativePath);

// What a person reads: "C:\home\j\xFCrgen\LIB\TTL.PART" -> "/home/j\xFCrgen/LIB/TTL.PART",
// this system's form of the path, still 8-bit like every text of the core; the edge that
// shows the text converts all of it to UTF-8 at once. No disk access.
std::string DisplayPath(std::string_view suitePath);

// True for "\x", "/x" and "X:..." (a path that does not depend on the current folder).
bool IsAbsoluteSuitePath(std::string_view suitePath) noexcept;

// directory & "\" & name, exactly as the suite composes paths.
std::string JoinPath(std::string_view directory, std::string_view name);

} // namespace k2k
