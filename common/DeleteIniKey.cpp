#include "common/DeleteIniKey.h"

#include "platform/FileOps.h"
#include "platform/SuiteServices.h"

#include <optional>

namespace k2k {

void DeleteIniKey(SuiteServices& services, std::string_view section, std::string_view key,
                  int& status) {
    int errorNumber = 0;
    if (services.WriteIniString(section, key, std::nullopt, &errorNumber)) {
        status = 0;
        return;
    }
    services.Boxes().Show(FileOps::WriteFailureMessage(services, services.IniFile(), errorNumber));
    status = 1;
}

} // namespace k2k
