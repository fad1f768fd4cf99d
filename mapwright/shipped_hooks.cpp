// The installed editor: no test hook.
#include "app/editor_hooks.h"

namespace mw::ui {

EditorHooks editorHooks() {
    return {};
}

}  // namespace mw::ui
