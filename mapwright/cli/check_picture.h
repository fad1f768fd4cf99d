#pragma once
// The map picture of `mapwright check --picture`: drawn with the editor's Qt
// painting, so a build without Qt (the Windows one) has none. CMake picks the
// implementation: with_editor/ or headless/.

#include <string>
#include <string_view>
#include <vector>

#include "check/checked_map.h"
#include "check/map_problem.h"

namespace mw::cli {

/// Why this build cannot write the picture; empty when it can.
std::string_view pictureUnavailable();

/// Writes the picture of the checked map as PNG or SVG (by the file's
/// extension) in one replace. UserError naming the file when it cannot.
void writeCheckPicture(const std::vector<CheckedSystem>& systems,
                       const std::vector<MapProblem>& problems, const std::string& title,
                       const std::string& path);

}  // namespace mw::cli
