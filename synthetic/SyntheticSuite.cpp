#include "synthetic/SyntheticSuite.h"

#include "common/ObjectKinds.h"
#include "common/Pattern.h"
#include "formats/IniFile.h"
#include "platform/MessageBoxes.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "services/Directories.h"
#include "sources/LibrarySource.h"
#include "synthetic/SyntheticObjects.h"
#include "system/AtomicFile.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <set>

namespace k2k {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kExportChunk = 1 << 20;

// Makes the folder a suite where it is not one yet, answering whether it did; existing files
// are kept as they are.
Result<bool> PrepareSuite(const fs::path& root) {
    std::error_code ec;
    fs::create_directories(root, ec);
    if (!fs::is_directory(root, ec))
        return Problem{"cannot create the suite folder " + root.string()};
    bool created = false;
    const fs::path settings = DirectorySettingsOf(root);
    if (!fs::exists(settings, ec)) {
        if (const Status written = WriteFileAtomically(
                settings, "[Kalde2K]\r\nLibDir=LIB\r\nSysDir=SYS\r\nJobDir=JOB\r\n");
            !written)
            return written.Error();
        fs::create_directories(root / "SYS", ec);
        fs::create_directories(root / "JOB", ec);
        created = true;
    }
    const fs::path ini = root / kInitialisationFile;
    if (!fs::exists(ini, ec)) {
        if (const Status written = WriteFileAtomically(ini, "[Kalde2000]\r\n"); !written)
            return written.Error();
        created = true;
    }
    return created;
}

// The kind's section of the initialisation file lists exactly the given libraries.
Status ReplaceCatalogueList(const fs::path& ini, LibraryKind kind,
                            const std::vector<std::string>& libraries) {
    IniEdit edit(ini);
    const std::string_view section = FactsOf(kind).catalogueSection;
    for (const std::string& key : edit.Keys(section))
        edit.Delete(section, key);
    for (std::size_t i = 0; i < libraries.size(); ++i)
        edit.Set(section, DecimalText(static_cast<long long>(i + 1)), libraries[i]);
    int errorNumber = 0;
    if (edit.Commit(&errorNumber))
        return {};
    return Problem{ini.string() + ": cannot write the catalogue: " +
                       (errorNumber == kErrFileLocked ? "another program is changing it"
                                                      : std::strerror(errorNumber)),
                   0, errorNumber};
}

// Libraries an earlier run wrote for the kind that this run did not write again. They go
// only once the catalogue no longer lists them, so that it never names a missing library.
std::vector<std::string> RemoveLeftovers(const fs::path& folder, LibraryKind kind,
                                         const std::vector<std::string>& written) {
    const std::set<std::string> keep(written.begin(), written.end());
    const std::string extension = LibraryFileExtension(kind);
    std::vector<std::string> removed;
    std::error_code ec;
    std::vector<fs::path> leftovers;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= 3 + extension.size() || name.compare(0, 3, "GEN") != 0 ||
            !name.ends_with(extension) || keep.count(name))
            continue;
        const std::string_view digits(name.data() + 3, name.size() - 3 - extension.size());
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            leftovers.push_back(entry.path());
    }
    std::sort(leftovers.begin(), leftovers.end());
    for (const fs::path& leftover : leftovers)
        if (RemoveFile(leftover))
            removed.push_back(leftover.filename().string());
    return removed;
}

// Makes the folder a suite with a library folder (LIB unless its directory settings name
// another), and answers that folder, or the reason it cannot.
Result<fs::path> PrepareLibraryFolder(const fs::path& root, SyntheticSuiteReport& report) {
    const auto suiteRoot = SuitePath(root);
    if (!suiteRoot)
        return suiteRoot.Error();
    const Result<bool> created = PrepareSuite(root);
    if (!created)
        return created.Error();
    report.createdSuite = *created;
    ConsoleMessageBoxes boxes;
    SuiteServices services(DirectorySettingsOf(root), boxes);
    if (services.GetDirSetting(kDirSection, "LibDir", "").empty() &&
        !services.SetDirSetting(kDirSection, "LibDir", "LIB"))
        return Problem{"cannot write the library folder to " + DirectorySettingsOf(root).string()};
    report.libraryDir = services.GetDirSetting(kDirSection, "LibDir", "");
    report.iniFile = JoinPath(*suiteRoot, kInitialisationFile);
    const fs::path libraryFolder = NativePath(report.libraryDir);
    std::error_code ec;
    fs::create_directories(libraryFolder, ec);
    if (!fs::is_directory(libraryFolder, ec))
        return Problem{"cannot create the library folder " + libraryFolder.string()};
    return libraryFolder;
}

void AppendExportLine(std::string& chunk, const LibraryObject& object) {
    chunk += object.name;
    chunk += '\t';
    const std::size_t start = chunk.size();
    chunk += object.info;
    std::replace(chunk.begin() + static_cast<std::ptrdiff_t>(start), chunk.end(), kFieldSeparator,
                 '\t');
    chunk += '\n';
}

} // namespace

std::string SyntheticLibraryName(LibraryKind kind, int n, int m) {
    const std::string number = std::to_string(n);
    const std::size_t width = std::max<std::size_t>(3, std::to_string(m).size());
    return "GEN" + std::string(width - std::min(width, number.size()), '0') + number +
           LibraryFileExtension(kind);
}

Result<SyntheticSuiteReport> WriteSyntheticSuite(const SyntheticSuiteOptions& options) {
    if (options.libraries < 1 || options.objects < options.libraries)
        return Problem{"a synthetic suite needs at least one library and at least one object "
                       "per library"};
    if (options.objects / options.libraries >= std::numeric_limits<std::int32_t>::max())
        return Problem{"too many objects for one library"};

    std::vector<Pattern> patterns;
    for (const std::string& text : options.countPatterns) {
        auto pattern = Pattern::Compile(text);
        if (!pattern)
            return Problem{text + ": " + pattern.Message()};
        patterns.push_back(std::move(*pattern));
    }
    SyntheticSuiteReport report;
    report.patternMatches.assign(patterns.size(), 0);

    std::error_code ec;
    const fs::path root = fs::absolute(options.suite, ec).lexically_normal();
    const Result<fs::path> libraryFolder = PrepareLibraryFolder(root, report);
    if (!libraryFolder)
        return libraryFolder.Error();

    AtomicFileWriter exportWriter;
    if (options.exportFile)
        if (const Status opened = exportWriter.Open(*options.exportFile); !opened)
            return opened.Error();
    std::string chunk;

    SyntheticObjects stream(options.kind, options.seed);
    std::vector<LibraryObject> objects;
    const std::int64_t share = options.objects / options.libraries;
    const std::int64_t larger = options.objects % options.libraries;
    for (int n = 1; n <= options.libraries; ++n) {
        objects.resize(static_cast<std::size_t>(share + (n <= larger ? 1 : 0)));
        for (LibraryObject& object : objects) {
            stream.Next(object.name, object.info, object.drawing);
            report.descriptionBytes += object.name.size() + object.info.size();
            for (std::size_t p = 0; p < patterns.size(); ++p)
                report.patternMatches[p] += patterns[p].Matches(object.name) ? 1 : 0;
            if (!exportWriter.IsOpen())
                continue;
            AppendExportLine(chunk, object);
            if (chunk.size() >= kExportChunk) {
                if (const Status written = exportWriter.Write(chunk); !written)
                    return written.Error();
                report.exportBytes += chunk.size();
                chunk.clear();
            }
        }
        const std::string name = SyntheticLibraryName(options.kind, n, options.libraries);
        if (const Status written =
                WriteLibrary(NativePath(JoinPath(report.libraryDir, name)), options.kind, objects);
            !written)
            return written.Error();
        report.libraries.push_back(name);
        report.counts.push_back(static_cast<std::int32_t>(objects.size()));
    }

    if (auto listed =
            ReplaceCatalogueList(root / kInitialisationFile, options.kind, report.libraries);
        !listed)
        return std::move(listed).Error();
    report.removed = RemoveLeftovers(*libraryFolder, options.kind, report.libraries);
    if (exportWriter.IsOpen()) {
        Status written = exportWriter.Write(chunk);
        if (written)
            written = exportWriter.Commit();
        if (!written)
            return written.Error();
        report.exportBytes += chunk.size();
    }
    return report;
}

} // namespace k2k
