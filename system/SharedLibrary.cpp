#include "system/SharedLibrary.h"

#include <dlfcn.h>
#include <utility>

namespace k2k {

SharedLibrary::~SharedLibrary() {
    Close();
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_error(std::move(other.m_error)) {
}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

bool SharedLibrary::Open(const std::filesystem::path& path) {
    Close();
    m_error.clear();
    // A path without a slash would send dlopen searching the system's library folders.
    std::filesystem::path local = path;
    if (!local.empty() && !local.has_parent_path())
        local = std::filesystem::path(".") / local;
    m_handle = ::dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* reason = ::dlerror();
        m_error = reason ? reason : "the library does not load";
        return false;
    }
    return true;
}

void* SharedLibrary::Symbol(const std::string& name) const {
    if (!m_handle)
        return nullptr;
    return ::dlsym(m_handle, name.c_str());
}

void SharedLibrary::Close() noexcept {
    if (m_handle) {
        ::dlclose(m_handle);
        m_handle = nullptr;
    }
}

} // namespace k2k
