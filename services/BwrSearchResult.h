#pragma once
// BWR_SEARCHRESULT, the record in which library objects cross the component's boundary:
// the host hands a list in with SetDropData, and the browser hands the objects the user
// drags out of a result list to the host with the event LoadDropData. Lists are indexed
// from 0.

#include <cstdint>
#include <string>
#include <vector>

namespace k2k {

struct BWR_SEARCHRESULT {
    std::int32_t Status = 0; // the object's status code, as the result list has it
    std::string Name;        // the object's name (suite text)
    std::string Library;     // the library name or path that holds it (suite text)

    bool operator==(const BWR_SEARCHRESULT&) const = default;
};

using BwrSearchResults = std::vector<BWR_SEARCHRESULT>;

} // namespace k2k
