// The mission-like benchmark input: what the editor's generator writes for a
// ten-system map with thousands of objects.
#pragma once

#include <string>

namespace bench {

// False when this build has no mission generator to call.
bool missionInputAvailable();

// Saves ten generated design files under `dir` (created) and returns the
// mission source of a map holding them, generated with a fixed seed.
std::string missionInfText(const std::string& dir);

}  // namespace bench
