#pragma once
// A shared object loaded into the process (LoadLibrary, GetProcAddress and FreeLibrary of
// the suite's system): dlopen, dlsym and dlclose. The library is freed when the object
// goes, or earlier by Close.

#include <filesystem>
#include <string>

namespace k2k {

class SharedLibrary final {
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;
    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;

    // Loads the library (a native path), resolving all its symbols at once. False, with
    // the loader's reason in Error(), when it does not load.
    bool Open(const std::filesystem::path& path);
    bool IsOpen() const noexcept { return m_handle != nullptr; }
    // The address of an exported symbol, or null.
    void* Symbol(const std::string& name) const;
    void Close() noexcept;
    const std::string& Error() const noexcept { return m_error; }

private:
    void* m_handle = nullptr;
    std::string m_error;
};

} // namespace k2k
