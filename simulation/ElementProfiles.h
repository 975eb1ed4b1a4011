#pragma once
// The Spice element profiles of elements.spc (in the system folder), read into the
// element profile and parameter tables of SimulationTables.
//
// elements.spc holds comma lines (SplitFields). A line with "*" anywhere starts an
// element: "*CODE,description,model,variant,P,Q" (the first character of field 1 is
// dropped, whatever it is); the next P lines are its parameters "index,name"; the next Q
// lines are read past. Other lines outside an element are ignored.

#include <string>

namespace k2k {

class FileOps;
class SuiteServices;
struct SimulationTables;

// Fills the element profile and parameter tables from the file at path. Does nothing
// when path is empty. errorFlag is set when the file cannot be opened or read (FileOps
// has shown its message) and on an invalid line (error 120 with the line has been shown);
// the elements read before the invalid line are kept.
void ReadElementProfiles(SimulationTables& tables, FileOps& files, SuiteServices& services,
                         bool& errorFlag, const std::string& path);

} // namespace k2k
