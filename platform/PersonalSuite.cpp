#include "platform/PersonalSuite.h"

#include "platform/SuiteFolder.h"
#include "system/UserFolders.h"

#include <string>
#include <system_error>

#include <unistd.h>

namespace k2k {

namespace fs = std::filesystem;

fs::path PersonalSuiteFolder() {
    return UserDataFolder() / "kalde2000" / "suite";
}

Result<PersonalSuite> FindPersonalSuite(const fs::path& sample) {
    PersonalSuite suite{PersonalSuiteFolder()};
    std::error_code error;
    if (fs::exists(fs::symlink_status(suite.folder, error)))
        return suite;
    if (!fs::is_regular_file(sample / kInitialisationFile, error))
        return Problem{"the sample suite to copy is missing: " + sample.string() + " holds no " +
                       kInitialisationFile};
    fs::create_directories(suite.folder.parent_path(), error);
    if (error)
        return Problem{"cannot make the folder " + suite.folder.parent_path().string() + ": " +
                           error.message(),
                       0, error.value()};
    const fs::path copy = suite.folder.parent_path() /
                          (suite.folder.filename().string() + ".new-" + std::to_string(getpid()));
    fs::remove_all(copy, error);
    fs::copy(sample, copy, fs::copy_options::recursive, error);
    if (!error)
        fs::rename(copy, suite.folder, error);
    if (error) {
        const std::error_code failure = error;
        fs::remove_all(copy, error);
        // Another first start renamed its copy into place first: that one is the suite.
        if (fs::is_directory(suite.folder, error))
            return suite;
        return Problem{"cannot copy the sample suite " + sample.string() + " to " +
                           suite.folder.string() + ": " + failure.message(),
                       0, failure.value()};
    }
    suite.madeNow = true;
    return suite;
}

} // namespace k2k
