#pragma once
// k2klib run in-process, for the tests of the tool and the window tests that compare with
// it. Only they include this, so only they link the tool's library.

#include "Commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace k2k::test {

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs "k2klib ARGS..." and answers its exit status and what it wrote.
inline ToolRun RunK2klib(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunK2klib(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace k2k::test
