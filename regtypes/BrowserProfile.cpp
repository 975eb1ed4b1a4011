#include "regtypes/BrowserProfile.h"

#include "common/Messages.h"
#include "platform/FileOps.h"
#include "system/Text.h"

#include <algorithm>
#include <charconv>

namespace k2k {

namespace {

// Failures of the profile's file operations are reported with this code.
constexpr int kProfileFailureCode = 8;

// The table number of a first field: a whole decimal number, blanks around it allowed;
// anything else is 0, which no table has.
int TableNumber(std::string_view field) noexcept {
    field = Trim(field);
    if (field.empty() ||
        !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    int number = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
    if (error != std::errc() || end != field.data() + field.size() || number > kRegTypeTableCount)
        return 0;
    return number;
}

std::string EntryLine(int table, const RegTypeEntry& entry) {
    std::string line(static_cast<std::size_t>(std::max(PathDepth(entry.Path) - 1, 0)), '\t');
    line += DecimalText(table);
    line += entry.IsUser != 0 ? ",Usr," : ",Sys,";
    line += entry.Path;
    line += ':';
    line += entry.Value;
    line += "\r\n";
    return line;
}

} // namespace

ProfileLine ParseProfileLine(std::string_view line) {
    ProfileLine parsed;
    line = Trim(line);
    if (const auto tab = line.rfind('\t'); tab != std::string_view::npos)
        line.remove_prefix(tab + 1);
    if (line.empty())
        return parsed;

    const std::string_view first = line.substr(0, line.find(','));
    parsed.firstField = first;
    if (first.find('\'') != std::string_view::npos) {
        parsed.kind = ProfileLine::Kind::Comment;
        return parsed;
    }
    parsed.table = TableNumber(first);
    if (parsed.table == 0) {
        parsed.kind = ProfileLine::Kind::NotATable;
        return parsed;
    }
    parsed.kind = ProfileLine::Kind::Entry;

    // The second field runs to the next comma or the end of the line, colons included.
    std::string_view kind;
    if (first.size() < line.size()) {
        kind = line.substr(first.size() + 1);
        kind = kind.substr(0, kind.find(','));
    }
    parsed.entry.IsUser = EqualsNoCase(kind, "SYS") ? 0 : 1;

    const auto colon = line.find(':');
    if (colon == std::string_view::npos)
        return parsed;
    parsed.hasColon = true;
    const std::string_view before = line.substr(0, colon);
    std::string_view after = line.substr(colon + 1);
    if (const auto second = after.find(':'); second != std::string_view::npos) {
        parsed.textLost = true;
        parsed.lost = after.substr(second + 1);
        after = after.substr(0, second);
    }
    parsed.entry.Value = std::string(after);

    // The path is fields 3 to the last of the part before the colon, that is everything
    // after its second comma.
    const auto firstComma = before.find(',');
    if (firstComma != std::string_view::npos) {
        const auto secondComma = before.find(',', firstComma + 1);
        if (secondComma != std::string_view::npos)
            parsed.entry.Path = std::string(Trim(before.substr(secondComma + 1)));
    }
    return parsed;
}

void ReadBrowserProfile(RegTypeTables& tables, FileOps& files, SuiteServices& services,
                        int& errorFlag, const std::string& path,
                        const ProfileLineObserver& observer) {
    errorFlag = 0;
    tables.Clear();
    tables.profilePath = path;

    int status = 0;
    int fileNumber = 0;
    files.OpenForInput(status, fileNumber, path);
    if (status == 0) {
        std::string line;
        for (int lineNumber = 1; !files.AtEnd(fileNumber); ++lineNumber) {
            files.ReadLine(status, fileNumber, line);
            if (status != 0)
                break;
            const ProfileLine parsed = ParseProfileLine(line);
            if (observer)
                observer(lineNumber, line, parsed);
            if (parsed.kind == ProfileLine::Kind::Entry)
                tables.Append(parsed.table, parsed.entry);
        }
        files.CloseFile(0, fileNumber, path);
    }
    // The counts follow the tables even after a failure, so a later write never claims
    // entries that were not read.
    tables.SetCountsToUpperBounds();
    if (status != 0) {
        errorFlag = 1;
        ShowError(services, kProfileFailureCode);
    }
}

void WriteBrowserProfile(RegTypeTables& tables, FileOps& files, SuiteServices& services,
                         const std::string& path,
                         const std::function<void(int fileNumber)>& onOpened) {
    int status = 0;
    int fileNumber = 0;
    files.OpenForOutput(status, fileNumber, path);
    if (status != 0) {
        ShowError(services, kProfileFailureCode);
        return;
    }
    if (onOpened)
        onOpened(fileNumber);

    const auto write = [&](std::string_view text) {
        if (status == 0)
            files.WriteLine(status, fileNumber, text);
    };
    for (int table = 1; table <= kRegTypeTableCount && status == 0; ++table) {
        const std::string section(RegTypeSection(table));
        int& count = tables.Count(table);
        count = std::min(count, tables.UpperBound(table));
        write("[" + section + "]\r\n");
        const auto& entries = tables.Table(table);
        for (int i = 1; i <= count && status == 0; ++i)
            write(EntryLine(table, entries[static_cast<std::size_t>(i)]));
        write("[End " + section + "]\r\n");
        write("\r\n");
    }
    write("\r\n");
    write("[ENDPROFILE]");

    // After a failed write the close drops the new file and the old profile stays.
    files.CloseFile(0, fileNumber, path);
    if (status != 0)
        ShowError(services, kProfileFailureCode);
}

} // namespace k2k
