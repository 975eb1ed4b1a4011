#pragma once
// Where an object stands in the open project: whether the project's map holds it
// (status bit 2) and whether a component of any hierarchy uses it (bit 4). Parts are
// looked for on the layouts before the schematics; symbols on the schematics; packages and
// padstacks on the layouts. The hierarchy that was current before is current again after.

#include "formats/LibraryFile.h"

#include <cstdint>
#include <string>

namespace k2k {

class Kernel;

// The masks that tell the kinds apart in the project's symbol map.
struct KindMasks {
    int a;
    int b;
};
KindMasks MasksOf(LibraryKind kind) noexcept;

// The index of the object of that name in its project map, or 0.
int FindInProject(Kernel& kernel, LibraryKind kind, const std::string& name);
// The index of the first object of the project's symbol map with that name whose flags
// pass the masks, or 0.
int FindInSymbolMap(Kernel& kernel, const std::string& name, KindMasks masks);
// True when a component of some hierarchy uses the object at index of its map.
bool UsedInProject(Kernel& kernel, LibraryKind kind, int index);
// The status bits of an object of that name.
std::int32_t ProjectStatus(Kernel& kernel, LibraryKind kind, const std::string& name);

} // namespace k2k
