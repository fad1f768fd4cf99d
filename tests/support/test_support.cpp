#include "test_support.h"

#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>

namespace vk_test {

namespace fs = std::filesystem;

fs::path utf8Path(const std::string& name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}

std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

ScratchDir::ScratchDir(const std::string& prefix) : ScratchDir(prefix, fs::temp_directory_path()) {}

ScratchDir::ScratchDir(const std::string& prefix, const fs::path& base) {
    static std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = attempt < 3 ? base : fs::temp_directory_path();
        std::string name = prefix + "-";
        for (int i = 0; i < 6; ++i) name += kLetters[random() % 36];
        const fs::path candidate = folder / utf8Path(name);
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace, ec);
            root_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch folder for " + prefix);
}

bool makeReadOnly(const fs::path& path) {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove, ec);
    return !ec && (fs::status(path, ec).permissions() & fs::perms::owner_write) == fs::perms::none;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    // Tests make parts read-only to force failures; give them back first.
    for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::end(it);
         it.increment(ec))
        if (!it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

std::string ScratchDir::path(const std::string& relative) const {
    return utf8(root_ / utf8Path(relative));
}

std::string ScratchDir::write(const std::string& relative, const std::string& bytes) const {
    writeFile(root_ / utf8Path(relative), bytes);
    return path(relative);
}

std::string ScratchDir::read(const std::string& relative) const {
    return readFile(root_ / utf8Path(relative));
}

bool ScratchDir::exists(const std::string& relative) const {
    std::error_code ec;
    return fs::exists(root_ / utf8Path(relative), ec);
}

std::string readFile(const fs::path& path) {
    // In one piece: some tests read files of many megabytes.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size <= 0) return {};
    std::string content(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    return content;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + utf8(path));
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const fs::path& workingFolder,
                     const std::map<std::string, std::string>& environment, double timeoutSeconds) {
    return finishProgram(startProgram(program, args, workingFolder, environment), timeoutSeconds);
}

}  // namespace vk_test
