#pragma once
// Changes of design files that are steps of the wizard's undo history, with
// the map's own change when there is one: a fix of the map check (whose
// rename of a system is a change of the map), a link dragged in the map
// picture or removed from its menu. Undo and redo rewrite the files only
// while they hold what the step left there; otherwise the message names the
// file, and neither the files nor the map change.

#include <string>
#include <vector>

#include "check/check_fixes.h"
#include "common/file_edit.h"
#include "project/map_document.h"
#include "project/map_history.h"

namespace mw {

/// Edits of several files, taken back and made again together (see
/// ApplyFileEdits): all of them change, or none does.
class FileEditsStep : public FileEdits {
  public:
    explicit FileEditsStep(std::vector<FileEdit> edits) : edits_(std::move(edits)) {}
    std::string revert() override { return run(false); }
    std::string apply() override { return run(true); }

  private:
    std::string run(bool forward);

    std::vector<FileEdit> edits_;
};

/// Makes the fix (its files together, then the rename of its slot) and
/// records it as one undo step of the map, labelled with its caption.
/// UserError naming the file that refused or failed, or the system the map
/// no longer lists; nothing has changed then.
void MakeFixStep(MapDocument& map, const CheckFix& fix);

}  // namespace mw
