#include "cli_walk_directory.h"

#include <vector>

#include "cfile.h"
#include "inf_tokenizer_paths.h"

namespace {

bool isSeparator(char c) {
    return c == '/' || c == os::kPathSeparator;
}

}  // namespace

cWalkDirectory::cWalkDirectory(os::Dir dir, std::string path)
    : m_dir(std::move(dir)), m_path(std::move(path)) {}

cWalkDirectory::~cWalkDirectory() = default;

std::unique_ptr<cWalkDirectory> cWalkDirectory::openCurrent() {
    return std::unique_ptr<cWalkDirectory>(
        new cWalkDirectory(os::Dir::open(os::currentDir(), ".", true), os::currentDirectoryPath()));
}

std::optional<std::string> cWalkDirectory::nextEntry() {
    if (!m_dir.valid()) return std::nullopt;
    if (!m_listing) m_listing = std::make_unique<os::Listing>(m_dir);
    return m_listing->next();
}

bool cWalkDirectory::isPlainDirectory(const std::string& name) const {
    return !name.empty() && os::statusAt(m_dir, name, false).plainDirectory;
}

bool cWalkDirectory::mayEnter(const std::string& name) const {
    return os::maySearch(m_dir, name);
}

std::unique_ptr<cWalkDirectory> cWalkDirectory::open(const std::string& name) const {
    // The name the system would report after changing into it: a plain
    // directory is no link, so it is this one's name and the entry's.
    std::string path = m_path;
    if (path.empty() || !isSeparator(path.back())) path += os::kPathSeparator;
    return std::unique_ptr<cWalkDirectory>(
        new cWalkDirectory(os::Dir::open(m_dir, name, false), path + name));
}

std::optional<cWalkDirectory::FileInfo> cWalkDirectory::info(const std::string& name) const {
    const os::Status status = os::statusAt(m_dir, name, true);
    if (status.kind == os::Status::Kind::Missing) return std::nullopt;
    return FileInfo{status.kind == os::Status::Kind::Regular, status.size};
}

std::optional<std::string> cWalkDirectory::readRegular(const std::string& name) const {
    os::Handle file = os::kNoHandle;
    if (os::openRegular(m_dir, name, os::kReadOnly, file) != os::Opened::Yes) return std::nullopt;
    struct CloseAtEnd {
        os::Handle file;
        ~CloseAtEnd() { os::close(file); }
    } closer{file};
    const std::int64_t size = os::size(file);
    if (size < 0) return std::nullopt;
    std::string content(static_cast<std::size_t>(size), '\0');
    for (std::size_t done = 0; done < content.size();) {
        const std::int64_t got = os::read(file, content.data() + done, content.size() - done);
        if (got <= 0) return std::nullopt;
        done += static_cast<std::size_t>(got);
    }
    return content;
}

bool cWalkDirectory::canRead(const std::string& name) const {
    return cFile::existsAt(m_dir, name);
}

std::string cWalkDirectory::resolveInclude(const std::string& name) const {
    return resolveInfIncludeName(name, m_dir);
}

std::optional<std::int64_t> cWalkDirectory::regularFileSize(const std::string& path) {
    const os::Status status = os::status(path);
    if (status.kind != os::Status::Kind::Regular) return std::nullopt;
    return status.size;
}

std::string cWalkDirectory::joinNormal(const std::string& directory, const std::string& relative) {
    const std::string whole =
        os::isAbsolutePath(relative) ? relative : directory + os::kPathSeparator + relative;
    // The root ("/", or a drive and "\" on Windows) stays; the parts after it
    // are cleaned up as std::filesystem's lexically_normal does.
    std::size_t rootEnd = 0;
    if (os::kPathSeparator == '\\' && whole.size() >= 2 && whole[1] == ':') rootEnd = 2;
    std::string root = whole.substr(0, rootEnd);
    if (rootEnd < whole.size() && isSeparator(whole[rootEnd])) root += os::kPathSeparator;
    while (rootEnd < whole.size() && isSeparator(whole[rootEnd])) ++rootEnd;
    std::vector<std::string> parts;
    for (std::size_t start = rootEnd; start <= whole.size();) {
        std::size_t end = start;
        while (end < whole.size() && !isSeparator(whole[end])) ++end;
        const std::string part = whole.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (root.empty())
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string joined = root;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += os::kPathSeparator;
        joined += parts[i];
    }
    return joined;
}
