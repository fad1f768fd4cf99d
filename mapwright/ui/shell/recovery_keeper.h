#pragma once
// Keeps the open system safe from a crash: while it has unsaved changes it is
// written to the recovery file every interval (60 seconds unless a test
// build says otherwise), never while
// unchanged; a save or a clean end removes the file. At start-up a recovery
// file left by a crash is offered for restoring.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

#include "recovery/recovery_file.h"

namespace mw {
class Prompts;
}

namespace mw::ui {

class SystemDocument;

/// How often unsaved work is written to the recovery file.
inline constexpr std::chrono::seconds kAutosaveInterval{60};

class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    RecoveryKeeper(SystemDocument& document, RecoveryFiles files, Prompts& prompts,
                   std::chrono::milliseconds interval, QObject* parent = nullptr);
    /// A clean end: the recovery file goes.
    ~RecoveryKeeper() override;
    /// False while another editor keeps the recovery folder: this one then
    /// neither offers nor writes a recovery file.
    bool keeping() const { return lock_.held(); }

    const RecoveryFiles& files() const { return files_; }
    /// Writes the recovery file when the system changed since the last write
    /// and is not saved (what the timer does).
    void autosave();
    /// At start-up: asks whether to restore a recovery file left behind. Yes
    /// opens a designer window (through `openDesigner`) with the system, marked
    /// as changed and saving to its original file; No sets the file aside
    /// under its date. A damaged one, or one that cannot be read after Yes,
    /// is reported and set aside, the message saying where. True when
    /// restored.
    bool offerRestore(const std::function<void()>& openDesigner);

  private:
    void modifiedChanged(bool modified);
    void removeFile();

    SystemDocument& document_;
    RecoveryFiles files_;
    RecoveryLock lock_;
    Prompts& prompts_;
    QTimer timer_;
    /// The system changed since the recovery file was last written.
    bool pending_ = false;
    /// A failed write is reported once, not every interval.
    bool failureShown_ = false;
};

}  // namespace mw::ui
