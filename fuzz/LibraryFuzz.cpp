// A library file as a search reads it (header count, then the descriptions through the
// kernel, for a part search and for a symbol search, reading mostly names or whole info
// texts), as the kernel opens it for loading, and as a whole. What any of the readers
// accepts must agree with the others, and a library read whole must survive a rewrite.

#include "FuzzSupport.h"

#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "system/NativePath.h"

#include <vector>

namespace k2k::fuzz {
namespace {

struct Description {
    std::string name;
    std::string info;
    bool operator==(const Description&) const = default;
};

// The descriptions a search sees, or nothing when the library is not read.
std::optional<std::vector<Description>> SearchRead(Kernel& kernel, SuiteServices& services,
                                                   LibraryKind kind, const std::string& path,
                                                   bool wholeTexts) {
    LibraryDescriptions descriptions;
    kernel.ExpectInfoTexts(wholeTexts);
    if (ReadLibraryDescriptions(kernel, services, kind, path, descriptions) !=
        LibraryReadOutcome::Read)
        return std::nullopt;
    std::vector<Description> read;
    for (const LibraryInfoRecord& record : descriptions.records) {
        // Copying every byte lets the sanitizer see a record that points outside the buffer.
        const std::string_view info = kind == LibraryKind::Part ? record.field3 : record.field2;
        read.push_back({std::string(record.field1), std::string(info)});
    }
    return read;
}

void CheckRewrite(const LibraryContents& contents) {
    const std::filesystem::path copy = ScratchFolder() / "REWRITE.LIB";
    if (!WriteLibrary(copy, contents.kind, contents.objects))
        return; // an object this program would not store (its writer says why)
    const Result<LibraryContents> reread = ReadLibrary(copy);
    K2K_FUZZ_CHECK(reread.Ok());
    const LibraryContents& again = *reread;
    K2K_FUZZ_CHECK(again.kind == contents.kind);
    K2K_FUZZ_CHECK(again.objects.size() == contents.objects.size());
    for (std::size_t i = 0; i < contents.objects.size(); ++i) {
        K2K_FUZZ_CHECK(again.objects[i].name == contents.objects[i].name);
        K2K_FUZZ_CHECK(again.objects[i].info == contents.objects[i].info);
        K2K_FUZZ_CHECK(again.objects[i].drawing == contents.objects[i].drawing);
    }
}

} // namespace
} // namespace k2k::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    SuiteServices& services = Services().services;
    WriteBytes(ScratchFolder() / "FUZZ.LIB", BytesOf(data, size));
    const std::string path = ScratchSuitePath("FUZZ.LIB");

    Kernel kernel;
    std::optional<std::vector<Description>> searched[2];
    for (const LibraryKind kind : {LibraryKind::Part, LibraryKind::Symbol}) {
        const auto names = SearchRead(kernel, services, kind, path, false);
        const auto texts = SearchRead(kernel, services, kind, path, true);
        K2K_FUZZ_CHECK(names == texts); // how the kernel reads never changes what it reads
        searched[kind == LibraryKind::Part ? 0 : 1] = names;
    }
    K2K_FUZZ_CHECK(!(searched[0] && searched[1])); // a library is of one kind

    Result<LibraryContents> read = ReadLibrary(NativePath(path));
    const bool whole = read.Ok();
    K2K_FUZZ_CHECK(whole || !read.Message().empty());
    const LibraryContents contents = whole ? std::move(read).Value() : LibraryContents{};
    if (whole) {
        const auto& seen = searched[contents.kind == LibraryKind::Part ? 0 : 1];
        K2K_FUZZ_CHECK(seen.has_value() == !contents.objects.empty());
        if (seen) {
            K2K_FUZZ_CHECK(seen->size() <= contents.objects.size());
            for (std::size_t i = 0; i < seen->size(); ++i) {
                K2K_FUZZ_CHECK((*seen)[i].name == contents.objects[i].name);
                K2K_FUZZ_CHECK((*seen)[i].info == contents.objects[i].info);
            }
        }
        CheckRewrite(contents);
    }

    for (const std::string_view signature : {kPartLibrarySignature, kSymbolLibrarySignature}) {
        const int library = kernel.E_OpenLibrary(path, std::string(signature), 0);
        K2K_FUZZ_CHECK(library >= 0);
        if (library == 0)
            continue;
        K2K_FUZZ_CHECK(whole && SignatureOf(contents.kind) == signature);
        if (!contents.objects.empty()) {
            const int object = kernel.E_OpenLibToRead(library, contents.objects.back().name);
            K2K_FUZZ_CHECK(object > 0);
            K2K_FUZZ_CHECK(kernel.ObjectOf(object) != nullptr);
        }
        kernel.E_CloseLibrary(library);
    }
    return 0;
}
