// The load sequence of InfAnalyzer: text or binary by the magic, with names
// (the main file's, every #include's) looked up in the main file's directory.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "binary_inf.h"
#include "cfile.h"
#include "exceptions.h"
#include "inf_analyzer.h"
#include "inf_direct_parser.h"
#include "inf_file_content.h"
#include "inf_parser.h"
#include "inf_parser_report.h"
#include "inf_stream_encoder.h"
#include "inf_tokenizer.h"

namespace {

constexpr std::uint32_t kBinaryMagic = 0xFFFFA5ADu;
constexpr int kChangeDirectoryLine = 213;

// The directory of the file being loaded, open for looking names up in it:
// the main file and every #include are opened relative to it, so a load
// never changes the process's working directory (loads may run on several
// threads at once). It refuses what a change into the directory would refuse.
class LoadDirectory {
  public:
    explicit LoadDirectory(const std::string& directory) {
        if (directory == ".") return;
        m_dir = os::Dir::open(os::currentDir(), directory, true);
        // Looking up "." in it needs the search permission a change into it needs.
        m_usable = m_dir.valid() && os::maySearch(m_dir, ".");
    }

    bool usable() const { return m_usable; }
    const os::Dir& dir() const { return m_dir; }

  private:
    os::Dir m_dir;
    bool m_usable = true;
};

// The whole content of the file, read from its start. An empty file throws
// the file error its read of nothing gives.
std::string readContent(cFile& file) {
    const std::int64_t length = file.length();
    if (length <= 0) return cInfTokenizer::readAll(file);
    if (static_cast<std::uint64_t>(length) > SIZE_MAX / 2) {
        throw new cFileException(file.name(), "the file is too large to load");
    }
    std::string content(static_cast<std::size_t>(length), '\0');
    std::size_t done = 0;
    while (done < content.size()) done += file.read(content.data() + done, content.size() - done);
    return content;
}

bool startsWithMagic(std::string_view content) {
    if (content.size() < 4) return false;
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(content[i]));
    };
    return (byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24) == kBinaryMagic;
}

}  // namespace

InfAnalyzer::InfAnalyzer(const std::string& path, os::Handle openFd) : m_path(path) {
    loadInf(path, nullptr, openFd);
}

bool InfAnalyzer::loadAsText(const std::string& path, std::unique_ptr<cInfFileContent>& binary,
                             os::Handle openFd) {
    m_path = path;
    return loadInf(path, &binary, openFd);
}

bool InfAnalyzer::loadForBinary(const std::string& path, std::unique_ptr<cInfStreamEncoder>& stream,
                                os::Handle openFd) {
    m_path = path;
    if (loadInf(path, nullptr, openFd, &stream)) return true;
    stream.reset();
    return false;
}

bool InfAnalyzer::loadInf(const std::string& path, std::unique_ptr<cInfFileContent>* binaryContent,
                          os::Handle openFd, std::unique_ptr<cInfStreamEncoder>* stream) {
    resetTree();
    m_includedFiles.clear();

    const std::size_t separator = path.find_last_of("/\\");
    std::string directory = separator == std::string::npos ? "." : path.substr(0, separator);
    const std::string fileName = separator == std::string::npos ? path : path.substr(separator + 1);
    if (directory.size() == 2 && directory[1] == ':') directory += '/';
    // A path like "/x.inf" lives in the root directory, not in "".
    if (separator == 0) directory.assign(1, '/');

    if (fileName.empty()) throw new cFileOpenException(path, "the path names no file");

    LoadDirectory dir(directory);
    if (!dir.usable()) {
        std::string message = "A ";
        message.append(directory)
            .append("-nak kell egy ")
            .append(fileName)
            .append(" path-t, de nincs ilyen!");
        reportInfAssertion(kChangeDirectoryLine, message);
    }

    cFile file;
    if (openFd != os::kNoHandle) {
        file.borrowForReading(openFd, fileName);
    } else {
        file.openForReadingAt(dir.dir(), fileName);
    }
    const std::int64_t length = file.length();
    if (length <= 0 || static_cast<std::uint64_t>(length) > SIZE_MAX / 2)
        return loadText(file, fileName, dir.dir());
    // The file from its start, with at least the magic's bytes at hand if it has them.
    const auto open = [&file, length] {
        auto opened = std::make_unique<cInfFileContent>(file, static_cast<std::size_t>(length));
        while (opened->size() < 4 && opened->more(opened->size())) {
        }
        return opened;
    };
    auto content = open();
    if (!startsWithMagic(content->view())) {
        if (stream) {
            try {
                if (encodeInfTextDirectly(*content, **stream)) return true;
            } catch (cException* e) {
                // A read that failed: the load below reads again and reports it.
                delete e;
            }
            // Its memory is the tree's now.
            stream->reset();
            content.reset();
            file.seek(0, cFile::Origin::Start);
            content = open();
        }
        // A text's tree takes a little less than twice its bytes.
        getRoot()->arena().expect(2 * static_cast<std::size_t>(length));
        try {
            if (parseInfTextDirectly(*content, getRoot())) return false;
        } catch (cException* e) {
            // A read that failed: the full load reads again and reports it.
            delete e;
        }
        // A directive, or an error to report: the scanner and parser from the start.
        resetTree();
        file.seek(0, cFile::Origin::Start);
        return loadText(file, fileName, dir.dir());
    }
    content->readAll();
    if (binaryContent) {
        *binaryContent = std::move(content);
        return true;
    }
    cStringTable strings;
    std::unique_ptr<cInfNode> root = binary_inf::decode(content->view(), strings, this, fileName);
    m_root = std::move(root);
    m_strings = std::move(strings);
    return false;
}

bool InfAnalyzer::loadText(cFile& file, const std::string& fileName, const os::Dir& directory) {
    cInfTokenizer tokens(fileName, directory, &getRoot()->arena());
    tokens.start(readContent(file));
    cInfParser::parse(tokens, getRoot());
    m_includedFiles = tokens.includedFiles();
    return false;
}
