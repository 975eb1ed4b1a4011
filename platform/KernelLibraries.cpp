#include "platform/KernelLibraries.h"

// Placeholder until the library files are written.
namespace k2k {

struct KernelLibraries::OpenLibrary {};

std::string_view SignatureOf(LibraryKind kind) noexcept {
    return kind == LibraryKind::Part ? kPartLibrarySignature : kSymbolLibrarySignature;
}

KernelLibraries::KernelLibraries() = default;
KernelLibraries::~KernelLibraries() = default;
int KernelLibraries::E_OpenLibrary(const std::string&, const std::string&, int) { return 0; }
int KernelLibraries::E_OpenLibToRead(int, const std::string&) { return 0; }
int KernelLibraries::E_DeleteLibObject(int, const std::string&) { return 0; }
void KernelLibraries::E_CloseLibrary(int) {}
int KernelLibraries::E_GetPartInfo(const std::string&, int, LibraryDescriptions&) { return 0; }
int KernelLibraries::E_GetSymbolInfo(const std::string&, int, LibraryDescriptions&) { return 0; }
const LibraryObject* KernelLibraries::ObjectOf(int) const { return nullptr; }
LibraryKind KernelLibraries::KindOfObject(int) const { return LibraryKind::Symbol; }

}  // namespace k2k
