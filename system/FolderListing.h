#pragma once
// What a folder holds, as the suite's file and folder list controls show it: names only,
// sorted without regard to case (ties in byte order), so every listing comes out the
// same way on every run. Folders are given in the suite's path form, names come back in
// the suite's encoding (a name that Windows-1252 cannot hold is left out).
//
// This file system tells "OPAMP.SBC" from "opamp.sbc"; the suite's does not. FindNoCase
// finds a name the way the suite's file system would (through NativePath).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// An entry whose name the suite cannot hold (not UTF-8, or a character Windows-1252 lacks):
// its name as it can be shown, each such character or byte as "?", and why ("the name holds
// the byte 0xFF, which is not UTF-8").
struct UnnamedEntry {
    std::string shownName;
    std::string reason;
};

// The regular files of a folder (links followed); empty when it cannot be read. A name the
// suite cannot name (a character Windows-1252 lacks, or a "\" in it) is left out, so no
// one joins it to the folder and reaches another. unnamed, when given, gets the entries
// left out because the suite cannot hold their names appended, in the same order.
std::vector<std::string> ListFiles(const std::string& folder,
                                   std::vector<UnnamedEntry>* unnamed = nullptr);
// The immediate subfolders of a folder; empty when it cannot be read.
std::vector<std::string> ListSubfolders(const std::string& folder,
                                        std::vector<UnnamedEntry>* unnamed = nullptr);

// True when name ends with the extension (".SBC") without regard to case, and has more
// than the extension.
bool HasExtensionNoCase(std::string_view name, std::string_view extension) noexcept;

// The entry of folder whose name equals name without regard to case: the entry of exactly
// that name when there is one, else the first in byte order. nullopt when none.
std::optional<std::string> FindNoCase(const std::string& folder, const std::string& name);

} // namespace k2k
