#pragma once
// One step on the designer's undo stack. The change has already been made
// when the step is pushed; undo and redo patch the system with what the step
// changed (see DesignerStep), so a step holds only the records it touched.

#include <QUndoCommand>

#include "system_designer/designer_step.h"

namespace mw::ui {

class SystemDocument;

class StepCommand : public QUndoCommand {
  public:
    /// `field` >= 0: an edit of that header field, merged with the next edit
    /// of the same field until a word is finished.
    StepCommand(SystemDocument& document, DesignerStep step, const QString& name, int field,
                bool wordFinished);

    void undo() override;
    void redo() override;
    int id() const override { return field_; }
    bool mergeWith(const QUndoCommand* other) override;
    const DesignerStep& step() const { return step_; }

  private:
    SystemDocument& document_;
    DesignerStep step_;
    int field_;
    bool wordFinished_;
    bool done_ = true;  // pushed after the change was made: the first redo does nothing
};

}  // namespace mw::ui
