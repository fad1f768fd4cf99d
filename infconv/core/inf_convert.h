// Converts one INF file in place, text or binary, to the requested form.
#pragma once

#include <string>

// Loads the file (either form) and writes it back under the same path as
// binary (toBinary) or as text; the previous content becomes path + ".back".
// File errors leave as cFileException*; a file that does not parse is not
// written (cInfSyntaxException* when the error channel lets the run go on).
void convertInfFile(const std::string& path, bool toBinary);
