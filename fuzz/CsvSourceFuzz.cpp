// The library tool's CSV sources: the first byte picks the kind and whether characters are
// replaced, the rest is the source. The table reads the same from memory and from its
// file; of a source that reads, every row is kept or left out with a problem, the names
// kept differ, and the library they build reads back with the same objects.

#include "FuzzSupport.h"

#include "sources/CsvTable.h"
#include "sources/LibrarySource.h"
#include "system/Text.h"

#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    if (size == 0)
        return 0;
    const auto kind = static_cast<LibraryKind>(data[0] % 4);
    const TextOptions options{.replaceCharacters = (data[0] & 4) != 0};
    const std::string_view text = BytesOf(data + 1, size - 1);
    const std::filesystem::path source = ScratchFolder() / "FUZZ.csv";
    WriteBytes(source, text);

    const auto parsed = CsvTable::Parse(text, source.string());
    const auto loaded = CsvTable::Load(source);
    K2K_FUZZ_CHECK(loaded.Ok() == parsed.Ok());
    if (parsed) {
        K2K_FUZZ_CHECK(parsed->Header() == loaded->Header());
        K2K_FUZZ_CHECK(parsed->Rows().size() == loaded->Rows().size());
        std::size_t lastLine = 0;
        for (const CsvRow& row : parsed->Rows()) {
            K2K_FUZZ_CHECK(row.line > lastLine); // rows end on lines in file order
            lastLine = row.line;
        }
    } else {
        K2K_FUZZ_CHECK(parsed.Message() == loaded.Message());
    }

    SourceFindings findings;
    const auto read = ReadLibrarySource(source, kind, options, findings);
    if (!read) {
        K2K_FUZZ_CHECK(findings.problems.empty() && !read.Message().empty());
        return 0;
    }
    const std::vector<LibraryObject>& objects = *read;
    K2K_FUZZ_CHECK(parsed.Ok());
    K2K_FUZZ_CHECK(objects.size() + findings.rowsLeftOut == parsed->Rows().size());
    K2K_FUZZ_CHECK(findings.problems.size() >= findings.rowsLeftOut);
    K2K_FUZZ_CHECK(options.replaceCharacters || findings.replacements.empty());
    std::set<std::string> names;
    for (const LibraryObject& object : objects)
        K2K_FUZZ_CHECK(!object.name.empty() && names.insert(UpperCase(object.name)).second);
    const std::filesystem::path library = ScratchFolder() / "FUZZ.LIB";
    if (!WriteLibrary(library, kind, objects))
        return 0; // a text too long for the library format
    const Result<LibraryContents> reread = ReadLibrary(library);
    K2K_FUZZ_CHECK(reread.Ok());
    const LibraryContents& contents = *reread;
    K2K_FUZZ_CHECK(contents.kind == kind);
    K2K_FUZZ_CHECK(contents.objects.size() == objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        K2K_FUZZ_CHECK(contents.objects[i].name == objects[i].name);
        K2K_FUZZ_CHECK(contents.objects[i].info == objects[i].info);
    }
    return 0;
}
