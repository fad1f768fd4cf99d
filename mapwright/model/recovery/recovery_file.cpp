#include "recovery/recovery_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "common/errors.h"
#include "common/file_bytes.h"
#include "common/file_layer.h"
#include "common/safe_save.h"
#include "map/project_file.h"
#include "platform/local_time.h"
#include "platform/system_files.h"

namespace mw {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMagicLine = "mapwright recovery 1\n";
constexpr std::string_view kSavedKey = "saved ";
constexpr std::string_view kPathKey = "path ";

std::string formatTime(const std::tm& t, const char* format) {
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, format, &t);
    return std::string(text, n);
}

void renameFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(from, ec))) return;
    file_layer::Rename(from.string(), to.string(), from.string(), "rename to " + to.string());
}

constexpr std::string_view kDesignKey = "design ";

std::string hex(std::uint64_t value) {
    char text[17];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, 16);
    return std::string(text, end);
}

// "<size> <checksum>" after the key; nothing when the line is not that.
std::optional<DesignFileSum> parseSum(std::string_view text) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    DesignFileSum sum;
    const std::string_view size = text.substr(0, space);
    const std::string_view checksum = text.substr(space + 1);
    const auto a = std::from_chars(size.data(), size.data() + size.size(), sum.size);
    const auto b =
        std::from_chars(checksum.data(), checksum.data() + checksum.size(), sum.checksum, 16);
    if (size.empty() || checksum.empty() || a.ec != std::errc() ||
        a.ptr != size.data() + size.size() || b.ec != std::errc() ||
        b.ptr != checksum.data() + checksum.size())
        return std::nullopt;
    return sum;
}

}  // namespace

DesignFileSum SumOf(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return {bytes.size(), h};
}

std::string EncodeRecoveryInfo(const RecoveryInfo& info) {
    std::string text =
        std::string(kMagicLine) + std::string(kSavedKey) + std::to_string(info.savedAt) + "\n";
    if (info.design)
        text += std::string(kDesignKey) + std::to_string(info.design->size) + " " +
                hex(info.design->checksum) + "\n";
    return text + std::string(kPathKey) + info.originalPath;
}

RecoveryInfo DecodeRecoveryInfo(std::string_view bytes, const std::string& file) {
    const auto damaged = [&file](const std::string& why) {
        return UserError(printableBytes(file) + ": not a recovery info file: " + why);
    };
    if (bytes.substr(0, kMagicLine.size()) != kMagicLine)
        throw damaged("it does not start with \"mapwright recovery 1\"");
    bytes.remove_prefix(kMagicLine.size());
    RecoveryInfo info;
    const std::size_t end = bytes.find('\n');
    if (bytes.substr(0, kSavedKey.size()) != kSavedKey || end == std::string_view::npos)
        throw damaged("the \"saved\" line is missing");
    const std::string_view seconds = bytes.substr(kSavedKey.size(), end - kSavedKey.size());
    const auto [ptr, ec] =
        std::from_chars(seconds.data(), seconds.data() + seconds.size(), info.savedAt);
    if (ec != std::errc() || ptr != seconds.data() + seconds.size() || seconds.empty())
        throw damaged("the \"saved\" line holds no time");
    bytes.remove_prefix(end + 1);
    if (bytes.substr(0, kDesignKey.size()) == kDesignKey) {
        const std::size_t lineEnd = bytes.find('\n');
        if (lineEnd == std::string_view::npos) throw damaged("the \"path\" line is missing");
        info.design = parseSum(bytes.substr(kDesignKey.size(), lineEnd - kDesignKey.size()));
        if (!info.design) throw damaged("the \"design\" line holds no size and checksum");
        bytes.remove_prefix(lineEnd + 1);
    }
    if (bytes.substr(0, kPathKey.size()) != kPathKey) throw damaged("the \"path\" line is missing");
    info.originalPath = std::string(bytes.substr(kPathKey.size()));
    if (info.originalPath.find('\0') != std::string::npos)
        throw damaged("the path holds a NUL byte");
    return info;
}

std::string RecoveryTimeText(const std::tm& local) {
    return formatTime(local, "%Y-%m-%d %H:%M:%S");
}

std::string RestoreQuestion(const std::tm& local, RecoveryKind kind) {
    const char* what = kind == RecoveryKind::System ? "the unsaved system"
                                                    : "the unsaved map of the map creator wizard";
    return std::string("Restore ") + what + " from " + RecoveryTimeText(local) + "?";
}

std::string AsideStem(const std::tm& local, int attempt, RecoveryKind kind) {
    std::string stem = (kind == RecoveryKind::System ? "recovery-" : "recovery-map-") +
                       formatTime(local, "%Y-%m-%d-%H%M%S");
    if (attempt > 1) stem += "-" + std::to_string(attempt);
    return stem;
}

std::tm LocalTime(std::int64_t seconds) {
    return platform::localTime(static_cast<std::time_t>(seconds));
}

fs::path RecoveryFiles::designFile() const {
    return folder_ / (kind_ == RecoveryKind::System ? kRecoveryDesignFile : kRecoveryMapFile);
}

fs::path RecoveryFiles::infoFile() const {
    return folder_ / (kind_ == RecoveryKind::System ? kRecoveryInfoFile : kRecoveryMapInfoFile);
}

void RecoveryFiles::write(const SystemHeader& header, const SystemModel& tables,
                          RecoveryInfo info) const {
    writeBytes(
        EncodeSystem(header.sunName, header.sunType, header.background, header.scale, tables),
        std::move(info));
}

void RecoveryFiles::write(const MapProjectRecord& map, RecoveryInfo info) const {
    const ProjectBytes bytes = EncodeProject(map);
    writeBytes(std::string(bytes.begin(), bytes.end()), std::move(info));
}

void RecoveryFiles::writeBytes(const std::string& design, RecoveryInfo info) const {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) throw IoError(folder_.string(), "create folder", ec.message());
    // The design file first, its info naming its size and checksum after: a
    // write cut short between the two leaves an info that find() refuses for
    // the design file beside it, never one that passes for it.
    SaveFileBytes(designFile().string(), design);
    info.design = SumOf(design);
    SaveFileBytes(infoFile().string(), EncodeRecoveryInfo(info));
}

std::optional<RecoveryInfo> RecoveryFiles::find() const {
    std::error_code ec;
    if (!fs::exists(designFile(), ec)) return std::nullopt;
    const std::string info = infoFile().string();
    const std::optional<std::string> bytes = ReadFileBytes(info);
    if (!bytes)
        throw UserError(printableBytes(info) + ": missing beside " +
                        printableBytes(designFile().string()));
    const RecoveryInfo found = DecodeRecoveryInfo(*bytes, info);
    if (found.design) {
        const std::optional<std::string> design = ReadFileBytes(designFile().string());
        if (!design || SumOf(*design) != *found.design)
            throw UserError(printableBytes(info) + ": written with another " +
                            printableBytes(designFile().string()) +
                            " than the one beside it (the editor was stopped between the two)");
    }
    return found;
}

void RecoveryFiles::removeStaleTemporaries() const {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, ec)) {
        const std::string name = entry.path().filename().string();
        for (const std::string_view file :
             {kRecoveryDesignFile, kRecoveryInfoFile, kRecoveryMapFile, kRecoveryMapInfoFile}) {
            const std::string prefix = std::string(file) + ".tmp-";
            if (name.compare(0, prefix.size(), prefix) == 0) fs::remove(entry.path(), ec);
        }
    }
}

void RecoveryFiles::remove() const {
    // The design file first: an info alone is never offered.
    for (const fs::path& file : {designFile(), infoFile()}) {
        std::error_code ec;
        fs::remove(file, ec);
        if (ec) throw IoError(file.string(), "delete", ec.message());
    }
}

fs::path RecoveryFiles::setAside(std::int64_t savedAt) const {
    const std::tm local = LocalTime(savedAt);
    for (int attempt = 1;; ++attempt) {
        const std::string stem = AsideStem(local, attempt, kind_);
        fs::path design = folder_ / (stem + (kind_ == RecoveryKind::System ? ".sdf" : ".vmpf"));
        const fs::path info = folder_ / (stem + ".info");
        std::error_code ec;
        if (fs::exists(design, ec) || fs::exists(info, ec)) continue;
        renameFile(infoFile(), info);
        renameFile(designFile(), design);
        file_layer::SyncFolderOf(design.string());
        return design;
    }
}

RecoveryLock::RecoveryLock(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path file = folder / kRecoveryLockFile;
    fd_ = platform::openLockFile(file.string());
    if (fd_ < 0) {
        // Not another editor: nothing can be kept here, and the user must know why.
        const std::string reason = ec ? ec.message() : std::strerror(errno);
        problem_ = std::string("The unsaved work cannot be kept safe from a crash: ") +
                   IoError(ec ? folder.string() : file.string(), "create", reason).what();
        return;
    }
    if (!platform::lockExclusive(fd_)) {
        platform::close(fd_);
        fd_ = -1;
    }
}

RecoveryLock::~RecoveryLock() {
    if (fd_ >= 0) platform::close(fd_);
}

}  // namespace mw
