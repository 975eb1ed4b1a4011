#include "kicad/ImportRecord.h"

#include "common/ObjectKinds.h"
#include "platform/LibraryName.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "sources/LibrarySource.h"
#include "sources/SourceText.h"
#include "system/AtomicFile.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace k2k {

namespace fs = std::filesystem;

ImportRecord::ImportRecord(const std::string& libDir, const LibraryCatalogue& catalogue)
    : m_libDir(libDir), m_file(NativePath(JoinPath(libDir, std::string(kFileName)))) {
    std::string text;
    if (ReadWholeFile(m_file, text)) {
        m_before = text;
        for (std::string_view rest = text; !rest.empty();) {
            std::string_view line = Trim(TakeLine(rest));
            const bool planned = line.starts_with(kPlanned);
            if (planned)
                line.remove_prefix(kPlanned.size());
            if (CheckLibraryName(line) != LibraryNameFault::None)
                continue;
            (planned ? m_planned : m_done).insert(UpperCase(line));
        }
    }
    for (const ObjectKindFacts& facts : kObjectKindFacts) {
        for (const std::string& file : ListLibraryFiles(libDir, facts.kind))
            Take(file);
        for (const std::string& entry : catalogue.Entries(facts.kind))
            Take(std::string(Trim(entry)));
    }
}

void ImportRecord::Plan(PlannedLibrary& library, std::initializer_list<LibraryKind> kinds,
                        const SuiteServices& services) {
    UnholdableCharacter bad;
    const auto name = ToSuiteText(library.stem, TextUse::Field, bad);
    if (!name) {
        library.refusal = "the suite cannot name a library with " + DescribeUnholdable(bad);
        return;
    }
    for (const LibraryKind kind : kinds) {
        const std::string file = *name + std::string(LibraryFileExtension(kind));
        if (const LibraryNameFault fault = CheckLibraryName(file);
            fault != LibraryNameFault::None) {
            library.refusal = Cp1252ToUtf8(LibraryNameRefusal(services, file, fault));
            return;
        }
    }
    for (int n = 1;; ++n) {
        const std::string candidate =
            n == 1 ? *name : *name + "_KiCad" + (n == 2 ? "" : std::to_string(n - 1));
        const bool free = std::none_of(kinds.begin(), kinds.end(), [&](LibraryKind kind) {
            return m_taken.contains(UpperCase(candidate + LibraryFileExtension(kind)));
        });
        if (!free)
            continue;
        library.stored = candidate;
        library.renamed = n > 1;
        for (const LibraryKind kind : kinds) {
            library.libraries.push_back(candidate + std::string(LibraryFileExtension(kind)));
            const std::string key = UpperCase(library.libraries.back());
            m_taken.insert(key);
            if (!m_done.contains(key))
                m_planned.insert(key);
        }
        return;
    }
}

Status ImportRecord::Finish(const LibraryCatalogue& catalogue) {
    std::set<std::string> listed;
    for (const ObjectKindFacts& facts : kObjectKindFacts)
        for (const std::string& entry : catalogue.Entries(facts.kind))
            listed.insert(UpperCase(Trim(entry)));
    m_done.insert(m_wrote.begin(), m_wrote.end());
    for (const std::string& name : std::exchange(m_planned, {})) {
        if (m_done.contains(name))
            continue;
        const fs::path file = NativePath(JoinPath(m_libDir, name));
        std::error_code ec;
        if (listed.contains(name) && fs::exists(file, ec)) {
            m_done.insert(name);
            continue;
        }
        const fs::path newFile =
            NativePath(JoinPath(m_libDir, NewFilePath(fs::path(name)).string()));
        for (const fs::path& leftover : {file, newFile}) {
            int errorNumber = 0;
            if (fs::exists(leftover, ec) && !RemoveFile(leftover, &errorNumber))
                return Problem{"cannot remove " + leftover.string() + ": " +
                                   std::strerror(errorNumber),
                               0, errorNumber};
        }
    }
    return Save(Text(false));
}

// An existing name: taken unless an import wrote it.
void ImportRecord::Take(const std::string& name) {
    const std::string key = UpperCase(name);
    if (!m_done.contains(key) && !m_planned.contains(key))
        m_taken.insert(key);
}

std::string ImportRecord::Text(bool withPlan) const {
    std::string text;
    for (const std::string& name : m_done)
        text += name + "\n";
    if (withPlan)
        for (const std::string& name : m_planned)
            text.append(kPlanned).append(name).append("\n");
    return text;
}

Status ImportRecord::Save(const std::string& text) {
    if (m_before && *m_before == text)
        return {};
    if (const Status written = WriteFileAtomically(m_file, text); !written)
        return written;
    m_before = text;
    return {};
}

void ImportRecord::Wrote(const std::string& library) {
    m_wrote.insert(UpperCase(library));
}

} // namespace k2k
