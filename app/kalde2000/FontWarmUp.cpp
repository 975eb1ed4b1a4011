#include "FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace k2k {

FontWarmUp::FontWarmUp() {
    try {
        m_reader = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // no thread: the first window reads the configuration
    }
}

} // namespace k2k
