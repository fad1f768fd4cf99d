#include "step_command.h"

#include "common/errors.h"
#include "system_document.h"
#include "widgets/text.h"

namespace mw::ui {

StepCommand::StepCommand(SystemDocument& document, DesignerStep step, const QString& name,
                         int field, bool wordFinished)
    : QUndoCommand(name),
      document_(document),
      step_(std::move(step)),
      field_(field),
      wordFinished_(wordFinished) {}

void StepCommand::undo() {
    done_ = false;
    document_.applyStep(step_, false);
}

void StepCommand::redo() {
    if (done_) return;
    done_ = true;
    document_.applyStep(step_, true);
}

bool StepCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const StepCommand*>(other);
    if (wordFinished_ || next->field_ != field_) return false;
    // The system stands after `next`: the merged step runs from before this one to now.
    std::optional<DesignerSnapshot> now = document_.currentSnapshot();
    if (!now) return false;
    DesignerSnapshot start = *now;
    next->step_.undo(start);
    step_.undo(start);
    step_ = DesignerStep::Between(start, *now);
    wordFinished_ = next->wordFinished_;
    setObsolete(step_.empty());  // typed and taken back: no step at all
    return true;
}

}  // namespace mw::ui
