#include "platform/KernelCalls.h"

#include "platform/SimulatorModelAbi.h"

#include <cstring>

namespace k2k {

const void* KernelCalls::E_CallDLL(void* function) const {
    if (!function)
        return nullptr;
    // dlsym hands out functions as object pointers; POSIX guarantees the round trip.
    const auto call = reinterpret_cast<K2kModelCall>(function);
    return call();
}

void KernelCalls::E_MemCopy(void* destination, const void* source, std::size_t bytes) const {
    if (destination && source && bytes > 0)
        std::memcpy(destination, source, bytes);
}

} // namespace k2k
