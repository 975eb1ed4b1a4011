#pragma once
// The index of the Spice subcircuits in the subcircuit folder (the KDSsbk setting).
//
// The index is SUBCIR.IDX in that folder when it can be read to its end: one comma line
// per subcircuit, "element code,name,kind,description,family,node count". Otherwise the
// folder is scanned: the folder itself (family empty), then each immediate subfolder in
// name order (family = its name, upper case); every file whose name ends with ".SBC" in
// any case becomes an entry {"X", name up to its first ".", "library", description,
// family, node count} when it passes CheckSubcircuitFile. A ".SBC" file or a subfolder
// whose name the suite cannot hold (not UTF-8, or beyond Windows-1252) is left out.
//
// A subcircuit file, as far as the browser reads it (empty lines are skipped):
//   .SUBCKT NAME NODE1 NODE2 ...        the name equals the file's; the rest are nodes
//   *Description,NODE COUNT
//   *Node 1,NAME                        one line per node, numbered in order
//   ...
// Names are matched as the suite's file system matches them: without regard to case.

#include "simulation/SimulationTables.h"
#include "system/Result.h"

#include <string>

namespace k2k {

class FileOps;

enum class SubcircuitSource { NoFolder, IndexFile, Scan };

// Fills tables.subcircuits and answers where from. Without the folder the index is empty.
// A missing SUBCIR.IDX gets FileOps' read-failure message before the scan; subcircuit
// files are opened without any message. leftOut, when given, learns why each file or line
// was left out.
SubcircuitSource BuildSubcircuitIndex(SimulationTables& tables, FileOps& files,
                                      const std::string& subcircuitDir,
                                      LeftOutFiles* leftOut = nullptr);

// Looks for the file of record.Name (".SBC") in the record's family subfolder, then in the
// subcircuit folder, then in each of its subfolders, and checks the first that opens. On
// success sets record.Description and record.NodeCount; otherwise the problem says why.
Status CheckSubcircuitFile(SubcircuitRef& record, FileOps& files, const std::string& subcircuitDir);

} // namespace k2k
