#include "project/map_history.h"

namespace mw {

namespace {

bool sameContent(const MapProject& a, const MapProject& b) {
    return a.systems == b.systems && a.systemCount == b.systemCount && a.mapName == b.mapName &&
           a.description == b.description && a.empireCount == b.empireCount &&
           a.empires == b.empires;
}

}  // namespace

void RestoreMapContent(MapProject& project, const MapProject& from) {
    const std::string file = project.projectFile;
    const MapProjectRecord kept = project.kept;
    project = from;
    project.projectFile = file;
    project.kept = kept;
}

void MapHistory::push(MapStep step) {
    if (!step.files && sameContent(step.before, step.after)) return;
    steps_.resize(done_);
    if (mergeOpen_ && !step.files && !step.mergeKey.empty() && !steps_.empty() &&
        !steps_.back().files && steps_.back().mergeKey == step.mergeKey) {
        steps_.back().after = std::move(step.after);
        // Typed back to where it started: no step at all.
        if (sameContent(steps_.back().before, steps_.back().after)) {
            steps_.pop_back();
            done_ = steps_.size();
            mergeOpen_ = false;
        }
        return;
    }
    mergeOpen_ = !step.mergeKey.empty();
    steps_.push_back(std::move(step));
    done_ = steps_.size();
}

bool MapHistory::undo(MapProject& project, Prompts& prompts) {
    if (!canUndo()) return false;
    MapStep& step = steps_[done_ - 1];
    if (step.files) {
        if (const std::string failure = step.files->revert(); !failure.empty()) {
            prompts.error(failure);
            return false;
        }
    }
    RestoreMapContent(project, step.before);
    --done_;
    mergeOpen_ = false;
    return true;
}

bool MapHistory::redo(MapProject& project, Prompts& prompts) {
    if (!canRedo()) return false;
    MapStep& step = steps_[done_];
    if (step.files) {
        if (const std::string failure = step.files->apply(); !failure.empty()) {
            prompts.error(failure);
            return false;
        }
    }
    RestoreMapContent(project, step.after);
    ++done_;
    mergeOpen_ = false;
    return true;
}

void MapHistory::clear() {
    steps_.clear();
    done_ = 0;
    mergeOpen_ = false;
}

std::string MapHistory::undoLabel() const {
    return canUndo() ? steps_[done_ - 1].label : std::string();
}

std::string MapHistory::redoLabel() const {
    return canRedo() ? steps_[done_].label : std::string();
}

}  // namespace mw
