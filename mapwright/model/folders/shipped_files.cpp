#include "folders/shipped_files.h"

#include "system/designer_tools.h"

namespace mw {

namespace fs = std::filesystem;

ShippedFiles ShippedFiles::ForExecutable(const fs::path& exeDir, std::string_view dataFromBin) {
    return ShippedFiles({exeDir, (exeDir / fs::path(dataFromBin)).lexically_normal()});
}

std::optional<fs::path> ShippedFiles::find(const fs::path& relative) const {
    for (const fs::path& folder : folders_) {
        std::error_code ec;
        fs::path candidate = folder / relative;
        if (fs::is_regular_file(candidate, ec)) return candidate;
    }
    return std::nullopt;
}

fs::path ShippedFiles::locate(const fs::path& relative) const {
    if (std::optional<fs::path> found = find(relative)) return *found;
    return folders_.empty() ? relative : folders_.front() / relative;
}

fs::path HelpPageFor(std::string_view helpFileName) {
    fs::path page = fs::path("help") / fs::path(helpFileName).filename();
    page.replace_extension(".html");
    return page;
}

std::vector<std::string> ShippedFileNames() {
    constexpr const char* kHelpFiles[] = {"readme.hlp", "intro.hlp", "bai.hlp", "tutorial1.hlp",
                                          "tutorial2.hlp"};
    std::vector<std::string> names;
    names.reserve(std::size(kTools) + 3 + std::size(kHelpFiles));
    for (const ToolInfo& tool : kTools) names.emplace_back(tool.picture);
    names.emplace_back("banner.bmp");
    names.emplace_back("mapwright.png");
    for (const char* help : kHelpFiles) names.push_back(HelpPageFor(help).string());
    names.emplace_back(kDefaultNameDatabase);
    return names;
}

}  // namespace mw
