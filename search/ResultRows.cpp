#include "search/ResultRows.h"

#include "common/ObjectKinds.h"
#include "search/ResultList.h"
#include "system/Text.h"

#include <limits>

namespace k2k {

std::string RowKey(LibraryKind kind, int number) {
    return std::string(FactsOf(kind).rowTag) + DecimalText(number);
}

int ResultNumberOfKey(std::string_view key) {
    const auto pieces = SplitAt(key, '|');
    if (pieces.size() < 3)
        return 0;
    // Results are numbered from 1; a number outside what a result list can hold (or not
    // a number at all) finds no record.
    const double number = LeadingNumber(pieces[2]);
    if (!(number >= 1.0 && number <= static_cast<double>(std::numeric_limits<int>::max())))
        return 0;
    return static_cast<int>(number);
}

std::string_view StatusImage(std::int32_t status) noexcept {
    if (status & kUsedInProject)
        return kUsedInProjectImage;
    if (status & kInProject)
        return kLocalLibraryImage;
    return {};
}

void OptionalValues(const ResultList& results, int i, std::vector<std::string_view>& values) {
    OptionalValues(results.Kind(), results.Library(i), results.Info(i), values);
}

void OptionalValues(LibraryKind kind, std::string_view library, std::string_view info,
                    std::vector<std::string_view>& values) {
    switch (kind) {
    case LibraryKind::Part: {
        const PartInfo p = SplitPartInfo(info);
        values = {library,
                  p.description,
                  p.symbols,
                  p.package,
                  p.packageType,
                  p.manufacturer,
                  p.technology,
                  p.partType,
                  p.externalIndexCode,
                  p.simulationFunction,
                  p.simulationRef,
                  p.simulationReferences,
                  p.keywords,
                  p.datasheet,
                  p.referencePrefix};
        return;
    }
    case LibraryKind::Symbol: {
        const SymbolInfo s = SplitSymbolInfo(info);
        values = {library,
                  s.description,
                  s.symbolType,
                  s.simulationFunction,
                  s.simulationReferences,
                  s.keywords,
                  s.datasheet,
                  s.referencePrefix};
        return;
    }
    case LibraryKind::Package: {
        const PackageInfo p = SplitPackageInfo(info);
        values = {library, p.description, p.type, p.lastField, p.keywords};
        return;
    }
    case LibraryKind::Padstack: {
        const PackageInfo p = SplitPackageInfo(info);
        values = {library, p.type, p.lastField};
        return;
    }
    }
}

void AppendSavedListLine(std::string& out, int rowNumber, std::string_view text,
                         const std::vector<std::string_view>& columns) {
    out.append(DecimalText(rowNumber)).append(")  ").append(text);
    for (std::string_view column : columns)
        out.append("\t").append(column);
    out.append("\r\n");
}

} // namespace k2k
