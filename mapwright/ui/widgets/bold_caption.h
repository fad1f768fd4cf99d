#pragma once
// Group boxes with a bold caption over controls in the normal font. A font
// set on a group is inherited by everything in it, so the controls get the
// normal weight back explicitly.

class QGroupBox;

namespace mw::ui {

/// Call once the group's controls exist.
void boldCaption(QGroupBox* group);

}  // namespace mw::ui
