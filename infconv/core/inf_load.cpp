// The load sequence of InfAnalyzer: text or binary by the magic, with the
// main file's directory as the working directory while it loads.
#include "inf_analyzer.h"

#include "binary_inf.h"
#include "cfile.h"
#include "exceptions.h"
#include "inf_parser.h"
#include "inf_parser_report.h"
#include "inf_tokenizer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kBinaryMagic = 0xFFFFA5ADu;
constexpr int kChangeDirectoryLine = 213;

// Remembers the working directory and returns to it, also when the load
// ends with an exception.
class WorkingDirectoryRestorer {
public:
    WorkingDirectoryRestorer() {
        fd_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) {
            std::vector<char> buffer(4096);
            if (::getcwd(buffer.data(), buffer.size())) path_ = buffer.data();
        }
    }
    ~WorkingDirectoryRestorer() {
        if (fd_ >= 0) {
            if (::fchdir(fd_) != 0) { /* nothing better to do in a destructor */ }
            ::close(fd_);
        } else if (!path_.empty()) {
            if (::chdir(path_.c_str()) != 0) { /* as above */ }
        }
    }
    WorkingDirectoryRestorer(const WorkingDirectoryRestorer&) = delete;
    WorkingDirectoryRestorer& operator=(const WorkingDirectoryRestorer&) = delete;

private:
    int fd_ = -1;
    std::string path_;
};

bool startsWithMagic(cFile& file) {
    if (file.length() < 4) return false;
    unsigned char bytes[4];
    std::size_t done = 0;
    while (done < sizeof bytes) done += file.read(bytes + done, sizeof bytes - done);
    file.seek(0, cFile::Origin::Start);
    const std::uint32_t magic = static_cast<std::uint32_t>(bytes[0]) |
                                static_cast<std::uint32_t>(bytes[1]) << 8 |
                                static_cast<std::uint32_t>(bytes[2]) << 16 |
                                static_cast<std::uint32_t>(bytes[3]) << 24;
    return magic == kBinaryMagic;
}

}  // namespace

InfAnalyzer::InfAnalyzer(const std::string& path) : m_path(path) { loadInf(path, nullptr); }

bool InfAnalyzer::loadAsText(const std::string& path, std::string& text) {
    m_path = path;
    return loadInf(path, &text);
}

bool InfAnalyzer::loadInf(const std::string& path, std::string* binaryAsText) {
    resetTree();

    const std::size_t separator = path.find_last_of("/\\");
    std::string directory = separator == std::string::npos ? "." : path.substr(0, separator);
    const std::string fileName = separator == std::string::npos ? path : path.substr(separator + 1);
    if (directory.size() == 2 && directory[1] == ':') directory += '/';
    // A path like "/x.inf" lives in the root directory, not in "".
    if (separator == 0) directory = "/";

    if (fileName.empty()) throw new cFileOpenException(path, "the path names no file");

    WorkingDirectoryRestorer restorer;
    if (::chdir(directory.c_str()) != 0) {
        reportInfAssertion(kChangeDirectoryLine,
                           "A " + directory + "-nak kell egy " + fileName + " path-t, de nincs ilyen!");
    }

    cFile file(fileName, cFile::kRead);
    bool rendered = false;
    if (!startsWithMagic(file)) {
        cInfTokenizer tokens(fileName);
        tokens.start(cInfTokenizer::readAll(file));
        cInfParser::parse(tokens, getRoot());
    } else if (binaryAsText) {
        *binaryAsText = binary_inf::decodeToText(readBinaryContent(file), file.name());
        rendered = true;
    } else {
        loadBinaryInf(file);
    }
    file.close();
    return rendered;
}
