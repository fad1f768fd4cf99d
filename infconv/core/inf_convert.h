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
class cInfFileContent;
class cInfStreamEncoder;
namespace binary_inf {
class cEncoder;
}

// The first half of a conversion, nothing written yet: what the file's new
// form is written from (a tree, or a binary file's bytes to be written as
// text), and the files its #include lines took in. The new form is made
// while it is written, in pieces, never held whole.
class cConvertedInf {
  public:
    cConvertedInf();
    ~cConvertedInf();
    cConvertedInf(cConvertedInf&&) noexcept;

    // Writes the new form to `file`, open for writing. A damaged binary file
    // is refused (cFileException*) after part of its text went out.
    void writeTo(cFile& file);
    // The new form's bytes.
    std::string bytes();

    std::vector<cFile::Identity> includes;

  private:
    void writeForm(const std::function<void(const char*, std::size_t)>& sink);
    friend cConvertedInf convertInfContent(const std::string&, bool, os::Handle);
    std::string m_path;
    std::string m_fileName;  // the name a damaged binary file is refused with
    std::unique_ptr<cInfFileContent> m_binary;
    std::unique_ptr<InfAnalyzer> m_tree;
    std::unique_ptr<binary_inf::cEncoder> m_encoder;
    // A text encoded as it was read, without the tree.
    std::unique_ptr<cInfStreamEncoder> m_stream;
};

// Loads the file at `path` (reading through `openFd` when it is not -1) and
// prepares its new form, refusing a tree the binary form cannot hold. Fails
// as convertInfFile does, running out of memory included.
cConvertedInf convertInfContent(const std::string& path, bool toBinary,
                                os::Handle openFd = os::kNoHandle);
