#pragma once
// Keeps the open system and the wizard's map safe from a crash: while one
// has unsaved changes it is written to its recovery file every interval (60
// seconds unless a test build says otherwise), never while unchanged; a save
// or a clean end removes the file. At start-up a recovery file left by a
// crash is offered for restoring.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

#include "recovery/recovery_file.h"

namespace mw {
class MapDocument;
class Prompts;
}  // namespace mw

namespace mw::ui {

class SystemDocument;

/// How often unsaved work is written to the recovery file.
inline constexpr std::chrono::seconds kAutosaveInterval{60};

class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    /// The map's recovery file lives in the folder of `files`.
    RecoveryKeeper(SystemDocument& document, MapDocument& map, RecoveryFiles files,
                   Prompts& prompts, std::chrono::milliseconds interval, QObject* parent = nullptr);
    /// A clean end: the recovery file goes.
    ~RecoveryKeeper() override;
    /// False while another editor keeps the recovery folder: this one then
    /// neither offers nor writes a recovery file.
    bool keeping() const { return lock_.held(); }

    const RecoveryFiles& files() const { return files_; }
    const RecoveryFiles& mapFiles() const { return mapFiles_; }
    /// Writes the recovery file when the system changed since the last write
    /// and is not saved (what the timer does).
    void autosave();
    /// The same for the wizard's map: written while unsaved and changed since
    /// the last write, removed once saved (what the map's timer does).
    void autosaveMap();
    /// At start-up: asks whether to restore a recovery file left behind. Yes
    /// opens a designer window (through `openDesigner`) with the system, marked
    /// as changed and saving to its original file; No sets the file aside
    /// under its date. A damaged one, or one that cannot be read after Yes,
    /// is reported and set aside, the message saying where. True when
    /// restored. Then the same for the map, restored into the wizard (unsaved).
    bool offerRestore(const std::function<void()>& openDesigner);

  private:
    void modifiedChanged(bool modified);
    void removeFile(const RecoveryFiles& files);
    /// The recovery file of `files` when one is to be offered; a damaged one
    /// is reported and set aside.
    std::optional<RecoveryInfo> findOffered(const RecoveryFiles& files);
    /// Sets the file aside under its date; `why` (if any) goes before where it went.
    void setAside(const RecoveryFiles& files, std::int64_t savedAt, const std::string& why);
    bool offerSystem(const std::function<void()>& openDesigner);
    void offerMap();

    SystemDocument& document_;
    MapDocument& map_;
    RecoveryFiles files_;
    RecoveryFiles mapFiles_;
    RecoveryLock lock_;
    Prompts& prompts_;
    QTimer timer_;
    QTimer mapTimer_;
    /// The map as last written to its recovery file; none when no file is kept.
    std::optional<MapProjectRecord> mapWritten_;
    bool mapFailureShown_ = false;
    /// The system changed since the recovery file was last written.
    bool pending_ = false;
    /// A failed write is reported once, not every interval.
    bool failureShown_ = false;
};

}  // namespace mw::ui
