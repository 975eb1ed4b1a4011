#include "browser/DropRecords.h"

#include "search/ResultList.h"
#include "system/Text.h"

namespace k2k {
namespace {

constexpr std::string_view kTag = "K2KDROP1";

void PutNumber(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutText(std::string& out, std::string_view text) {
    PutNumber(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

bool TakeNumber(std::string_view& in, std::uint32_t& value) {
    if (in.size() < 4)
        return false;
    value = 0;
    for (int b = 0; b < 4; ++b)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[b])) << (8 * b);
    in.remove_prefix(4);
    return true;
}

bool TakeText(std::string_view& in, std::string& text) {
    std::uint32_t length = 0;
    if (!TakeNumber(in, length) || in.size() < length)
        return false;
    text.assign(in.substr(0, length));
    in.remove_prefix(length);
    return true;
}

} // namespace

std::vector<BWR_SEARCHRESULT> CollectDropRecords(const ResultList& results,
                                                 const std::vector<int>& selectedResults,
                                                 std::string_view libraryDir) {
    std::vector<BWR_SEARCHRESULT> records;
    records.reserve(selectedResults.size());
    for (int i : selectedResults) {
        BWR_SEARCHRESULT record;
        record.Status = results.Number(i) | results.Status(i);
        record.Name = std::string(results.Name(i));
        const std::string_view library = results.Library(i);
        if (UpperCase(library) != "PROJECT LIBRARY")
            record.Library = std::string(libraryDir) + "\\" + std::string(library);
        records.push_back(std::move(record));
    }
    return records;
}

std::string EncodeDropRecords(const std::vector<BWR_SEARCHRESULT>& records) {
    std::string out(kTag);
    PutNumber(out, static_cast<std::uint32_t>(records.size()));
    for (const BWR_SEARCHRESULT& record : records) {
        PutNumber(out, static_cast<std::uint32_t>(record.Status));
        PutText(out, record.Name);
        PutText(out, record.Library);
    }
    return out;
}

std::optional<std::vector<BWR_SEARCHRESULT>> DecodeDropRecords(std::string_view bytes) {
    if (!bytes.starts_with(kTag))
        return std::nullopt;
    bytes.remove_prefix(kTag.size());
    std::uint32_t count = 0;
    if (!TakeNumber(bytes, count))
        return std::nullopt;
    std::vector<BWR_SEARCHRESULT> records;
    for (std::uint32_t r = 0; r < count; ++r) {
        // A record takes at least twelve bytes; a count beyond what is left is damage.
        if (bytes.size() < 12)
            return std::nullopt;
        BWR_SEARCHRESULT record;
        std::uint32_t status = 0;
        if (!TakeNumber(bytes, status) || !TakeText(bytes, record.Name) ||
            !TakeText(bytes, record.Library))
            return std::nullopt;
        record.Status = static_cast<std::int32_t>(status);
        records.push_back(std::move(record));
    }
    if (!bytes.empty())
        return std::nullopt;
    return records;
}

} // namespace k2k
