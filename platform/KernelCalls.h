#pragma once
// The kernel's calls into other libraries: it calls a function of a loaded library and
// copies bytes out of the library's memory, so that callers never dereference what a
// library hands back themselves. The simulator model libraries are reached this way
// (platform/SimulatorModelAbi.h has the records they answer).

#include <cstddef>

namespace k2k {

class KernelCalls {
public:
    // Calls the function at the given address, which takes no arguments, and answers the
    // address it returns. A null function answers null.
    const void* E_CallDLL(void* function) const;
    // Copies bytes from source to destination; nothing when either is null.
    void E_MemCopy(void* destination, const void* source, std::size_t bytes) const;
};

} // namespace k2k
