#include "recovery_keeper.h"

#include <QUndoStack>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "common/errors.h"
#include "common/prompts.h"
#include "document/system_document.h"
#include "project/map_document.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

std::string absolutePath(const std::string& path) {
    // Absolute: the next start may be made in another folder.
    if (path.empty()) return path;
    std::error_code ec;
    const std::filesystem::path abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.string();
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(SystemDocument& document, MapDocument& map, RecoveryFiles files,
                               Prompts& prompts, std::chrono::milliseconds interval,
                               QObject* parent)
    : QObject(parent),
      document_(document),
      map_(map),
      files_(std::move(files)),
      mapFiles_(files_.folder(), RecoveryKind::Map),
      lock_(files_.folder()),
      prompts_(prompts) {
    timer_.setInterval(interval);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::autosave);
    // The map has no change signal of its own: a look every interval is cheap.
    mapTimer_.setInterval(interval);
    connect(&mapTimer_, &QTimer::timeout, this, &RecoveryKeeper::autosaveMap);
    mapTimer_.start();
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
    if (!keeping()) return;
    removeFile(files_);
    removeFile(mapFiles_);
}

void RecoveryKeeper::modifiedChanged(bool modified) {
    if (modified) {
        pending_ = true;
        if (!timer_.isActive()) timer_.start();
        return;
    }
    timer_.stop();
    pending_ = false;
    // Saved: a later autosave that fails is news again.
    failureShown_ = false;
    if (keeping()) removeFile(files_);
}

void RecoveryKeeper::autosave() {
    if (!keeping() || !document_.isModified() || !pending_) return;
    const SystemDesigner& designer = document_.designer();
    try {
        files_.write(
            designer.header(), designer.tables(),
            {absolutePath(designer.filePath()), static_cast<std::int64_t>(std::time(nullptr))});
        pending_ = false;
        failureShown_ = false;
    } catch (const UserError& e) {
        if (failureShown_) return;
        failureShown_ = true;
        prompts_.error(std::string("The unsaved system cannot be kept safe from a crash: ") +
                       e.what());
    }
}

void RecoveryKeeper::autosaveMap() {
    if (!keeping()) return;
    if (!map_.unsaved()) {
        if (mapWritten_) removeFile(mapFiles_);
        mapWritten_.reset();
        mapFailureShown_ = false;
        return;
    }
    const MapProjectRecord record = BuildProjectRecord(map_.project());
    if (mapWritten_ && *mapWritten_ == record) return;
    try {
        mapFiles_.write(record, {absolutePath(map_.project().projectFile),
                                 static_cast<std::int64_t>(std::time(nullptr))});
        mapWritten_ = record;
        mapFailureShown_ = false;
    } catch (const UserError& e) {
        if (mapFailureShown_) return;
        mapFailureShown_ = true;
        prompts_.error(std::string("The unsaved map cannot be kept safe from a crash: ") +
                       e.what());
    }
}

void RecoveryKeeper::removeFile(const RecoveryFiles& files) {
    try {
        files.remove();
    } catch (const UserError&) {
        // Left behind, it is offered at the next start: nothing is lost.
    }
}

void RecoveryKeeper::setAside(const RecoveryFiles& files, std::int64_t savedAt,
                              const std::string& why) {
    try {
        const std::string where = files.setAside(savedAt).string();
        if (!why.empty()) prompts_.error(why + where);
    } catch (const UserError& e) {
        prompts_.error(e.what());
    }
}

std::optional<RecoveryInfo> RecoveryKeeper::findOffered(const RecoveryFiles& files) {
    try {
        return files.find();
    } catch (const UserError& e) {
        std::error_code ec;
        const auto written = std::filesystem::last_write_time(files.designFile(), ec);
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
            std::chrono::file_clock::to_sys(written).time_since_epoch());
        std::string text = e.what();
        try {
            text += "\nThe recovery file is kept as " +
                    files.setAside(ec ? std::time(nullptr) : seconds.count()).string();
        } catch (const UserError& aside) {
            text += std::string("\n") + aside.what();
        }
        prompts_.error(text);
        return std::nullopt;
    }
}

bool RecoveryKeeper::offerRestore(const std::function<void()>& openDesigner) {
    if (!keeping()) {
        if (!lock_.problem().empty()) {
            prompts_.error(lock_.problem());
            return false;
        }
        prompts_.notice("Another editor is running and keeps its unsaved system in " +
                        files_.folder().string() +
                        "; this one keeps no recovery copy of yours: save as you go.");
        return false;
    }
    const bool restored = offerSystem(openDesigner);
    offerMap();
    return restored;
}

bool RecoveryKeeper::offerSystem(const std::function<void()>& openDesigner) {
    const std::optional<RecoveryInfo> info = findOffered(files_);
    if (!info) return false;
    if (!prompts_.ask(RestoreQuestion(LocalTime(info->savedAt)))) {
        setAside(files_, info->savedAt, {});
        return false;
    }
    openDesigner();
    if (document_.restore(files_.designFile().string(), info->originalPath)) return true;
    // The copy could not be read (the reason has been shown): set aside as No
    // sets it aside, so neither the next autosave nor a clean end removes it.
    setAside(files_, info->savedAt,
             "The unsaved system could not be restored; its recovery file is kept as ");
    return false;
}

void RecoveryKeeper::offerMap() {
    const std::optional<RecoveryInfo> info = findOffered(mapFiles_);
    if (!info) return;
    if (!prompts_.ask(RestoreQuestion(LocalTime(info->savedAt), RecoveryKind::Map))) {
        setAside(mapFiles_, info->savedAt, {});
        return;
    }
    try {
        map_.restoreRecovered(mapFiles_.designFile().string(), info->originalPath, prompts_);
    } catch (const UserError& e) {
        setAside(mapFiles_, info->savedAt,
                 std::string(e.what()) +
                     "\nThe unsaved map could not be restored; its recovery file is kept as ");
        return;
    }
    // Kept until the map is saved: a crash before that loses nothing either.
    mapWritten_ = BuildProjectRecord(map_.project());
}

}  // namespace mw::ui
