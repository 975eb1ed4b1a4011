#pragma once
// KLDKRN2K, the suite's kernel, as one object: library files (KernelLibraries), the open
// project's database (KernelProject), the named values and help display (KernelValues),
// and the calls into other libraries (KernelCalls). The browser holds one Kernel by
// reference and calls its functions by the names the suite gives them.

#include "platform/KernelCalls.h"
#include "platform/KernelLibraries.h"
#include "platform/KernelProject.h"
#include "platform/KernelValues.h"

namespace k2k {

class Kernel final : public KernelLibraries,
                     public KernelProject,
                     public KernelValues,
                     public KernelCalls {
public:
    Kernel() = default;

    // Loads the library object (from E_OpenLibToRead) into the project's symbol map under
    // index; answers the index, 0 on failure (a name the project cannot hold among them).
    // A library file may hold any bytes: the info text is copied as the project holds it
    // (HeldInfo of formats/StoredTexts.h), up to a NUL byte, where a viewer's C string ends
    // anyway.
    int S_LoadSymbol(int index, int libraryObject);
};

} // namespace k2k
