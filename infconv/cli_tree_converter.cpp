#include "cli_tree_converter.h"

#include "cfile.h"
#include "inf_convert.h"
#include "inf_tokenizer_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The walk enters only plain directories: like an attribute set of exactly
// "directory", anything read-only, hidden (dot name) or linked is passed by.
bool isPlainDirectory(const fs::directory_entry& entry) {
    std::error_code ec;
    if (entry.is_symlink(ec) || !entry.is_directory(ec)) return false;
    const std::string name = entry.path().filename().string();
    if (!name.empty() && name[0] == '.') return false;
    // The owner's write bit stands in for the read-only attribute (an access
    // check would pass everything for a privileged user).
    const auto perms = entry.status(ec).permissions();
    return !ec && (perms & fs::perms::owner_write) != fs::perms::none;
}

std::string toLowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool endsWithInf(const std::string& name) {
    return name.size() >= 3 && name.compare(name.size() - 3, 3, "inf") == 0;
}

bool startsWithIncludeKeyword(const std::string& text, std::size_t pos) {
    static const char kKeyword[] = "#include";
    if (text.size() - pos < 8) return false;
    for (std::size_t i = 0; i < 8; ++i) {
        char c = text[pos + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kKeyword[i]) return false;
    }
    return true;
}

// The content to search for include lines; nothing when the file cannot be
// opened (as a regular file).
std::optional<std::string> readForIncludeSearch(const std::string& name) {
    try {
        cFile file(name, cFile::kRead);
        std::string content(static_cast<std::size_t>(file.length()), '\0');
        std::size_t done = 0;
        while (done < content.size())
            done += file.read(content.data() + done, content.size() - done);
        return content;
    } catch (cException* e) {
        delete e;
        return std::nullopt;
    }
}

// A name whose target is there but is no regular file (a symbolic link is
// followed). A missing target is left to the conversion to report.
bool isPresentButNotRegular(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

// The size of a regular file, or nothing.
std::optional<std::int64_t> regularFileSize(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

std::string currentDirectory() {
    std::error_code ec;
    return fs::current_path(ec).string();
}

}  // namespace

cTreeConverter::cTreeConverter(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

std::int64_t cTreeConverter::run(bool toBinary) {
    includes_.clear();
    toConvert_.clear();
    bad_.clear();
    dirs_ = inBytes_ = inFiles_ = outBytes_ = outFiles_ = passed_ = 0;

    scanDirectory();
    std::fputs("\n\n", out_);
    for (const std::string& path : bad_) std::fprintf(out_, "BAD: %s\n", path.c_str());
    std::fputs("\n", out_);
    convertAll(toBinary);
    std::fprintf(out_, "\nDirs: %lld, IN: %lld bytes in %lld files, OUT: %lld bytes in %lld files, BAD: %zu files",
                 static_cast<long long>(dirs_), static_cast<long long>(inBytes_),
                 static_cast<long long>(inFiles_), static_cast<long long>(outBytes_),
                 static_cast<long long>(outFiles_), bad_.size());
    std::fflush(out_);
    return passed_;
}

void cTreeConverter::passBy(const cFileException& refusal) {
    std::fflush(out_);
    std::fprintf(err_, "%s\n", refusal.message().c_str());
    std::fflush(err_);
    ++passed_;
}

void cTreeConverter::scanDirectory() {
    const std::string dirName = currentDirectory();
    std::error_code ec;
    for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        if (isPlainDirectory(entry)) {
            // A directory that cannot be entered is skipped.
            if (::chdir(name.c_str()) != 0) continue;
            scanDirectory();
            if (::chdir(dirName.c_str()) != 0) return;
            continue;
        }
        if (!endsWithInf(name)) continue;
        if (isPresentButNotRegular(name)) {
            passBy(cFileException(dirName + "/" + name, kNotRegularFileDetail,
                                  cFileException::Refusal::NotRegularFile));
            continue;
        }
        std::error_code sizeEc;
        std::uintmax_t size = entry.file_size(sizeEc);
        handleInfFile(dirName, name, sizeEc ? 0 : static_cast<std::int64_t>(size));
    }
    std::fprintf(out_, "Processing directories: %lld\r", static_cast<long long>(dirs_));
    ++dirs_;
}

void cTreeConverter::handleInfFile(const std::string& dirName, const std::string& name,
                                   std::int64_t size) {
    const std::string fullPath = dirName + "/" + name;
    bool good = true;
    std::optional<std::string> read;
    try {
        read = readForIncludeSearch(name);
    } catch (const std::bad_alloc&) {
        std::unique_ptr<cFileException> refusal(newOutOfMemoryException(fullPath));
        passBy(*refusal);
        return;
    }
    if (read) {
        const std::string& content = *read;
        for (std::size_t pos = 0; pos < content.size(); ++pos) {
            if (!startsWithIncludeKeyword(content, pos)) continue;
            std::size_t open = content.find('"', pos + 8);
            std::size_t begin = open == std::string::npos ? content.size() : open + 1;
            std::size_t close = content.find('"', begin);
            std::size_t stop = close == std::string::npos ? content.size() : close;
            const std::string included = content.substr(begin, stop - begin);

            const std::string resolved = resolveInfIncludeName(included);
            // Normalised so that "sub\x.inf" and "./x.inf" meet the walk's own paths.
            std::string listed = (fs::path(dirName) / resolved).lexically_normal().string();
            includes_.insert(toLowerAscii(listed));
            if (!cFile::exists(resolved)) good = false;

            if (close == std::string::npos) break;
            pos = close;
        }
    }
    if (good)
        toConvert_.push_back({toLowerAscii(fullPath), fullPath});
    else
        bad_.push_back(toLowerAscii(fullPath));
    ++inFiles_;
    inBytes_ += size;
}

void cTreeConverter::convertAll(bool toBinary) {
    for (const FoundFile& file : toConvert_) {
        if (includes_.count(file.lowered)) continue;
        try {
            if (!convertInfFile(file.realPath, toBinary, false)) {
                passBy(cFileException(file.realPath,
                                      "busy: another conversion of this file is running"));
            }
        } catch (cFileException* e) {
            if (e->refusal() == cFileException::Refusal::None) throw;
            std::unique_ptr<cFileException> refusal(e);
            passBy(*refusal);
        }
        if (std::optional<std::int64_t> length = regularFileSize(file.realPath)) {
            outBytes_ += *length;
            ++outFiles_;
        }
        std::fprintf(out_, "%s\n", file.lowered.c_str());
    }
}
