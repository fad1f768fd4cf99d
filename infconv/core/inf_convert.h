// Converts one INF file in place, text or binary, to the requested form.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cfile.h"

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

class InfAnalyzer;
namespace binary_inf {
class cEncoder;
}

// The first half of a conversion, nothing written yet: the file's new form,
// ready to be written (text in memory; binary from the tree, without the
// whole file in memory), and the files its #include lines took in.
class cConvertedInf {
  public:
    cConvertedInf();
    ~cConvertedInf();
    cConvertedInf(cConvertedInf&&) noexcept;

    // Writes the new form to `file`, open for writing.
    void writeTo(cFile& file);
    // The new form's bytes.
    std::string bytes();

    std::vector<cFile::Identity> includes;

  private:
    friend cConvertedInf convertInfContent(const std::string&, bool, int);
    std::string m_text;
    std::unique_ptr<InfAnalyzer> m_tree;
    std::unique_ptr<binary_inf::cEncoder> m_encoder;
};

// Loads the file at `path` (reading through `openFd` when it is not -1) and
// prepares its new form, refusing a tree the binary form cannot hold. Fails
// as convertInfFile does, running out of memory included.
cConvertedInf convertInfContent(const std::string& path, bool toBinary, int openFd = -1);
