#include "Commands.h"

#include "system/FileLock.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = k2k::cli::RunK2klib(args, std::cout, std::cerr);
    // The load test's figure: how long this run waited for other writers at most.
    if (std::getenv("K2K_LOCK_STATS"))
        std::cerr << "k2klib: longest lock wait: " << k2k::LongestLockWait().count() << " ms\n";
    return status;
}
