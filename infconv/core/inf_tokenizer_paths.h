// Include names in INF files are written for the game's platform: "\"
// separates directories and letter case does not matter. This finds the file
// such a name means on a case-sensitive file system.
#pragma once

#include <string>

#include "os.h"

// Path to open for an #include name, relative to `directory`, or absolute
// when the name is. "\" and "/" both
// separate directories; a part that does not exist as written is matched in its directory ignoring
// ASCII letter case. When nothing matches, the name with "/" separators is returned, so that
// opening it reports the name.
std::string resolveInfIncludeName(const std::string& name,
                                  const os::Dir& directory = os::currentDir());
