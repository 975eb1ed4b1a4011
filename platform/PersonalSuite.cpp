#include "platform/PersonalSuite.h"

#include "platform/SuiteFolder.h"
#include "system/UserFolders.h"

#include <cerrno>
#include <string>
#include <system_error>

#include <signal.h>
#include <unistd.h>

namespace k2k {

namespace fs = std::filesystem;

namespace {

// Takes away the half copies ("suite.new-PID") of first starts that were killed: those whose
// process no longer runs. A copy whose process runs is another first start's, at work.
void RemoveKilledCopies(const fs::path& suite) {
    const std::string prefix = suite.filename().string() + ".new-";
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(suite.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0)
            continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos ||
            digits.size() > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(digits));
        if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove_all(entry.path(), ignored);
        }
    }
}

} // namespace

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
    RemoveKilledCopies(suite.folder);
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
