#include "recovery_keeper.h"

#include <QUndoStack>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "common/errors.h"
#include "common/prompts.h"
#include "document/system_document.h"
#include "widgets/text.h"

namespace mw::ui {

RecoveryKeeper::RecoveryKeeper(SystemDocument& document, RecoveryFiles files, Prompts& prompts,
                               std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent),
      document_(document),
      files_(std::move(files)),
      lock_(files_.folder()),
      prompts_(prompts) {
    timer_.setInterval(interval);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::autosave);
    connect(&document_, &SystemDocument::modifiedChanged, this, &RecoveryKeeper::modifiedChanged);
    // Every change of the system counts: also one that could not become an
    // undo step (a name list that could not be read), which moves no index.
    connect(&document_, &SystemDocument::changed, this, [this](const DesignerChange& change) {
        if (change.systemChanged) pending_ = true;
    });
    connect(document_.undoStack(), &QUndoStack::indexChanged, this, [this] { pending_ = true; });
    // What a killed autosave left half written is of no use to anyone.
    if (keeping()) files_.removeStaleTemporaries();
}

RecoveryKeeper::~RecoveryKeeper() {
    if (keeping()) removeFile();
}

void RecoveryKeeper::modifiedChanged(bool modified) {
    if (modified) {
        pending_ = true;
        if (!timer_.isActive()) timer_.start();
        return;
    }
    timer_.stop();
    pending_ = false;
    if (keeping()) removeFile();
}

void RecoveryKeeper::autosave() {
    if (!keeping() || !document_.isModified() || !pending_) return;
    const SystemDesigner& designer = document_.designer();
    try {
        // Absolute: the next start may be made in another folder.
        std::error_code ec;
        const std::string origin =
            designer.filePath().empty()
                ? std::string()
                : std::filesystem::absolute(designer.filePath(), ec).string();
        files_.write(designer.header(), designer.tables(),
                     {origin, static_cast<std::int64_t>(std::time(nullptr))});
        pending_ = false;
        failureShown_ = false;
    } catch (const UserError& e) {
        if (failureShown_) return;
        failureShown_ = true;
        prompts_.error(std::string("The unsaved system cannot be kept safe from a crash: ") +
                       e.what());
    }
}

void RecoveryKeeper::removeFile() {
    try {
        files_.remove();
    } catch (const UserError&) {
        // Left behind, it is offered at the next start: nothing is lost.
    }
}

bool RecoveryKeeper::offerRestore(const std::function<void()>& openDesigner) {
    if (!keeping()) {
        prompts_.notice("Another editor is running and keeps its unsaved system in " +
                        files_.folder().string() +
                        "; this one keeps no recovery copy of yours: save as you go.");
        return false;
    }
    std::optional<RecoveryInfo> info;
    try {
        info = files_.find();
    } catch (const UserError& e) {
        std::error_code ec;
        const auto written = std::filesystem::last_write_time(files_.designFile(), ec);
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
            std::chrono::file_clock::to_sys(written).time_since_epoch());
        std::string text = e.what();
        try {
            text += "\nThe recovery file is kept as " +
                    files_.setAside(ec ? std::time(nullptr) : seconds.count()).string();
        } catch (const UserError& aside) {
            text += std::string("\n") + aside.what();
        }
        prompts_.error(text);
        return false;
    }
    if (!info) return false;
    if (!prompts_.ask(RestoreQuestion(LocalTime(info->savedAt)))) {
        try {
            files_.setAside(info->savedAt);
        } catch (const UserError& e) {
            prompts_.error(e.what());
        }
        return false;
    }
    openDesigner();
    if (document_.restore(files_.designFile().string(), info->originalPath)) return true;
    // The copy could not be read (the reason has been shown): set aside as No
    // sets it aside, so neither the next autosave nor a clean end removes it.
    try {
        prompts_.error("The unsaved system could not be restored; its recovery file is kept as " +
                       files_.setAside(info->savedAt).string());
    } catch (const UserError& e) {
        prompts_.error(e.what());
    }
    return false;
}

}  // namespace mw::ui
