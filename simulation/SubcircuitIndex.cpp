#include "simulation/SubcircuitIndex.h"

#include "common/SplitFields.h"
#include "platform/FileOps.h"
#include "system/FolderListing.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <utility>
#include <vector>

namespace k2k {

namespace {

constexpr const char* kIndexFile = "SUBCIR.IDX";
constexpr const char* kSubcircuitExtension = ".SBC";
constexpr char kMicroSign = '\xB5';

void Note(LeftOutFiles* leftOut, std::string path, std::string reason) {
    if (leftOut)
        leftOut->push_back({std::move(path), std::move(reason)});
}

// The non-empty lines of a subcircuit file, one after the other. Running out of lines is
// a failed check, never a read-failure message.
class SubcircuitLines {
public:
    SubcircuitLines(FileOps& files, int file) : m_files(files), m_file(file) {}
    bool Next(std::string& line) {
        while (!m_files.AtEnd(m_file)) {
            int status = 0;
            m_files.ReadLine(status, m_file, line);
            if (status != 0)
                return false;
            if (!Trim(line).empty())
                return true;
        }
        return false;
    }

private:
    FileOps& m_files;
    int m_file;
};

// The words of the first line: upper case, micro signs as "U", runs of spaces as one
// space, split at the spaces (so leading or trailing blanks make empty words).
std::vector<std::string> HeaderWords(const std::string& line) {
    std::string text;
    text.reserve(line.size());
    for (char c : line) {
        if (c == ' ' && !text.empty() && text.back() == ' ')
            continue;
        text += c == kMicroSign ? 'U' : UpperChar(c);
    }
    std::vector<std::string> words;
    for (std::string_view word : SplitAt(text, ' '))
        words.emplace_back(word);
    return words;
}

// The three-step check of an open subcircuit file.
Status CheckLines(SubcircuitLines& lines, SubcircuitRef& record) {
    std::string line;
    if (!lines.Next(line))
        return Problem{"the file is empty"};
    const std::vector<std::string> words = HeaderWords(line);
    if (words.size() < 2)
        return Problem{"line 1 has fewer than two words"};
    if (words[0] != ".SUBCKT")
        return Problem{"line 1 does not start with .SUBCKT"};
    if (words[1] != record.Name)
        return Problem{"line 1 names the subcircuit " + words[1] + ", not " + record.Name};
    const int nodeCount = static_cast<int>(words.size()) - 2;

    std::vector<std::string> fields;
    std::vector<double> values;
    if (!lines.Next(line))
        return Problem{"the description line is missing"};
    if (SplitFields(line, fields, values) != 2)
        return Problem{"the description line does not have exactly 2 fields"};
    std::string description = record.Description;
    if (fields[1].size() > 1)
        description = Trim(std::string_view(fields[1]).substr(1));
    if (values[2] != nodeCount)
        return Problem{"the description line gives " + fields[2] + " nodes, line 1 has " +
                       DecimalText(nodeCount)};

    for (int node = 1; node <= nodeCount; ++node) {
        const std::string expected = "*Node " + DecimalText(node);
        if (!lines.Next(line))
            return Problem{"the line " + expected + " is missing"};
        if (SplitFields(line, fields, values) != 2)
            return Problem{"the line for node " + DecimalText(node) +
                           " does not have exactly 2 fields"};
        if (Trim(fields[1]) != expected)
            return Problem{"node line " + DecimalText(node) + " reads " +
                           std::string(Trim(fields[1])) + ", not " + expected};
    }
    record.Description = std::move(description);
    record.NodeCount = nodeCount;
    return {};
}

// Reads SUBCIR.IDX into the index; false when it cannot be opened or read to its end.
bool ReadIndexFile(SimulationTables& tables, FileOps& files, const std::string& path,
                   LeftOutFiles* leftOut) {
    int status = 0;
    int file = 0;
    files.OpenForInput(status, file, path);
    if (status != 0)
        return false;
    std::vector<std::string> fields;
    std::vector<double> values;
    std::string line;
    int lineNumber = 0;
    while (!files.AtEnd(file)) {
        files.ReadLine(status, file, line);
        if (status != 0) {
            files.CloseFile(0, file, path);
            return false;
        }
        ++lineNumber;
        if (line.empty())
            continue;
        if (SplitFields(line, fields, values) < 6) {
            Note(leftOut, path,
                 "line " + DecimalText(lineNumber) + " has fewer than 6 fields: " + line);
            continue;
        }
        SubcircuitRef entry;
        entry.ElementCode = fields[1];
        entry.Name = fields[2];
        entry.Kind = fields[3];
        entry.Description = fields[4];
        entry.Family = fields[5];
        entry.NodeCount = RoundedInt32(values[6]);
        tables.subcircuits.Append(std::move(entry));
    }
    files.CloseFile(0, file, path);
    return true;
}

void ScanFolder(SimulationTables& tables, FileOps& files, const std::string& subcircuitDir,
                const std::string& folder, const std::string& family, LeftOutFiles* leftOut) {
    std::vector<UnnamedEntry> unnamed;
    const std::vector<std::string> fileNames = ListFiles(folder, leftOut ? &unnamed : nullptr);
    for (const UnnamedEntry& entry : unnamed)
        if (HasExtensionNoCase(entry.shownName, kSubcircuitExtension))
            Note(leftOut, JoinPath(folder, entry.shownName), entry.reason);
    for (const std::string& fileName : fileNames) {
        if (!HasExtensionNoCase(fileName, kSubcircuitExtension))
            continue;
        SubcircuitRef record;
        record.ElementCode = "X";
        record.Name = Trim(UpperCase(fileName.substr(0, fileName.find('.'))));
        record.Kind = "library";
        record.Family = family;
        if (const Status checked = CheckSubcircuitFile(record, files, subcircuitDir))
            tables.subcircuits.Append(std::move(record));
        else
            Note(leftOut, JoinPath(folder, fileName), checked.Message());
    }
}

} // namespace

Status CheckSubcircuitFile(SubcircuitRef& record, FileOps& files,
                           const std::string& subcircuitDir) {
    const std::string fileName = record.Name + kSubcircuitExtension;
    std::vector<std::string> folders;
    if (!record.Family.empty())
        if (const auto family = FindNoCase(subcircuitDir, record.Family))
            folders.push_back(JoinPath(subcircuitDir, *family));
    folders.push_back(subcircuitDir);
    for (const std::string& subfolder : ListSubfolders(subcircuitDir))
        folders.push_back(JoinPath(subcircuitDir, subfolder));

    for (const std::string& folder : folders) {
        const auto found = FindNoCase(folder, fileName);
        if (!found)
            continue;
        const std::string path = JoinPath(folder, *found);
        int status = 0;
        int file = 0;
        files.OpenForInputQuiet(status, file, path);
        if (status != 0)
            continue;
        SubcircuitLines lines(files, file);
        Status checked = CheckLines(lines, record);
        files.CloseFile(0, file, path);
        return checked;
    }
    return Problem{"cannot be opened"};
}

SubcircuitSource BuildSubcircuitIndex(SimulationTables& tables, FileOps& files,
                                      const std::string& subcircuitDir, LeftOutFiles* leftOut) {
    tables.subcircuits = {};
    std::string folder = subcircuitDir;
    int status = 0;
    FileOps::FolderExists(folder, status);
    if (status != 0) {
        Note(leftOut, subcircuitDir, "the subcircuit folder does not exist");
        return SubcircuitSource::NoFolder;
    }
    if (ReadIndexFile(tables, files, JoinPath(subcircuitDir, kIndexFile), leftOut))
        return SubcircuitSource::IndexFile;

    tables.subcircuits = {};
    ScanFolder(tables, files, subcircuitDir, subcircuitDir, {}, leftOut);
    std::vector<UnnamedEntry> unnamed;
    for (const std::string& subfolder : ListSubfolders(subcircuitDir, leftOut ? &unnamed : nullptr))
        ScanFolder(tables, files, subcircuitDir, JoinPath(subcircuitDir, subfolder),
                   UpperCase(subfolder), leftOut);
    for (const UnnamedEntry& entry : unnamed)
        Note(leftOut, JoinPath(subcircuitDir, entry.shownName),
             entry.reason + "; no subcircuit in the folder is read");
    return SubcircuitSource::Scan;
}

} // namespace k2k
