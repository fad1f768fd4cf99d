#pragma once
// Project files store the design files' full paths, which break when a map
// folder is moved (or comes from another machine). A stored path that does not
// exist is looked up by its file name beside the project file.

#include <string>
#include <vector>

#include "project/map_project.h"

namespace mw::cli {

/// Replaces each filled slot's missing design file by the file of the same
/// name beside the project file. Returns one note per replaced path. A design
/// file found in neither place raises IoError naming both.
std::vector<std::string> ResolveSlotPaths(MapProject& project, const std::string& projectPath);

}  // namespace mw::cli
