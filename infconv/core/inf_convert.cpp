#include "inf_convert.h"

#include <new>
#include <stdexcept>

#include "binary_inf.h"
#include "exceptions.h"
#include "file_lock.h"
#include "inf_analyzer.h"
#include "inf_file_content.h"
#include "inf_stream_encoder.h"
#include "text_inf_writer.h"

cConvertedInf::cConvertedInf() = default;
cConvertedInf::~cConvertedInf() = default;
cConvertedInf::cConvertedInf(cConvertedInf&&) noexcept = default;

void cConvertedInf::writeTo(cFile& file) {
    writeForm([&file](const char* data, std::size_t n) { file.write(data, n); });
}

std::string cConvertedInf::bytes() {
    std::string out;
    writeForm([&out](const char* data, std::size_t n) { out.append(data, n); });
    return out;
}

void cConvertedInf::writeForm(const std::function<void(const char*, std::size_t)>& sink) {
    if (m_stream) {
        m_stream->write(sink);
    } else if (m_encoder) {
        m_encoder->write(sink);
    } else if (m_binary) {
        binary_inf::decodeToText(m_binary->view(), m_fileName, sink, m_binary->spare());
    } else {
        text_inf_writer::render(*m_tree->getRoot(), m_path, sink);
    }
}

cConvertedInf convertInfContent(const std::string& path, bool toBinary, os::Handle openFd) {
    try {
        cConvertedInf out;
        if (toBinary) {
            out.m_tree = std::make_unique<InfAnalyzer>();
            out.m_stream = std::make_unique<cInfStreamEncoder>();
            if (out.m_tree->loadForBinary(path, out.m_stream, openFd)) {
                out.m_tree.reset();
                return out;
            }
            out.m_encoder = std::make_unique<binary_inf::cEncoder>(*out.m_tree->getRoot(),
                                                                   out.m_tree->stringTable(), path);
            out.m_encoder->check();
            out.includes = out.m_tree->includedFiles();
            return out;
        }
        // A binary file goes to text without building the tree.
        out.m_path = path;
        const std::size_t separator = path.find_last_of("/\\");
        out.m_fileName = separator == std::string::npos ? path : path.substr(separator + 1);
        out.m_tree = std::make_unique<InfAnalyzer>();
        if (!out.m_tree->loadAsText(path, out.m_binary, openFd))
            out.includes = out.m_tree->includedFiles();
        return out;
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
    // The locked file is the one the conversion reads (by name where the lock
    // keeps no handle open).
    cConvertedInf converted = convertInfContent(path, toBinary, lock.fd());
    try {
        cFile file(path, cFile::kWrite, true);
        converted.writeTo(file);
        file.close();
    } catch (const std::bad_alloc&) {
        throw newOutOfMemoryException(path);
    }
    return true;
}
