#pragma once
// What a project database holds, as plain data: the builder composes it, the database
// file stores it, and the open project keeps it in memory.

#include "formats/ObjectMap.h"

#include <array>
#include <string>
#include <vector>

namespace k2k {

enum class ComponentEditor { Schematic = 0, Layout = 1 };

// One hierarchy's pages and its components of each editor. Pages and components are
// numbered from 1 within their hierarchy (and editor).
struct ProjectHierarchy {
    ObjectMap pages;
    std::array<ObjectMap, 2> components; // by ComponentEditor

    ObjectMap& Components(ComponentEditor editor) {
        return components[static_cast<std::size_t>(editor)];
    }
    const ObjectMap& Components(ComponentEditor editor) const {
        return components[static_cast<std::size_t>(editor)];
    }
};

struct ProjectContent {
    std::string name;  // the database name
    ObjectMap parts;   // info: the part info text
    ObjectMap symbols; // symbols, packages, padstacks (flags); scratch objects below 0
    ObjectMap hierarchies;
    std::vector<ProjectHierarchy> contents; // of hierarchy i at [i - 1]
    int currentHierarchy = 0;               // when the project opens; 0 none
    int currentPage = 0;                    // within the current hierarchy
};

} // namespace k2k
