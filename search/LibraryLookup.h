#pragma once
// Finding the library that holds an object, and fetching an object for a viewer.
//
// FindLibrary walks the kind's catalogue list in search order and opens each library until
// one holds the object; that library stays open, and its handle and the object's handle
// are kept in the open-library memory (one pair) for the load that follows. LoadForViewing
// brings a symbol or package into the open project so that a viewer can show it: an object
// the project already holds is shown from there ("Project library"); otherwise the object
// found in a library is loaded under the kind's scratch index (-1000 symbols, -2000
// packages), which holds only the last one loaded, and the library is closed again.
//
// Padstacks are never loaded into the project: the padstack viewer, and a package viewer
// drawing its pads, read a padstack's drawing straight from the library FindLibrary found
// (ReadFromLibraries). FetchForViewing puts both ways together and answers what a viewer
// shows: the library text, the info text and the drawing.

#include "formats/LibraryFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace k2k {

class Kernel;
class KernelLibraries;
class LibraryCatalogue;
class SuiteServices;

inline constexpr int kSymbolScratchIndex = -1000;
inline constexpr int kPackageScratchIndex = -2000;

// The library FindLibrary left open and the object it found there; 0 when none.
struct OpenLibraryMemory {
    int library = 0;
    int object = 0;
};

// The library that holds an object, found by FindLibrary and left open for loading.
struct FoundLibrary {
    std::string path; // suite form: library directory & "\" & the catalogue entry
    int position = 0; // the entry's position in the kind's catalogue list, from 1
    int library = 0;  // the kernel's handle of the open library; the caller closes it
    int object = 0;   // the object in it (E_OpenLibToRead)
};

// The first library of the kind's catalogue list, in order, that opens with the kind's
// signature and holds an object of that name; the libraries passed over are closed again.
std::optional<FoundLibrary> FindLibrary(KernelLibraries& kernel, const LibraryCatalogue& catalogue,
                                        std::string_view libraryDir, LibraryKind kind,
                                        const std::string& name);

// Where FindLibrary found an object.
struct LibraryLocation {
    std::string path; // library directory & "\" & the catalogue entry
    int position = 0; // the entry's number in the kind's catalogue list, from 1
};

// An object as a viewer shows it.
struct ViewedObject {
    LibraryKind kind = LibraryKind::Symbol;
    std::string name;
    std::string library; // "Project library", or the full path of the library
    std::string info;    // the info text, fields separated by the byte 0x80
    std::string drawing; // the drawing text; empty when the object has none
};

class LibraryLookup final {
public:
    // libraryDir is the component's library directory, read at every call.
    LibraryLookup(Kernel& kernel, SuiteServices& services, const LibraryCatalogue& catalogue,
                  const std::string& libraryDir);
    ~LibraryLookup();
    LibraryLookup(const LibraryLookup&) = delete;
    LibraryLookup& operator=(const LibraryLookup&) = delete;

    // 0 when a library of the kind's list holds the object (found is set and the library
    // stays open in the open-library memory), 1 when none does.
    int FindLibrary(LibraryKind kind, const std::string& name, LibraryLocation& found);

    // kind Symbol or Package. 0 when the object is in the project, or was found in a library
    // and loaded under the kind's scratch index; library is then "Project library" (text
    // 99852) or the full path of the library. 1 when it could not be found or loaded.
    // index is where the project's symbol map holds it.
    int LoadForViewing(LibraryKind kind, const std::string& name, std::string& library, int& index);

    // The object as the first library of the kind's list that holds it has it, and where;
    // the library is closed again. nullopt when no library holds it.
    std::optional<ViewedObject> ReadFromLibraries(LibraryKind kind, const std::string& name);

    // What the viewer of the kind (Symbol, Package or Padstack) shows for name: symbols and
    // packages through LoadForViewing, padstacks through ReadFromLibraries. nullopt when
    // the object was not found. No message is shown.
    std::optional<ViewedObject> FetchForViewing(LibraryKind kind, const std::string& name);

    // The drawing of the padstack a package's pad names: the project's padstack of that
    // name if it has one, else the library's. nullopt when neither holds it.
    std::optional<std::string> PadstackDrawing(const std::string& name);

    const OpenLibraryMemory& Memory() const noexcept { return m_memory; }
    // Closes the library of the open-library memory, if any, and forgets it.
    void CloseOpenLibrary();

private:
    Kernel& m_kernel;
    SuiteServices& m_services;
    const LibraryCatalogue& m_catalogue;
    const std::string& m_libraryDir;
    OpenLibraryMemory m_memory;
};

} // namespace k2k
