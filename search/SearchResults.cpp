#include "search/SearchResults.h"

#include <algorithm>
#include <cstring>

namespace k2k {

namespace {

constexpr std::size_t kFirstBlock = 16 << 10;
constexpr std::size_t kLargestBlock = 16 << 20;

} // namespace

PartResult MakePartResult(std::string_view library, std::string_view name, std::string_view info) {
    const PartInfo p = SplitPartInfo(info);
    PartResult r;
    r.library = library;
    r.name = name;
    r.description = p.description;
    r.symbols = p.symbols;
    r.firstSymbol = p.firstSymbol;
    r.package = p.package;
    r.packageType = p.packageType;
    r.manufacturer = p.manufacturer;
    r.technology = p.technology;
    r.partType = p.partType;
    r.externalIndexCode = p.externalIndexCode;
    r.simulationFunction = p.simulationFunction;
    r.simulationReference = p.simulationRef;
    r.simulationReferences = p.simulationReferences;
    return r;
}

SymbolResult MakeSymbolResult(std::string_view library, std::string_view name,
                              std::string_view info) {
    const SymbolInfo s = SplitSymbolInfo(info);
    SymbolResult r;
    r.library = library;
    r.name = name;
    r.description = s.description;
    r.symbolType = s.symbolType;
    r.simulationFunction = s.simulationFunction;
    r.simulationReferences = s.simulationReferences;
    return r;
}

PackageResult MakePackageResult(std::string_view library, std::string_view name,
                                std::string_view info) {
    const PackageInfo p = SplitPackageInfo(info);
    PackageResult r;
    r.library = library;
    r.name = name;
    r.description = p.description;
    r.type = p.type;
    r.lastField = p.lastField;
    return r;
}

const char* ResultList::Store(std::string_view name, std::string_view info) {
    const std::size_t size = name.size() + info.size();
    if (m_blocks.empty() || m_blockUsed + size > m_blocks.back().Size()) {
        const std::size_t next =
            m_blocks.empty() ? kFirstBlock : std::min(m_blocks.back().Size() * 2, kLargestBlock);
        // A text longer than a block gets a block of its own.
        m_blocks.emplace_back(std::max(next, size));
        m_blockUsed = 0;
    }
    char* at = m_blocks.back().Data() + m_blockUsed;
    if (!name.empty())
        std::memcpy(at, name.data(), name.size());
    if (!info.empty())
        std::memcpy(at + name.size(), info.data(), info.size());
    m_blockUsed += size;
    return at;
}

std::uint32_t ResultList::LibraryIndex(std::string_view library) {
    // Results come library after library, so the last name is nearly always the one.
    for (std::size_t i = m_libraries.size(); i-- > 0;)
        if (m_libraries[i] == library)
            return static_cast<std::uint32_t>(i);
    m_libraries.emplace_back(library);
    return static_cast<std::uint32_t>(m_libraries.size() - 1);
}

int ResultList::Append(std::string_view library, std::string_view name, std::string_view info,
                       std::int32_t status) {
    const char* text = Store(name, info);
    m_records.push_back(Record{text, static_cast<std::uint32_t>(name.size()),
                               static_cast<std::uint32_t>(info.size()), LibraryIndex(library), 0,
                               status});
    return Count();
}

void ResultList::Remove(int i) {
    m_records.erase(m_records.begin() + (i - 1));
}

void ResultList::Clear() {
    m_records.clear();
    m_libraries.clear();
    m_blocks.clear();
    m_blockUsed = 0;
}

std::string_view ResultList::Name(int i) const {
    const Record& r = At(i);
    return {r.text, r.nameLength};
}

std::string_view ResultList::Info(int i) const {
    const Record& r = At(i);
    return {r.text + r.nameLength, r.infoLength};
}

std::string_view ResultList::Library(int i) const {
    return m_libraries[At(i).library];
}

void ResultList::SetLibrary(int i, std::string_view library) {
    const std::uint32_t index = LibraryIndex(library);
    m_records.at(static_cast<std::size_t>(i - 1)).library = index;
}

PartResult ResultList::Part(int i) const {
    PartResult r = MakePartResult(Library(i), Name(i), Info(i));
    r.number = Number(i);
    r.status = Status(i);
    return r;
}

SymbolResult ResultList::Symbol(int i) const {
    SymbolResult r = MakeSymbolResult(Library(i), Name(i), Info(i));
    r.number = Number(i);
    r.status = Status(i);
    return r;
}

PackageResult ResultList::Package(int i) const {
    PackageResult r = MakePackageResult(Library(i), Name(i), Info(i));
    r.number = Number(i);
    r.status = Status(i);
    return r;
}

} // namespace k2k
