#pragma once
// Library names from outside: a catalogue entry, a source file's name in an import, a
// --library option, the library of a result row. Such a name is joined to the library
// folder (folder & "\" & name), so it must be one plain file name inside that folder, or a
// name could make a reader or a writer reach another folder (NativePath turns "\" into "/"
// and a leading "X:" into the root). LibraryFilePath is the one place that composes the path
// of such a name; everyone who reads or writes a library by name goes through it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace k2k {

class SuiteServices;

// What keeps a name (suite text, Windows-1252) from being one plain file name.
enum class LibraryNameFault : std::uint8_t {
    None,
    Empty,     // empty or only blanks
    Control,   // a control character (C0, DEL, or a byte Windows-1252 leaves undefined)
    Separator, // "\", "/" or ":" (a drive)
    Folder,    // "." or ".."
    Edge,      // a blank at either end or a dot at the end, which the suite's file
               // system drops, so the name would meet another file
};

LibraryNameFault CheckLibraryName(std::string_view name) noexcept;

// The localised refusal: "The library name "NAME" is not a plain file name in the library
// folder: it ...". Suite text, like every message of the core.
std::string LibraryNameRefusal(const SuiteServices& services, std::string_view name,
                               LibraryNameFault fault);

// libraryDir & "\" & name, or nullopt when the name breaks the rule.
std::optional<std::string> LibraryFilePath(std::string_view libraryDir, std::string_view name);

} // namespace k2k
