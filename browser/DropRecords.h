#pragma once
// The records that leave the browser with a drag or ahead of an edit or send command: one
// BWR_SEARCHRESULT per selected row of a result list, in list order. The window hands them
// to the host (the class's LoadDropData); a drag also carries them in its data, encoded
// here, under the browser's own data type, beside the key of the focused row.

#include "services/BwrSearchResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class ResultList;

// The browser's drag data types: the drop records, and the focused row's key as bytes.
inline constexpr const char* kDropRecordsMimeType = "application/x-k2kbrwsr-drop-records";
inline constexpr const char* kDropKeyMimeType = "application/x-k2kbrwsr-row-key";

// The records of the given results (numbers from 1, in list order): Status is the result's
// number and status fields or-ed, Library is library directory & "\" & library, and a
// result whose library is the project library ("PROJECT LIBRARY" in any case) has none.
std::vector<BWR_SEARCHRESULT> CollectDropRecords(const ResultList& results,
                                                 const std::vector<int>& selectedResults,
                                                 std::string_view libraryDir);

// The records as bytes: "K2KDROP1", the record count, then per record the status, and the
// name and library each as its length and its bytes; numbers are 32-bit little-endian.
std::string EncodeDropRecords(const std::vector<BWR_SEARCHRESULT>& records);
// nullopt when the bytes are not such an encoding (wrong tag, cut short, bytes left over).
std::optional<std::vector<BWR_SEARCHRESULT>> DecodeDropRecords(std::string_view bytes);

} // namespace k2k
