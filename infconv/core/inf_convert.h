// Converts one INF file in place, text or binary, to the requested form.
#pragma once

#include <functional>
#include <string>

// Loads the file (either form) and writes it back under the same path as
// binary (toBinary) or as text; the previous content becomes path + ".back".
// The file is replaced only by a complete new file (see cFile::open).
//
// One conversion of a file runs at a time: when another process converts
// it, `waitWhenBusy` waits for it (calling `onWait` first) and then converts
// what it left; otherwise nothing is done and false is returned.
//
// File errors leave as cFileException*: a directory, FIFO, socket or device
// is refused as not a regular file, and running out of memory is reported
// as "not enough memory to convert <path>", both before the file or its
// backup is touched. A file that does not parse is not written
// (cInfSyntaxException* when the error channel lets the run go on).
bool convertInfFile(const std::string& path, bool toBinary, bool waitWhenBusy = true,
                    const std::function<void()>& onWait = {});
