// An INI file read, written back, one key rewritten, a key and a section added, and read
// again after each write: every entry read before must read the same afterwards, except
// the one that was written, which reads as written.

#include "FuzzSupport.h"

#include "formats/IniFile.h"
#include "system/Text.h"

#include <vector>

namespace k2k::fuzz {
namespace {

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

std::vector<Entry> EntriesOf(const IniDocument& document) {
    std::vector<Entry> entries;
    for (const std::string& section : document.Sections())
        for (const std::string& key : document.Keys(section)) {
            const std::optional<std::string> value = document.Get(section, key);
            K2K_FUZZ_CHECK(value.has_value()); // a key that is listed can be read
            entries.push_back({section, key, *value});
        }
    return entries;
}

// Sets one key, writes the document out, reads it back: the key reads as written and
// every other entry as before.
void CheckWrite(const IniDocument& original, const std::vector<Entry>& before,
                std::string_view section, std::string_view key) {
    static constexpr std::string_view kValue = "K2K fuzz";
    IniDocument document = original;
    const bool changed = document.Set(section, key, kValue);
    const IniDocument reread = IniDocument::Parse(document.ToText());
    if (changed) {
        const std::optional<std::string> value = reread.Get(section, key);
        K2K_FUZZ_CHECK(value.has_value() && *value == kValue);
    }
    for (const Entry& entry : before) {
        if (changed && EqualsNoCase(Trim(entry.section), Trim(section)) &&
            EqualsNoCase(Trim(entry.key), Trim(key)))
            continue;
        const std::optional<std::string> value = reread.Get(entry.section, entry.key);
        K2K_FUZZ_CHECK(value.has_value()); // no entry is lost
        K2K_FUZZ_CHECK(*value == entry.value);
    }
}

} // namespace
} // namespace k2k::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k2k;
    using namespace k2k::fuzz;
    const IniDocument document = IniDocument::Parse(BytesOf(data, size));
    const std::vector<Entry> entries = EntriesOf(document);

    // Written out as it was read, the document reads the same.
    const std::string text = document.ToText();
    const IniDocument again = IniDocument::Parse(text);
    const std::vector<Entry> reread = EntriesOf(again);
    K2K_FUZZ_CHECK(reread.size() == entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        K2K_FUZZ_CHECK(reread[i].section == entries[i].section);
        K2K_FUZZ_CHECK(reread[i].key == entries[i].key);
        K2K_FUZZ_CHECK(reread[i].value == entries[i].value);
    }
    K2K_FUZZ_CHECK(again.ToText() == text);

    if (!entries.empty()) {
        const Entry& chosen = entries[size % entries.size()];
        CheckWrite(document, entries, chosen.section, chosen.key);
        CheckWrite(document, entries, chosen.section, "K2KFuzzKey");
    }
    CheckWrite(document, entries, "K2KFuzzSection", "Key");
    return 0;
}
