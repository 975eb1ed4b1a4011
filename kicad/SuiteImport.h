#pragma once
// An import of the open-source EDA tool's libraries into a suite's library folder: every
// symbol library "NAME.kicad_sym" of a folder becomes NAME.PART and NAME.SYMBOL, every
// footprint folder "NAME.pretty" NAME.PACKAGE, and the pads of every footprint the
// padstacks of KiCad_Padstacks.PADSTACK, replacing the files an earlier import wrote. Every
// library new to the catalogue is added at the end of its kind's search sequence, as the
// search-sequence dialog would add it; a library the suite holds that no import wrote is
// never replaced (ImportRecord.h), and a source whose name is no plain library name is not
// imported. An import holds a lock on its record for its whole run and can be killed at any
// moment: the next one finishes it. What it left out and could not carry over is in its
// report (ImportReport.h).

#include "kicad/ImportReport.h"

#include <cstddef>
#include <string>

namespace k2k {

class SuiteServices;

// The folders an import reads; an empty one leaves out its pass.
struct ImportSources {
    std::string symbols;    // of .kicad_sym files
    std::string footprints; // of .pretty folders of .kicad_mod files
};

// What an import tells while it runs.
class ImportFeedback {
public:
    virtual ~ImportFeedback() = default;
    // A message for the person who runs it: why nothing was imported, a source folder that
    // cannot be read, an earlier import that did not finish.
    virtual void Say(const std::string& message) = 0;
    // Source library step of total of a pass begins; text says which.
    virtual void Progress(std::size_t step, std::size_t total, const std::string& text) = 0;
    // The pass is over.
    virtual void PassEnd() = 0;
};

// How an import ended.
struct ImportEnd {
    bool refused = false;        // nothing was imported (another import runs, the record
                                 // cannot be written); it said why
    bool folderLost = false;     // a source folder could not be read or holds no source library
    bool wroteLibraries = false; // a part or a package library was written
};

// Imports the sources into the library folder libDir of the suite the services serve.
ImportEnd ImportIntoSuite(const ImportSources& sources, const std::string& libDir,
                          SuiteServices& services, const TextOptions& options,
                          ImportFeedback& feedback, ImportReport& report);

} // namespace k2k
