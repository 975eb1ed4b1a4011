#include "Commands.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return k2k::cli::RunK2klib(args, std::cout, std::cerr);
}
