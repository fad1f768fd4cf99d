#pragma once
// The wizard's undo history. Each step keeps the map as it was before and
// after the change (a map is a few kilobytes, so whole copies are the simple
// and safe record), and may carry edits of other files that belong to the
// same step: a link made both ways writes the partner system's design file,
// and undoing the link must take that write back too.
//
// Pushing a step that also changed files:
//
//     MapProject before = document.project();        // before any change
//     ... write the files, change the map ...
//     history.push({"link Alpha to Beta", before, document.project(),
//                   std::make_shared<MyFileEdits>(...)});
//
// The step is pushed after its change has happened (the files written, the
// map changed). Undo calls `revert()` of the file edits first and restores
// the map only when it returned an empty text; redo calls `apply()` likewise.
// A non-empty text is shown to the user as an error and the step stays where
// it was, so undo can be tried again once the cause is mended.

#include <memory>
#include <string>
#include <vector>

#include "common/prompts.h"
#include "project/map_project.h"

namespace mw {

/// Edits of files outside the map that one undo step takes back and repeats.
/// Each call returns an empty text on success, else a message naming the file
/// and what is wrong; on failure the files must be as they were before the call.
class FileEdits {
  public:
    virtual ~FileEdits() = default;
    /// Takes the edits back (undo).
    virtual std::string revert() = 0;
    /// Makes the edits again (redo).
    virtual std::string apply() = 0;
};

struct MapStep {
    /// What the step did, for "Undo insert Alpha" ("insert Alpha").
    std::string label;
    MapProject before;
    MapProject after;
    /// Files the step changed besides the map; none for most steps.
    std::shared_ptr<FileEdits> files;
    /// Steps of one control typed in a row merge into one: an empty key
    /// never merges.
    std::string mergeKey;
};

class MapHistory {
  public:
    /// A change that has happened. A step whose map and files did not change
    /// is dropped; one with the merge key of the step before (and nothing
    /// undone since) joins it. Everything undone is gone after a push.
    void push(MapStep step);
    /// Takes the last step back into `project` (its file edits first). False
    /// when there is none or its files could not be restored (said through
    /// the prompts).
    bool undo(MapProject& project, Prompts& prompts);
    bool redo(MapProject& project, Prompts& prompts);
    /// A new map (Load map): the steps of the old one are gone.
    void clear();

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    /// The label of the step Undo (Redo) would take; empty when none.
    std::string undoLabel() const;
    std::string redoLabel() const;
    /// A new step stops merging into the last one (a control left).
    void closeMerge() { mergeOpen_ = false; }

  private:
    std::vector<MapStep> steps_;
    std::size_t done_ = 0;
    bool mergeOpen_ = false;
};

/// Puts the map content of `from` into `project`: the systems, texts and
/// empires and the tab shown, but not the file it was loaded from or saved
/// to, nor what it was then — those follow the files, not the history.
void RestoreMapContent(MapProject& project, const MapProject& from);

}  // namespace mw
