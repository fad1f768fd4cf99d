// The installed editor: no test hook.
#include "ui/editor_hooks.h"

namespace mw::ui {

EditorHooks editorHooks() {
    return {};
}

}  // namespace mw::ui
