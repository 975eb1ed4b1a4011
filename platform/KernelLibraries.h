#pragma once
// The kernel's library-file calls. Handles and object numbers are valid when > 0.
// The file format itself is LibraryFile's; this class adds the handles, the signature
// check of E_OpenLibrary, the delete (the library rewritten atomically) and the
// description records that the searches read.
//
// Other browsers and k2klib runs may change a library while it is open here. A delete
// therefore takes the library's FileLock, reads the file again and removes the object
// from what the file holds now, so that two deletes of different objects both take
// effect; an object that another writer has removed meanwhile counts as deleted.

#include "formats/LibraryFile.h"

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// The descriptions of one library, read with one sequential read into one buffer.
struct LibraryDescriptions {
    DescriptionBuffer buffer;
    std::vector<LibraryInfoRecord> records;
};

class KernelLibraries {
public:
    static constexpr int kModeDelete = -1;
    static constexpr int kModeLoad = 0;

    KernelLibraries();
    ~KernelLibraries();
    KernelLibraries(const KernelLibraries&) = delete;
    KernelLibraries& operator=(const KernelLibraries&) = delete;

    // Paths are suite-form paths. A handle > 0 when the file is a valid library whose
    // signature equals signature ("KaldeDLL20" or "KaldeSLL20"); mode -1 opens it for
    // deleting, 0 for loading. 0 otherwise.
    int E_OpenLibrary(const std::string& path, const std::string& signature, int mode);
    // Object > 0 when the library holds an object of that name (exact comparison).
    int E_OpenLibToRead(int library, const std::string& name);
    // Non-zero when the object was deleted (or another writer had deleted it since the
    // library was opened): the library file, read again under its lock, is rewritten
    // without it beside the old one and renamed over it. Only for a library opened with
    // mode -1. On 0 the file is as it was, and LastLibraryErrno says why when the file
    // could not be rewritten.
    int E_DeleteLibObject(int library, const std::string& name);
    void E_CloseLibrary(int library);

    // Fill up to count records, in library order; answer how many were filled (0 when the
    // file is missing or not a library of that kind).
    int E_GetPartInfo(const std::string& path, int count, LibraryDescriptions& records);
    int E_GetSymbolInfo(const std::string& path, int count, LibraryDescriptions& records);
    // Either of the two (parts true: E_GetPartInfo) as a search reads it, on any thread:
    // with one opening of the file, its presence and its header's count included, and the
    // expectation given rather than set. A library of the other kind is refused, and so is
    // a read given up because cancel was set.
    Result<LibrarySearchRead> ReadForSearch(const std::string& path, bool parts, bool wholeTexts,
                                            LibraryDescriptions& records,
                                            const std::atomic<bool>* cancel = nullptr) const;

    // The data of an object from E_OpenLibToRead, or nullptr when the number is unknown
    // or its library was closed. Used by S_LoadSymbol.
    const LibraryObject* ObjectOf(int object) const;
    LibraryKind KindOfObject(int object) const;

    // How the next E_GetPartInfo and E_GetSymbolInfo read: whether the caller expects to
    // read most info texts (a search with more criteria than a name, or one that finds
    // much) or mostly names. Either way the records are the same.
    void ExpectInfoTexts(bool most) noexcept { m_expectInfoTexts = most; }
    bool ExpectsInfoTexts() const noexcept { return m_expectInfoTexts; }

    // Why the last E_DeleteLibObject answered 0: the errno of a library that could not be
    // read again or rewritten (kErrFileLocked when another writer held it all the time the
    // delete waited, EACCES for a read-only one); 0 when the object was not there to delete
    // or the library was not open for deleting.
    int LastLibraryErrno() const noexcept { return m_lastErrno; }

    // Test hook: the next rewrite fails after this many bytes, as a full disk would.
    void FailNextRewriteAfter(std::size_t bytes) noexcept { m_failRewriteAfter = bytes; }

private:
    struct OpenLibrary;
    int GetInfo(const std::string& path, int count, bool parts, bool wholeTexts,
                LibraryDescriptions& records) const;
    int DeleteFailed(int errorNumber);
    // The object numbers handed out for the library follow their objects into contents,
    // which replaces what the library held.
    void Replace(int library, LibraryContents contents);

    std::map<int, std::unique_ptr<OpenLibrary>> m_libraries;
    std::map<int, std::pair<int, std::size_t>> m_objects; // object -> (library, position)
    int m_nextLibrary = 1;
    int m_nextObject = 1;
    std::size_t m_failRewriteAfter = static_cast<std::size_t>(-1);
    int m_lastErrno = 0;
    bool m_expectInfoTexts = false;
};

} // namespace k2k
