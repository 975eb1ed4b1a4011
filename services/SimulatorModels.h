#pragma once
// The mixed-mode simulator models: every model library in the library folder is loaded,
// asked for its export list ("ExportStatus"), and each model function named there adds
// one entry to the simulator model table (SimulationTables::models), which the
// simulation-reference dialog lists as simulation functions.
//
// Model libraries are this system's shared objects: the files of the folder whose names
// end with ".so" or ".dll" in any case, in name order. What they answer is declared in
// platform/SimulatorModelAbi.h; the kernel calls them and copies their records.

#include "simulation/SimulationTables.h"

#include <string>
#include <string_view>

namespace k2k {

class KernelCalls;

// The model number a function name stands for: when its eighth character is "M", minus
// the number from the ninth on, otherwise the number from the eighth on (rounded; 0 when
// no number starts there, and for a name shorter than that).
std::int32_t ModelNumberOf(std::string_view functionName);

// Appends the models of every library in folder to tables.models; nothing when the folder
// does not exist. A library that does not load, lacks "ExportStatus" or answers 0 adds
// nothing, and so does a name whose number is 0 or whose function is missing or answers
// 0. leftOut, when given, learns each of these, then each library whose name the suite
// cannot hold (not UTF-8, or beyond Windows-1252), which is never loaded.
void CollectSimulatorModels(const std::string& folder, KernelCalls& kernel,
                            SimulationTables& tables, LeftOutFiles* leftOut = nullptr);

} // namespace k2k
