#pragma once
// The design the suite has open: the project database and its current hierarchy and page,
// read from the kernel whenever the browser refreshes. The project-library operations
// work on these names.

#include <string>

namespace k2k {

class KernelProject;
class SuiteServices;

struct DesignContext {
    std::string databaseName;
    std::string hierarchyName;
    std::string pageName;
};

// Answers the database handle and fills context. Without an open database it shows
// "Start Main Kalde 2000 Application" (critical, OK) and answers 0: the browser cannot run
// and its caller shuts it down.
int ReadDesignContext(KernelProject& kernel, SuiteServices& services, DesignContext& context);

} // namespace k2k
