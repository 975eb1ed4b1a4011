#pragma once
// Removing a key from the suite initialisation file (the services' current one).

#include <string_view>

namespace k2k {

class SuiteServices;

// Writes the key with no value, which removes it. When the file cannot be written, shows
// the write-failure message for the file and sets status 1; otherwise status 0.
void DeleteIniKey(SuiteServices& services, std::string_view section, std::string_view key,
                  int& status);

} // namespace k2k
