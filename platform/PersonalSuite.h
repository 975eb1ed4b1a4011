#pragma once
// The suite a person works in when none is named: "kalde2000/suite" in the user's data
// folder (system/UserFolders). The first start makes it a copy of the sample suite, so the
// installed sample is never changed and a person's libraries, catalogue and settings
// survive updates of the program.
//
// The copy is made whole in a new folder beside its place ("suite.new-PID") and renamed into
// place, so a start that is killed while it copies leaves no half suite: the next start
// copies again. Two first starts at once both copy; the one that renames first wins and the
// other drops its copy. A folder already in place is used as it stands, suite or not: the
// opening of the suite says what is wrong with it.

#include "system/Result.h"

#include <filesystem>

namespace k2k {

struct PersonalSuite {
    std::filesystem::path folder;
    bool madeNow = false; // copied from the sample by this call
};

std::filesystem::path PersonalSuiteFolder();

// The personal suite, made from sample when it is not there yet.
Result<PersonalSuite> FindPersonalSuite(const std::filesystem::path& sample);

} // namespace k2k
