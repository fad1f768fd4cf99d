#include "folders/working_folder.h"

#include <cstdlib>

#include "common/errors.h"
#include "common/file_bytes.h"
#include "common/safe_save.h"
#include "folders/shipped_files.h"
#include "platform/path_text.h"
#include "platform/system_files.h"

namespace mw {

namespace fs = std::filesystem;

namespace {

bool hasNameDatabase(const fs::path& folder) {
    std::error_code ec;
    return fs::exists(folder / kDefaultNameDatabase, ec);
}

/// Copies the shipped name database unless the folder has a non-empty one.
/// Returns what went wrong, empty when nothing did.
std::string provideNameDatabase(const fs::path& folder, const std::optional<fs::path>& shipped) {
    const fs::path target = folder / kDefaultNameDatabase;
    std::error_code ec;
    const bool present = fs::exists(target, ec);
    if (present && !(fs::is_regular_file(target, ec) && fs::file_size(target, ec) == 0)) return {};
    if (!shipped) return "no shipped " + std::string(kDefaultNameDatabase) + " was found to copy";
    try {
        const std::optional<std::string> bytes = ReadFileBytes(shipped->string());
        if (!bytes) return shipped->string() + " is missing";
        SaveFileBytes(target.string(), *bytes);
    } catch (const UserError& e) {
        return e.what();
    }
    return {};
}

}  // namespace

namespace {

fs::path underHome(const fs::path& home, const char* folder) {
    return home.empty() ? fs::path() : home / ".local" / folder;
}

fs::path baseFolder(const char* xdgValue, const fs::path& otherwise) {
    if (xdgValue && fs::path(xdgValue).is_absolute()) return xdgValue;
    return otherwise;
}

}  // namespace

UserFolders UserFoldersFrom(const char* home, const char* xdgDataHome, const char* xdgStateHome) {
    UserFolders user;
    if (home && *home) user.home = home;
    user.dataHome = baseFolder(xdgDataHome, underHome(user.home, "share"));
    user.stateHome = baseFolder(xdgStateHome, underHome(user.home, "state"));
    return user;
}

fs::path StateFolder(const UserFolders& user) {
    return user.stateHome.empty() ? fs::path() : user.stateHome / "mapwright";
}

UserFolders UserFoldersOfProcess() {
    UserFolders user;
    const std::string home = platform::homeFolder();
    if (!home.empty()) user.home = platform::pathOf(home);
    // Windows keeps a program's files in its application data folders; the
    // home folder's .local is the rule elsewhere.
    const platform::ApplicationFolders system = platform::applicationFolders();
    const auto otherwise = [&](const std::string& folder, const char* homeFolder) {
        return folder.empty() ? underHome(user.home, homeFolder) : platform::pathOf(folder);
    };
    user.dataHome = baseFolder(std::getenv("XDG_DATA_HOME"), otherwise(system.data, "share"));
    user.stateHome = baseFolder(std::getenv("XDG_STATE_HOME"), otherwise(system.state, "state"));
    return user;
}

bool IsDesktopStart(const fs::path& current, const fs::path& home) {
    if (hasNameDatabase(current)) return false;
    if (current == current.root_path()) return true;
    std::error_code ec;
    return !home.empty() && fs::equivalent(current, home, ec);
}

WorkingFolder ChooseWorkingFolder(const fs::path& current, const UserFolders& user,
                                  const std::optional<fs::path>& shippedNameDatabase) {
    WorkingFolder working{current, false, {}};
    if (!IsDesktopStart(current, user.home)) return working;
    working.desktopStart = true;
    if (user.dataHome.empty()) {
        working.problem = "no home folder is known, so the data folder cannot be made";
        return working;
    }
    const fs::path data = user.dataHome / "mapwright";
    std::error_code ec;
    fs::create_directories(data, ec);
    if (ec || !fs::is_directory(data)) {
        working.problem =
            data.string() + " cannot be made: " + (ec ? ec.message() : std::string("not a folder"));
        return working;
    }
    working.folder = data;
    working.problem = provideNameDatabase(data, shippedNameDatabase);
    return working;
}

std::string WorkingFolderStatus(const WorkingFolder& working) {
    std::string status = "Working folder: " + printableBytes(working.folder.string());
    if (!working.problem.empty()) status += " (" + printableBytes(working.problem) + ")";
    return status;
}

}  // namespace mw
