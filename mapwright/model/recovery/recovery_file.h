#pragma once
// The recovery file: the open system as "Save as" writes it, kept in the
// user's state folder while it has unsaved changes, so that a crash loses at
// most the last minute of work. Two files make it up: "recovery.sdf", a
// plain design file, and "recovery.info", which says when it was written,
// which file the system came from (its save target once restored) and the
// size and checksum of the design file written with it, so that an info is
// never taken for a design file of another moment (an editor killed between
// the two writes).

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "map/map_project_record.h"
#include "system/system_file.h"

namespace mw {

inline constexpr std::string_view kRecoveryDesignFile = "recovery.sdf";
inline constexpr std::string_view kRecoveryInfoFile = "recovery.info";
inline constexpr std::string_view kRecoveryLockFile = "recovery.lock";
/// The map creator wizard's unsaved map: a plain project file and its info.
inline constexpr std::string_view kRecoveryMapFile = "recovery-map.vmpf";
inline constexpr std::string_view kRecoveryMapInfoFile = "recovery-map.info";

/// What a recovery file keeps: the designer's system or the wizard's map.
enum class RecoveryKind { System, Map };

/// What identifies the bytes of a design file.
struct DesignFileSum {
    std::uint64_t size = 0;
    std::uint64_t checksum = 0;  // FNV-1a, 64 bits
    bool operator==(const DesignFileSum&) const = default;
};
DesignFileSum SumOf(std::string_view bytes);

struct RecoveryInfo {
    RecoveryInfo() = default;
    RecoveryInfo(std::string original, std::int64_t saved,
                 std::optional<DesignFileSum> designSum = std::nullopt)
        : originalPath(std::move(original)), savedAt(saved), design(designSum) {}

    /// The file the system was opened from or last saved to; empty when it never was.
    std::string originalPath;
    /// When the recovery file was written, in seconds since the epoch.
    std::int64_t savedAt = 0;
    /// The design file written with this info; none in an info of an editor
    /// that did not keep it.
    std::optional<DesignFileSum> design;
    bool operator==(const RecoveryInfo&) const = default;
};

/// "mapwright recovery 1", "saved <seconds>", "design <size> <checksum in
/// hex>" (when known), "path <path bytes to the end>".
std::string EncodeRecoveryInfo(const RecoveryInfo& info);
/// The info in the bytes of `file`; a UserError naming the file says what is
/// wrong with bytes that are no recovery info.
RecoveryInfo DecodeRecoveryInfo(std::string_view bytes, const std::string& file);

/// The local time as the start-up question shows it: "2026-12-08 17:25:03".
std::string RecoveryTimeText(const std::tm& local);
/// "Restore the unsaved system from <time>?", or for the map "Restore the
/// unsaved map of the map creator wizard from <time>?"
std::string RestoreQuestion(const std::tm& local, RecoveryKind kind = RecoveryKind::System);
/// The name a declined recovery file keeps, without its extension:
/// "recovery-2026-12-08-172503", then "...-2", "...-3" when that is taken
/// ("recovery-map-..." for the map).
std::string AsideStem(const std::tm& local, int attempt, RecoveryKind kind = RecoveryKind::System);
/// The local time of a moment given in seconds since the epoch.
std::tm LocalTime(std::int64_t seconds);

class RecoveryFiles {
  public:
    explicit RecoveryFiles(std::filesystem::path folder, RecoveryKind kind = RecoveryKind::System)
        : folder_(std::move(folder)), kind_(kind) {}

    const std::filesystem::path& folder() const { return folder_; }
    RecoveryKind kind() const { return kind_; }
    /// The copy itself: "recovery.sdf", or "recovery-map.vmpf" for the map.
    std::filesystem::path designFile() const;
    std::filesystem::path infoFile() const;

    /// Writes the system exactly as "Save as" would, then its info (with the
    /// design file's sum); each file is replaced whole or not at all. The
    /// folder is made when missing. IoError naming the file on failure.
    void write(const SystemHeader& header, const SystemModel& tables, RecoveryInfo info) const;
    /// The map exactly as "Save map" writes its project file, then its info.
    void write(const MapProjectRecord& map, RecoveryInfo info) const;
    /// The info of the recovery file in the folder; nothing when there is
    /// none. A missing or damaged info, or one written with another design
    /// file, raises a UserError naming it.
    std::optional<RecoveryInfo> find() const;
    /// Removes the temporary files of a write that was cut short (a killed
    /// editor). Only for the editor that holds the folder's lock.
    void removeStaleTemporaries() const;
    /// Both files go (a save or a clean close); missing ones are no error.
    void remove() const;
    /// Both files are renamed after the moment given, so that the next
    /// recovery file does not replace them. Returns the design file's new
    /// path. IoError naming the file on failure.
    std::filesystem::path setAside(std::int64_t savedAt) const;

  private:
    void writeBytes(const std::string& bytes, RecoveryInfo info) const;

    std::filesystem::path folder_;
    RecoveryKind kind_;
};

/// Who keeps the recovery file: the first editor running takes the lock on
/// "recovery.lock" in the folder and holds it until it ends (the system
/// frees it when the process dies, a crash included). A second editor
/// running at the same time gets none, so it neither offers nor replaces
/// the first one's file.
class RecoveryLock {
  public:
    explicit RecoveryLock(const std::filesystem::path& folder);
    ~RecoveryLock();
    RecoveryLock(const RecoveryLock&) = delete;
    RecoveryLock& operator=(const RecoveryLock&) = delete;

    bool held() const { return fd_ >= 0; }
    /// Why the lock is not held when no other editor holds it: the folder or
    /// its lock file cannot be made (a read-only or full disk), named with
    /// the reason; empty otherwise.
    const std::string& problem() const { return problem_; }

  private:
    int fd_ = -1;
    std::string problem_;
};

}  // namespace mw
