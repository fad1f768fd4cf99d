#include "cli_tree_converter.h"

#include "inf_analyzer.h"
#include "inf_tokenizer_paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <system_error>
#include <unistd.h>

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

bool canOpenForReading(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return false;
    std::ifstream probe(path, std::ios::binary);
    return probe.is_open();
}

std::string currentDirectory() {
    std::error_code ec;
    return fs::current_path(ec).string();
}

}  // namespace

cTreeConverter::cTreeConverter(std::FILE* out) : out_(out) {}

void cTreeConverter::run(bool toBinary) {
    includes_.clear();
    toConvert_.clear();
    bad_.clear();
    dirs_ = inBytes_ = inFiles_ = outBytes_ = outFiles_ = 0;

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
        std::error_code typeEc;
        if (entry.is_directory(typeEc) || !endsWithInf(name)) continue;
        std::error_code sizeEc;
        std::uintmax_t size = entry.file_size(sizeEc);
        handleInfFile(dirName, name, sizeEc ? 0 : static_cast<std::int64_t>(size));
    }
    std::fprintf(out_, "Processing directories: %lld\r", static_cast<long long>(dirs_));
    ++dirs_;
}

void cTreeConverter::handleInfFile(const std::string& dirName, const std::string& name,
                                   std::int64_t size) {
    bool good = true;
    std::ifstream in(name, std::ios::binary);
    if (in.is_open()) {
        const std::string content((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        in.close();
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
            if (!canOpenForReading(resolved)) good = false;

            if (close == std::string::npos) break;
            pos = close;
        }
    }
    const std::string fullPath = dirName + "/" + name;
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
        std::unique_ptr<InfAnalyzer> analyzer;
        // A binary file goes to text without building the tree.
        std::string text;
        bool rendered = false;
        try {
            if (toBinary) {
                analyzer = std::make_unique<InfAnalyzer>(file.realPath);
            } else {
                analyzer = std::make_unique<InfAnalyzer>();
                rendered = analyzer->loadAsText(file.realPath, text);
            }
        } catch (const std::bad_alloc&) {
            analyzer.reset();
        }
        if (analyzer) {
            if (toBinary)
                analyzer->writeBinaryInf(file.realPath, true);
            else if (rendered)
                InfAnalyzer::writeText(file.realPath, text, true);
            else
                analyzer->writeTextInf(file.realPath, true);
        }
        std::error_code ec;
        std::uintmax_t length = fs::file_size(file.realPath, ec);
        if (!ec && canOpenForReading(file.realPath)) {
            outBytes_ += static_cast<std::int64_t>(length);
            ++outFiles_;
        }
        std::fprintf(out_, "%s\n", file.lowered.c_str());
    }
}
