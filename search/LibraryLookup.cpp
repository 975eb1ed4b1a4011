#include "search/LibraryLookup.h"

#include "common/Messages.h"
#include "platform/Kernel.h"
#include "search/LibraryCatalogue.h"
#include "search/ProjectStatus.h"

namespace k2k {

LibraryLookup::LibraryLookup(Kernel& kernel, SuiteServices& services,
                             const LibraryCatalogue& catalogue, const std::string& libraryDir)
    : m_kernel(kernel), m_services(services), m_catalogue(catalogue), m_libraryDir(libraryDir) {
}

LibraryLookup::~LibraryLookup() {
    CloseOpenLibrary();
}

void LibraryLookup::CloseOpenLibrary() {
    if (m_memory.library > 0)
        m_kernel.E_CloseLibrary(m_memory.library);
    m_memory = {};
}

std::optional<FoundLibrary> FindLibrary(KernelLibraries& kernel, const LibraryCatalogue& catalogue,
                                        std::string_view libraryDir, LibraryKind kind,
                                        const std::string& name) {
    const std::string signature(SignatureOf(kind));
    for (int entry = 1; entry <= catalogue.Count(kind); ++entry) {
        std::optional<std::string> path = catalogue.LibraryPath(kind, entry, libraryDir);
        if (!path)
            continue;
        const int library = kernel.E_OpenLibrary(*path, signature, KernelLibraries::kModeLoad);
        if (library <= 0)
            continue;
        if (const int object = kernel.E_OpenLibToRead(library, name); object > 0)
            return FoundLibrary{std::move(*path), entry, library, object};
        kernel.E_CloseLibrary(library);
    }
    return std::nullopt;
}

int LibraryLookup::FindLibrary(LibraryKind kind, const std::string& name, LibraryLocation& found) {
    // A library a find before left open (no load followed) is not kept any longer.
    CloseOpenLibrary();
    const auto library = k2k::FindLibrary(m_kernel, m_catalogue, m_libraryDir, kind, name);
    if (!library)
        return 1;
    found = {library->path, library->position};
    m_memory = {library->library, library->object};
    return 0;
}

int LibraryLookup::LoadForViewing(LibraryKind kind, const std::string& name, std::string& library,
                                  int& index) {
    if (const int inProject = FindInProject(m_kernel, kind, name); inProject > 0) {
        library = LocalText(m_services, "99852", "Project library");
        index = inProject;
        return 0;
    }
    LibraryLocation found;
    if (FindLibrary(kind, name, found) != 0)
        return 1;
    const int scratch = kind == LibraryKind::Symbol ? kSymbolScratchIndex : kPackageScratchIndex;
    if (m_kernel.S_Symbol(scratch) != 0)
        m_kernel.OM_Delete(m_kernel.DB_SymbMap(), scratch);
    const int loaded = m_kernel.S_LoadSymbol(scratch, m_memory.object);
    CloseOpenLibrary();
    if (loaded == 0)
        return 1;
    m_kernel.O_Rename(m_kernel.S_Symbol(loaded), name);
    library = found.path;
    index = loaded;
    return 0;
}

std::optional<ViewedObject> LibraryLookup::ReadFromLibraries(LibraryKind kind,
                                                             const std::string& name) {
    LibraryLocation found;
    if (FindLibrary(kind, name, found) != 0)
        return std::nullopt;
    std::optional<ViewedObject> viewed;
    if (const LibraryObject* object = m_kernel.ObjectOf(m_memory.object))
        viewed = ViewedObject{kind, object->name, found.path, object->info, object->drawing};
    CloseOpenLibrary();
    return viewed;
}

std::optional<ViewedObject> LibraryLookup::FetchForViewing(LibraryKind kind,
                                                           const std::string& name) {
    if (kind == LibraryKind::Padstack)
        return ReadFromLibraries(kind, name);
    ViewedObject viewed{kind, name, {}, {}, {}};
    int index = 0;
    if (LoadForViewing(kind, name, viewed.library, index) != 0)
        return std::nullopt;
    SymbolRecord record;
    if (m_kernel.S_ReadSymbol(index, record) != 0 && record.info != nullptr)
        viewed.info = record.info;
    m_kernel.S_ReadDrawing(index, viewed.drawing);
    return viewed;
}

std::optional<std::string> LibraryLookup::PadstackDrawing(const std::string& name) {
    // The symbol map's padstacks carry all the flag bits of a padstack; packages lack one.
    const int index = FindInSymbolMap(m_kernel, name, {kPadstackFlags, kPadstackFlags});
    std::string drawing;
    if (index > 0 && m_kernel.S_ReadDrawing(index, drawing) != 0)
        return drawing;
    if (auto fromLibrary = ReadFromLibraries(LibraryKind::Padstack, name))
        return std::move(fromLibrary->drawing);
    return std::nullopt;
}

} // namespace k2k
