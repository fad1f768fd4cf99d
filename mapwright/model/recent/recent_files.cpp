#include "recent/recent_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace mw {

namespace {

std::string normal(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

std::string lowerExtension(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

std::string RecentFileLabel(const std::string& path) {
    const std::filesystem::path file(path);
    std::string folder = file.parent_path().string();
    if (folder.empty()) return file.filename().string();
    if (folder.size() > kRecentFolderShown) {
        // Whole folder names at the end tell more than a cut one.
        const std::size_t cut = folder.find('/', folder.size() - (kRecentFolderShown - 3));
        folder = "..." + folder.substr(cut == std::string::npos
                                           ? folder.size() - (kRecentFolderShown - 3)
                                           : cut);
    }
    return file.filename().string() + "  (" + folder + ")";
}

EditorFileKind EditorFileKindOf(std::string_view path) {
    return lowerExtension(path) == ".vmpf" ? EditorFileKind::ProjectFile
                                           : EditorFileKind::DesignFile;
}

bool HasEditorFileExtension(std::string_view path) {
    const std::string extension = lowerExtension(path);
    return extension == ".sdf" || extension == ".vmpf";
}

std::vector<std::string> RememberRecent(const std::vector<std::string>& list,
                                        const std::string& path) {
    std::vector<std::string> result{normal(path)};
    for (const std::string& entry : list) {
        if (result.size() == kMaxRecentFiles) break;
        if (entry.empty()) continue;
        const std::string kept = normal(entry);
        if (std::find(result.begin(), result.end(), kept) == result.end()) result.push_back(kept);
    }
    return result;
}

}  // namespace mw
