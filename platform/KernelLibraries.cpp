#include "platform/KernelLibraries.h"

#include "system/AtomicFile.h"
#include "system/FileLock.h"
#include "system/NativePath.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <unordered_map>
#include <utility>

namespace k2k {

// A library as the kernel holds it while it is open: all its objects, read when it was
// opened and kept in step with the file by every delete.
struct KernelLibraries::OpenLibrary {
    std::filesystem::path file;
    int mode = kModeLoad;
    LibraryContents contents;
};

KernelLibraries::KernelLibraries() = default;
KernelLibraries::~KernelLibraries() = default;

int KernelLibraries::E_OpenLibrary(const std::string& path, const std::string& signature,
                                   int mode) {
    if (mode != kModeDelete && mode != kModeLoad)
        return 0;
    auto library = std::make_unique<OpenLibrary>();
    library->file = NativePath(path);
    library->mode = mode;
    Result<LibraryContents> contents = ReadLibrary(library->file);
    if (!contents)
        return 0;
    library->contents = std::move(contents).Value();
    if (library->contents.header.signature != signature)
        return 0;
    if (m_nextLibrary == std::numeric_limits<int>::max())
        return 0;
    const int handle = m_nextLibrary++;
    m_libraries.emplace(handle, std::move(library));
    return handle;
}

int KernelLibraries::E_OpenLibToRead(int library, const std::string& name) {
    const auto found = m_libraries.find(library);
    if (found == m_libraries.end())
        return 0;
    const auto& objects = found->second->contents.objects;
    const auto object = std::find_if(objects.begin(), objects.end(),
                                     [&name](const LibraryObject& o) { return o.name == name; });
    if (object == objects.end() || m_nextObject == std::numeric_limits<int>::max())
        return 0;
    const int number = m_nextObject++;
    m_objects.emplace(number,
                      std::make_pair(library, static_cast<std::size_t>(object - objects.begin())));
    return number;
}

int KernelLibraries::DeleteFailed(int errorNumber) {
    m_lastErrno = errorNumber;
    return 0;
}

int KernelLibraries::E_DeleteLibObject(int library, const std::string& name) {
    m_lastErrno = 0;
    const auto failAfter = std::exchange(m_failRewriteAfter, static_cast<std::size_t>(-1));
    const auto found = m_libraries.find(library);
    if (found == m_libraries.end() || found->second->mode != kModeDelete)
        return DeleteFailed(0);
    OpenLibrary& opened = *found->second;
    const auto named = [&name](const LibraryObject& o) { return o.name == name; };
    if (std::none_of(opened.contents.objects.begin(), opened.contents.objects.end(), named))
        return DeleteFailed(0);

    // What the file holds now, which another writer may have changed since it was opened;
    // the lock keeps it so until the rewrite is in place.
    FileLock lock;
    int errorNumber = 0;
    if (!lock.Take(opened.file, &errorNumber))
        return DeleteFailed(errorNumber);
    Result<LibraryContents> read = ReadLibrary(opened.file);
    if (!read)
        return DeleteFailed(EIO);
    LibraryContents current = std::move(read).Value();
    if (current.header.signature != opened.contents.header.signature)
        return DeleteFailed(EIO);
    const auto object = std::find_if(current.objects.begin(), current.objects.end(), named);
    if (object != current.objects.end()) {
        current.objects.erase(object);
        AtomicFileWriter writer;
        writer.FailAfterBytes(failAfter);
        if (const Status written = WriteLibrary(writer, opened.file, current.kind, current.objects);
            !written)
            return DeleteFailed(written.Error().systemError != 0 ? written.Error().systemError
                                                                 : EIO);
        current.header.count = static_cast<std::int32_t>(current.objects.size());
    }
    Replace(library, std::move(current));
    return 1;
}

void KernelLibraries::Replace(int library, LibraryContents contents) {
    OpenLibrary& opened = *m_libraries.at(library);
    std::unordered_map<std::string_view, std::size_t> positions;
    for (std::size_t i = 0; i < contents.objects.size(); ++i)
        positions.emplace(contents.objects[i].name, i);
    for (auto it = m_objects.begin(); it != m_objects.end();) {
        auto& [owner, at] = it->second;
        if (owner == library) {
            const auto moved = positions.find(opened.contents.objects[at].name);
            if (moved == positions.end()) {
                it = m_objects.erase(it);
                continue;
            }
            at = moved->second;
        }
        ++it;
    }
    opened.contents = std::move(contents);
}

void KernelLibraries::E_CloseLibrary(int library) {
    if (m_libraries.erase(library) == 0)
        return;
    std::erase_if(m_objects,
                  [library](const auto& entry) { return entry.second.first == library; });
}

int KernelLibraries::E_GetPartInfo(const std::string& path, int count,
                                   LibraryDescriptions& records) {
    return GetInfo(path, count, true, m_expectInfoTexts, records);
}

int KernelLibraries::E_GetSymbolInfo(const std::string& path, int count,
                                     LibraryDescriptions& records) {
    return GetInfo(path, count, false, m_expectInfoTexts, records);
}

int KernelLibraries::GetInfo(const std::string& path, int count, bool parts, bool wholeTexts,
                             LibraryDescriptions& records) const {
    bool read = false;
    if (count > 0) {
        const Result<LibrarySearchRead> outcome = ReadForSearch(path, parts, wholeTexts, records);
        read = outcome && *outcome == LibrarySearchRead::Read;
    }
    if (!read) {
        records.records.clear();
        return 0;
    }
    if (records.records.size() > static_cast<std::size_t>(count))
        records.records.resize(static_cast<std::size_t>(count));
    return static_cast<int>(records.records.size());
}

Result<LibrarySearchRead> KernelLibraries::ReadForSearch(const std::string& path, bool parts,
                                                         bool wholeTexts,
                                                         LibraryDescriptions& records,
                                                         const std::atomic<bool>* cancel) const {
    LibraryKind kind = LibraryKind::Part;
    const std::filesystem::path file = NativePath(path);
    Result<LibrarySearchRead> read =
        ReadLibraryForSearch(file, kind, records.buffer, records.records, wholeTexts, cancel);
    if (read && *read == LibrarySearchRead::Read && (kind == LibraryKind::Part) != parts) {
        records.records.clear();
        return Problem{file.string() + ": not a " +
                       (parts ? "part library" : "library of symbols, packages or padstacks")};
    }
    return read;
}

const LibraryObject* KernelLibraries::ObjectOf(int object) const {
    const auto found = m_objects.find(object);
    if (found == m_objects.end())
        return nullptr;
    const auto library = m_libraries.find(found->second.first);
    if (library == m_libraries.end())
        return nullptr;
    const auto& objects = library->second->contents.objects;
    return found->second.second < objects.size() ? &objects[found->second.second] : nullptr;
}

LibraryKind KernelLibraries::KindOfObject(int object) const {
    const auto found = m_objects.find(object);
    if (found != m_objects.end()) {
        const auto library = m_libraries.find(found->second.first);
        if (library != m_libraries.end())
            return library->second->contents.kind;
    }
    return LibraryKind::Symbol;
}

} // namespace k2k
