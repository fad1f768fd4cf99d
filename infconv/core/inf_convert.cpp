#include "inf_convert.h"

#include <new>
#include <stdexcept>

#include "binary_inf.h"
#include "exceptions.h"
#include "file_lock.h"
#include "inf_analyzer.h"
#include "text_inf_writer.h"

namespace {

cConvertedInf render(const std::string& path, bool toBinary, int openFd) {
    cConvertedInf out;
    if (toBinary) {
        InfAnalyzer analyzer(path, openFd);
        out.bytes = binary_inf::encode(*analyzer.getRoot(), analyzer.stringTable(), path);
        out.includes = analyzer.includedFiles();
        return out;
    }
    // A binary file goes to text without building the tree.
    InfAnalyzer analyzer;
    if (!analyzer.loadAsText(path, out.bytes, openFd)) {
        out.bytes = text_inf_writer::render(*analyzer.getRoot(), path);
        out.includes = analyzer.includedFiles();
    }
    return out;
}

}  // namespace

cConvertedInf convertInfContent(const std::string& path, bool toBinary, int openFd) {
    try {
        return render(path, toBinary, openFd);
    } catch (const std::bad_alloc&) {
        // By now the unwinding has given the tree and the buffers back.
        throw newOutOfMemoryException(path);
    } catch (const std::length_error&) {
        throw newOutOfMemoryException(path);
    }
}

bool convertInfFile(const std::string& path, bool toBinary, bool waitWhenBusy,
                    const std::function<void()>& onWait) {
    cFileLock lock;
    if (!lock.lock(path, waitWhenBusy, onWait)) return false;
    // The locked descriptor is the file the conversion reads.
    const std::string bytes = convertInfContent(path, toBinary, lock.fd()).bytes;
    try {
        cFile file(path, cFile::kWrite, true);
        file.write(bytes.data(), bytes.size());
        file.close();
    } catch (const std::bad_alloc&) {
        throw newOutOfMemoryException(path);
    }
    return true;
}
