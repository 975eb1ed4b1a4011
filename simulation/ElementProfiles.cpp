#include "simulation/ElementProfiles.h"

#include "common/Messages.h"
#include "common/SplitFields.h"
#include "platform/FileOps.h"
#include "simulation/SimulationTables.h"

#include <vector>

namespace k2k {

namespace {

constexpr int kInvalidElementFile = 120;

// The most parameter or extra lines one element may claim. A count beyond it (or below
// 0) cannot be meant and would only make the tables grow without bound, so the header is
// as invalid as one that lacks fields.
constexpr double kMostLinesPerElement = 9999;

bool IsLineCount(double value) {
    return value > -0.5 && value < kMostLinesPerElement + 0.5;
}

} // namespace

void ReadElementProfiles(SimulationTables& tables, FileOps& files, SuiteServices& services,
                         bool& errorFlag, const std::string& path) {
    errorFlag = false;
    if (path.empty())
        return;

    tables.elements.Reset(SimulationTables::kElementCapacity);
    tables.parameters.Reset(SimulationTables::kParameterCapacity);
    tables.extras = {0, SimulationTables::kExtraCapacity};

    int status = 0;
    int file = 0;
    files.OpenForInput(status, file, path);
    if (status != 0) {
        errorFlag = true;
        return;
    }
    // Stops at a bad line: the tables keep what was read and are not shrunk.
    auto fail = [&](const std::string* badLine) {
        if (badLine)
            ShowError(services, kInvalidElementFile, *badLine);
        errorFlag = true;
        files.CloseFile(0, file, path);
    };

    std::vector<std::string> fields;
    std::vector<double> values;
    std::string line;
    while (!files.AtEnd(file)) {
        files.ReadLine(status, file, line);
        if (status != 0)
            return fail(nullptr);
        if (line.find('*') == std::string::npos)
            continue;

        if (SplitFields(line, fields, values) < 6 || !IsLineCount(values[5]) ||
            !IsLineCount(values[6]))
            return fail(&line);
        ElementProfile element;
        element.Code = fields[1].empty() ? std::string() : fields[1].substr(1);
        element.Description = fields[2];
        element.Model = fields[3];
        element.Variant = fields[4];
        element.ParamCount = RoundedInt32(values[5]);
        element.ExtraCount = RoundedInt32(values[6]);

        const int firstParam = tables.parameters.Count() + 1;
        if (element.ParamCount > 0) {
            element.FirstParam = firstParam;
            tables.parameters.SetCount(tables.parameters.Count() + element.ParamCount);
        }
        if (element.ExtraCount > 0) {
            element.FirstExtra = tables.extras.count + 1;
            tables.extras.count += element.ExtraCount;
            if (tables.extras.count > tables.extras.upperBound)
                tables.extras.upperBound = tables.extras.count + 10;
        }
        const int paramCount = element.ParamCount;
        const int extraCount = element.ExtraCount;
        tables.elements.Append(std::move(element));

        for (int i = 0; i < paramCount; ++i) {
            files.ReadLine(status, file, line);
            if (status != 0)
                return fail(nullptr);
            if (SplitFields(line, fields, values) < 2)
                return fail(&line);
            tables.parameters[firstParam + i] = {RoundedInt32(values[1]), fields[2]};
        }
        for (int i = 0; i < extraCount; ++i) {
            files.ReadLine(status, file, line);
            if (status != 0)
                return fail(nullptr);
        }
    }
    files.CloseFile(0, file, path);
    tables.elements.ShrinkToCount();
    tables.parameters.ShrinkToCount();
    tables.extras.upperBound = tables.extras.count;
}

} // namespace k2k
