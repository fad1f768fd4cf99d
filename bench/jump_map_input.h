// The map picture's benchmark input: a map of systems full of jump nodes,
// linked every way the picture draws.
#pragma once

#include <string>

namespace bench {

// False when this build has no editor model to write design files with.
bool jumpMapInputAvailable();

// Writes `systems` design files of `nodes` jump nodes each and a project
// file naming them under `dir` (created); the project file's path. Node k of
// system s: k % 4 == 0 leads to node k of its neighbour s ^ 1, which leads
// back (a two-way link); 1 leads to node k + 1 of system s + 1, which leads
// to "0" (one-way); 2 leads to "0"; 3 leads to no node at all.
std::string writeJumpMap(const std::string& dir, int systems, int nodes);

}  // namespace bench
