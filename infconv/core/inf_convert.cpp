#include "inf_convert.h"

#include <new>
#include <stdexcept>

#include "exceptions.h"
#include "file_lock.h"
#include "inf_analyzer.h"

namespace {

void convertLocked(const std::string& path, bool toBinary) {
    if (toBinary) {
        InfAnalyzer(path).writeBinaryInf(path, true);
        return;
    }
    // A binary file goes to text without building the tree.
    InfAnalyzer analyzer;
    std::string text;
    if (analyzer.loadAsText(path, text)) {
        InfAnalyzer::writeText(path, text, true);
    } else {
        analyzer.writeTextInf(path, true);
    }
}

}  // namespace

bool convertInfFile(const std::string& path, bool toBinary, bool waitWhenBusy,
                    const std::function<void()>& onWait) {
    cFileLock lock;
    if (!lock.lock(path, waitWhenBusy, onWait)) return false;
    try {
        convertLocked(path, toBinary);
    } catch (const std::bad_alloc&) {
        // By now the unwinding has given the tree and the buffers back.
        throw newOutOfMemoryException(path);
    } catch (const std::length_error&) {
        throw newOutOfMemoryException(path);
    }
    return true;
}
